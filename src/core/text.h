#pragma once
// Text and number helpers shared by every subsystem: trimming, the two-digit ID text, the
// " 00" list-item picture, locale-independent number parsing and the 16-bit conversions whose
// failures are typed errors (13 type mismatch, 6 overflow).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// Removes leading and trailing blanks (space, tab, CR, LF).
std::string trim(std::string_view text);
std::string toUpper(std::string_view text);
bool startsWith(std::string_view text, std::string_view prefix);

/// Parses a plain decimal number: optional blanks, sign, digits, one '.', optional exponent.
/// Returns false for anything else, including the empty text.
bool tryParseNumber(std::string_view text, double& value);
/// As tryParseNumber, but a single ',' is also taken as the decimal separator (file values
/// written on a machine whose decimal separator is a comma).
bool tryParseDecimal(std::string_view text, double& value);
bool isNumeric(std::string_view text);

/// Rounds to the nearest integer, halves to the even neighbour (the rule of numeric keys).
double roundHalfEven(double value);
/// Rounds to `decimals` places, halves away from zero (the rule of displayed numbers).
double roundHalfAway(double value, int decimals = 0);

/// Text to a 16-bit signed integer: blanks ignored, fractions rounded half to even.
/// Throws RhError 13 for text that is not a number and 6 for a value outside -32768..32767.
std::int16_t toInt16(std::string_view text);
/// Text to a 32-bit signed integer, same rules with the 32-bit range.
std::int32_t toInt32(std::string_view text);
/// A double to 16 bits, same rounding; throws RhError 6 outside the range.
std::int16_t toInt16(double value);

/// The integer with at least `minDigits` digits, a minus sign in front of negative values.
std::string zeroPad(long long value, int minDigits);
/// The two-digit pad: "00" picture, at least two digits (7 -> "07", -3 -> "-03", 123 -> "123").
std::string fmt00(long long value);
/// " 00" picture of list items: a blank, then at least two digits.
std::string fmtItem(long long value);

/// ID text: numeric text with at least two digits (as fmt00); other text unchanged.
std::string Pad2(std::string_view text);
/// The same for a number; it is fmt00, kept while stores are keyed by ID text.
std::string Pad2(long long value);

/// A fixed-point text with exactly `decimals` places, rounded half away from zero, "." separator.
std::string formatFixed(double value, int decimals);
/// The general number form written to files: no grouping, as many decimals as needed, '.'.
std::string formatGeneral(double value);

/// Splits a "~" record into its fields.
std::vector<std::string> splitFields(std::string_view record, char separator = '~');
/// Field `index` of a "~" record, or "" when there are fewer fields.
std::string field(std::string_view record, std::size_t index, char separator = '~');

} // namespace rh
