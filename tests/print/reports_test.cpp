// The treasurer's report read back from its PDF: a generated evening's figures and a roll call long
// enough to run over pages with its heading row repeated, and what it says without a roll call. The
// other printed reports are in the command-line golden folders (data/golden/export).
#include "core/ids.h"
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "pdf_reader.h"
#include "print/reports.h"
#include "services/session.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using namespace rh;
using namespace rh::print;

std::string squeezed(const std::string& text) {
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

class ReportsTest : public ::testing::Test {
protected:
    ReportsTest() : session(prompt) {
        test::GeneratorOptions o;
        o.entrants = 100;
        o.rounds = 6;
        o.scoredRounds = 6;
        o.seed = 11;
        o.names = {"Smith, \"Red\"", "Kit <Lucky> King"};
        test::generateTournament(session.state(), o);
        for (int id = 1; id <= 100; id += 2)
            session.state().entrantRecord(*entrantIdOf(id)).entryFeePaid = true;
        session.markRead();
        session.markViewsFilled();
        session.refresh().requestPayoutRebuild();
        session.payout().setPayoutsEnabled(true);
        session.payout().InitPayoutControls(true);
        session.payout().UpdateNetPayout(session);
    }

    std::string write(const Document& document, const std::string& name) {
        const std::string path = (dir / name).string();
        QString error;
        EXPECT_TRUE(writePdf(QString::fromStdString(path), Paper::Letter, document, &error))
            << error.toStdString();
        return path;
    }

    test::TempDir dir;
    ScriptedPrompt prompt;
    Session session;
};

TEST_F(ReportsTest, TreasurersReportStatesEveryFigureAndTheFormula) {
    const TreasurerReport report = treasurerReport(session);
    ASSERT_TRUE(report.figures.balances());
    const ReportDocument document = treasurerDocument(report);
    const std::string path = write(document, "treasurer.pdf");
    const int pages = rh::test::pdfPageCount(path);
    EXPECT_EQ(pages, treasurerReportPageCount(pageLayout(Paper::Letter), report));
    ASSERT_GE(pages, 3);
    // The roll call runs over the first page; its heading row comes again on the next.
    EXPECT_NE(rh::test::pdfText(path, 2, 2).find("Player Name ID Entry Fee Collected"),
              std::string::npos);
    const std::string text = squeezed(rh::test::pdfText(path));
    EXPECT_NE(text.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)),
              std::string::npos);
    EXPECT_NE(text.find("50 paid, 50 not paid"), std::string::npos);
    EXPECT_NE(text.find("Smith, \"Red\" 01 Paid $10.00"), std::string::npos);
    EXPECT_NE(text.find("Kit <Lucky> King 02 Not paid"), std::string::npos);
    const std::pair<const char*, const MoneyText*> figures[] = {
        {"Entry fees collected", &report.feesCollected},
        {"Entry fees still owed", &report.feesOwed},
        {"Net payout", &report.netPayout},
        {"Prizes paid out", &report.prizesPaid},
        {"Fines collected", &report.finesCollected},
        {"Fines still owed", &report.finesOwed},
        {"Jackpot paid out", &report.jackpotPaid},
        {"Cash that should be in the box", &report.cash},
    };
    for (const auto& [label, amount] : figures)
        EXPECT_NE(text.find(std::string(label) + " " + amount->text), std::string::npos) << label;
    for (const PrizeLine& p : report.prizes)
        EXPECT_NE(text.find(p.place + " " + p.name + " " + p.amount.text), std::string::npos);
    EXPECT_NE(text.find(cashFormulaLines()[0]), std::string::npos);
    EXPECT_NE(text.find("the box balances"), std::string::npos);
}

TEST_F(ReportsTest, WithoutARollCallItSaysSoInsteadOfBalancing) {
    for (const EntrantRecord& r : session.state().entrants.records())
        session.state().entrantRecord(r.id).entryFeePaid.reset();
    const TreasurerReport report = treasurerReport(session);
    ASSERT_FALSE(report.rollCallKnown);
    const std::string text =
        squeezed(rh::test::pdfText(write(treasurerDocument(report), "unknown.pdf")));
    EXPECT_NE(text.find("who paid is unknown"), std::string::npos);
    EXPECT_NE(text.find("Smith, \"Red\" 01 Unknown"), std::string::npos);
    EXPECT_NE(text.find("Entry fees collected unknown"), std::string::npos);
    EXPECT_NE(text.find("Cash that should be in the box unknown"), std::string::npos);
    EXPECT_NE(text.find(squeezed(kRollCallUnknown)), std::string::npos);
    EXPECT_EQ(text.find("the box balances"), std::string::npos);
    EXPECT_EQ(text.find("Not paid"), std::string::npos);
    EXPECT_EQ(text.find("0 paid"), std::string::npos);
}

} // namespace
