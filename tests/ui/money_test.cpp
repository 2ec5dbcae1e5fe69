// The money: the "Load / Money" tab on a real window (a loaded tournament's fees, net payout and
// payout table, the payout options, the custom table set up through the worksheet and the
// reminder that keeps asking while it does not add up, the expenses box, the entry-fee roll
// call), and the payout worksheet itself as the director uses it (places, amounts, the
// remaining payout's text and colour, what OK and Cancel do), shown without a modal loop.
#include "services/standings_page.h"
#include "ui/money/payout_editor.h"
#include "ui/money/tab_money.h"
#include "ui/results/tab_results.h"
#include "window_fixture.h"

using rh::Change;
using rh::test::list;
using rh::test::s;
using rh::ui::GridModel;
using rh::ui::MainWindow;
using rh::ui::PayoutEditor;

namespace {

/// The scripted prompt, also keeping every request the worksheet was opened with.
class RecordingPrompt : public rh::ScriptedPrompt {
public:
    std::vector<rh::PayoutEditorRequest> requests;
    bool editPayouts(rh::PayoutEditorRequest& request) override {
        requests.push_back(request);
        return ScriptedPrompt::editPayouts(request);
    }
    /// What was shown: a message by its text, anything else by its kind.
    std::vector<std::string> kinds() const {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            out.push_back(s.kind == "message" ? s.message.text : s.kind);
        return out;
    }
};
const std::vector<std::string> kReminded{"Update your custom payouts", "payouts"};

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

const QColor kGreen(0, 153, 51);
const QColor kRed(255, 0, 0);

struct Fixture : rh::test::BasicWindowFixture<RecordingPrompt> {
    rh::ui::MoneyTab& tab = *window.moneyTab();
    GridModel* payout = qobject_cast<GridModel*>(tab.lvPayout->model());
    GridModel* resultPayout =
        qobject_cast<GridModel*>(window.resultsTab()->lvResultPayout->model());
    GridModel* fees = qobject_cast<GridModel*>(tab.lvEntryFee->model());

    static QStringList payoutRows(const GridModel* model) {
        QStringList out;
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->text(r, 0) + QLatin1Char(' ') + model->text(r, 1);
        return out;
    }
    QString net() const { return tab.lblNetPayout->text(); }
    QColor netColour() const { return tab.lblNetPayout->palette().color(QPalette::WindowText); }
    void chooseEntryFee(double amount) const {
        QVERIFY(rh::ui::MoneyTab::selectFee(tab.cbEntryFee, amount));
    }
    /// The director ticks or clears a row's box (what the view does on a click).
    void tick(int row, bool on) const {
        fees->setData(fees->index(row, 0), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    QColor rowColour(int row, int column = 1) const {
        return rh::test::foreground(*fees, row, column);
    }
    bool shownWithExpenses(const char* typed) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        typeExpenses(typed);
        return true;
    }
    void typeExpenses(const char* typed) {
        tab.txtExpense->setFocus();
        tab.txtExpense->selectAll();
        QTest::keyClicks(tab.txtExpense, s(typed));
    }
    void leaveExpenses() { tab.cbBumpFee->setFocus(); }
    std::optional<bool> feePaid(const QString& tag) {
        return session.state().entrantRecord(rh::test::eid(tag)).entryFeePaid;
    }
};

/// The worksheet shown and active, on a prompt of its own.
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
    QString remaining() const { return dialog->lblRemainingPayout->text(); }
    QColor remainingBack() const {
        return dialog->lblRemainingPayout->palette().color(QPalette::Window);
    }
    QStringList boxTexts(int count) const {
        QStringList out;
        for (int i = 0; i < count; ++i)
            out << box(i)->text();
        return out;
    }
    QStringList counts() const {
        QStringList out;
        for (int i = 0; i < dialog->cbPayouts->count(); ++i)
            out << dialog->cbPayouts->itemText(i);
        return out;
    }
    /// The director picks a count in the list.
    bool choose(const char* count) {
        return active && rh::test::choose(dialog->cbPayouts, dialog->cbPayouts->findText(s(count)));
    }
    /// Types into a box as the director does: focus in, select all, keys, then leave.
    void type(int i, const char* keys) {
        box(i)->setFocus(Qt::TabFocusReason);
        box(i)->selectAll();
        QTest::keyClicks(box(i), s(keys));
        dialog->cbPayouts->setFocus(Qt::TabFocusReason);
    }
};

} // namespace

