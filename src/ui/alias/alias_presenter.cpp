#include "ui/alias/alias_presenter.h"

#include "core/errors.h"
#include "core/text.h"
#include "roster/aliases.h"
#include "services/changes.h"
#include "services/session.h"
#include "ui/alias/tab_alias.h"
#include "ui/grids/grid.h"
#include "ui/grids/grid_model.h"
#include "ui/grids/grid_view.h"
#include "ui/shell/main_window.h"
#include "ui/shell/widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace rh::ui {

AliasPresenter::AliasPresenter(MainWindow& window)
    : QObject(&window), m_window(window), m_model(new GridModel(window.aliasTab()->lvPlayers)) {
    setObjectName(QStringLiteral("aliasPresenter"));
    AliasTab* tab = window.aliasTab();
    GridBinding* binding = configureGrid(tab->lvPlayers, m_model);
    PopulatePlayerViewGrid();

    connect(&window, &MainWindow::tournamentLoaded, this, [this] { PopulatePlayerViewGrid(); });
    connect(&window, &MainWindow::tabShown, this, [this](int index) {
        if (index == MainWindow::TabAlias)
            refreshKeepingChoice();
    });
    connect(tab->cmbPlayerName, &QComboBox::activated, this, [this] { showChosenAlias(); });
    connect(binding, &GridBinding::rowClicked, this, &AliasPresenter::selectEntrant);
    connect(tab->txtAliasCtrl, &QLineEdit::returnPressed, this, [this] {
        // A duplicate keeps the entrant and the typed text, so the director can correct it.
        if (UpdateAlias())
            SelectNextWithoutAlias();
    });
    connect(tab->cmdUpdateAliasPlayer, &QPushButton::clicked, this, [this] { UpdateAlias(); });
}

void AliasPresenter::PopulatePlayerViewGrid() {
    AliasTab* tab = m_window.aliasTab();
    const TournamentSettings& t = m_window.session().tourney();
    const bool progressive = t.isProgressive();
    tab->frmAlias->setTitle(qs(t.EntrantWord()) + QStringLiteral(" Alias Setup"));
    tab->lblAliasNames->setText(progressive ? QStringLiteral("Player Name")
                                            : QStringLiteral("Team Name"));
    tab->lblPlayerAlias->setText(qs(t.EntrantWord()) + QStringLiteral(" Alias"));
    m_model->setColumns(playerAliasColumns(progressive));
    refillGrid();
    PopulateAliasPlorte();
}

void AliasPresenter::refreshKeepingChoice() {
    AliasTab* tab = m_window.aliasTab();
    const std::string id = getPlayerID();
    const QString typed = tab->txtAliasCtrl->text();
    PopulatePlayerViewGrid();
    // The entrant the director was working on stays chosen, with what was typed for it, as long
    // as the open tournament still lists it.
    const auto entrant = entrantIdOf(id);
    const int index = entrant && num(*entrant) != 0
                          ? tab->cmbPlayerName->findData(QVariant(qlonglong(num(*entrant))))
                          : -1;
    if (index >= 0) {
        tab->cmbPlayerName->setCurrentIndex(index);
        tab->txtAliasCtrl->setText(typed);
    }
}

void AliasPresenter::refillGrid() {
    Session& session = m_window.session();
    try {
        const TournamentState& state = session.state();
        std::vector<GridRow> rows;
        const auto entrants = state.entrantsByName();
        rows.reserve(entrants.size());
        for (const EntrantRef& e : entrants) {
            const QString alias = qs(state.aliasOf(e.id));
            GridRow row;
            row.cells = {GridCell(qs(trim(e.name))), GridCell(alias)};
            row.tag = qs(idText(e.id));
            row.toolTip = alias;
            rows.push_back(std::move(row));
        }
        m_model->setRows(std::move(rows));
    } catch (const RhError& e) {
        session.ShowErrorMsg("PopulatePlayerViewGrid", e);
    }
}

