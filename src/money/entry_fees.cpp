#include "money/entry_fees.h"

#include "core/errors.h"
#include "core/text.h"
#include "state/tournament_state.h"

namespace rh {

namespace {

std::vector<EntryFeeRow> rowsWith(const TournamentState& state, bool allTicked, bool fromStore) {
    std::vector<EntryFeeRow> rows;
    auto entrants = state.entrantsByName();
    rows.reserve(entrants.size());
    for (const EntrantRef& e : entrants) {
        EntryFeeRow row;
        row.tag = Pad2(e.id);
        row.name = e.name;
        row.paid = fromStore ? trim(state.entryFeePaid.value(row.tag)) == "1" : allTicked;
        row.color = entryFeeRowColor(row.paid);
        row.toolTip = state.aliases.value(row.tag);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

void storeAllEntryFeeMarks(TournamentState& state, bool paid) {
    const char* mark = paid ? "1" : "0";
    for (const EntrantRef& e : state.entrantsByName())
        state.entryFeePaid.replace(Pad2(e.id), mark);
}

std::vector<GridColumn> entryFeeColumns(bool progressive) {
    return {
        {"", 290, Align::Left, ""},
        {entrantNameHeading(progressive), 4060, Align::Left, ""},
    };
}

std::vector<EntryFeeRow> entryFeeRows(const TournamentState& state, bool entryFeeChosen) {
    return entryFeeRowsMarked(state, !entryFeeChosen);
}

std::vector<EntryFeeRow> entryFeeRowsMarked(const TournamentState& state, bool allTicked) {
    return rowsWith(state, allTicked, !allTicked);
}

std::vector<EntryFeeRow> entryFeeRowsAll(const TournamentState& state, bool ticked) {
    return rowsWith(state, ticked, false);
}

bool storeEntryFeeMark(TournamentState& state, std::string_view idText, bool paid) {
    std::string id = trim(idText);
    if (id == "00")
        return false;
    state.entryFeePaid.replace(Pad2(id), paid ? "1" : "0");
    return true;
}

} // namespace rh
