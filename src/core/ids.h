#pragma once
// The numbers that name things in a tournament, as types of their own so that an entrant is never
// passed where a round is meant: EntrantId (an entrant, or a team in a Team tournament), RoundNo
// and TableNo. Each is the 16-bit number the tournament file holds. The two-digit text ("07") is
// how a screen, a file or the HTML page shows an ID; it is made only there, by idText.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rh {

enum class EntrantId : std::int16_t {};
enum class RoundNo : std::int16_t {};
enum class TableNo : std::int16_t {};

constexpr int num(EntrantId id) {
    return static_cast<int>(id);
}
constexpr int num(RoundNo round) {
    return static_cast<int>(round);
}
constexpr int num(TableNo table) {
    return static_cast<int>(table);
}

/// A number known to be in the 16-bit range (a loop counter, a table's count) as an entrant or
/// round.
constexpr EntrantId entrantAt(int n) {
    return EntrantId{static_cast<std::int16_t>(n)};
}
constexpr RoundNo roundAt(int n) {
    return RoundNo{static_cast<std::int16_t>(n)};
}

/// The ID as screens and files show it: at least two digits ("07", "123", "-05").
std::string idText(EntrantId id);
/// The entrant an ID text names: a whole number in the 16-bit range, blanks and leading zeros
/// allowed ("07", " 7", "007"); nothing for any other text.
std::optional<EntrantId> entrantIdOf(std::string_view text);
/// The same for a round's text.
std::optional<RoundNo> roundNoOf(std::string_view text);

/// A number in the 16-bit range as an entrant or round; nothing outside it.
std::optional<EntrantId> entrantIdOf(long long value);
std::optional<RoundNo> roundNoOf(long long value);

} // namespace rh
