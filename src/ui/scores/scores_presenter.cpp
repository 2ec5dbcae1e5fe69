#include "ui/scores/scores_presenter.h"

#include "services/load_save.h"
#include "ui/dialogs/validate_window.h"
#include "ui/scores/tab_scores.h"
#include "ui/shell/main_window.h"
#include "ui/shell/widgets.h"
#include "ui/timer/clock_presenter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTabWidget>

namespace rh::ui {

namespace {

bool sameItems(const std::vector<ListItem>& a, const std::vector<ListItem>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].text != b[i].text || a[i].data != b[i].data)
            return false;
    return true;
}

template <class W> void setShown(W* widget, bool visible) {
    // Only an explicit change: a widget never hidden is left to follow its parent.
    if (widget->isHidden() == visible)
        widget->setVisible(visible);
}

// Clears the flag when the scope ends, however it ends.
class Flag {
public:
    explicit Flag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Flag() { m_flag = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& m_flag;
};

} // namespace

ScoresPresenter::ScoresPresenter(MainWindow& window)
    : QObject(&window), m_window(window), m_tab(*window.scoresTab()) {
    setObjectName(QStringLiteral("scoresPresenter"));
    // The widgets by the names the view uses for them.
    const EnterScoresView names;
    for (const auto& [name, list] : names.lists())
        m_lists.insert(qs(name), m_tab.findChild<QComboBox*>(qs(name)));
    for (const auto& [name, caption] : names.captions())
        m_captions.insert(qs(name), m_tab.findChild<QWidget*>(qs(name)));
    for (const auto& [name, check] : names.checks())
        m_checks.insert(qs(name), m_tab.findChild<QCheckBox*>(qs(name)));
    for (const auto& [name, frame] : names.frames())
        m_frames.insert(qs(name), m_tab.findChild<QGroupBox*>(qs(name)));

    newController();
    connectActions();
    connect(&window, &MainWindow::tournamentLoaded, this, &ScoresPresenter::onTournamentLoaded);
    connect(&window, &MainWindow::tabShown, this, &ScoresPresenter::onTabShown);
    connect(&window, &MainWindow::validateRequested, this, &ScoresPresenter::openValidateWindow);
    render();
}

ScoresPresenter::~ScoresPresenter() = default;

void ScoresPresenter::newController() {
    // "By table" is the director's way of working: it stays for the session.
    const bool byTable = m_EnterScores && m_EnterScores->byTable();
    m_stateOfController = m_window.session().sharedState();
    m_EnterScores = std::make_unique<ScoreEntry>(m_window.session());
    m_EnterScores->setByTable(byTable);
    bindRoundAdvance(*m_EnterScores, m_window.session(), roundAdvanceHooks());
}

std::function<void()> ScoresPresenter::traced(const char* name, std::function<void()> hook) {
    return [this, name, hook = std::move(hook)] {
        if (m_trace)
            m_trace(name);
        hook();
    };
}

RoundAdvanceHooks ScoresPresenter::roundAdvanceHooks() {
    Session& session = m_window.session();
    // The clock through the window's presenter: every change reaches the labels and the timers.
    TournamentClock& clock = m_window.clockPresenter()->clock();
    RoundAdvanceHooks h;
    h.refreshViews = traced("refreshViews", [this] { m_window.notifyScoreStored(); });
    h.StopRoundTimer = traced("StopRoundTimer", [&clock] { clock.stopRoundTimer(); });
    h.RecordRoundTime = traced("RecordRoundTime", [&clock, &session] {
        clock.recordRoundTime(session.tourney().CurrentRound(), session.tourney().TotalRounds());
    });
    h.ResetRoundTimer = traced("ResetRoundTimer", [&clock] { clock.RTimer.reset(); });
    h.ResetPauseTimer = traced("ResetPauseTimer", [&clock] { clock.resetPauseTimer(); });
    h.SaveData = traced("SaveData", [&session] { rh::SaveData(session, false); });
    h.StartRoundTimer = traced("StartRoundTimer", [&clock] { clock.startRoundTimer(); });
    h.ChangeRound = traced("ChangeRound", [this] { m_window.ChangeRound(); });
    h.UpdateProgressBars = [this, &clock, &session](bool done) {
        if (m_trace)
            m_trace(done ? "UpdateProgressBars(true)" : "UpdateProgressBars(false)");
        clock.updateProgressBars(done, session.tourney().CurrentRound(),
                                 session.tourney().TotalRounds());
    };
    h.ShowResultsTab = traced("ShowResultsTab",
                              [this] { m_window.tabs()->setCurrentIndex(MainWindow::TabResults); });
    return h;
}