class MoneyTest : public QObject {
    Q_OBJECT
private slots:
    void loadShowsFeesNetPayoutAndTheStandardTable() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        QCOMPARE(f.tab.cbEntryFee->currentText(), QStringLiteral("$10.00"));
        QCOMPARE(f.tab.cbBumpFee->currentText(), QStringLiteral("$0.25"));
        QCOMPARE(f.tab.cbWoodFee->currentText(), QStringLiteral("$0.50"));
        QCOMPARE(f.tab.txtExpense->text(), QStringLiteral("0"));
        QCOMPARE(f.net(), QStringLiteral("$160.00"));
        QCOMPARE(f.netColour(), kGreen);
        QVERIFY(f.tab.optPayout0->isChecked());
        const QStringList standard = list("First $80.00|Second $48.00|Third $32.00");
        QCOMPARE(f.payoutRows(f.payout), standard);
        QCOMPARE(f.payoutRows(f.resultPayout), standard);
        QCOMPARE(f.window.NumOfPayouts(), 3);
        // The roll call: a fee is chosen and nobody has paid yet.
        QCOMPARE(f.fees->rowCount(), 16);
        QCOMPARE(f.fees->text(0, 1), QStringLiteral("Ann Abbott"));
        QCOMPARE(f.fees->text(15, 1), QStringLiteral("Zoë Brandt"));
        for (int r = 0; r < f.fees->rowCount(); ++r) {
            QVERIFY(!f.fees->isRowChecked(r));
            QCOMPARE(f.rowColour(r), kRed);
        }
        // A custom table loaded with its file; a Team tournament's roll call of teams.
        QVERIFY(f.load("sitout10.qmc"));
        QVERIFY(f.tab.optPayout1->isChecked());
        QCOMPARE(f.net(), QStringLiteral("$90.00"));
        QCOMPARE(f.payoutRows(f.payout), list("First $45.00|Second $30.00|Third $15.00"));
        QVERIFY(!f.session.payout().ChkPayout(f.session.currency()));
        QVERIFY(f.load("teams7.qmc"));
        QVERIFY(f.tab.optPayout0->isChecked());
        QCOMPARE(f.net(), QStringLiteral("$35.00"));
        QCOMPARE(f.fees->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Team Name"));
        QCOMPARE(f.fees->rowCount(), 7);
    }

