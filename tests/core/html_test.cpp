// The HTML standings page: its exact bytes, its rows, escaping, and where and when it is written.
#include "engine_fixture.h"
#include "publishing/html.h"
#include "services/standings_page.h"
#include "services/views.h"
#include "standings/leader_rows.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace rh;
using rh::test::TempDir;
using rh::test::Tourney;

namespace {

/// The golden tournament: four players in round 2 of 3, a $100.00 standard payout, fines.
void fillGolden(Tourney& t) {
    t.tourney().setTourneyTitle("Spring Open");
    t.tourney().setBumpFee(0.25);
    t.tourney().setWoodFee(0.50);
    t.tourney().setCurrentRound(2);
    t.score(1, 1, 10);
    t.score(1, 2, 8);
    t.score(1, 3, 6);
    t.score(1, 4, 10);
    t.score(2, 1, 5);
    t.score(2, 2, 9);
    t.score(2, 4, 5);
    t.lones(2, 1);
    t.bumps(1, 2);
    t.woods(1, 1);
    t.bumps(4, 1);
    t.paid(4, true);
    t.woods(3, 1);
    t.net(25);
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

/// A prompt that runs an action whenever a message is shown (a re-entrant event).
class ReentrantPrompt : public ScriptedPrompt {
public:
    std::function<void()> onShow;
    MsgAnswer show(const Message& m) override {
        if (onShow)
            onShow();
        return ScriptedPrompt::show(m);
    }
};

} // namespace

TEST(HtmlPage, MatchesTheGoldenPageByteForByte) {
    Tourney t(4, 3, true, {"Ann", "Bob", "Cy", "Di"});
    fillGolden(t);
    std::string expected =
        rh::test::readFile(std::filesystem::path(RANKHALL_TEST_DATA_DIR) / "standings_page.html");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(buildHtmlPage(t.session, false), expected);
}

TEST(HtmlPage, RefreshFollowsTheTick) {
    Tourney t(4);
    EXPECT_EQ(count(buildHtmlPage(t.session, true), "CONTENT=\"1\""), 1);
    EXPECT_EQ(count(buildHtmlPage(t.session, false), "CONTENT=\"15\""), 1);
}

TEST(HtmlPage, RowsFollowTheStandingsGrid) {
    Tourney t(12);
    t.net(10);
    for (int id = 1; id <= 12; ++id)
        t.score(1, id, (id * 7) % 13);
    std::string page = buildHtmlPage(t.session, false);
    auto rows = leaderGridRows(t.session);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(count(page, "<tr><td style=\"WIDTH:18%;"), 12);
    EXPECT_EQ(count(page, "</td></tr>\r\n"), 12);
    std::size_t at = 0;
    for (const LeaderRow& r : rows) {
        std::string first = "\">" + r.entry[kLeaderName] + "</td>";
        auto found = page.find(first, at);
        ASSERT_NE(found, std::string::npos) << r.entry[kLeaderName];
        at = found + 1;
    }
    // Every line ends with CR LF.
    EXPECT_EQ(count(page, "\n"), count(page, "\r\n"));
}

TEST(HtmlPage, UserTextsAreEscaped) {
    Tourney t(2, 3, true, {"Tom & \"Jerry\"", "<b>O'Neil</b>"});
    t.tourney().setTourneyTitle("Fish & Chips <Open>");
    t.tourney().setTourneyCode("A<1>");
    t.tourney().setJackpotTitle("Mr's \"Pot\"");
    t.state().names.Remove("01");
    t.state().names.Add("Zoë", "01");
    t.score(1, 1, 5);
    t.score(1, 2, 4);
    std::string page = buildHtmlPage(t.session, false);
    EXPECT_NE(page.find(">Fish &amp; Chips &lt;Open&gt;</th>"), std::string::npos);
    EXPECT_NE(page.find(">A&lt;1&gt;</th></tr>"), std::string::npos);
    EXPECT_NE(page.find(">Mr&#39;s &quot;Pot&quot;: $0.00</th></tr>"), std::string::npos);
    EXPECT_NE(page.find(">Zo&#235;</td>"), std::string::npos);
    EXPECT_NE(page.find(">&lt;b&gt;O&#39;Neil&lt;/b&gt;</td>"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    for (unsigned char c : page)
        ASSERT_LT(c, 0x80);
}

TEST(HtmlEscape, SpecialsAndCharactersBeyondAscii) {
    EXPECT_EQ(htmlEscape("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
    EXPECT_EQ(htmlEscape("12,50 €"), "12,50 &#8364;");
    EXPECT_EQ(htmlEscape("\xF0\x9F\x83\x8F"), "&#127183;");
    EXPECT_EQ(htmlEscape("plain"), "plain");
    EXPECT_EQ(htmlEscape("bad \xE9 byte"), "bad &#233; byte");
}

TEST(HtmlPage, ColoursOfMoneyAndDebt) {
    Tourney t(5);
    t.net(20);
    t.tourney().setBumpFee(1);
    t.totals({9, 8, 7, 6, 5});
    t.bumps(1, 1); // in the money, owes, not paid
    t.bumps(5, 1);
    t.paid(5, true); // out of the money, owes, paid
    std::string page = buildHtmlPage(t.session, false);
    auto rowOf = [&](const std::string& name) {
        auto b = page.find("\">" + name + "</td>");
        auto e = page.find("</tr>", b);
        return page.substr(page.rfind("<tr>", b), e - page.rfind("<tr>", b));
    };
    std::string top = rowOf("Entrant 01");
    EXPECT_EQ(count(top, "background-color:#66FF66;"), 6);
    EXPECT_EQ(count(top, "background-color:#FF3366;"), 4);
    std::string last = rowOf("Entrant 05");
    EXPECT_EQ(count(last, "background-color:#C0C0C0;"), 6);
    EXPECT_EQ(count(last, "background-color:#66FF66;"), 4);
    std::string plain = rowOf("Entrant 04");
    EXPECT_EQ(count(plain, "background-color:#C0C0C0;"), 10);
}

TEST(PublishHtml, WritesTheCodesFileInTheTemporaryFolder) {
    TempDir dir;
    Tourney t(4, 3, true, {"Ann", "Bob", "Cy", "Di"});
    fillGolden(t);
    EXPECT_EQ(standingsPagePath(t.session), dir.str() + "/QuillmarkT1.html");
    ASSERT_TRUE(publishStandingsPage(t.session, false));
    std::string written = rh::test::readFile(dir / "QuillmarkT1.html");
    EXPECT_EQ(written, buildHtmlPage(t.session, false));
    // The page is replaced whole; no temporary file is left beside it.
    t.score(2, 3, 11);
    ASSERT_TRUE(publishStandingsPage(t.session, true));
    EXPECT_NE(rh::test::readFile(dir / "QuillmarkT1.html"), written);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
    EXPECT_FALSE(htmlBusy());
}

TEST(PublishHtml, NothingIsWrittenBeforeATournamentIsLoaded) {
    TempDir dir;
    Tourney t(4);
    t.session.markEmpty();
    EXPECT_FALSE(publishStandingsPage(t.session, false));
    EXPECT_FALSE(std::filesystem::exists(dir / "QuillmarkT1.html"));
}

TEST(PublishHtml, AFailedWriteIsReportedAndKeepsTheOldPage) {
    TempDir dir;
    Tourney t(4);
    ASSERT_TRUE(publishStandingsPage(t.session, false));
    std::string old = rh::test::readFile(dir / "QuillmarkT1.html");
    // The page's temporary file has a name of its own each time: something planted under the
    // page's name plus ".tmp" is never in the way (nor written through).
    std::filesystem::create_directory(dir / "QuillmarkT1.html.tmp");
    t.score(1, 1, 9);
    EXPECT_TRUE(publishStandingsPage(t.session, false));
    EXPECT_NE(rh::test::readFile(dir / "QuillmarkT1.html"), old);
    old = rh::test::readFile(dir / "QuillmarkT1.html");

    // A folder that is gone: reported, and the page written before stays as it was.
    const std::string page = (dir / "QuillmarkT1.html").string();
    t.session.setTempDir((dir / "missing").string());
    EXPECT_FALSE(publishStandingsPage(t.session, false));
    EXPECT_EQ(t.prompt.countTitled("SaveHTMLFile"), 1);
    EXPECT_EQ(t.prompt.messages().back().icon, MsgIcon::Critical);
    EXPECT_NE(t.prompt.messages().back().text.find("Error # 76"), std::string::npos);
    EXPECT_EQ(rh::test::readFile(page), old);
}

TEST(PublishHtml, ANestedPublicationIsDropped) {
    TempDir dir;
    ReentrantPrompt prompt;
    Session session(prompt);
    session.tourney().setTourneyCode("N1");
    session.tourney().setTotalPlort(2);
    session.markRead();
    session.setTempDir((dir / "missing").string()); // the write fails and shows a message
    int nested = 0;
    bool nestedResult = true;
    prompt.onShow = [&] {
        ++nested;
        nestedResult = publishStandingsPage(session, false);
    };
    EXPECT_FALSE(publishStandingsPage(session, false));
    EXPECT_EQ(nested, 1);
    EXPECT_FALSE(nestedResult);
    EXPECT_FALSE(htmlBusy());
}

TEST(HtmlPage, ARowErrorIsReportedAndThePageStillWritten) {
    TempDir dir;
    Tourney t(3);
    t.score(1, 2, "40000"); // a damaged file
    ASSERT_TRUE(publishStandingsPage(t.session, false));
    auto messages = t.prompt.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Rankhall");
    EXPECT_EQ(messages[0].text, "Create HTML Table Row: Overflow");
    std::string page = rh::test::readFile(dir / "QuillmarkT1.html");
    EXPECT_EQ(count(page, "<td"), 0);
    EXPECT_NE(page.find("</table></body></html>\r\n"), std::string::npos);
}
