#include "services/score_entry.h"

#include "core/errors.h"
#include "core/text.h"
#include "services/changes.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace rh {

namespace {

constexpr const char* kMismatchText = "Score and Lone data mismatch";
constexpr const char* kMismatchTitle = "Data Mismatch";

// A damaged file can hold huge scores; the lone list never needs more items than 99 rounds of
// 32 points allow, so it stops there instead of growing without bound.
constexpr long long kMaxLoneItems = 999;

// The two-digit form in which values are compared: numbers as "07", other text as it is.
std::string twoDigits(std::string_view value) {
    return Pad2(trim(value));
}

bool numberOf(std::string_view text, double& value) {
    return tryParseNumber(trim(text), value);
}

long long idNumber(const std::string& id) {
    double v;
    return numberOf(id, v) ? static_cast<long long>(roundHalfAway(v)) : 0;
}

// Selects the item whose two-digit form equals the value's; no selection when none does.
void selectValue(ListView& list, const std::string& value) {
    const std::string wanted = twoDigits(value);
    list.index = -1;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (twoDigits(list.items[i].text) == wanted) {
            list.index = static_cast<int>(i);
            return;
        }
    }
}

int findData(const ListView& list, const std::string& id) {
    for (std::size_t i = 0; i < list.items.size(); ++i)
        if (list.items[i].data == id)
            return static_cast<int>(i);
    return -1;
}

// The lists carry ID and round texts; the state is asked by number.
EntrantId entrantOf(const std::string& id) {
    return entrantIdOf(id).value_or(EntrantId{0});
}
RoundNo roundOf(const std::string& round) {
    return roundNoOf(round).value_or(RoundNo{0});
}

// The stored score as the score list shows it: two digits, "" when there is none.
std::string scoreText(const TournamentState& s, const std::string& round, const std::string& id) {
    const auto score = s.score(roundOf(round), entrantOf(id));
    return score ? fmt00(*score) : std::string();
}

// A stored count as shown beside a name: two digits, "00" when there is none.
std::string shownCount(const std::optional<std::int32_t>& count) {
    return fmt00(count.value_or(0));
}

const EntrantRecord& recordOf(const TournamentState& s, const std::string& id) {
    static const EntrantRecord kNone;
    const EntrantRecord* r = s.entrant(entrantOf(id));
    return r ? *r : kNone;
}

double countValue(std::string_view text) {
    double v;
    return numberOf(text, v) ? v : 0.0;
}

// The caption of the table scores box: the table a typed line goes to.
std::string tableScoresCaption(std::optional<long long> table) {
    return table ? tableCaption(table) + " scores:" : std::string("Table scores:");
}

