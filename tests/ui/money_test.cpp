// The "Load / Money" tab's money side on a real window with the presenters installed: a loaded
// tournament's fees, net payout and payout table, the payout options, the custom payout set-up
// through the worksheet and the reminder that keeps asking while the table does not add up, the
// expenses box, and the entry-fee roll call.
#include "core/scripted_prompt.h"
#include "model_helpers.h"
#include "publishing/html.h"
#include "services/load_save.h"
#include "services/session.h"
#include "services/standings_page.h"
#include "support/generator.h"
#include "support/temp_dir.h"
#include "ui/grid_model.h"
#include "ui/grid_sort.h"
#include "ui/main_window.h"
#include "ui/money_presenter.h"
#include "ui/presenters.h"
#include "ui/tab_money.h"
#include "ui/tab_results.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

#include <deque>
#include <filesystem>
#include <optional>

using rh::ui::GridModel;
using rh::ui::MainWindow;

namespace {

/// The scripted prompt, also keeping every request the worksheet was opened with and answering
/// the worksheet from a script of its own: a result accepts it, nothing cancels it.
class RecordingPrompt : public rh::ScriptedPrompt {
public:
    std::vector<rh::PayoutEditorRequest> requests;
    std::deque<std::optional<rh::PayoutEditorRequest>> worksheet;

    bool editPayouts(rh::PayoutEditorRequest& request) override {
        requests.push_back(request);
        if (worksheet.empty())
            return ScriptedPrompt::editPayouts(request);
        shown.push_back(Shown{"payouts", {}, {}, {}, false});
        std::optional<rh::PayoutEditorRequest> answer = worksheet.front();
        worksheet.pop_front();
        if (!answer)
            return false;
        request = *answer;
        return true;
    }
    std::vector<std::string> kinds() const {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            out.push_back(s.kind == "message" ? s.message.text : s.kind);
        return out;
    }
};

rh::PayoutEditorRequest accepted(int count, std::array<double, 8> amounts) {
    rh::PayoutEditorRequest r;
    r.placeCount = count;
    r.amounts = amounts;
    return r;
}

const QColor kGreen(0, 153, 51);
const QColor kRed(255, 0, 0);

struct Fixture {
    rh::test::TempDir temp; // before the session: it reads the temporary folder once
    RecordingPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};

    Fixture() { rh::ui::installPresenters(window); }

    rh::ui::MoneyTab& tab() const { return *window.moneyTab(); }
    rh::ui::MoneyPresenter* presenter() const {
        return window.findChild<rh::ui::MoneyPresenter*>();
    }
    GridModel* payout() const { return qobject_cast<GridModel*>(tab().lvPayout->model()); }
    GridModel* resultPayout() const {
        return qobject_cast<GridModel*>(window.resultsTab()->lvResultPayout->model());
    }
    GridModel* fees() const { return qobject_cast<GridModel*>(tab().lvEntryFee->model()); }

    bool load(const char* file) {
        const std::string path = std::string(RANKHALL_SOURCE_DIR) + "/examples/" + file;
        if (!rh::loadTournament(session, path, [this] { showLoaded(); }))
            return false;
        prompt.clear();
        return true;
    }
    /// The tournament built in the session's state, finished as a load finishes.
    void afterLoad() {
        rh::finishLoad(session, [this] { showLoaded(); });
        prompt.clear();
    }
    /// What the window's after-load refresh does around the views' own refresh.
    void showLoaded() {
        window.FillFeeLists();
        window.AdminSummary();
        window.notifyTournamentLoaded();
    }
    QStringList payoutRows(const GridModel* model) const {
        QStringList out;
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->text(r, 0) + QLatin1Char(' ') + model->text(r, 1);
        return out;
    }
    QColor netColour() const { return tab().lblNetPayout->palette().color(QPalette::WindowText); }
    void chooseEntryFee(double amount) const {
        QVERIFY(rh::ui::MoneyTab::selectFee(tab().cbEntryFee, amount));
    }
    /// The director ticks or clears a row's box (what the view does on a click).
    void tick(int row, bool on) const {
        fees()->setData(fees()->index(row, 0), on ? Qt::Checked : Qt::Unchecked,
                        Qt::CheckStateRole);
    }
    QColor rowColour(int row, int column = 1) const {
        return fees()->data(fees()->index(row, column), Qt::ForegroundRole).value<QColor>();
    }
};

} // namespace

