#include "print/sheet_data.h"

#include <algorithm>
#include <map>

namespace rh::print {

std::string entrantWord(const SheetData& data) {
    return data.progressive ? "Player" : "Team";
}

std::string seatLabel(const Seat& seat) {
    return seat.name + " (" + seat.id + ")";
}

std::string sideLabel(const std::vector<Seat>& side) {
    std::string text;
    for (const Seat& seat : side) {
        if (!text.empty())
            text += " & ";
        text += seatLabel(seat);
    }
    return text;
}

std::vector<ScoreCard> scoreCards(const SheetData& data) {
    std::vector<ScoreCard> cards;
    cards.reserve(data.entrants.size());
    std::map<std::string, std::size_t> byId;
    for (const Seat& entrant : data.entrants) {
        byId.emplace(entrant.id, cards.size());
        ScoreCard card;
        card.entrant = entrant;
        card.rounds.reserve(data.rounds.size());
        for (const RoundSeating& round : data.rounds)
            card.rounds.push_back(CardRound{round.round, 0, std::nullopt, {}});
        cards.push_back(std::move(card));
    }
    for (std::size_t r = 0; r < data.rounds.size(); ++r) {
        for (const TableSeating& table : data.rounds[r].tables) {
            for (std::size_t s = 0; s < table.sides.size(); ++s) {
                const auto& side = table.sides[s];
                for (const Seat& seat : side) {
                    auto it = byId.find(seat.id);
                    if (it == byId.end())
                        continue;
                    CardRound& entry = cards[it->second].rounds[r];
                    entry.table = table.table;
                    for (const Seat& other : side)
                        if (other.id != seat.id)
                            entry.partner = other;
                    for (std::size_t o = 0; o < table.sides.size(); ++o)
                        if (o != s)
                            for (const Seat& opponent : table.sides[o])
                                entry.opponents.push_back(opponent);
                }
            }
        }
    }
    return cards;
}

std::string tablesByRound(const ScoreCard& card) {
    std::string text;
    for (const CardRound& r : card.rounds) {
        if (!text.empty())
            text += ", ";
        text += r.table > 0 ? std::to_string(r.table) : std::string("-");
    }
    return text;
}

std::vector<TableCard> tableCards(const SheetData& data) {
    int tables = data.tableCount;
    for (const RoundSeating& round : data.rounds)
        for (const TableSeating& table : round.tables)
            tables = std::max(tables, table.table);
    std::vector<TableCard> cards(static_cast<std::size_t>(std::max(tables, 0)));
    for (std::size_t t = 0; t < cards.size(); ++t) {
        cards[t].table = static_cast<int>(t) + 1;
        for (const RoundSeating& round : data.rounds)
            cards[t].rounds.push_back(TableRound{round.round, {}});
    }
    for (std::size_t r = 0; r < data.rounds.size(); ++r)
        for (const TableSeating& table : data.rounds[r].tables)
            if (table.table >= 1)
                cards[static_cast<std::size_t>(table.table - 1)].rounds[r].sides = table.sides;
    return cards;
}

} // namespace rh::print
