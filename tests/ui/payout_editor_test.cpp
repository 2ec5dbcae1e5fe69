// The payout worksheet (frmPayout) as the director uses it: choosing a number of places, typing
// amounts, the remaining payout's text and colour, what OK and Cancel do. Shown without a modal
// loop; its messages are answered by the scripted prompt.
#include "core/scripted_prompt.h"
#include "ui/payout_editor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using rh::ui::PayoutEditor;

namespace {

rh::PayoutEditorRequest request(double net, int entrants, int placeCount = 0,
                                std::array<double, 8> amounts = {}) {
    rh::PayoutEditorRequest r;
    r.netPayout = net;
    r.netPayoutText = rh::formatMoney(net, r.currency);
    r.entrants = entrants;
    r.placeCount = placeCount;
    r.amounts = amounts;
    return r;
}

struct Editor {
    rh::ScriptedPrompt prompt;
    std::unique_ptr<PayoutEditor> dialog;
    bool active = false;

    explicit Editor(const rh::PayoutEditorRequest& r)
        : dialog(std::make_unique<PayoutEditor>(r, prompt)) {
        dialog->show();
        dialog->activateWindow();
        active = QTest::qWaitForWindowActive(dialog.get());
    }
    PayoutEditor* operator->() const { return dialog.get(); }
    QLineEdit* box(int i) const { return dialog->txtPayout[std::size_t(i)]; }
    QString percent(int i) const { return dialog->lblPercent[std::size_t(i)]->text(); }
    /// The director picks a count in the list.
    void choose(const QString& count) {
        QVERIFY(active);
        const int index = dialog->cbPayouts->findText(count);
        QVERIFY(index >= 0);
        dialog->cbPayouts->setCurrentIndex(index);
        emit dialog->cbPayouts->activated(index);
    }
    QColor remainingBack() const {
        return dialog->lblRemainingPayout->palette().color(QPalette::Window);
    }
    /// Types into a box as the director does: focus in, select all, keys, then leave.
    void type(int i, const QString& keys) {
        box(i)->setFocus(Qt::TabFocusReason);
        box(i)->selectAll();
        QTest::keyClicks(box(i), keys);
    }
    void leave() { dialog->cbPayouts->setFocus(Qt::TabFocusReason); }
};

QStringList boxTexts(const Editor& e, int count) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << e.box(i)->text();
    return out;
}

} // namespace

class PayoutEditorTest : public QObject {
    Q_OBJECT
private slots:
    void countsOfferedFollowTheEntrants() {
        Editor five(request(50, 5));
        QStringList items;
        for (int i = 0; i < five->cbPayouts->count(); ++i)
            items << five->cbPayouts->itemText(i);
        QCOMPARE(items,
                 (QStringList{QStringLiteral("03"), QStringLiteral("04"), QStringLiteral("05")}));
        Editor two(request(20, 2));
        QCOMPARE(two->cbPayouts->count(), 0);
        Editor many(request(500, 60));
        QCOMPARE(many->cbPayouts->count(), 6);
        QCOMPARE(many->cbPayouts->itemText(5), QStringLiteral("08"));
    }

    void threePlacesOfTwoHundredForty() {
        Editor e(request(240, 24));
        e.choose(QStringLiteral("03"));
        QCOMPARE(boxTexts(e, 3), (QStringList{QStringLiteral("$120.00"), QStringLiteral("$72.00"),
                                              QStringLiteral("$48.00")}));
        QCOMPARE(e.percent(0), QStringLiteral("50%"));
        QCOMPARE(e.percent(1), QStringLiteral("30%"));
        QCOMPARE(e.percent(2), QStringLiteral("20%"));
        QCOMPARE(e->lblRemainingPayout->text(), QStringLiteral("$0.00"));
        QCOMPARE(e.remainingBack(), QColor(255, 255, 255));
        QVERIFY(e->OKButton->isEnabled());
        QVERIFY(e.box(2)->isEnabled());
        QVERIFY(!e.box(3)->isEnabled());

        // Balanced: OK accepts without a question.
        e->OKButton->click();
        QVERIFY(e->wasAccepted());
        const rh::PayoutEditorRequest r = e->result();
        QCOMPARE(r.placeCount, 3);
        QCOMPARE(r.amounts[0], 120.0);
        QCOMPARE(r.amounts[2], 48.0);
        QVERIFY(e.prompt.shown.empty());
        QVERIFY(!e->isVisible());
    }

    void refreshAppliesEightPlacesOfFiveHundred() {
        Editor e(request(500, 40, 3, {200, 200, 100}));
        QCOMPARE(e->cbPayouts->currentText(), QStringLiteral("03"));
        QCOMPARE(boxTexts(e, 3), (QStringList{QStringLiteral("$200.00"), QStringLiteral("$200.00"),
                                              QStringLiteral("$100.00")}));
        QCOMPARE(e.percent(1), QStringLiteral("40%"));
        e->cbPayouts->setCurrentIndex(e->cbPayouts->findText(QStringLiteral("08")));
        // Only Refresh (or a choice by the director) re-applies the count.
        QCOMPARE(e.box(0)->text(), QStringLiteral("$200.00"));
        e->cmdRefreshPayouts->click();
        QCOMPARE(boxTexts(e, 8), (QStringList{QStringLiteral("$190.00"), QStringLiteral("$100.00"),
                                              QStringLiteral("$75.00"), QStringLiteral("$50.00"),
                                              QStringLiteral("$35.00"), QStringLiteral("$25.00"),
                                              QStringLiteral("$15.00"), QStringLiteral("$10.00")}));
        QCOMPARE(e.percent(7), QStringLiteral("2%"));
        QVERIFY(e.box(7)->isEnabled());
    }

