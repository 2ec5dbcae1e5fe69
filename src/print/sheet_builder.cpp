#include "print/sheet_builder.h"

#include "core/text.h"
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
    auto seatOf = [&](EntrantId id) { return Seat{idText(id), state.nameOf(id)}; };
    for (int id = 1; id <= entrants; ++id)
        data.entrants.push_back(seatOf(EntrantId{static_cast<std::int16_t>(id)}));

    const int perSide = data.progressive ? 2 : 1;
    for (int r = 1; r <= t.TotalRounds(); ++r) {
        RoundSeating round;
        round.round = r;
        std::vector<bool> seated(static_cast<std::size_t>(entrants) + 1, false);
        int table = 0;
        for (const SeatedTable& seatedTable :
             state.seating.tables(RoundNo{static_cast<std::int16_t>(r)})) {
            TableSeating seating;
            seating.table = ++table;
            for (int side = 0; side < 2; ++side) {
                std::vector<Seat> seats;
                for (int position = 0; position < perSide; ++position) {
                    const EntrantId id =
                        seatedTable.seats[static_cast<std::size_t>(side * perSide + position)];
                    if (num(id) == 0)
                        continue;
                    if (num(id) >= 1 && num(id) <= entrants)
                        seated[static_cast<std::size_t>(num(id))] = true;
                    seats.push_back(seatOf(id));
                }
                if (!seats.empty())
                    seating.sides.push_back(std::move(seats));
            }
            if (!seating.sides.empty())
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
