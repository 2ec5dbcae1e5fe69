#include "ui/roster_viewer.h"

#include "core/errors.h"
#include "core/text.h"
#include "roster/keys.h"
#include "services/session.h"
#include "ui/main_window.h"
#include "ui/tab_scores.h"
#include "ui/widgets.h"

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
    for (const std::string& line : m_window.session().state().debugNames)
        lines << qs(line);
    list->addItems(lines);
}

std::string RosterViewer::chosenRound() const {
    const QComboBox* rounds = m_window.scoresTab()->cmbDebugRound;
    return rounds->currentIndex() < 0 ? std::string() : ss(rounds->currentText());
}

std::string RosterViewer::shownName(const std::string& round, const std::string& id) const {
    const TournamentState& state = m_window.session().state();
    std::string name = state.nameOf(id);
    if (!state.scores.Exists(makekey(round, id)))
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
        const std::string round = chosenRound();
        if (round.empty())
            return;
        const TournamentState& state = session.state();
        for (const EntrantRef& e : state.entrantsByName()) {
            const bool seated = progressive ? state.roster.Exists(round, e.id, kPartner)
                                            : state.roster.ExistsTeam(round, e.id);
            if (!seated)
                continue;
            std::string text = e.name;
            if (!state.scores.Exists(makekey(round, e.id)))
                text.insert(0, "*");
            tab->cmbDebugPlorte->addItem(qs(text), QVariant(qlonglong(toInt32(e.id))));
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
        const std::string round = chosenRound();
        const std::string id = getDebugPlayerId();
        if (round.empty() || id == "00")
            return;
        const TournamentState& state = session.state();
        // Every box belongs to this entrant: one without a relation stays empty rather than
        // showing the previous entrant's.
        clearBoxes();
        auto show = [&](QLineEdit* box, const std::string& related) {
            if (!related.empty())
                box->setText(qs(shownName(round, related)));
        };
        if (state.isProgressive()) {
            show(tab->txtDebugPartner, state.roster.GetPlayer(round, id, kPartner));
            show(tab->txtDebugOppo1, state.roster.GetPlayer(round, id, kOpponent1));
            show(tab->txtDebugOppo2, state.roster.GetPlayer(round, id, kOpponent2));
        } else {
            show(tab->txtDebugPartner, state.roster.GetTeam(round, id));
        }
    } catch (const RhError& e) {
        session.ShowErrorMsg("cmbDebugPlorteClick", e);
    }
}

} // namespace rh::ui
