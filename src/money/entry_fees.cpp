#include "money/entry_fees.h"

#include "core/errors.h"
#include "core/text.h"
#include "state/tournament_state.h"

namespace rh {

namespace {

std::vector<EntryFeeRow> rowsWith(const TournamentState& state, bool allTicked, bool fromStore) {
    std::vector<EntryFeeRow> rows;
    const auto& ids = state.idsByName();
    rows.reserve(ids.size());
    for (EntrantId id : ids) {
        const EntrantRecord& r = *state.entrant(id);
        EntryFeeRow row;
        row.tag = idText(id);
        row.name = *r.name;
        row.paid = fromStore ? r.entryFeePaid.value_or(false) : allTicked;
        row.color = entryFeeRowColor(row.paid);
        row.toolTip = r.alias.value_or(std::string());
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

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

bool entryFeeRollCallKnown(const TournamentState& state, bool entryFeeChosen) {
    if (!entryFeeChosen)
        return true;
    for (const EntrantRecord& r : state.entrants.records())
        if (r.entryFeePaid)
            return true;
    return false;
}

} // namespace rh