class MoneyTest : public QObject {
    Q_OBJECT
private slots:
    void moneyInputsWaitForATournament() {
        Fixture f;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 f.tab().cbEntryFee, f.tab().txtExpense, f.tab().cbBumpFee, f.tab().cbWoodFee,
                 f.tab().txtJackpotTitle, f.tab().optPayout0, f.tab().optPayout1,
                 f.tab().cmdCustomPayout})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(f.tab().lblNetPayout->text().isEmpty());
        QCOMPARE(f.payout()->rowCount(), 0);
    }

    void loadShowsFeesNetPayoutAndTheStandardTable() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        rh::ui::MoneyTab& t = f.tab();
        QCOMPARE(t.cbEntryFee->currentText(), QStringLiteral("$10.00"));
        QCOMPARE(t.cbBumpFee->currentText(), QStringLiteral("$0.25"));
        QCOMPARE(t.cbWoodFee->currentText(), QStringLiteral("$0.50"));
        QCOMPARE(t.txtExpense->text(), QStringLiteral("0"));
        QCOMPARE(t.lblNetPayout->text(), QStringLiteral("$160.00"));
        QCOMPARE(f.netColour(), kGreen);
        QVERIFY(t.optPayout0->isChecked());
        for (QWidget* w : std::initializer_list<QWidget*>{t.cbEntryFee, t.txtExpense, t.cbBumpFee,
                                                          t.txtJackpotTitle, t.optPayout0,
                                                          t.optPayout1, t.cmdCustomPayout})
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        const QStringList standard{QStringLiteral("First $80.00"), QStringLiteral("Second $48.00"),
                                   QStringLiteral("Third $32.00")};
        QCOMPARE(f.payoutRows(f.payout()), standard);
        QCOMPARE(f.payoutRows(f.resultPayout()), standard);
        QCOMPARE(f.window.NumOfPayouts(), 3);
        QCOMPARE(f.payout()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Payout"));
        QCOMPARE(f.window.resultsTab()->lvResultPayout->columnWidth(1), 1950 / 15);
        QCOMPARE(t.lvPayout->columnWidth(1), 1850 / 15);
        // Loading stored nothing it did not read, and asked nothing.
        QVERIFY(f.prompt.shown.empty());

        // The roll call: a fee is chosen and nobody has paid yet.
        GridModel* fees = f.fees();
        QCOMPARE(fees->rowCount(), 16);
        QCOMPARE(fees->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Player Name"));
        QCOMPARE(fees->text(0, 1), QStringLiteral("Ann Abbott"));
        QCOMPARE(fees->text(15, 1), QStringLiteral("Zoë Brandt"));
        for (int r = 0; r < fees->rowCount(); ++r) {
            QVERIFY(!fees->isRowChecked(r));
            QCOMPARE(f.rowColour(r), kRed);
        }
    }

    void loadedCustomTableAndTeamHeadings() {
        Fixture f;
        QVERIFY(f.load("sitout10.qmc"));
        QVERIFY(f.tab().optPayout1->isChecked());
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$90.00"));
        QCOMPARE(f.payoutRows(f.payout()),
                 (QStringList{QStringLiteral("First $45.00"), QStringLiteral("Second $30.00"),
                              QStringLiteral("Third $15.00")}));
        QVERIFY(!f.session.payout.ChkPayout(f.session.currency()));

        QVERIFY(f.load("teams7.qmc"));
        QVERIFY(f.tab().optPayout0->isChecked());
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$35.00"));
        QCOMPARE(f.fees()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Team Name"));
        QCOMPARE(f.fees()->rowCount(), 7);
    }

    void optionClicksRebuildTheTable() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.session.refresh().takeLeaderRefresh();
        f.tab().optPayout1->click();
        QCOMPARE(f.session.state().payout.PayoutOption, 1);
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        QCOMPARE(f.payout()->rowCount(), 0); // no custom amounts yet
        QCOMPARE(f.resultPayout()->rowCount(), 0);
        f.tab().optPayout0->click();
        QCOMPARE(f.session.state().payout.PayoutOption, 0);
        QCOMPARE(f.payout()->rowCount(), 3);
        QCOMPARE(f.resultPayout()->text(0, 1), QStringLiteral("$80.00"));
    }

    void setupStoresTheAcceptedCustomTable() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.session.refresh().takeLeaderRefresh();
        f.prompt.payoutResults.push_back(accepted(4, {70, 50, 25, 15}));
        f.tab().cmdCustomPayout->click();

        QCOMPARE(f.prompt.requests.size(), std::size_t(1));
        const rh::PayoutEditorRequest& opened = f.prompt.requests.front();
        QCOMPARE(opened.placeCount, 0);
        QCOMPARE(opened.netPayoutText, std::string("$160.00"));
        QCOMPARE(opened.netPayout, 160.0);
        QCOMPARE(opened.entrants, 16);

        const rh::PayoutSettings& p = f.session.state().payout;
        QCOMPARE(p.PayoutOption, 1);
        QCOMPARE(p.CustomPayoutCount, 4);
        QCOMPARE(p.CustomPayouts[3], 15.0);
        QVERIFY(f.tab().optPayout1->isChecked());
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        QVERIFY(f.session.payout.PayoutsEnabled());
        const QStringList custom{QStringLiteral("First $70.00"), QStringLiteral("Second $50.00"),
                                 QStringLiteral("Third $25.00"), QStringLiteral("Fourth $15.00")};
        QCOMPARE(f.payoutRows(f.payout()), custom);
        QCOMPARE(f.payoutRows(f.resultPayout()), custom);
        // Closing the worksheet refreshed the standings page.
        QVERIFY(std::filesystem::exists(rh::standingsPagePath(f.session)));

        // Opened again: the custom amounts go in; a cancel keeps them.
        f.tab().cmdCustomPayout->click();
        QCOMPARE(f.prompt.requests.size(), std::size_t(2));
        QCOMPARE(f.prompt.requests.back().placeCount, 4);
        QCOMPARE(f.prompt.requests.back().amounts[1], 50.0);
        QCOMPARE(f.payoutRows(f.payout()), custom);
        QCOMPARE(p.CustomPayoutCount, 4);
    }

    void leavingTheTabAsksOncePerChange() {
        Fixture f;
        QVERIFY(f.load("sitout10.qmc"));
        // A standard or balanced table lets the director go.
        f.window.tabs()->setCurrentIndex(MainWindow::TabTimer);
        QVERIFY(f.prompt.shown.empty());
        f.window.tabs()->setCurrentIndex(MainWindow::TabLoadMoney);

        // A new entry fee: the custom table needs updating, and the director is told so.
        f.chooseEntryFee(15);
        QCOMPARE(f.session.tourney().EntryFee(), 15.0);
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$140.00"));
        QCOMPARE(f.prompt.kinds(), (std::vector<std::string>{"Update your custom payouts"}));
        const rh::Message told = f.prompt.messages().front();
        QCOMPARE(told.title, std::string("Update Custom Payouts"));
        QVERIFY(told.icon == rh::MsgIcon::Information);
        QVERIFY(f.session.payout.ChkPayout(f.session.currency()));
        f.prompt.clear();

        // Leaving: asked once; a cancelled worksheet lets the director go, and the same table
        // is not asked about again on the next tab change.
        f.prompt.worksheet = {std::nullopt};
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        QCOMPARE(f.prompt.kinds(),
                 (std::vector<std::string>{"Update your custom payouts", "payouts"}));
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabScores));
        f.prompt.clear();
        f.window.tabs()->setCurrentIndex(MainWindow::TabLoadMoney);
        f.window.tabs()->setCurrentIndex(MainWindow::TabTimer);
        QVERIFY(f.prompt.shown.empty());

        // The next change asks again; this time the table is put in order.
        f.window.tabs()->setCurrentIndex(MainWindow::TabLoadMoney);
        f.chooseEntryFee(20);
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$190.00"));
        f.prompt.clear();
        f.prompt.worksheet = {accepted(3, {95, 57, 38})};
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        QCOMPARE(f.prompt.kinds(),
                 (std::vector<std::string>{"Update your custom payouts", "payouts"}));
        QCOMPARE(f.payoutRows(f.payout()),
                 (QStringList{QStringLiteral("First $95.00"), QStringLiteral("Second $57.00"),
                              QStringLiteral("Third $38.00")}));
        QVERIFY(!f.session.payout.ChkPayout(f.session.currency()));
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabScores));

        // Once in order, moving on asks nothing.
        f.prompt.clear();
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        QVERIFY(f.prompt.shown.empty());
    }

    void fewerThanThreeEntrantsAreAskedOnlyOnce() {
        Fixture f;
        rh::test::GeneratorOptions o;
        o.kind = rh::test::Kind::Team;
        o.entrants = 2;
        o.rounds = 1;
        o.entryFee = 10;
        rh::test::generateTournament(f.session.state(), o);
        f.session.state().payout.PayoutOption = 1;
        f.afterLoad();
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$20.00"));
        QVERIFY(f.session.payout.ChkPayout(f.session.currency()));
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        QCOMPARE(f.prompt.kinds(),
                 (std::vector<std::string>{"Update your custom payouts", "payouts"}));
    }

    void expensesTypedAndLeftUpdateTheNetPayout() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QLineEdit* box = f.tab().txtExpense;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("200"));
        // While typing the stored expenses still count.
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$160.00"));
        f.tab().cbBumpFee->setFocus();
        QCOMPARE(f.session.tourney().Expenses(), 200.0);
        QCOMPARE(box->text(), QStringLiteral("$200.00"));
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("($40.00)"));
        QCOMPARE(f.netColour(), kRed);
        QVERIFY(!f.tab().optPayout0->isEnabled());
        QVERIFY(!f.tab().optPayout1->isEnabled());
        QVERIFY(!f.tab().cmdCustomPayout->isEnabled());
        QCOMPARE(f.payoutRows(f.payout()),
                 (QStringList{QStringLiteral("First $0.00"), QStringLiteral("Second $0.00"),
                              QStringLiteral("Third $0.00")}));
        QVERIFY(f.session.refresh().leaderRefreshRequested());

        // An emptied box leaves the expenses out until it is left (then they are 0).
        box->setFocus();
        QCOMPARE(box->text(), QStringLiteral("200"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$160.00"));
        QCOMPARE(f.netColour(), kGreen);
        QVERIFY(f.tab().cmdCustomPayout->isEnabled());
        QTest::keyClicks(box, QStringLiteral("60"));
        f.tab().cbWoodFee->setFocus();
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$100.00"));
        QCOMPARE(f.resultPayout()->text(0, 1), QStringLiteral("$50.00"));
        // A standard table needs no reminder.
        QVERIFY(f.prompt.messages().empty());
    }

    void leavingTheExpensesRemindsOfACustomTable() {
        Fixture f;
        QVERIFY(f.load("sitout10.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QLineEdit* box = f.tab().txtExpense;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("20"));
        f.tab().cbBumpFee->setFocus();
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("$80.00"));
        QCOMPARE(f.prompt.countTitled("Update Custom Payouts"), 1);
        // Back to the old amount: the table adds up again and nothing is said.
        f.prompt.clear();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("10"));
        f.tab().cbBumpFee->setFocus();
        QVERIFY(f.prompt.shown.empty());
    }

    void expensesReadBackWithACommaDecimalPoint() {
        Fixture f;
        f.session.setCurrency(rh::CurrencyFormat{"€", ",", ".", 3, 2, true, true});
        QVERIFY(
            rh::ResetAndLoad(f.session, std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc"));
        f.session.tourney().setExpenses(12.5);
        f.afterLoad();
        QLineEdit* box = f.tab().txtExpense;
        QCOMPARE(box->text(), QStringLiteral("12.5"));
        QCOMPARE(f.tab().lblNetPayout->text(), QStringLiteral("147,50 €"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        box->setFocus();
        QCOMPARE(box->text(), QStringLiteral("12.5"));
        f.tab().cbBumpFee->setFocus();
        QCOMPARE(f.session.tourney().Expenses(), 12.5);
        QCOMPARE(box->text(), QStringLiteral("12,50 €"));
        box->setFocus();
        QCOMPARE(box->text(), QStringLiteral("12.5"));
    }

    void entryFeeRollCall() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        rh::TournamentState& st = f.session.state();
        const auto fee = [&](const QString& tag) {
            return st.entrantRecord(rh::test::eid(tag)).entryFeePaid;
        };
        GridModel* fees = f.fees();
        const QString ann = fees->tag(0);

        // No fee: everyone ticked and green, whatever is stored.
        st.entrantRecord(rh::test::eid(ann)).entryFeePaid = false;
        f.chooseEntryFee(0);
        for (int r = 0; r < fees->rowCount(); ++r) {
            QVERIFY(fees->isRowChecked(r));
            QCOMPARE(f.rowColour(r, 0), kGreen);
        }
        QCOMPARE(fee(ann), std::optional<bool>(false));

        // A fee: the marks show; ticking stores 1 and turns green, clearing stores 0 and red.
        f.chooseEntryFee(10);
        QVERIFY(!fees->isRowChecked(0));
        f.tick(2, true);
        QCOMPARE(fee(fees->tag(2)), std::optional<bool>(true));
        QCOMPARE(f.rowColour(2), kGreen);
        f.tick(2, false);
        QCOMPARE(fee(fees->tag(2)), std::optional<bool>(false));
        QCOMPARE(f.rowColour(2), kRed);
        f.tick(5, true);
        const QString paid = fees->tag(5);

        // Sorting by name keeps each row's box, and the colours follow the boxes.
        fees->setSortDirection(false); // the next heading click sorts descending
        emit f.tab().lvEntryFee->header()->sectionClicked(1);
        QCOMPARE(fees->text(0, 1), QStringLiteral("Zoë Brandt"));
        const int moved = fees->findTag(paid);
        QVERIFY(moved != 5);
        QVERIFY(fees->isRowChecked(moved));
        for (int r = 0; r < fees->rowCount(); ++r)
            QCOMPARE(f.rowColour(r), fees->isRowChecked(r) ? kGreen : kRed);

        // Showing the tab again reads the marks afresh.
        st.entrantRecord(rh::test::eid(fees->tag(0))).entryFeePaid = true;
        const QString first = fees->tag(0);
        f.window.tabs()->setCurrentIndex(MainWindow::TabTimer);
        f.window.tabs()->setCurrentIndex(MainWindow::TabLoadMoney);
        QVERIFY(fees->isRowChecked(fees->findTag(first)));

        // Set All stores 1 for everyone; Clear All stores 0 for everyone.
        f.tab().cmdSetAll->click();
        for (int r = 0; r < fees->rowCount(); ++r) {
            QVERIFY(fees->isRowChecked(r));
            QCOMPARE(fee(fees->tag(r)), std::optional<bool>(true));
            QCOMPARE(f.rowColour(r), kGreen);
        }
        f.tab().cmdClearAll->click();
        for (int r = 0; r < fees->rowCount(); ++r) {
            QVERIFY(!fees->isRowChecked(r));
            QCOMPARE(fee(fees->tag(r)), std::optional<bool>(false));
            QCOMPARE(f.rowColour(r), kRed);
        }
        QVERIFY(f.prompt.shown.empty());
    }
};

QTEST_MAIN(MoneyTest)
#include "money_test.moc"