void ScoresPresenter::connectActions() {
    auto onList = [this](QComboBox* list, void (ScoreEntry::*click)(int)) {
        connect(list, &QComboBox::activated, this,
                [this, click](int index) { act([&](ScoreEntry& c) { (c.*click)(index); }); });
    };
    onList(m_tab.comboSelectRnd, &ScoreEntry::chooseRound);
    onList(m_tab.comboPlayerName, &ScoreEntry::chooseEntrant);
    onList(m_tab.comboPlayerScore, &ScoreEntry::chooseScore);
    // Lones, bumps, woods and the paid mark change the standings, the jackpot and the page as a
    // score does: every view that depends on them refreshes at once.
    auto onFineList = [this](QComboBox* list, void (ScoreEntry::*click)(int)) {
        connect(list, &QComboBox::activated, this, [this, click](int index) {
            if (act([&](ScoreEntry& c) { (c.*click)(index); }))
                m_window.notifyScoreStored();
        });
    };
    onFineList(m_tab.comboPlayerLones, &ScoreEntry::chooseLones);
    onFineList(m_tab.comboPlayerBumps, &ScoreEntry::chooseBumps);
    onFineList(m_tab.comboPlayerWoods, &ScoreEntry::chooseWoods);
    connect(m_tab.checkAll, &QCheckBox::clicked, this,
            [this](bool checked) { act([&](ScoreEntry& c) { c.chooseShowAll(checked); }); });
    connect(m_tab.checkPaid, &QCheckBox::clicked, this, [this](bool checked) {
        if (act([&](ScoreEntry& c) { c.choosePaid(checked); }))
            m_window.notifyScoreStored();
    });
    connect(m_tab.checkByTable, &QCheckBox::clicked, this,
            [this](bool checked) { act([&](ScoreEntry& c) { c.chooseByTable(checked); }); });
    connect(m_tab.txtTableScores, &QLineEdit::returnPressed, this, [this] {
        const std::string typed = ss(m_tab.txtTableScores->text());
        act([&](ScoreEntry& c) { c.enterTableScores(typed); });
        // The box shows what the entry left: empty when stored, the text when not.
        const QString left = qs(m_EnterScores->view().txtTableScores.text);
        if (m_tab.txtTableScores->text() != left)
            m_tab.txtTableScores->setText(left);
    });
}

bool ScoresPresenter::stateReplaced() const {
    const std::shared_ptr<const TournamentState> seen = m_stateOfController.lock();
    return !seen || seen != m_window.session().sharedState();
}

bool ScoresPresenter::act(const std::function<void(ScoreEntry&)>& action) {
    // A choice signalled while the view is put on the widgets, or while another action runs
    // (a dialog of its own is open), is not the director's.
    if (m_rendering || m_acting)
        return false;
    bool ran = false;
    {
        Flag acting(m_acting);
        if (stateReplaced()) {
            // The screen still shows the tournament before a reset: start afresh instead.
            newController();
            m_EnterScores->UpdateEnterScores();
        } else {
            action(*m_EnterScores);
            ran = true;
        }
    }
    render();
    return ran;
}

void ScoresPresenter::onTournamentLoaded() {
    // The entrant last clicked on the standings belonged to the tournament before.
    m_window.session().clearStandingsChoice();
    // A new controller for the new tournament: its kind is fixed now.
    newController();
    if (m_window.tabs()->currentIndex() == MainWindow::TabScores)
        act([](ScoreEntry& c) { c.UpdateEnterScores(); });
    else
        render();
}

void ScoresPresenter::onTabShown(int index) {
    if (index == MainWindow::TabScores)
        act([](ScoreEntry& c) { c.UpdateEnterScores(); });
}

