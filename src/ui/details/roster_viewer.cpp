#include "ui/details/roster_viewer.h"

#include "core/errors.h"
#include "core/text.h"
#include "services/session.h"
#include "ui/scores/tab_scores.h"
#include "ui/shell/main_window.h"
#include "ui/shell/widgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace rh::ui {

RosterViewer::RosterViewer(MainWindow& window) : QObject(&window), m_window(window) {
    setObjectName(QStringLiteral("rosterViewer"));
    ScoresTab* tab = window.scoresTab();
    connect(&window, &MainWindow::tournamentLoaded, this, [this] {
        PopulateDebugRounds();
        PopulateDebugNames();
    });
    connect(tab->cmbDebugRound, &QComboBox::activated, this, [this] { PopulateDebugPlorte(); });
    connect(tab->cmbDebugPlorte, &QComboBox::activated, this, [this] { cmbDebugPlorteClick(); });
}

bool RosterViewer::ready() const {
    // The load fills the lists as the last of its views, so that they are ready when it ends.
    return m_window.session().viewsFilled();
}

void RosterViewer::clearBoxes() {
    ScoresTab* tab = m_window.scoresTab();
    tab->txtDebugPartner->clear();
    tab->txtDebugOppo1->clear();
    tab->txtDebugOppo2->clear();
}

void RosterViewer::PopulateDebugRounds() {
    if (!ready())
        return;
    ScoresTab* tab = m_window.scoresTab();
    Session& session = m_window.session();
    try {
        tab->cmbDebugRound->clear();
        tab->cmbDebugPlorte->clear();
        clearBoxes();
        const int rounds = session.tourney().TotalRounds();
        for (int r = 1; r <= rounds; ++r)
            tab->cmbDebugRound->addItem(qs(fmt00(r)));
        tab->cmbDebugRound->setCurrentIndex(-1); // nothing chosen until the director picks
    } catch (const RhError& e) {
        session.ShowErrorMsg("PopulateDebugRounds", e);
    }
}

void RosterViewer::PopulateDebugNames() {
    QListWidget* list = m_window.scoresTab()->lstDebug;
    list->clear();
    QStringList lines;
    // Every named entrant as "name~ID", in the order the file lists them.
    const TournamentState& state = m_window.session().state();
    for (EntrantId id : state.entrants.inFileOrder())
        lines << qs(state.nameOf(id) + "~" + idText(id));
    list->addItems(lines);
}

std::string RosterViewer::chosenRound() const {
    const QComboBox* rounds = m_window.scoresTab()->cmbDebugRound;
    return rounds->currentIndex() < 0 ? std::string() : ss(rounds->currentText());
}

std::string RosterViewer::shownName(RoundNo round, EntrantId id) const {
    const TournamentState& state = m_window.session().state();
    std::string name = state.nameOf(id);
    if (!state.hasScore(round, id))
        name.insert(0, "*");
    return name;
}

void RosterViewer::PopulateDebugPlorte() {
    if (!ready())
        return;
    Session& session = m_window.session();
    const bool progressive = session.tourney().isProgressive();
    ScoresTab* tab = m_window.scoresTab();
    try {
        tab->cmbDebugPlorte->clear();
        clearBoxes();
        const auto round = roundNoOf(chosenRound());
        if (!round)
            return;
        const TournamentState& state = session.state();
        for (EntrantId id : state.idsByName()) {
            if (!state.isSeated(*round, id))
                continue;
            tab->cmbDebugPlorte->addItem(qs(shownName(*round, id)), QVariant(qlonglong(num(id))));
        }
        tab->cmbDebugPlorte->setCurrentIndex(-1);
    } catch (const RhError& e) {
        session.ShowErrorMsg(progressive ? "PopulateDebugPlayers" : "PopulateDebugTeams", e);
    }
}

std::string RosterViewer::getDebugPlayerId() const {
    const QComboBox* list = m_window.scoresTab()->cmbDebugPlorte;
    const int index = list->currentIndex();
    if (index < 0)
        return "00";
    try {
        return fmt00(list->itemData(index).toLongLong());
    } catch (const RhError& e) {
        m_window.session().ShowErrorMsg("getDebugPlayerId", e);
        return "00";
    }
}

void RosterViewer::cmbDebugPlorteClick() {
    if (!ready())
        return;
    Session& session = m_window.session();
    ScoresTab* tab = m_window.scoresTab();
    try {
        const auto round = roundNoOf(chosenRound());
        const auto id = entrantIdOf(getDebugPlayerId());
        if (!round || !id || num(*id) == 0)
            return;
        const TournamentState& state = session.state();
        // Every box belongs to this entrant: one without a relation stays empty rather than
        // showing the previous entrant's.
        clearBoxes();
        auto show = [&](QLineEdit* box, std::optional<EntrantId> related) {
            if (related)
                box->setText(qs(shownName(*round, *related)));
        };
        if (state.isProgressive()) {
            show(tab->txtDebugPartner, state.partnerOf(*round, *id));
            show(tab->txtDebugOppo1, state.opponent1Of(*round, *id));
            show(tab->txtDebugOppo2, state.opponent2Of(*round, *id));
        } else {
            show(tab->txtDebugPartner, state.opponent1Of(*round, *id));
        }
    } catch (const RhError& e) {
        session.ShowErrorMsg("cmbDebugPlorteClick", e);
    }
}

} // namespace rh::ui