void AliasPresenter::PopulateAliasPlorte() {
    QComboBox* list = m_window.aliasTab()->cmbPlayerName;
    Session& session = m_window.session();
    list->clear();
    try {
        for (const EntrantRef& e : session.state().entrantsByName()) {
            list->addItem(qs(e.name), QVariant(qlonglong(num(e.id))));
        }
    } catch (const RhError& e) {
        session.ShowErrorMsg("PopulateAliasPlorte: " + std::to_string(e.number()), e);
    }
    list->setCurrentIndex(-1);
    if (!SelectNextWithoutAlias())
        m_window.aliasTab()->txtAliasCtrl->clear();
}

std::vector<EntrantId> AliasPresenter::listedIds() const {
    const QComboBox* list = m_window.aliasTab()->cmbPlayerName;
    std::vector<EntrantId> ids;
    ids.reserve(std::size_t(list->count()));
    for (int i = 0; i < list->count(); ++i) {
        const QVariant data = list->itemData(i);
        ids.push_back(data.isValid() ? EntrantId{static_cast<std::int16_t>(data.toLongLong())}
                                     : EntrantId{0});
    }
    return ids;
}

bool AliasPresenter::SelectNextWithoutAlias() {
    const int index = rh::nextWithoutAlias(m_window.session().state().entrants, listedIds());
    if (index < 0)
        return false;
    m_window.aliasTab()->cmbPlayerName->setCurrentIndex(index);
    showChosenAlias();
    return true;
}

std::string AliasPresenter::getPlayerID() const {
    const QComboBox* list = m_window.aliasTab()->cmbPlayerName;
    const int index = list->currentIndex();
    if (index < 0)
        return "00";
    const QVariant data = list->itemData(index);
    return data.isValid() ? fmt00(data.toLongLong()) : std::string("00");
}

void AliasPresenter::showChosenAlias() {
    const std::string id = getPlayerID();
    m_window.aliasTab()->txtAliasCtrl->setText(
        id == "00" ? QString() : qs(m_window.session().state().aliasOf(*entrantIdOf(id))));
}

bool AliasPresenter::UpdateAlias() {
    AliasTab* tab = m_window.aliasTab();
    Session& session = m_window.session();
    try {
        const rh::AliasUpdate result =
            rh::updateAlias(session.state().entrants, listedIds(), entrantIdOf(getPlayerID()),
                            ss(tab->txtAliasCtrl->text()));
        switch (result) {
        case rh::AliasUpdate::Duplicate:
            showMessage(session.prompt(), "Duplicate", "Duplicate Name", MsgIcon::Exclamation);
            tab->txtAliasCtrl->setFocus(Qt::OtherFocusReason);
            return false;
        case rh::AliasUpdate::Stored:
            recordChange(
                session,
                Change::count(ChangeKind::Alias, getPlayerID(), ss(tab->txtAliasCtrl->text())),
                true);
            session.refresh().requestLeaderRefresh(); // the standings show aliases as hints
            refillGrid();
            break;
        case rh::AliasUpdate::Unchanged:
        case rh::AliasUpdate::NoEntrant:
            break;
        }
    } catch (const RhError& e) {
        session.ShowErrorMsg("Update Alias", e);
    }
    return true;
}

void AliasPresenter::selectEntrant(int row, const QString& tag) {
    AliasTab* tab = m_window.aliasTab();
    QComboBox* list = tab->cmbPlayerName;
    // The row's entrant by its ID; by its name (any letter case) when the ID is not listed.
    const auto id = entrantIdOf(ss(tag));
    int index = id ? list->findData(QVariant(qlonglong(num(*id)))) : -1;
    if (index < 0) {
        const QString name = m_model->text(row, 0).trimmed();
        for (int i = 0; i < list->count() && index < 0; ++i)
            if (list->itemText(i).trimmed().compare(name, Qt::CaseInsensitive) == 0)
                index = i;
    }
    if (index >= 0) {
        list->setCurrentIndex(index);
        showChosenAlias();
    }
    tab->txtAliasCtrl->setFocus(Qt::MouseFocusReason);
}

} // namespace rh::ui