void clearCaption(CaptionView& c) {
    c.text.clear();
    c.background.reset();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// View helpers

std::string ListView::selectedText() const {
    return hasSelection() ? trim(items[static_cast<std::size_t>(index)].text) : std::string();
}

std::string ListView::selectedData() const {
    return hasSelection() ? items[static_cast<std::size_t>(index)].data : std::string();
}

std::vector<std::pair<const char*, const ListView*>> EnterScoresView::lists() const {
    return {{"comboSelectRnd", &comboSelectRnd},     {"comboPlayerName", &comboPlayerName},
            {"comboPlayerScore", &comboPlayerScore}, {"comboPlayerLones", &comboPlayerLones},
            {"comboPlayerBumps", &comboPlayerBumps}, {"comboPlayerWoods", &comboPlayerWoods}};
}

std::vector<std::pair<const char*, const CaptionView*>> EnterScoresView::captions() const {
    return {{"lblPlayer", &lblPlayer},
            {"lblTable", &lblTable},
            {"lblTableScores", &lblTableScores},
            {"lbTotalScorePlayer", &lbTotalScorePlayer},
            {"lblTotalFeePlayer", &lblTotalFeePlayer},
            {"txtPartnerName", &txtPartnerName},
            {"lblScorePartner", &lblScorePartner},
            {"lbTotalScorePartner", &lbTotalScorePartner},
            {"lbLonesPartner", &lbLonesPartner},
            {"lbBumpsPartner", &lbBumpsPartner},
            {"lbWoodsPartner", &lbWoodsPartner},
            {"lblTotalFeePartner", &lblTotalFeePartner},
            {"txtOppo1Name", &txtOppo1Name},
            {"lblScoreOppo1", &lblScoreOppo1},
            {"lbTotalScoreOppo1", &lbTotalScoreOppo1},
            {"lbLonesOppo1", &lbLonesOppo1},
            {"lbBumpsOppo1", &lbBumpsOppo1},
            {"lbWoodsOppo1", &lbWoodsOppo1},
            {"lblTotalFeeOppo1", &lblTotalFeeOppo1},
            {"txtOppo2Name", &txtOppo2Name},
            {"lblScoreOppo2", &lblScoreOppo2},
            {"lbTotalScoreOppo2", &lbTotalScoreOppo2},
            {"lbLonesOppo2", &lbLonesOppo2},
            {"lbBumpsOppo2", &lbBumpsOppo2},
            {"lbWoodsOppo2", &lbWoodsOppo2},
            {"lblTotalFeeOppo2", &lblTotalFeeOppo2}};
}

std::vector<std::pair<const char*, const CheckView*>> EnterScoresView::checks() const {
    return {{"checkAll", &checkAll}, {"checkPaid", &checkPaid}, {"checkByTable", &checkByTable}};
}

std::vector<std::pair<const char*, const FrameView*>> EnterScoresView::frames() const {
    return {{"frmEnterScores", &frmEnterScores},
            {"boxPlayer", &boxPlayer},
            {"frmPartnerScore", &frmPartnerScore},
            {"frmOpponent", &frmOpponent}};
}

bool runTrapped(Session& session, const char* title, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const RhError& e) {
        session.ShowErrorMsg(title, e);
    } catch (const std::bad_alloc&) {
        session.ShowErrorMsg(title, RhError(err::OutOfMemory));
    } catch (const std::exception& e) {
        session.ShowErrorMsg(title, RhError(51, e.what())); // 51: internal error
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Creation

ScoreEntry::ScoreEntry(Session& session)
    : m_session(session), m_progressive(session.tourney().isProgressive()) {
    m_view.checkAll.caption = "Show All";
    m_view.checkPaid.caption = "Paid";
    m_view.checkByTable.caption = "By table";
    m_view.lblTableScores.text = tableScoresCaption(std::nullopt);
    m_view.lblTableScores.visible = false;
    m_view.txtTableScores.visible = false;
    m_view.lblPlayer.text = m_progressive ? "Name" : "Team Name";
    m_view.boxPlayer.caption = m_progressive ? "Player Round Score" : "Team Round Score";
    m_view.frmPartnerScore.caption = m_progressive ? "Partner Round Score" : "Opponent Round Score";
    m_view.frmOpponent.visible = m_progressive;
    fillFixedLists();
    BlankFields();
    m_mismatchArmed = true;
    m_active = true;
    refreshEnabling();
}

void ScoreEntry::fillFixedLists() {
    ListView& score = m_view.comboPlayerScore;
    score.items.clear();
    score.items.push_back({"", ""});
    for (int s = 0; s <= 32; ++s)
        score.items.push_back({fmtItem(s), ""});
    for (ListView* list : {&m_view.comboPlayerBumps, &m_view.comboPlayerWoods}) {
        list->items.clear();
        for (int n = 0; n <= 99; ++n)
            list->items.push_back({fmtItem(n), std::to_string(n)});
    }
    m_scoreListReady = true;
}

// ---------------------------------------------------------------------------------------------
// Selections

std::string ScoreEntry::selectedEntrantId() const {
    std::string data = m_view.comboPlayerName.selectedData();
    return trim(data).empty() ? std::string("00") : Pad2(trim(data));
}

std::string ScoreEntry::selectedRound() const {
    const std::string text = m_view.comboSelectRnd.selectedText();
    return text.empty() ? text : Pad2(text);
}

bool ScoreEntry::acceptList(const ListView& list, int index) const {
    return m_active && !m_filling && m_actionDepth == 0 && list.enabled && index >= 0 &&
           index < static_cast<int>(list.items.size());
}

// ---------------------------------------------------------------------------------------------
// Loading the screen

void ScoreEntry::UpdateEnterScores() {
    m_view.focus.clear();
    runTrapped(m_session, "Update Enter Scores", [&] {
        if (m_session.viewsFilled()) {
            m_view.frmEnterScores.visible = false;
            clearMoneyCaptions();
            m_view.frmOpponent.visible = m_progressive;
            m_view.boxPlayer.caption = m_progressive ? "Player Round Score" : "Team Round Score";
            m_view.frmPartnerScore.caption =
                m_progressive ? "Partner Round Score" : "Opponent Round Score";
            m_view.lblPlayer.text = m_progressive ? "Name" : "Team Name";
            if (!m_scoreListReady)
                fillFixedLists();
            if (!m_changingRound)
                PopulateRounds();
            // The program selected the round, so "Show All" keeps the director's setting.
            changeRound(false);
            m_active = true;
            m_view.frmEnterScores.visible = true;
            m_loaded = true;
        }
        if (entrantListEmpty())
            BlankFields();
        refreshEnabling();
        if (m_session.viewsFilled() && m_view.focus.empty()) {
            if (byTable() && m_view.txtTableScores.enabled)
                m_view.focus = "txtTableScores";
            else if (m_view.comboPlayerScore.enabled)
                m_view.focus = "comboPlayerScore";
        }
    });
}

void ScoreEntry::PopulateRounds() {
    runTrapped(m_session, "Populate Rounds", [&] {
        ListView& rounds = m_view.comboSelectRnd;
        rounds.items.clear();
        rounds.index = -1;
        const int current = st().currentRound();
        for (int r = 1; r <= current; ++r)
            rounds.items.push_back({fmt00(r), ""});
        if (current >= 1)
            rounds.index = current - 1;
    });
}

// The round change, for the director's choice of a round and for the program's selection of the
// current round while the screen loads. Only the director's choice checks "Show All": a round
// chosen by hand is usually an earlier one, whose entrants all have scores already.
void ScoreEntry::changeRound(bool directorsChoice) {
    if (m_changingRound)
        return;
    m_changingRound = true;
    runTrapped(m_session, "Select Round Click", [&] {
        m_view.comboPlayerName.items.clear();
        m_view.comboPlayerName.index = -1;
        clearMoneyCaptions();
        if (directorsChoice && m_loaded)
            m_view.checkAll.checked = true;
        m_active = true;
        PopulatePlayers("", "");
        if (!m_progressive)
            m_view.lblPlayer.text = "Team Name";
    });
    m_changingRound = false;
}

// The entrant list of the selected round: waiting entrants as "*" + name, the others (bare name)
// only with "Show All". The selection goes to `keepId` when it is listed, else to the entrant last
// clicked on the standings, else to the first item; that entrant's fields are then loaded.
void ScoreEntry::PopulatePlayers(const std::string& keepId, const std::string& justScoredId) {
    runTrapped(m_session, "Populate Players", [&] {
        ListView& names = m_view.comboPlayerName;
        names.items.clear();
        names.index = -1;
        const std::string round = selectedRound();
        if (!round.empty()) {
            const TournamentState& s = st();
            const bool showAll = m_view.checkAll.checked;
            const RoundNo r = roundOf(round);
            for (EntrantId entrant : s.idsByName()) {
                if (!s.isSeated(r, entrant))
                    continue;
                std::string name = s.nameOf(entrant);
                std::string id = idText(entrant);
                if (s.hasScore(r, entrant)) {
                    if (showAll)
                        names.items.push_back({std::move(name), std::move(id)});
                } else {
                    names.items.push_back({"*" + name, std::move(id)});
                }
            }
        }
        if (!names.items.empty()) {
            int at = keepId.empty() ? -1 : findData(names, keepId);
            // By table the tables set the order; otherwise the entrant last clicked on the
            // standings comes first.
            if (at < 0 && byTable()) {
                const std::string next = offeredByTable(justScoredId);
                if (!next.empty())
                    at = findData(names, next);
            }
            const std::string saved = trim(m_session.standingsChoice());
            if (at < 0 && !byTable() && !saved.empty() && saved != "00")
                at = findData(names, Pad2(saved));
            names.index = at < 0 ? 0 : at;
        }
    });
    offerTable(selectedEntrantId());
    // Loading the entrant shows its lone-check message, except for the entrant whose score was
    // just chosen: the choice itself has run the check.
    LoadAllControls(selectedEntrantId() != justScoredId);
}

void ScoreEntry::PopulateLones(const std::string& id) {
    runTrapped(m_session, "Populate Lones", [&] {
        ListView& lones = m_view.comboPlayerLones;
        lones.items.clear();
        lones.index = -1;
        if (id == "00")
            return;
        const TournamentState& s = st();
        long long most = s.maxLones(entrantOf(id));
        most = std::clamp<long long>(most, 0, kMaxLoneItems);
        for (long long n = 0; n <= most; ++n)
            lones.items.push_back({fmtItem(n), std::to_string(n)});
        selectValue(lones, shownCount(recordOf(s, id).lones));
    });
}

void ScoreEntry::LoadAllControls(bool armMessage) {
    const std::string id = selectedEntrantId();
    if (id == "00") {
        BlankFields();
        refreshEnabling();
        return;
    }
    showTable();
    m_filling = true;
    m_loadingAll = true;
    runTrapped(m_session, "Load All Controls", [&] {
        TournamentState& s = st();
        const std::string round = selectedRound();
        EnterScoresView& v = m_view;

        // The related entrants: partner and opponents, or the opposing team.
        const RoundNo r = roundOf(round);
        const EntrantId entrant = entrantOf(id);
        auto text = [](std::optional<EntrantId> related) {
            return related ? idText(*related) : std::string();
        };
        if (m_progressive) {
            loadRelated(round, text(s.partnerOf(r, entrant)), v.txtPartnerName, v.lblScorePartner,
                        v.lbTotalScorePartner, v.lbLonesPartner, v.lbBumpsPartner, v.lbWoodsPartner,
                        v.lblTotalFeePartner);
            loadRelated(round, text(s.opponent1Of(r, entrant)), v.txtOppo1Name, v.lblScoreOppo1,
                        v.lbTotalScoreOppo1, v.lbLonesOppo1, v.lbBumpsOppo1, v.lbWoodsOppo1,
                        v.lblTotalFeeOppo1);
            loadRelated(round, text(s.opponent2Of(r, entrant)), v.txtOppo2Name, v.lblScoreOppo2,
                        v.lbTotalScoreOppo2, v.lbLonesOppo2, v.lbBumpsOppo2, v.lbWoodsOppo2,
                        v.lblTotalFeeOppo2);
        } else {
            loadRelated(round, text(s.opponent1Of(r, entrant)), v.txtPartnerName, v.lblScorePartner,
                        v.lbTotalScorePartner, v.lbLonesPartner, v.lbBumpsPartner, v.lbWoodsPartner,
                        v.lblTotalFeePartner);
            loadRelated(round, "", v.txtOppo1Name, v.lblScoreOppo1, v.lbTotalScoreOppo1,
                        v.lbLonesOppo1, v.lbBumpsOppo1, v.lbWoodsOppo1, v.lblTotalFeeOppo1);
            loadRelated(round, "", v.txtOppo2Name, v.lblScoreOppo2, v.lbTotalScoreOppo2,
                        v.lbLonesOppo2, v.lbBumpsOppo2, v.lbWoodsOppo2, v.lblTotalFeeOppo2);
        }

        // The entrant's own fields.
        const std::string own = scoreText(s, round, id);
        selectValue(v.comboPlayerScore, own);
        if (m_progressive)
            v.lblScorePartner.text = twoDigits(own);
        const EntrantRecord& record = recordOf(s, id);
        selectValue(v.comboPlayerBumps, shownCount(record.bumps));
        selectValue(v.comboPlayerWoods, shownCount(record.woods));

        // Showing the lone count is a lone choice of its own: the check runs and the count is
        // stored again (as two digits; "00" when the entrant had none). A count beyond the list
        // leaves it without a selection, and then nothing runs and the stored count stays.
        PopulateLones(id);
        if (v.comboPlayerLones.hasSelection()) {
            if (armMessage)
                m_mismatchArmed = true;
            loneChoice();
        }

        v.lbTotalScorePlayer.text = fmt00(s.scoreTotal(entrant));

        // The paid flag (1 = paid; anything else, a missing entry included, = not paid), then the
        // paid box follows the counts and the flag is stored again.
        v.checkPaid.checked = recordOf(s, id).finesPaid();
        updatePaidBox();
        showPlayerFee();
    });
    m_filling = false;
    m_loadingAll = false;
    refreshEnabling();
}

void ScoreEntry::loadRelated(const std::string& round, const std::string& id, CaptionView& name,
                             CaptionView& score, CaptionView& total, CaptionView& lones,
                             CaptionView& bumps, CaptionView& woods, CaptionView& fee) {
    for (CaptionView* c : {&name, &score, &total, &lones, &bumps, &woods, &fee})
        clearCaption(*c);
    const std::string related = trim(id);
    if (related.empty() || related == "00")
        return;
    const TournamentState& s = st();
    const std::string stored = scoreText(s, round, related);
    const EntrantRecord& r = recordOf(s, related);
    name.text = (stored.empty() ? "*" : "") + s.nameOf(entrantOf(related));
    score.text = stored;
    total.text = fmt00(s.scoreTotal(entrantOf(related)));
    lones.text = shownCount(r.lones);
    bumps.text = shownCount(r.bumps);
    woods.text = shownCount(r.woods);
    showFee(fee, r.bumps.value_or(0), r.woods.value_or(0), related);
}

// ---------------------------------------------------------------------------------------------
// Money owed

void ScoreEntry::showFee(CaptionView& caption, double bumps, double woods, const std::string& id) {
    const TournamentSettings& t = m_session.tourney();
    const double amount = bumps * t.BumpFee() + woods * t.WoodFee();
    caption.text = formatMoney(amount, m_session.currency(), kMoneyNoLeadingZero);
    const bool isPaid = recordOf(st(), id).finesPaid();
    const bool owes = std::llround(amount * 100.0) != 0;
    caption.background = (!isPaid && owes) ? kLightRed : kLightGreen;
}

void ScoreEntry::showPlayerFee() {
    const std::string id = selectedEntrantId();
    if (id == "00") {
        clearCaption(m_view.lblTotalFeePlayer);
        return;
    }
    showFee(m_view.lblTotalFeePlayer, countValue(m_view.comboPlayerBumps.selectedText()),
            countValue(m_view.comboPlayerWoods.selectedText()), id);
}

void ScoreEntry::clearMoneyCaptions() {
    clearCaption(m_view.lblTotalFeePlayer);
    clearCaption(m_view.lblTotalFeePartner);
    clearCaption(m_view.lblTotalFeeOppo1);
    clearCaption(m_view.lblTotalFeeOppo2);
}

// ---------------------------------------------------------------------------------------------
// The lone check

// 4 points per lone of the lone list against the score total of rounds 1..CurrentRound,
// with the selected round's score as chosen on the screen and the others as stored.
bool ScoreEntry::onScreenCheck(const std::string& id,
                               const std::string& scoreOfSelectedRound) const {
    const TournamentState& s = m_session.state();
    // The lone list has no blank item: without a selection the stored count lies beyond the list
    // (the scores no longer allow it), and that stored count is what must fit.
    std::string lones = m_view.comboPlayerLones.selectedText();
    const double lonePoints =
        4.0 * (lones.empty() ? recordOf(s, id).lones.value_or(0) : countValue(lones));
    double selectedRoundNumber = 0;
    numberOf(selectedRound(), selectedRoundNumber);
    double total = 0;
    const EntrantId entrant = entrantOf(id);
    for (int r = 1; r <= s.currentRound(); ++r) {
        double v;
        if (r == static_cast<int>(selectedRoundNumber)) {
            if (numberOf(scoreOfSelectedRound, v))
                total += roundHalfEven(v);
        } else if (const auto stored = s.score(RoundNo{static_cast<std::int16_t>(r)}, entrant)) {
            total += *stored;
        }
    }
    return total >= lonePoints;
}

// A passed check gives the round and entrant choice back; a failed one holds them, asks for the
// focus and shows the message once until the next choice of a score or of lones.
void ScoreEntry::applyCheck(bool passed, const char* focusControl) {
    m_selectorsHeld = !passed;
    if (passed)
        return;
    m_view.focus = focusControl;
    if (m_mismatchArmed) {
        m_mismatchArmed = false;
        showMessage(m_session.prompt(), kMismatchTitle, kMismatchText, MsgIcon::Exclamation);
    }
}

void ScoreEntry::loneChoice() {
    if (!m_active || entrantListEmpty())
        return;
    const std::string id = selectedEntrantId();
    if (id == "00")
        return;
    // A score list without a selection holds a stored score beyond its items (read from a file);
    // that score is the entrant's, unlike the blank item, which means no score.
    const ListView& score = m_view.comboPlayerScore;
    const std::string shown =
        score.hasSelection() ? score.selectedText() : scoreText(st(), selectedRound(), id);
    applyCheck(onScreenCheck(id, shown), "comboPlayerLones");
    store(Change::count(ChangeKind::Lone, Pad2(id), m_view.comboPlayerLones.selectedText()));
}

void ScoreEntry::store(const Change& change) {
    if (m_filling && m_session.viewOnly()) {
        if (validateChange(st(), change).empty())
            applyChange(m_session, change);
        return;
    }
    storeChange(m_session, change);
}

// ---------------------------------------------------------------------------------------------
// Paid box

void ScoreEntry::updatePaidBox() {
    const bool owesSomething = countValue(m_view.comboPlayerBumps.selectedText()) >= 1 ||
                               countValue(m_view.comboPlayerWoods.selectedText()) >= 1;
    m_view.checkPaid.enabled = owesSomething;
    if (!owesSomething)
        m_view.checkPaid.checked = false;
    processPaid();
}

void ScoreEntry::processPaid() {
    const std::string id = selectedEntrantId();
    if (m_active && !entrantListEmpty() && id != "00") {
        store(Change::count(ChangeKind::Paid, id, m_view.checkPaid.checked ? "1" : "0"));
        showPlayerFee();
    }
    const bool lists = !m_view.checkPaid.checked;
    m_view.comboPlayerBumps.enabled = lists;
    m_view.comboPlayerWoods.enabled = lists;
}

// ---------------------------------------------------------------------------------------------
// Blanking and enabling

void ScoreEntry::BlankFields() {
    const bool wasFilling = m_filling;
    m_filling = true;
    EnterScoresView& v = m_view;
    for (ListView* list :
         {&v.comboPlayerScore, &v.comboPlayerBumps, &v.comboPlayerWoods, &v.comboPlayerLones})
        list->index = -1;
    for (CaptionView* c :
         {&v.txtPartnerName,    &v.lblScorePartner,    &v.lbTotalScorePartner, &v.lbLonesPartner,
          &v.lbBumpsPartner,    &v.lbWoodsPartner,     &v.lblTotalFeePartner,  &v.txtOppo1Name,
          &v.lblScoreOppo1,     &v.lbTotalScoreOppo1,  &v.lbLonesOppo1,        &v.lbBumpsOppo1,
          &v.lbWoodsOppo1,      &v.lblTotalFeeOppo1,   &v.txtOppo2Name,        &v.lblScoreOppo2,
          &v.lbTotalScoreOppo2, &v.lbLonesOppo2,       &v.lbBumpsOppo2,        &v.lbWoodsOppo2,
          &v.lblTotalFeeOppo2,  &v.lbTotalScorePlayer, &v.lblTotalFeePlayer,   &v.lblTable})
        clearCaption(*c);
    v.checkPaid.checked = false;
    m_filling = wasFilling;
}

// The entry lists work while an entrant is selected; the paid box only while the entrant owes
// bumps or woods, and the bump and wood lists only while it is not marked paid. A failed lone
// check holds the round and entrant lists until a later check passes.
void ScoreEntry::refreshEnabling() {
    EnterScoresView& v = m_view;
    const bool loaded = m_session.viewsFilled();
    const bool ready = loaded && v.comboPlayerName.hasSelection();
    v.comboSelectRnd.enabled = loaded && !m_selectorsHeld;
    v.comboPlayerName.enabled = ready && !m_selectorsHeld;
    v.comboPlayerScore.enabled = ready;
    v.comboPlayerLones.enabled = ready;
    v.lbTotalScorePlayer.enabled = ready;
    v.checkPaid.enabled = ready && (countValue(v.comboPlayerBumps.selectedText()) >= 1 ||
                                    countValue(v.comboPlayerWoods.selectedText()) >= 1);
    v.comboPlayerBumps.enabled = ready && !v.checkPaid.checked;
    v.comboPlayerWoods.enabled = ready && !v.checkPaid.checked;
    v.lblTableScores.text = tableScoresCaption(byTable() ? m_offeredTable : std::nullopt);
    v.lblTableScores.visible = byTable();
    v.txtTableScores.visible = byTable();
    v.txtTableScores.enabled = ready && !m_selectorsHeld && m_offeredId != "00";
}

// ---------------------------------------------------------------------------------------------
// The director's choices

void ScoreEntry::chooseRound(int index) {
    if (!acceptList(m_view.comboSelectRnd, index) || m_changingRound)
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    m_view.comboSelectRnd.index = index;
    changeRound(true);
    if (entrantListEmpty())
        BlankFields();
    refreshEnabling();
    --m_actionDepth;
}

void ScoreEntry::chooseShowAll(bool checked) {
    if (m_actionDepth != 0)
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    m_view.checkAll.checked = checked;
    runTrapped(m_session, "Check All Click", [&] {
        if (m_loaded && m_session.viewsFilled())
            PopulatePlayers("", "");
    });
    refreshEnabling();
    --m_actionDepth;
}

void ScoreEntry::chooseEntrant(int index) {
    if (!acceptList(m_view.comboPlayerName, index))
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    m_view.comboPlayerName.index = index;
    runTrapped(m_session, "Player Name Click", [&] { LoadAllControls(true); });
    --m_actionDepth;
}

void ScoreEntry::chooseScore(int index) {
    if (!acceptList(m_view.comboPlayerScore, index))
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    runTrapped(m_session, "Player Score Click", [&] {
        m_view.comboPlayerScore.index = index;
        const std::string id = selectedEntrantId();
        if (id == "00")
            return;
        m_mismatchArmed = true;
        applyCheck(onScreenCheck(id, m_view.comboPlayerScore.selectedText()), "comboPlayerScore");
        UpdateScore();
        if (afterScore)
            afterScore();
    });
    if (entrantListEmpty())
        BlankFields();
    refreshEnabling();
    --m_actionDepth;
}

// Stores the chosen score for the entrant and, in a Progressive tournament, for the partner. A
// partner already holding a different score is settled by the director first.
void ScoreEntry::UpdateScore() {
    if (m_updating)
        return;
    m_updating = true;
    runTrapped(m_session, "Update Score Data", [&] {
        const std::string id = selectedEntrantId();
        if (id == "00")
            return;
        TournamentState& s = st();
        const std::string round = selectedRound();
        std::string chosen = twoDigits(m_view.comboPlayerScore.selectedText());
        std::string partner;
        if (m_progressive) {
            const auto partnerId = s.partnerOf(roundOf(round), entrantOf(id));
            partner = partnerId ? idText(*partnerId) : std::string();
            if (partnerId && s.hasScore(roundOf(round), *partnerId)) {
                const std::string theirs = scoreText(s, round, partner);
                if (theirs != chosen) {
                    // The names as the screen shows them: the entrant as listed, the partner
                    // as in its name box.
                    ConflictRequest request{m_view.comboPlayerName.selectedText(),
                                            trim(m_view.txtPartnerName.text), chosen, theirs};
                    const std::string answer =
                        twoDigits(m_session.prompt().resolveConflict(request));
                    selectValue(m_view.comboPlayerScore, answer);
                    if (answer != chosen) {
                        // The check ran on the score first chosen; what counts is the one stored.
                        chosen = answer;
                        applyCheck(onScreenCheck(id, chosen), "comboPlayerScore");
                    }
                }
            }
        }
        // For the partner too (Progressive), journalled first.
        storeChange(m_session, Change::score(idNumber(round), id, chosen));
        if (m_progressive && !partner.empty())
            m_view.lblScorePartner.text = chosen;
        m_scoreCheckPassed = !m_selectorsHeld;
        // After a failed check the entrant stays on the screen (when still listed) so that its
        // score or lones can be corrected at once.
        PopulatePlayers(m_selectorsHeld ? id : std::string(), id);
    });
    m_updating = false;
}

void ScoreEntry::chooseLones(int index) {
    if (!acceptList(m_view.comboPlayerLones, index) || entrantListEmpty())
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    runTrapped(m_session, "Player Lones Click", [&] {
        m_view.comboPlayerLones.index = index;
        m_mismatchArmed = true;
        loneChoice();
    });
    refreshEnabling();
    --m_actionDepth;
}

void ScoreEntry::chooseBumps(int index) {
    if (!acceptList(m_view.comboPlayerBumps, index))
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    runTrapped(m_session, "Player Bumps Click", [&] {
        m_view.comboPlayerBumps.index = index;
        const std::string id = selectedEntrantId();
        if (!entrantListEmpty() && id != "00") {
            storeChange(m_session, Change::count(ChangeKind::Bump, id,
                                                 m_view.comboPlayerBumps.selectedText()));
            showPlayerFee();
        }
        if (!m_loadingAll)
            updatePaidBox();
    });
    refreshEnabling();
    --m_actionDepth;
}

void ScoreEntry::chooseWoods(int index) {
    if (!acceptList(m_view.comboPlayerWoods, index))
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    runTrapped(m_session, "Player Woods Click", [&] {
        m_view.comboPlayerWoods.index = index;
        const std::string id = selectedEntrantId();
        if (!entrantListEmpty() && id != "00") {
            storeChange(m_session, Change::count(ChangeKind::Wood, id,
                                                 m_view.comboPlayerWoods.selectedText()));
            showPlayerFee();
        }
        if (!m_loadingAll)
            updatePaidBox();
    });
    refreshEnabling();
    --m_actionDepth;
}

void ScoreEntry::choosePaid(bool checked) {
    if (!m_active || m_actionDepth != 0 || !m_view.checkPaid.enabled)
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    runTrapped(m_session, "Check Paid Click", [&] {
        m_view.checkPaid.checked = checked;
        processPaid();
    });
    refreshEnabling();
    --m_actionDepth;
}

} // namespace rh

namespace rh {

// ---------------------------------------------------------------------------------------------
// Scoring table by table

void ScoreEntry::setByTable(bool byTable) {
    m_view.checkByTable.checked = byTable;
    refreshEnabling();
}

TableOrder ScoreEntry::tablesOfSelectedRound() const {
    const auto round = roundNoOf(selectedRound());
    if (!round)
        return {};
    return TableOrder(m_session.state().seating, *round);
}

std::string ScoreEntry::offeredByTable(const std::string& after) const {
    const RoundNo round = roundOf(selectedRound());
    const TournamentState& s = m_session.state();
    return tablesOfSelectedRound().nextWaiting(
        after, [&](const std::string& id) { return !s.hasScore(round, entrantOf(id)); });
}

void ScoreEntry::showTable() {
    const std::string id = selectedEntrantId();
    m_view.lblTable.text =
        id == "00" ? std::string() : tableCaption(tablesOfSelectedRound().tableNumberOf(id));
}

void ScoreEntry::offerTable(const std::string& id) {
    m_offeredTable = id == "00" ? std::nullopt : tablesOfSelectedRound().tableNumberOf(id);
    m_offeredId = m_offeredTable ? id : std::string("00");
}

void ScoreEntry::chooseByTable(bool checked) {
    if (m_actionDepth != 0 || m_tableEntry)
        return;
    ++m_actionDepth;
    m_view.focus.clear();
    m_view.checkByTable.checked = checked;
    runTrapped(m_session, "By Table Click", [&] {
        if (!m_loaded || !m_session.viewsFilled() || m_selectorsHeld)
            return;
        // Checked, the offer starts at the first table still waiting; unchecked, the entrant
        // on the screen stays.
        PopulatePlayers(checked ? std::string() : selectedEntrantId(), "");
    });
    if (entrantListEmpty())
        BlankFields();
    refreshEnabling();
    if (checked && m_view.txtTableScores.enabled)
        m_view.focus = "txtTableScores";
    --m_actionDepth;
}

int ScoreEntry::scoreItem(int score) const {
    const std::string wanted = fmtItem(score);
    const auto& items = m_view.comboPlayerScore.items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].text == wanted)
            return static_cast<int>(i);
    return -1;
}

