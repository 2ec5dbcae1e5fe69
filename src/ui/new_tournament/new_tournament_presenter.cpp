#include "ui/new_tournament/new_tournament_presenter.h"

#include "core/prompt.h"
#include "services/session.h"
#include "services/substitute.h"
#include "ui/alias/alias_presenter.h"
#include "ui/alias/tab_alias.h"
#include "ui/money/tab_money.h"
#include "ui/new_tournament/new_tournament_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/widgets.h"

#include <QComboBox>
#include <QPushButton>

namespace rh::ui {

NewTournamentPresenter::NewTournamentPresenter(MainWindow& window)
    : QObject(&window), m_window(window), m_run([](NewTournamentDialog& d) { return d.exec(); }) {
    setObjectName(QStringLiteral("newTournamentPresenter"));
    connect(window.moneyTab()->cmdNewTournament, &QPushButton::clicked, this,
            [this] { NewTournament(); });
}

bool NewTournamentPresenter::NewTournament() {
    Session& session = m_window.session();
    NewTournamentDialog dialog(session.prompt(), session.currency(), localToday(), &m_window);
    if (m_run(dialog) != QDialog::Accepted || dialog.savedPath().empty())
        return false;
    emit m_window.loadFileRequested(qs(dialog.savedPath()));
    return true;
}

SubstitutePresenter::SubstitutePresenter(MainWindow& window) : QObject(&window), m_window(window) {
    setObjectName(QStringLiteral("substitutePresenter"));
    AliasTab* tab = window.aliasTab();
    connect(tab->cmdSubstitute, &QPushButton::clicked, this, [this] { Substitute(); });
    connect(&window, &MainWindow::tournamentLoaded, this, &SubstitutePresenter::refreshEnabled);
    connect(&window, &MainWindow::tournamentReset, this, &SubstitutePresenter::refreshEnabled);
    connect(tab->cmbPlayerName, &QComboBox::currentIndexChanged, this,
            &SubstitutePresenter::refreshEnabled);
    refreshEnabled();
}

void SubstitutePresenter::refreshEnabled() {
    AliasTab* tab = m_window.aliasTab();
    tab->cmdSubstitute->setEnabled(m_window.session().isLoaded() &&
                                   tab->cmbPlayerName->currentIndex() >= 0);
}

bool SubstitutePresenter::Substitute() {
    Session& session = m_window.session();
    AliasTab* tab = m_window.aliasTab();
    auto* aliases = m_window.findChild<AliasPresenter*>();
    const std::string id = aliases ? aliases->getPlayerID() : "00";
    if (!session.isLoaded() || id == "00")
        return false;
    const std::string word = session.tourney().EntrantWord();
    TextRequest request;
    request.title = "Substitute";
    request.label = "The substitute takes over the seat and the scores of " +
                    session.state().nameOf(*entrantIdOf(id)) + ".\nName of the substitute " +
                    (word == "Team" ? "team:" : "player:");
    request.text = session.state().nameOf(*entrantIdOf(id));
    if (!session.prompt().askText(request))
        return false;
    const std::string refused = renameEntrant(session, id, request.text);
    if (!refused.empty()) {
        showMessage(session.prompt(), "Substitute", refused, MsgIcon::Exclamation);
        return false;
    }
    // Every view that shows names: the alias tab at once, keeping the entrant chosen; the
    // standings, results, fines and the page through the stored-score refresh; the sitting-out
    // names. The other tabs fill themselves from the state when they are shown.
    aliases->PopulatePlayerViewGrid();
    const int index = tab->cmbPlayerName->findData(QVariant(std::stoi(id)));
    if (index >= 0) {
        tab->cmbPlayerName->setCurrentIndex(index);
        aliases->showChosenAlias();
    }
    m_window.UpdateSittingOut();
    m_window.notifyScoreStored();
    return true;
}

} // namespace rh::ui