    void optionClicksRebuildTheTable() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.session.refresh().takeLeaderRefresh();
        f.tab.optPayout1->click();
        QCOMPARE(f.session.state().payout.PayoutOption, 1);
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        QCOMPARE(f.payout->rowCount(), 0); // no custom amounts yet
        QCOMPARE(f.resultPayout->rowCount(), 0);
        f.tab.optPayout0->click();
        QCOMPARE(f.session.state().payout.PayoutOption, 0);
        QCOMPARE(f.payout->rowCount(), 3);
        QCOMPARE(f.resultPayout->text(0, 1), QStringLiteral("$80.00"));
    }

    void setupStoresTheAcceptedCustomTable() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.session.refresh().takeLeaderRefresh();
        rh::PayoutEditorRequest accepted;
        accepted.placeCount = 4;
        accepted.amounts = {70, 50, 25, 15};
        f.prompt.payoutResults.push_back(accepted);
        f.tab.cmdCustomPayout->click();
        QCOMPARE(f.prompt.requests.size(), std::size_t(1));
        const rh::PayoutEditorRequest& opened = f.prompt.requests.front();
        QCOMPARE(opened.placeCount, 0);
        QCOMPARE(opened.netPayoutText, std::string("$160.00"));
        QCOMPARE(opened.netPayout, 160.0);
        QCOMPARE(opened.entrants, 16);

        const rh::PayoutSettings& p = f.session.state().payout;
        QCOMPARE(p.PayoutOption, 1);
        QCOMPARE(p.CustomPayoutCount, 4);
        QVERIFY(f.tab.optPayout1->isChecked());
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        const QStringList custom = list("First $70.00|Second $50.00|Third $25.00|Fourth $15.00");
        QCOMPARE(f.payoutRows(f.payout), custom);
        QCOMPARE(f.payoutRows(f.resultPayout), custom);
        // Closing the worksheet refreshed the standings page.
        QVERIFY(std::filesystem::exists(rh::standingsPagePath(f.session)));

        // Opened again: the custom amounts go in; a cancel keeps them.
        f.tab.cmdCustomPayout->click();
        QCOMPARE(f.prompt.requests.back().placeCount, 4);
        QCOMPARE(f.prompt.requests.back().amounts[1], 50.0);
        QCOMPARE(f.payoutRows(f.payout), custom);
        QCOMPARE(p.CustomPayoutCount, 4);
    }

    void leavingTheTabAsksOncePerChange() {
        Fixture f;
        QVERIFY(f.load("sitout10.qmc"));
        // A table that adds up lets the director go.
        f.showTab(MainWindow::TabTimer);
        QVERIFY(f.prompt.shown.empty());
        f.showTab(MainWindow::TabLoadMoney);

        // A new entry fee: the custom table needs updating, and the director is told so.
        f.chooseEntryFee(15);
        QCOMPARE(f.net(), QStringLiteral("$140.00"));
        QCOMPARE(f.prompt.kinds(), std::vector<std::string>{kReminded[0]});
        QCOMPARE(f.prompt.messages().front().title, std::string("Update Custom Payouts"));
        QVERIFY(f.session.payout().ChkPayout(f.session.currency()));
        f.prompt.clear();

        // Leaving: asked once; a cancelled worksheet lets the director go, and the same table
        // is not asked about again on the next tab change.
        f.showTab(MainWindow::TabScores);
        QCOMPARE(f.prompt.kinds(), kReminded);
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabScores));
        f.prompt.clear();
        f.showTab(MainWindow::TabLoadMoney);
        f.showTab(MainWindow::TabTimer);
        QVERIFY(f.prompt.shown.empty());

        // The next change asks again; this time the table is put in order.
        f.showTab(MainWindow::TabLoadMoney);
        f.chooseEntryFee(20);
        QCOMPARE(f.net(), QStringLiteral("$190.00"));
        f.prompt.clear();
        rh::PayoutEditorRequest accepted;
        accepted.placeCount = 3;
        accepted.amounts = {95, 57, 38};
        f.prompt.payoutResults.push_back(accepted);
        f.showTab(MainWindow::TabScores);
        QCOMPARE(f.prompt.kinds(), kReminded);
        QCOMPARE(f.payoutRows(f.payout), list("First $95.00|Second $57.00|Third $38.00"));
        QVERIFY(!f.session.payout().ChkPayout(f.session.currency()));
        // Once in order, moving on asks nothing.
        f.prompt.clear();
        f.showTab(MainWindow::TabLeaders);
        QVERIFY(f.prompt.shown.empty());
    }

    void fewerThanThreeEntrantsAreAskedOnlyOnce() {
        Fixture f;
        rh::test::GeneratorOptions o;
        o.kind = rh::test::Kind::Team;
        o.entrants = 2;
        o.rounds = 1;
        o.entryFee = 10;
        f.loadGenerated(o);
        f.tab.optPayout1->click();
        QCOMPARE(f.net(), QStringLiteral("$20.00"));
        QVERIFY(f.session.payout().ChkPayout(f.session.currency()));
        f.prompt.clear();
        f.showTab(MainWindow::TabLeaders);
        QCOMPARE(f.prompt.kinds(), kReminded);
    }

    void expensesTypedAndLeftUpdateTheNetPayout() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.shownWithExpenses("12a.5.0$")); // only a number can be typed
        QLineEdit* box = f.tab.txtExpense;
        QCOMPARE(box->text(), QStringLiteral("12.50"));
        f.typeExpenses("200");
        // While typing the stored expenses still count.
        QCOMPARE(f.net(), QStringLiteral("$160.00"));
        f.leaveExpenses();
        QCOMPARE(f.session.tourney().Expenses(), 200.0);
        QCOMPARE(box->text(), QStringLiteral("$200.00"));
        QCOMPARE(f.net(), QStringLiteral("($40.00)"));
        QCOMPARE(f.netColour(), kRed);
        QVERIFY(!f.tab.optPayout0->isEnabled());
        QVERIFY(!f.tab.cmdCustomPayout->isEnabled());
        QCOMPARE(f.payoutRows(f.payout), list("First $0.00|Second $0.00|Third $0.00"));
        QVERIFY(f.session.refresh().leaderRefreshRequested());

        // An emptied box leaves the expenses out until it is left (then they are 0).
        box->setFocus();
        QCOMPARE(box->text(), QStringLiteral("200"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(f.net(), QStringLiteral("$160.00"));
        QCOMPARE(f.netColour(), kGreen);
        QVERIFY(f.tab.cmdCustomPayout->isEnabled());
        // Enter moves on to the bump fee, as leaving does.
        QTest::keyClicks(box, QStringLiteral("60"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.tab.cbBumpFee);
        QCOMPARE(f.net(), QStringLiteral("$100.00"));
        QCOMPARE(f.resultPayout->text(0, 1), QStringLiteral("$50.00"));
        QVERIFY(f.prompt.messages().empty()); // a standard table needs no reminder
    }

    void leavingTheExpensesRemindsOfACustomTable() {
        Fixture f;
        QVERIFY(f.load("sitout10.qmc"));
        QVERIFY(f.shownWithExpenses("20"));
        f.leaveExpenses();
        QCOMPARE(f.net(), QStringLiteral("$80.00"));
        QCOMPARE(f.prompt.countTitled("Update Custom Payouts"), 1);
        // Back to the old amount: the table adds up again and nothing is said.
        f.prompt.clear();
        f.typeExpenses("10");
        f.leaveExpenses();
        QVERIFY(f.prompt.shown.empty());
    }

    void expensesReadBackWithACommaDecimalPoint() {
        Fixture f;
        f.session.setCurrency(rh::CurrencyFormat{"€", ",", ".", 3, 2, true, true});
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.shownWithExpenses("12.5"));
        f.leaveExpenses();
        QCOMPARE(f.session.tourney().Expenses(), 12.5);
        QCOMPARE(f.tab.txtExpense->text(), QStringLiteral("12,50 €"));
        QCOMPARE(f.net(), QStringLiteral("147,50 €"));
        f.tab.txtExpense->setFocus();
        QCOMPARE(f.tab.txtExpense->text(), QStringLiteral("12.5"));
        f.leaveExpenses();
        QCOMPARE(f.session.tourney().Expenses(), 12.5);
    }

    void entryFeeRollCall() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        GridModel* fees = f.fees;
        // No fee: everyone ticked and green, whatever is stored.
        rh::storeChange(f.session, Change::count(rh::ChangeKind::EntryFeePaid,
                                                 fees->tag(0).toStdString(), "0"));
        f.chooseEntryFee(0);
        for (int r = 0; r < fees->rowCount(); ++r) {
            QVERIFY(fees->isRowChecked(r));
            QCOMPARE(f.rowColour(r, 0), kGreen);
        }
        QCOMPARE(f.feePaid(fees->tag(0)), std::optional<bool>(false));

        // A fee: the marks show; ticking stores 1 and turns green, clearing stores 0 and red.
        f.chooseEntryFee(10);
        QVERIFY(!fees->isRowChecked(0));
        f.tick(2, true);
        QCOMPARE(f.feePaid(fees->tag(2)), std::optional<bool>(true));
        QCOMPARE(f.rowColour(2), kGreen);
        f.tick(2, false);
        QCOMPARE(f.feePaid(fees->tag(2)), std::optional<bool>(false));
        QCOMPARE(f.rowColour(2), kRed);
        f.tick(5, true);
        const QString paid = fees->tag(5);

        // Sorting by name keeps each row's box, and the colours follow the boxes.
        fees->setSortDirection(false); // the next heading click sorts descending
        emit f.tab.lvEntryFee->header()->sectionClicked(1);
        QCOMPARE(fees->text(0, 1), QStringLiteral("Zoë Brandt"));
        QVERIFY(fees->findTag(paid) != 5);
        QVERIFY(fees->isRowChecked(fees->findTag(paid)));
        for (int r = 0; r < fees->rowCount(); ++r)
            QCOMPARE(f.rowColour(r), fees->isRowChecked(r) ? kGreen : kRed);

        // Showing the tab again reads the marks afresh.
        const QString first = fees->tag(0);
        rh::storeChange(f.session,
                        Change::count(rh::ChangeKind::EntryFeePaid, first.toStdString(), "1"));
        f.showTab(MainWindow::TabLoadMoney);
        QVERIFY(fees->isRowChecked(fees->findTag(first)));

        // Set All stores 1 for everyone; Clear All stores 0 for everyone.
        for (const bool all : {true, false}) {
            (all ? f.tab.cmdSetAll : f.tab.cmdClearAll)->click();
            for (int r = 0; r < fees->rowCount(); ++r) {
                QCOMPARE(fees->isRowChecked(r), all);
                QCOMPARE(f.feePaid(fees->tag(r)), std::optional<bool>(all));
                QCOMPARE(f.rowColour(r), all ? kGreen : kRed);
            }
        }
        QVERIFY(f.prompt.shown.empty());
    }

    void worksheetCountsFollowTheEntrants() {
        QCOMPARE(Editor(request(50, 5)).counts(), list("03|04|05"));
        QCOMPARE(Editor(request(20, 2)).counts(), QStringList());
        QCOMPARE(Editor(request(500, 60)).counts(), list("03|04|05|06|07|08"));
        // A count no longer offered is reported, and the amounts stay.
        Editor e(request(100, 5, 6, {40, 20, 15, 10, 10, 5}));
        QCOMPARE(e.prompt.countTitled("SetPayoutIndex"), 1);
        QCOMPARE(e->cbPayouts->currentIndex(), -1);
        QCOMPARE(e.box(5)->text(), QStringLiteral("$5.00"));
    }

    void worksheetThreePlacesBalancedAreAccepted() {
        Editor e(request(240, 24));
        QVERIFY(e.choose("03"));
        QCOMPARE(e.boxTexts(3), list("$120.00|$72.00|$48.00"));
        QCOMPARE(e.percent(0) + e.percent(1) + e.percent(2), QStringLiteral("50%30%20%"));
        QCOMPARE(e.remaining(), QStringLiteral("$0.00"));
        QCOMPARE(e.remainingBack(), QColor(255, 255, 255));
        QVERIFY(e.box(2)->isEnabled() && !e.box(3)->isEnabled());
        // Balanced: OK accepts without a question.
        e->OKButton->click();
        QVERIFY(e->wasAccepted());
        QCOMPARE(e->result().placeCount, 3);
        QCOMPARE(e->result().amounts[2], 48.0);
        QVERIFY(e.prompt.shown.empty());
        QVERIFY(!e->isVisible());
    }

    void worksheetRefreshAppliesEightPlaces() {
        Editor e(request(500, 40, 3, {200, 200, 100}));
        QCOMPARE(e->cbPayouts->currentText(), QStringLiteral("03"));
        QCOMPARE(e.boxTexts(3), list("$200.00|$200.00|$100.00"));
        QCOMPARE(e.percent(1), QStringLiteral("40%"));
        e->cbPayouts->setCurrentIndex(e->cbPayouts->findText(QStringLiteral("08")));
        // Only Refresh (or a choice by the director) re-applies the count.
        QCOMPARE(e.box(0)->text(), QStringLiteral("$200.00"));
        e->cmdRefreshPayouts->click();
        QCOMPARE(e.boxTexts(8), list("$190.00|$100.00|$75.00|$50.00|$35.00|$25.00|$15.00|$10.00"));
        QCOMPARE(e.percent(7), QStringLiteral("2%"));
        // Clear empties the boxes; nothing to pay out is nothing to accept.
        e->cmdClear->click();
        QCOMPARE(e.boxTexts(2), (QStringList{QString(), QString()}));
        QCOMPARE(e.percent(0), QStringLiteral("0%"));
        QCOMPARE(e.remaining(), QStringLiteral("$500.00"));
        QVERIFY(!e->OKButton->isEnabled());
    }

    void worksheetFundsLeftAskToContinue() {
        Editor e(request(240, 24));
        QVERIFY(e.choose("03"));
        e.type(2, "47.6");
        QCOMPARE(e.box(2)->text(), QStringLiteral("$47.60"));
        QCOMPARE(e.remaining(), QStringLiteral("$0.40"));
        QCOMPARE(e.remainingBack(), QColor(180, 255, 180));
        // Yes: back to the boxes, nothing accepted.
        e.prompt.answers = {rh::MsgAnswer::Yes, rh::MsgAnswer::No};
        e->OKButton->click();
        QCOMPARE(e.prompt.messages().size(), std::size_t(1));
        QCOMPARE(e.prompt.messages().front().text,
                 std::string("Error - You have more Funds to Allocate, continue"));
        QVERIFY(!e->wasAccepted() && e->isVisible());
        QCOMPARE(e->result().placeCount, 0); // still as handed in
        QTRY_VERIFY(e.box(0)->hasFocus());
        // No: accepted as it stands.
        e->OKButton->click();
        QVERIFY(e->wasAccepted());
        QCOMPARE(e->result().amounts[2], 47.6);
    }

    void worksheetPayoutsAboveTheNetAreRefused() {
        Editor e(request(240, 24));
        QVERIFY(e.choose("03"));
        e.type(0, "121");
        QCOMPARE(e.remaining(), QStringLiteral("($1.00)"));
        QCOMPARE(e.remainingBack(), QColor(255, 180, 180));
        QVERIFY(!e->OKButton->isEnabled());
        // Within half a unit OK is offered, and still refused while the sum is too high.
        e.type(0, "120.3");
        QVERIFY(e->OKButton->isEnabled());
        e->OKButton->click();
        QCOMPARE(e.prompt.messages().size(), std::size_t(1));
        QCOMPARE(e.prompt.messages().front().text,
                 std::string("Error - The Payouts exceed Available Funds"));
        QVERIFY(!e->wasAccepted());
        QTRY_VERIFY(e.box(0)->hasFocus());
    }

    void worksheetTypingKeepsOneDecimalPointAndEnterMovesOn() {
        Editor e(request(100, 10));
        QVERIFY(e.choose("03"));
        e.box(1)->setFocus(Qt::TabFocusReason);
        e.box(1)->selectAll();
        QTest::keyClicks(e.box(1), QStringLiteral("12.5.x-"));
        QCOMPARE(e.box(1)->text(), QStringLiteral("12.5"));
        QCOMPARE(e.remaining(), QStringLiteral("$17.50")); // 100 - 50 - 12.50 - 20
        // Enter is not typed: it moves to the next box, which shows its plain number selected.
        QTest::keyClick(e.box(1), Qt::Key_Return);
        QCOMPARE(e.box(1)->text(), QStringLiteral("$12.50"));
        QCOMPARE(e.percent(1), QStringLiteral("13%"));
        QVERIFY(e.box(2)->hasFocus());
        QCOMPARE(e.box(2)->text(), QStringLiteral("20"));
        QTRY_COMPARE(e.box(2)->selectedText(), QStringLiteral("20"));
    }

    void worksheetCancelHandsBackWhatCameIn() {
        Editor e(request(240, 24, 3, {100, 90, 50}));
        QVERIFY(e.choose("05"));
        e->CancelButton->click();
        QVERIFY(!e->wasAccepted());
        QCOMPARE(e->result().placeCount, 3);
        QCOMPARE(e->result().amounts[1], 90.0);
        QCOMPARE(e->worksheet().PlaceCount(), 3);
        QVERIFY(!e->isVisible());
    }
};

QTEST_MAIN(MoneyTest)
#include "money_test.moc"
