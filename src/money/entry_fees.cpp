#include "money/entry_fees.h"

#include "core/errors.h"
#include "core/text.h"
#include "services/changes.h"
#include "services/session.h"

namespace rh {

namespace {

std::vector<EntryFeeRow> rowsWith(const Session& session, bool allTicked, bool fromStore) {
    const TournamentState& state = session.state();
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

void storeAll(Session& session, const char* mark) {
    storeChange(session, Change::count(ChangeKind::EntryFeeAll, "", mark));
}

} // namespace

std::vector<GridColumn> entryFeeColumns(bool progressive) {
    return {
        {"", 290, Align::Left, ""},
        {entrantNameHeading(progressive), 4060, Align::Left, ""},
    };
}

std::vector<EntryFeeRow> RefreshEntryFeeGrid(const Session& session, bool entryFeeChosen) {
    return FillEntryFeeGrid(session, !entryFeeChosen);
}

std::vector<EntryFeeRow> FillEntryFeeGrid(const Session& session, bool allTicked) {
    return rowsWith(session, allTicked, !allTicked);
}

Rgb UpdateEntryFeePaid(Session& session, std::string_view idText, bool paid) {
    std::string id = trim(idText);
    if (id == "00")
        return entryFeeRowColor(paid);
    try {
        storeChange(session, Change::count(ChangeKind::EntryFeePaid, Pad2(id), paid ? "1" : "0"));
    } catch (const RhError& e) {
        session.ShowErrorMsg("Update Paid Data", e);
    }
    return entryFeeRowColor(paid);
}

std::vector<EntryFeeRow> SetAllEntryFees(Session& session) {
    try {
        storeAll(session, "1");
    } catch (const RhError& e) {
        session.ShowErrorMsg("cmdSetAll_Click", e);
    }
    return rowsWith(session, true, false);
}

std::vector<EntryFeeRow> ClearAllEntryFees(Session& session) {
    try {
        storeAll(session, "0");
    } catch (const RhError& e) {
        session.ShowErrorMsg("cmdClearAll_Click", e);
    }
    return rowsWith(session, false, false);
}

} // namespace rh
