#include "scoring/table_order.h"

#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>
#include <tuple>

namespace rh {

namespace {

// A run of digits (at least two, as every ID text is written) as a number.
bool digitsValue(std::string_view text, long long& value) {
    if (text.size() < 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// The side (0, 1) and seat (0, 1) of a seat key's ending: "0101".."0202" for four players, "01"
// or "02" for two teams.
bool seatOf(std::string_view tail, bool progressive, int& side, int& seat) {
    auto part = [](std::string_view two) { return two == "01" ? 0 : two == "02" ? 1 : -1; };
    side = part(tail.substr(0, 2));
    seat = progressive ? part(tail.substr(2, 2)) : 0;
    return side >= 0 && seat >= 0;
}

} // namespace

TableOrder::TableOrder(const KeyedCollection& tableSeats, bool progressive, long long round) {
    // Seat key: round, table (ID texts), then the side and, for players, the seat on the side.
    const std::string prefix = fmt00(round);
    const std::size_t suffix = progressive ? 4 : 2;
    struct Seat {
        long long table;
        int side, seat;
        std::string id;
    };
    std::vector<Seat> seats;
    tableSeats.forEach([&](const std::string& key, const std::string& value) {
        if (key.size() < prefix.size() + 2 + suffix || key.compare(0, prefix.size(), prefix) != 0)
            return;
        const std::string_view k(key);
        long long table = 0;
        int side = 0, seat = 0;
        if (!digitsValue(k.substr(prefix.size(), k.size() - prefix.size() - suffix), table) ||
            !seatOf(k.substr(k.size() - suffix), progressive, side, seat))
            return;
        const std::string id = trim(value);
        if (!id.empty() && id != "00")
            seats.push_back({table, side, seat, Pad2(id)});
    });
    std::sort(seats.begin(), seats.end(), [](const Seat& a, const Seat& b) {
        return std::tie(a.table, a.side, a.seat) < std::tie(b.table, b.side, b.seat);
    });
    for (Seat& s : seats) {
        if (m_tables.empty() || m_tables.back().number != s.table)
            m_tables.push_back({s.table, {}});
        m_tables.back().sides[static_cast<std::size_t>(s.side)].push_back(std::move(s.id));
    }
}

std::optional<TableOrder::Place> TableOrder::placeOf(const std::string& id) const {
    for (std::size_t t = 0; t < m_tables.size(); ++t)
        for (int side = 0; side < 2; ++side) {
            const auto& ids = m_tables[t].sides[static_cast<std::size_t>(side)];
            if (std::find(ids.begin(), ids.end(), id) != ids.end())
                return Place{t, side};
        }
    return std::nullopt;
}

std::optional<long long> TableOrder::tableNumberOf(const std::string& id) const {
    const auto place = placeOf(id);
    if (!place)
        return std::nullopt;
    return m_tables[place->table].number;
}

std::string TableOrder::nextWaiting(const std::string& after,
                                    const std::function<bool(const std::string&)>& waiting) const {
    const std::size_t sides = m_tables.size() * 2;
    if (sides == 0)
        return {};
    std::size_t start = 0; // the position of the first side to look at
    if (const auto place = placeOf(after))
        start = place->table * 2 + static_cast<std::size_t>(place->side) + 1;
    for (std::size_t step = 0; step < sides; ++step) {
        const std::size_t at = (start + step) % sides;
        for (const std::string& id : m_tables[at / 2].sides[at % 2])
            if (waiting(id))
                return id;
    }
    return {};
}

std::string tableCaption(std::optional<long long> number) {
    return number ? "Table " + std::to_string(*number) : std::string();
}

std::optional<std::vector<int>> parseTableScores(const std::string& text) {
    std::vector<int> scores;
    std::size_t i = 0;
    const auto separator = [](char c) { return c == ' ' || c == '\t' || c == ','; };
    while (i < text.size()) {
        while (i < text.size() && separator(text[i]))
            ++i;
        if (i == text.size())
            break;
        std::size_t end = i;
        while (end < text.size() && !separator(text[end]))
            ++end;
        int value = -1;
        const auto result = std::from_chars(text.data() + i, text.data() + end, value);
        if (result.ec != std::errc() || result.ptr != text.data() + end || value < 0 || value > 32)
            return std::nullopt;
        scores.push_back(value);
        i = end;
    }
    if (scores.empty() || scores.size() > 2)
        return std::nullopt;
    return scores;
}

} // namespace rh
