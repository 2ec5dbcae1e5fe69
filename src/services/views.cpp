#include "services/views.h"

#include "core/errors.h"
#include "core/prompt.h"
#include "core/text.h"
#include "services/changes.h"

namespace rh {

std::vector<LeaderEntry> leaderEntries(Session& session) {
    std::vector<std::string> texts;
    const int paid = session.payout().GetPayouts(session, texts);
    return leaderEntries(session.state(), session.currency(), paid, texts);
}

std::vector<LeaderRow> leaderGridRows(Session& session) {
    std::vector<LeaderRow> rows;
    try {
        rows = leaderRows(session.state(), leaderEntries(session));
    } catch (const std::exception&) {
        showMessage(session.prompt(), "", "error in UpdateLeaderGridMain");
    }
    return rows;
}

std::vector<WinnerRow> winnerRows(Session& session) {
    std::vector<std::string> texts;
    try {
        session.payout().GetPayouts(session, texts);
    } catch (const std::exception&) {
        return {}; // the winners view stops quietly
    }
    return winnerRows(session.state(), session.currency(), texts);
}

std::vector<BumpRow> debtorRows(Session& session) {
    return debtorRows(session.state(), session.currency());
}

Rgb setFinesPaid(Session& session, std::string_view idText, bool paid) {
    try {
        if (trim(idText) == "00")
            return bumpRowColor(paid);
        storeChange(session, Change::count(ChangeKind::Paid, Pad2(trim(idText)), paid ? "1" : "0"));
        session.refresh().requestLeaderRefresh();
    } catch (const RhError& e) {
        session.ShowErrorMsg("Update Paid Data", e);
    }
    return bumpRowColor(paid);
}

std::vector<GameDetailRow> gameDetailRows(const Session& session) {
    if (!session.isLoaded())
        return {};
    return gameDetailRows(session.state());
}

std::vector<LoneRow> loneRows(Session& session) {
    std::vector<LoneRow> rows;
    if (!session.viewsFilled())
        return rows;
    try {
        loneRows(session.state(), session.currency(), rows);
    } catch (const RhError& e) {
        session.ShowErrorMsg("AddToLoneGrid", e);
    }
    return rows;
}

FineSummary bumpSummary(const Session& session) {
    return bumpSummary(session.state(), session.currency());
}

FineSummary woodSummary(const Session& session) {
    return woodSummary(session.state(), session.currency());
}

std::vector<EntryFeeRow> entryFeeRows(const Session& session, bool entryFeeChosen) {
    return entryFeeRows(session.state(), entryFeeChosen);
}

Rgb setEntryFeePaid(Session& session, std::string_view idText, bool paid) {
    try {
        const std::string id = trim(idText);
        if (id != "00")
            storeChange(session,
                        Change::count(ChangeKind::EntryFeePaid, Pad2(id), paid ? "1" : "0"));
    } catch (const RhError& e) {
        session.ShowErrorMsg("Update Paid Data", e);
    }
    return entryFeeRowColor(paid);
}

std::vector<EntryFeeRow> markAllEntryFeesPaid(Session& session) {
    try {
        storeChange(session, Change::count(ChangeKind::EntryFeeAll, "", "1"));
    } catch (const RhError& e) {
        session.ShowErrorMsg("cmdSetAll_Click", e);
    }
    return entryFeeRowsAll(session.state(), true);
}

std::vector<EntryFeeRow> clearAllEntryFees(Session& session) {
    try {
        storeChange(session, Change::count(ChangeKind::EntryFeeAll, "", "0"));
    } catch (const RhError& e) {
        session.ShowErrorMsg("cmdClearAll_Click", e);
    }
    return entryFeeRowsAll(session.state(), false);
}

} // namespace rh
