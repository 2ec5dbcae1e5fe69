#include "core/text.h"

#include "core/errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace rh {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool parseWith(std::string_view text, double& value, bool allowComma) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    if (b == e || e - b > 400)
        return false;
    // Plain whole numbers of a few digits are nearly every number of a tournament file: read them
    // without the general parser (the value is the same, "-0" included).
    {
        std::size_t i = b;
        bool negative = text[i] == '-';
        if (negative || text[i] == '+')
            ++i;
        if (i < e && e - i <= 9) {
            long n = 0;
            std::size_t j = i;
            for (; j < e && text[j] >= '0' && text[j] <= '9'; ++j)
                n = n * 10 + (text[j] - '0');
            if (j == e) {
                value = negative ? -static_cast<double>(n) : static_cast<double>(n);
                return true;
            }
        }
    }
    std::string s(text.substr(b, e - b));
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-')
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if ((c == '.' || (allowComma && c == ',')) && !point) {
            point = true;
            s[i] = '.';
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < s.size()) {
        if (s[i] != 'e' && s[i] != 'E')
            return false;
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            ++expDigits;
        if (expDigits == 0 || i != s.size())
            return false;
    }
    // from_chars ignores the process locale, so "." is the decimal point whatever it says.
    const char* first = s.c_str();
    if (*first == '+')
        ++first;
    double v = 0;
    auto [end, ec] = std::from_chars(first, s.c_str() + s.size(), v);
    if (ec != std::errc() || end != s.c_str() + s.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace

std::string trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

std::string toUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool tryParseNumber(std::string_view text, double& value) {
    return parseWith(text, value, false);
}
bool tryParseDecimal(std::string_view text, double& value) {
    return parseWith(text, value, true);
}

bool isNumeric(std::string_view text) {
    double v;
    return tryParseNumber(text, v);
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

double roundHalfAway(double value, int decimals) {
    // Powers of ten up to 1e22 are exact doubles: a table gives what pow gives, sooner.
    static constexpr double kTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double scale = decimals >= 0 && decimals <= 22 ? kTens[static_cast<std::size_t>(decimals)]
                                                         : std::pow(10.0, decimals);
    double scaled = value * scale;
    // Nudge by a hair so that values such as 0.125 held as 0.12499999... round as written.
    double nudged = scaled + std::copysign(1e-9 * std::max(1.0, std::fabs(scaled)), scaled);
    return std::round(nudged) / scale;
}

std::int32_t toInt32(std::string_view text) {
    double v;
    if (!tryParseNumber(text, v))
        throw RhError(err::TypeMismatch);
    v = roundHalfEven(v);
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        throw RhError(err::Overflow);
    return static_cast<std::int32_t>(v);
}

std::int16_t toInt16(double value) {
    double v = roundHalfEven(value);
    if (!(v >= -32768.0 && v <= 32767.0))
        throw RhError(err::Overflow);
    return static_cast<std::int16_t>(v);
}

std::int16_t toInt16(std::string_view text) {
    // Plain digits of up to four places, the way files write every ID, round and score.
    if (!text.empty() && text.size() <= 4) {
        int v = 0;
        std::size_t i = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            v = v * 10 + (text[i] - '0');
        if (i == text.size())
            return static_cast<std::int16_t>(v);
    }
    double v;
    if (!tryParseNumber(text, v))
        throw RhError(err::TypeMismatch);
    return toInt16(v);
}

std::string zeroPad(long long value, int minDigits) {
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    // Built in place: keys of every store are made of these, many thousands per refresh.
    char digits[24];
    auto res = std::to_chars(digits, digits + sizeof digits, magnitude);
    const auto count = static_cast<std::size_t>(res.ptr - digits);
    const std::size_t width = std::max(count, static_cast<std::size_t>(std::max(minDigits, 0)));
    const std::size_t sign = value < 0 ? 1 : 0;
    std::string out(sign + width, '0');
    if (sign)
        out[0] = '-';
    std::copy(digits, digits + count, out.end() - static_cast<std::ptrdiff_t>(count));
    return out;
}

std::string fmt00(long long value) {
    return zeroPad(value, 2);
}
std::string fmtItem(long long value) {
    std::string item(1, ' ');
    item += zeroPad(value, 2);
    return item;
}

std::string Pad2(std::string_view text) {
    double v;
    if (!tryParseNumber(text, v))
        return std::string(text);
    v = roundHalfAway(v);
    if (std::fabs(v) > 9.0e15)
        return std::string(text);
    return fmt00(static_cast<long long>(v));
}

std::string Pad2(long long value) {
    return fmt00(value);
}

std::string formatFixed(double value, int decimals) {
    double r = roundHalfAway(value, decimals);
    if (r == 0.0)
        r = 0.0; // no "-0.00"
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, r, std::chars_format::fixed, decimals);
    return std::string(buf, res.ptr);
}

std::string formatGeneral(double value) {
    if (value == 0.0)
        return "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return std::string(buf, res.ptr);
}

std::vector<std::string> splitFields(std::string_view record, char separator) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        std::size_t pos = record.find(separator, start);
        if (pos == std::string_view::npos) {
            out.emplace_back(record.substr(start));
            break;
        }
        out.emplace_back(record.substr(start, pos - start));
        start = pos + 1;
    }
    return out;
}

std::string field(std::string_view record, std::size_t index, char separator) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        std::size_t pos = record.find(separator, start);
        if (pos == std::string_view::npos)
            return {};
        start = pos + 1;
    }
    std::size_t end = record.find(separator, start);
    return std::string(
        record.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

} // namespace rh