ValidateWindow* ScoresPresenter::openValidateWindow() {
    auto* w = new ValidateWindow(m_window.session(), &m_window);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

// ---------------------------------------------------------------------------------------------
// Rendering

void ScoresPresenter::render() {
    if (m_rendering)
        return;
    Flag rendering(m_rendering);
    const EnterScoresView& v = m_EnterScores->view();
    for (const auto& [name, frame] : v.frames()) {
        QGroupBox* box = m_frames.value(qs(name));
        if (!box)
            continue;
        // A frame the controller gives no caption (the panel, the opponents) keeps its own.
        if (!frame->caption.empty())
            box->setTitle(qs(frame->caption));
        setShown(box, frame->visible);
    }
    for (const auto& [name, list] : v.lists())
        if (QComboBox* combo = m_lists.value(qs(name)))
            renderList(combo, *list);
    for (const auto& [name, caption] : v.captions())
        if (QWidget* w = m_captions.value(qs(name)))
            renderCaption(w, *caption);
    for (const auto& [name, check] : v.checks()) {
        QCheckBox* box = m_checks.value(qs(name));
        if (!box)
            continue;
        const QString text = qs(check->caption);
        if (box->text() != text)
            box->setText(text);
        box->setChecked(check->checked);
        box->setEnabled(check->enabled);
        setShown(box, check->visible);
    }
    // The table scores box: its text is the director's; the entry sets it (connectActions).
    m_tab.showTableScores(v.txtTableScores.visible);
    m_tab.txtTableScores->setEnabled(v.txtTableScores.enabled);
    if (m_tableScoresMarked != v.txtTableScores.background) {
        // A text box shows its colour as its base (a marked entry is light red).
        QPalette palette;
        if (v.txtTableScores.background)
            palette.setColor(QPalette::Base, toQColor(*v.txtTableScores.background));
        m_tab.txtTableScores->setPalette(palette);
        m_tableScoresMarked = v.txtTableScores.background;
    }
    if (!v.focus.empty() && m_window.tabs()->currentWidget() == &m_tab) {
        if (QWidget* w = m_tab.findChild<QWidget*>(qs(v.focus)); w && w->isEnabled())
            w->setFocus(Qt::OtherFocusReason);
    }
}

void ScoresPresenter::renderList(QComboBox* list, const ListView& view) {
    std::vector<ListItem>& shown = m_shownItems[list];
    if (!sameItems(shown, view.items) || list->count() != static_cast<int>(view.items.size())) {
        list->clear();
        // All rows in one insertion: the entrant list of a big tournament is rebuilt after
        // every score.
        if (auto* model = qobject_cast<QStandardItemModel*>(list->model())) {
            QList<QStandardItem*> rows;
            rows.reserve(static_cast<qsizetype>(view.items.size()));
            for (const ListItem& item : view.items) {
                auto* row = new QStandardItem(qs(item.text));
                row->setData(qs(item.data), Qt::UserRole);
                rows.append(row);
            }
            model->invisibleRootItem()->insertRows(0, rows);
        } else {
            for (const ListItem& item : view.items)
                list->addItem(qs(item.text), qs(item.data));
        }
        shown = view.items;
    }
    const int index = view.hasSelection() ? view.index : -1;
    if (list->currentIndex() != index)
        list->setCurrentIndex(index);
    list->setEnabled(view.enabled);
    setShown(list, view.visible);
}

void ScoresPresenter::renderCaption(QWidget* widget, const CaptionView& view) {
    const QString text = qs(view.text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text() != text)
            label->setText(text);
    } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        if (box->text() != text) {
            box->setText(text);
            box->setCursorPosition(0); // a long name shows from its start
        }
    }
    renderBackground(widget, view.background);
    widget->setEnabled(view.enabled);
    setShown(widget, view.visible);
}

void ScoresPresenter::renderBackground(QWidget* widget, const std::optional<Rgb>& colour) {
    auto it = m_shownBackground.find(widget);
    if (it != m_shownBackground.end() && it->second == colour)
        return;
    setBackground(widget, colour);
    m_shownBackground[widget] = colour;
}

} // namespace rh::ui