bool ScoreEntry::storeTableScore(const std::string& id, int score) {
    if (findData(m_view.comboPlayerName, id) < 0 && !m_view.checkAll.checked) {
        // A side that has its score already is listed only with "Show All".
        chooseShowAll(true);
    }
    const int at = findData(m_view.comboPlayerName, id);
    if (at < 0)
        return false;
    if (m_view.comboPlayerName.index != at) {
        chooseEntrant(at);
        if (selectedEntrantId() != id)
            return false;
    }
    const int item = scoreItem(score);
    if (item < 0 || !m_view.comboPlayerScore.enabled)
        return false;
    m_scoreCheckPassed = false;
    chooseScore(item);
    // The entry stops at a lone mismatch (also when the entrant has left the list since).
    return m_scoreCheckPassed && !m_selectorsHeld;
}

void ScoreEntry::enterTableScores(const std::string& text) {
    if (!m_active || m_actionDepth != 0 || m_tableEntry || !m_view.txtTableScores.enabled)
        return;
    m_tableEntry = true;
    m_view.focus.clear();
    const std::optional<std::vector<int>> scores = parseTableScores(text);
    // The offered table, whichever entrant the director has chosen since.
    const std::string id = m_offeredId;
    const TableOrder tables = tablesOfSelectedRound();
    const auto place = tables.placeOf(id);
    bool done = false;
    if (scores && place) {
        const RoundTable& table = tables.tables()[place->table];
        const std::string round = selectedRound();
        const TournamentState& s = st();
        auto scored = [&](const std::string& e) {
            return s.hasScore(roundOf(round), entrantOf(e));
        };
        // Who stands for a side: its first entrant still waiting, else its first entrant.
        auto sideEntrant = [&](int side) {
            const auto& ids = table.sides[static_cast<std::size_t>(side)];
            for (const std::string& e : ids)
                if (!scored(e))
                    return e;
            return ids.empty() ? std::string() : ids.front();
        };
        std::vector<std::pair<std::string, int>> entries;
        if (scores->size() == 1)
            entries.emplace_back(id, scores->front());
        else
            for (int side = 0; side < 2; ++side)
                entries.emplace_back(sideEntrant(side), (*scores)[static_cast<std::size_t>(side)]);
        // A side that has a score already is changed first: the waiting side's score may end
        // the round, and nothing may be stored into the next one.
        std::stable_partition(entries.begin(), entries.end(),
                              [&](const auto& e) { return scored(e.first); });
        done = true;
        for (const auto& [entrant, score] : entries) {
            if (entrant.empty() || selectedRound() != round || !storeTableScore(entrant, score)) {
                done = false;
                break;
            }
        }
        // The last score of a round moves the screen on to the next round: that is done too.
        done = done || selectedRound() != round;
    }
    m_tableEntry = false;
    if (done) {
        m_view.txtTableScores.text.clear();
        m_view.txtTableScores.background.reset();
    } else {
        // Kept for correcting; marked when it names no scores or no table.
        m_view.txtTableScores.text = text;
        if (!scores || !place)
            m_view.txtTableScores.background = kLightRed;
        else
            m_view.txtTableScores.background.reset();
    }
    refreshEnabling();
    if (m_view.focus.empty() || (done && m_view.txtTableScores.enabled))
        m_view.focus = m_view.txtTableScores.enabled ? "txtTableScores" : "comboPlayerScore";
}

} // namespace rh
