#include "print/sheet_builder.h"

#include "core/text.h"
#include "roster/keys.h"
#include "state/tournament_state.h"

#include <algorithm>

namespace rh::print {

SheetData sheetData(const TournamentState& state) {
    const TournamentSettings& t = state.settings;
    SheetData data;
    data.title = t.TourneyTitle();
    data.progressive = t.isProgressive();
    data.tableCount = t.TotalTables();
    const int entrants = std::max<int>(0, t.TotalPlort());
    data.entrants.reserve(static_cast<std::size_t>(entrants));
    for (int id = 1; id <= entrants; ++id)
        data.entrants.push_back(Seat{fmt00(id), state.nameOf(fmt00(id))});

    auto seatAt = [&](const std::string& key, Seat& seat) {
        const std::string* id = state.tableSeats.find(key);
        if (!id || trim(*id).empty() || trim(*id) == "00")
            return false;
        seat = Seat{Pad2(trim(*id)), state.nameOf(Pad2(trim(*id)))};
        return true;
    };
    const int perSide = data.progressive ? 2 : 1;
    for (int r = 1; r <= t.TotalRounds(); ++r) {
        RoundSeating round;
        round.round = r;
        std::vector<bool> seated(static_cast<std::size_t>(entrants) + 1, false);
        for (int table = 1;; ++table) {
            TableSeating seating;
            seating.table = table;
            for (int side = 1; side <= 2; ++side) {
                std::vector<Seat> seats;
                for (int position = 1; position <= perSide; ++position) {
                    Seat seat;
                    const std::string key = data.progressive ? SeatKey(r, table, side, position)
                                                             : TeamSeatKey(r, table, side);
                    if (!seatAt(key, seat))
                        continue;
                    double v = 0;
                    if (tryParseNumber(seat.id, v) && v >= 1 && v <= entrants)
                        seated[static_cast<std::size_t>(v)] = true;
                    seats.push_back(std::move(seat));
                }
                if (!seats.empty())
                    seating.sides.push_back(std::move(seats));
            }
            if (seating.sides.empty()) {
                if (table > t.TotalTables())
                    break;
                continue;
            }
            round.tables.push_back(std::move(seating));
        }
        for (int id = 1; id <= entrants; ++id)
            if (!seated[static_cast<std::size_t>(id)])
                round.sittingOut.push_back(data.entrants[static_cast<std::size_t>(id - 1)]);
        data.rounds.push_back(std::move(round));
    }
    return data;
}

} // namespace rh::print
