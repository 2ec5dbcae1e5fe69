#include "scoring/table_order.h"

#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>
#include <tuple>

namespace rh {

namespace {} // namespace

TableOrder::TableOrder(const Seating& seating, RoundNo round) {
    const int perSide = seating.seatsPerTable() / 2;
    long long number = 0;
    for (const SeatedTable& table : seating.tables(round)) {
        RoundTable t{++number, {}};
        for (int side = 0; side < 2; ++side)
            for (int seat = 0; seat < perSide; ++seat) {
                const EntrantId id = table.seats[static_cast<std::size_t>(side * perSide + seat)];
                if (num(id) != 0)
                    t.sides[static_cast<std::size_t>(side)].push_back(idText(id));
            }
        m_tables.push_back(std::move(t));
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
