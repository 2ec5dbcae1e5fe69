// The window from the keyboard: a whole round scored table by table with keys alone (and how many
// it takes), Ctrl+1 .. Ctrl+7 for the tabs, the focus frame, and the window's fit to its screen.
#include "core/text.h"
#include "model_helpers.h"
#include "review_fixture.h"
#include "scoring/table_order.h"
#include "ui/focus_frame.h"
#include "ui/tab_details.h"
#include "ui/tab_scores.h"
#include "ui/window_fit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

using rh::test::ReviewFixture;
using rh::ui::MainWindow;

namespace {

// Every key goes to the widget that has the focus, and is counted.
struct Keyboard {
    int keys = 0;
    QWidget* focus() const { return QApplication::focusWidget(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focus(), key, modifiers);
        ++keys;
    }
    void type(const QString& text) {
        QTest::keyClicks(focus(), text);
        keys += int(text.size());
    }
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void aRoundByTableWithTheKeyboardAlone() {
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        rh::ui::ScoresTab& tab = *f.window.scoresTab();
        const int round = f.session.tourney().CurrentRound();
        const rh::TableOrder tables(f.session.state().seating, rh::test::rno(round));
        QCOMPARE(int(tables.tables().size()), 4);
        QCOMPARE(f.session.state().scores.count(), std::size_t((round - 1) * 16));

        // Setting out: the Scores tab, then Tab to "By table" and Space.
        Keyboard kb;
        kb.press(Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabScores));
        QCOMPARE(kb.focus(), tab.comboPlayerScore);
        for (int i = 0; i < 8 && kb.focus() != tab.checkByTable; ++i)
            kb.press(Qt::Key_Tab);
        QCOMPARE(kb.focus(), tab.checkByTable);
        kb.press(Qt::Key_Space);
        QVERIFY(tab.checkByTable->isChecked());
        const int setup = kb.keys;

        // Each table: both scores and Enter, the focus staying in the box for the next table.
        const auto* highlight = f.window.findChild<rh::ui::FocusHighlight*>();
        QVERIFY(highlight);
        for (const rh::RoundTable& table : tables.tables()) {
            QCOMPARE(kb.focus(), tab.txtTableScores);
            QCOMPARE(highlight->framed(), tab.txtTableScores);
            QCOMPARE(tab.lblTable->text(), QStringLiteral("Table %1").arg(table.number));
            kb.type(QStringLiteral("10 %1").arg(table.number % 8));
            kb.press(Qt::Key_Return);
        }
        const int perPartnership = 3;
        const int scoring = kb.keys - setup;
        std::printf("  a round of 4 tables by table: %d keys (%.2f per partnership), %d to set "
                    "out\n",
                    scoring, scoring / 8.0, setup);
        QVERIFY(scoring <= perPartnership * 8);

        // Every score stored as typed, the partners' too, and the round over.
        for (const rh::RoundTable& table : tables.tables())
            for (int side = 0; side < 2; ++side)
                for (const std::string& id : table.sides[std::size_t(side)])
                    QCOMPARE(f.session.state().score(rh::test::rno(round), rh::test::eid(id)),
                             std::optional<int>(side == 0 ? 10 : int(table.number % 8)));
        QCOMPARE(f.session.tourney().CurrentRound(), round + 1);
        QCOMPARE(f.prompt.countTitled("Data Mismatch"), 0);
        QVERIFY(std::any_of(f.prompt.shown.begin(), f.prompt.shown.end(),
                            [](const auto& s) { return s.kind == "roundOver"; }));
        // The next round starts at its first table, ready for the next line.
        QCOMPARE(kb.focus(), tab.txtTableScores);
        QCOMPARE(tab.lblTable->text(), QStringLiteral("Table 1"));
    }

    void ctrlDigitsChooseTheTabs() {
        ReviewFixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        for (int tab : {3, 7, 1, 6, 2, 5, 4}) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : static_cast<QWidget*>(&f.window),
                            Qt::Key(Qt::Key_0 + tab), Qt::ControlModifier);
            QCOMPARE(f.window.tabs()->currentIndex(), tab - 1);
        }
    }

    void theWindowFitsItsScreen() {
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        const QSize content = f.window.minimumSizeHint();
        struct Screen {
            QRect available; // the screen less its task bar
            QMargins frame;
        };
        const Screen screens[] = {{{0, 0, 1280, 760}, {4, 32, 4, 4}},
                                  {{0, 40, 1280, 760}, {1, 24, 1, 1}},
                                  {{1920, 0, 1920, 1040}, {4, 32, 4, 4}},
                                  {{0, 0, 2560, 1400}, {4, 32, 4, 4}}};
        QSize last;
        for (const Screen& s : screens) {
            const QRect client = rh::ui::fittedClientGeometry(s.available, s.frame);
            QVERIFY(s.available.contains(client.marginsAdded(s.frame)));
            // The content lays out at that size...
            QVERIFY2(client.width() >= content.width() && client.height() >= content.height(),
                     qPrintable(QStringLiteral("%1x%2 content in %3x%4")
                                    .arg(content.width())
                                    .arg(content.height())
                                    .arg(client.width())
                                    .arg(client.height())));
            // ...and the window grows with the screen.
            QVERIFY(client.width() >= last.width() && client.height() >= last.height());
            last = client.size();
        }
        QVERIFY(last.width() > 2000 && last.height() > 1100);
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
