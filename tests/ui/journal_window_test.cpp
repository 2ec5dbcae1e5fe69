// The window's journal: a score chosen on the Scores tab is on disk before any view refreshes, the
// clock buttons and the fee lists are journalled too, and loading the file again after a crash
// offers the changes and shows them restored.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "model_helpers.h"
#include "persistence/journal.h"
#include "services/restore.h"
#include "services/session.h"
#include "support/temp_dir.h"
#include "ui/main_flow.h"
#include "ui/main_window.h"
#include "ui/presenters.h"
#include "ui/tab_money.h"
#include "ui/tab_scores.h"
#include "ui/tab_timer.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <memory>

using rh::ChangeKind;
using rh::ui::MainWindow;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

bool choose(QComboBox* list, int index) {
    if (!list->isEnabled() || index < 0 || index >= list->count())
        return false;
    list->setCurrentIndex(index);
    emit list->activated(index);
    return true;
}

int countOf(const std::vector<rh::JournalEntry>& entries, const rh::Change& change) {
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(),
                      [&](const rh::JournalEntry& e) { return e.change == change; }));
}

// A window on a journalled session, loading a copy of the demo tournament as the director does.
struct Window {
    rh::ScriptedPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};

    explicit Window(const std::string& file) {
        session.setJournalMode(rh::JournalMode::Keep);
        rh::ui::installPresenters(window);
        prompt.defaultYesNo = rh::MsgAnswer::Yes;
        window.findChild<rh::ui::MainFlow*>()->LoadTournament(file);
    }
    std::vector<rh::JournalEntry> journalled() const {
        return rh::readJournal(rh::journalFileName(session)).changes;
    }
};

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<rh::test::TempDir> m_tmp;
    std::string m_file;

private slots:
    void init() {
        m_tmp = std::make_unique<rh::test::TempDir>();
        m_file = (*m_tmp / "night.qmc").string();
        std::filesystem::copy_file(std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc", m_file);
    }
    void cleanup() { m_tmp.reset(); }

    void aScoreIsOnDiskBeforeTheViewsRefresh() {
        Window w(m_file);
        QVERIFY(w.session.journal());
        rh::ui::ScoresTab* tab = w.window.scoresTab();
        w.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        QVERIFY(choose(tab->comboPlayerName, tab->comboPlayerName->findData(q("01"))));
        // What the journal holds at the moment the views hear of the score.
        std::vector<rh::JournalEntry> atRefresh;
        connect(&w.window, &MainWindow::scoreStored, this, [&] { atRefresh = w.journalled(); });
        QVERIFY(choose(tab->comboPlayerScore, tab->comboPlayerScore->findText(q(rh::fmtItem(7)))));
        QCOMPARE(countOf(atRefresh, rh::Change::score(4, "01", "07")), 1);
    }

    void clockAndFeesAreJournalledAndRestored() {
        {
            Window w(m_file);
            w.window.timerTab()->cmdTourneyStart->click();
            QComboBox* bump = w.window.moneyTab()->cbBumpFee;
            QVERIFY(choose(bump, bump->findData(50)));
            rh::ui::ScoresTab* tab = w.window.scoresTab();
            w.window.tabs()->setCurrentIndex(MainWindow::TabScores);
            QVERIFY(choose(tab->comboPlayerName, tab->comboPlayerName->findData(q("02"))));
            QVERIFY(choose(tab->comboPlayerBumps, 3));
            // Showing an entrant stores its lone count and paid mark again (journalled when
            // they were missing); the rest are the director's choices, in order.
            std::vector<rh::JournalEntry> kept = w.journalled();
            std::erase_if(kept, [](const rh::JournalEntry& e) {
                return e.change.kind == ChangeKind::Lone || e.change.kind == ChangeKind::Paid;
            });
            QCOMPARE(kept.size(), std::size_t(3));
            QVERIFY(kept[0].change.kind == ChangeKind::ClockStart);
            QVERIFY(kept[1].change == rh::Change::money(ChangeKind::BumpFee, 0.5));
            QVERIFY(kept[2].change == rh::Change::count(ChangeKind::Bump, "02", "03"));
        } // a crash: nothing was saved
        Window again(m_file);
        QCOMPARE(again.prompt.countTitled(rh::kRestoreTitle), 1);
        QCOMPARE(again.session.tourney().BumpFee(), 0.5);
        QCOMPARE(again.window.moneyTab()->cbBumpFee->currentData().toInt(), 50);
        QCOMPARE(rh::test::bumpsOf(again.session.state(), rh::test::eid(2)), 3);
        QVERIFY(again.session.clock.m_tournamentStarted);
        QCOMPARE(again.window.timerTab()->cmdTourneyStart->text(), QStringLiteral("&Stop"));
    }
};

QTEST_MAIN(JournalWindowTest)
#include "journal_window_test.moc"
