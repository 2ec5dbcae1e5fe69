#include "core/ids.h"

#include "core/text.h"

namespace rh {

namespace {

std::optional<std::int16_t> wholeNumber16(std::string_view text) {
    std::size_t b = 0, e = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (b < e && blank(text[b]))
        ++b;
    while (e > b && blank(text[e - 1]))
        --e;
    bool negative = false;
    if (b < e && (text[b] == '-' || text[b] == '+'))
        negative = text[b++] == '-';
    if (b == e || e - b > 12)
        return std::nullopt;
    long long v = 0;
    for (std::size_t i = b; i < e; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        v = v * 10 + (text[i] - '0');
    }
    if (negative)
        v = -v;
    if (v < INT16_MIN || v > INT16_MAX)
        return std::nullopt;
    return static_cast<std::int16_t>(v);
}

} // namespace

std::string idText(EntrantId id) {
    return fmt00(num(id));
}

std::optional<EntrantId> entrantIdOf(std::string_view text) {
    if (auto v = wholeNumber16(text))
        return EntrantId{*v};
    return std::nullopt;
}

std::optional<RoundNo> roundNoOf(std::string_view text) {
    if (auto v = wholeNumber16(text))
        return RoundNo{*v};
    return std::nullopt;
}

std::optional<EntrantId> entrantIdOf(long long value) {
    if (value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return EntrantId{static_cast<std::int16_t>(value)};
}

std::optional<RoundNo> roundNoOf(long long value) {
    if (value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return RoundNo{static_cast<std::int16_t>(value)};
}

} // namespace rh