    void fundsLeftAskToContinue() {
        Editor e(request(240, 24));
        e.choose(QStringLiteral("03"));
        e.type(2, QStringLiteral("47.6"));
        e.leave();
        QCOMPARE(e.box(2)->text(), QStringLiteral("$47.60"));
        QCOMPARE(e->lblRemainingPayout->text(), QStringLiteral("$0.40"));
        QCOMPARE(e.remainingBack(), QColor(180, 255, 180));
        QVERIFY(e->OKButton->isEnabled());

        // Yes: back to the boxes, nothing accepted.
        e.prompt.answers = {rh::MsgAnswer::Yes, rh::MsgAnswer::No};
        e->OKButton->click();
        QCOMPARE(e.prompt.messages().size(), std::size_t(1));
        const rh::Message asked = e.prompt.messages().front();
        QCOMPARE(QString::fromStdString(asked.text),
                 QStringLiteral("Error - You have more Funds to Allocate, continue"));
        QVERIFY(asked.buttons == rh::MsgButtons::YesNo);
        QVERIFY(!e->wasAccepted());
        QVERIFY(e->isVisible());
        QCOMPARE(e->result().placeCount, 0); // still as handed in
        QTRY_VERIFY(e.box(0)->hasFocus());

        // No: accepted as it stands.
        e->OKButton->click();
        QCOMPARE(e.prompt.messages().size(), std::size_t(2));
        QVERIFY(e->wasAccepted());
        QCOMPARE(e->result().amounts[2], 47.6);
    }

    void payoutsAboveTheNetAreRefused() {
        Editor e(request(240, 24));
        e.choose(QStringLiteral("03"));
        e.type(0, QStringLiteral("121"));
        e.leave();
        QCOMPARE(e->lblRemainingPayout->text(), QStringLiteral("($1.00)"));
        QCOMPARE(e.remainingBack(), QColor(255, 180, 180));
        QVERIFY(!e->OKButton->isEnabled());

        // Within half a unit OK is offered, and still refused while the sum is too high.
        e.type(0, QStringLiteral("120.3"));
        e.leave();
        QVERIFY(e->OKButton->isEnabled());
        e->OKButton->click();
        QCOMPARE(e.prompt.messages().size(), std::size_t(1));
        const rh::Message told = e.prompt.messages().front();
        QCOMPARE(QString::fromStdString(told.text),
                 QStringLiteral("Error - The Payouts exceed Available Funds"));
        QVERIFY(told.title.empty());
        QVERIFY(told.buttons == rh::MsgButtons::Ok);
        QVERIFY(!e->wasAccepted());
        QTRY_VERIFY(e.box(0)->hasFocus());
    }

    void typingKeepsOneDecimalPointAndEnterMovesOn() {
        Editor e(request(100, 10));
        e.choose(QStringLiteral("03"));
        e.type(1, QStringLiteral("12.5.x-"));
        QCOMPARE(e.box(1)->text(), QStringLiteral("12.5"));
        QCOMPARE(e->lblRemainingPayout->text(), QStringLiteral("$17.50")); // 100 - 50 - 12.50 - 20
        QTest::keyClick(e.box(1), Qt::Key_Backspace);
        QCOMPARE(e.box(1)->text(), QStringLiteral("12."));
        QTest::keyClick(e.box(1), Qt::Key_5);
        // Enter is not typed: it moves to the next box, which shows its plain number selected.
        QTest::keyClick(e.box(1), Qt::Key_Return);
        QCOMPARE(e.box(1)->text(), QStringLiteral("$12.50"));
        QCOMPARE(e.percent(1), QStringLiteral("13%"));
        QVERIFY(e.box(2)->hasFocus());
        QCOMPARE(e.box(2)->text(), QStringLiteral("20"));
        QTRY_COMPARE(e.box(2)->selectedText(), QStringLiteral("20"));
    }

    void clearEmptiesTheBoxes() {
        Editor e(request(240, 24, 3, {120, 72, 48}));
        e->cmdClear->click();
        QCOMPARE(boxTexts(e, 3), (QStringList{QString(), QString(), QString()}));
        QCOMPARE(e.percent(0), QStringLiteral("0%"));
        QCOMPARE(e->lblRemainingPayout->text(), QStringLiteral("$240.00"));
        QVERIFY(!e->OKButton->isEnabled());
    }

    void cancelHandsBackWhatCameIn() {
        Editor e(request(240, 24, 3, {100, 90, 50}));
        e.choose(QStringLiteral("05"));
        e->CancelButton->click();
        QVERIFY(!e->wasAccepted());
        const rh::PayoutEditorRequest r = e->result();
        QCOMPARE(r.placeCount, 3);
        QCOMPARE(r.amounts[1], 90.0);
        QCOMPARE(e->worksheet().PlaceCount(), 3);
        QVERIFY(!e->isVisible());
    }

    void aCountNoLongerOfferedIsReported() {
        Editor e(request(100, 5, 6, {40, 20, 15, 10, 10, 5}));
        QCOMPARE(e.prompt.countTitled("SetPayoutIndex"), 1);
        QCOMPARE(e->cbPayouts->currentIndex(), -1);
        QCOMPARE(e.box(5)->text(), QStringLiteral("$5.00"));
    }
};

QTEST_MAIN(PayoutEditorTest)
#include "payout_editor_test.moc"
