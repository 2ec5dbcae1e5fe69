// The HTML standings page: its exact bytes, its rows, escaping, and where and when it is written.
#include "engine_fixture.h"
#include "publishing/html.h"
#include "services/standings_page.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace rh;
using rh::test::TempDir;
using rh::test::Tourney;

namespace {

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

// The page's bytes for whole tournaments, and a row that cannot be built, are in the golden folders
// (golden_test, data/golden/html).
TEST(HtmlPage, RefreshFollowsTheTick) {
    Tourney t(4);
    EXPECT_EQ(count(buildHtmlPage(t.session(), true), "CONTENT=\"1\""), 1);
    EXPECT_EQ(count(buildHtmlPage(t.session(), false), "CONTENT=\"15\""), 1);
}

TEST(HtmlEscape, SpecialsAndCharactersBeyondAscii) {
    EXPECT_EQ(htmlEscape("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
    EXPECT_EQ(htmlEscape("12,50 €"), "12,50 &#8364;");
    EXPECT_EQ(htmlEscape("\xF0\x9F\x83\x8F"), "&#127183;");
    EXPECT_EQ(htmlEscape("plain"), "plain");
    EXPECT_EQ(htmlEscape("bad \xE9 byte"), "bad &#233; byte");
}

TEST(HtmlName, OnlyANameThatCouldTurnTheWritingDirectionIsIsolated) {
    const std::pair<const char*, const char*> cases[] = {
        {"Ann & Bob", "Ann &amp; Bob"},
        {"Zo\xC3\xAB", "Zo&#235;"},
        {"bad \xE9 byte", "bad &#233; byte"},
        {"\xD7\xA9\xD7\xA8\xD7\x94 Sara", "<bdi>&#1513;&#1512;&#1492; Sara</bdi>"},      // Hebrew
        {"\xD8\xB3\xD8\xA7\xD8\xB1\xD8\xA9", "<bdi>&#1587;&#1575;&#1585;&#1577;</bdi>"}, // Arabic
        {"\xE2\x80\xAE"
         "Eve",
         "<bdi>&#8238;Eve</bdi>"}, // right-to-left override
        {"\xE2\x80\xAA"
         "Eve",
         "<bdi>&#8234;Eve</bdi>"},                    // left-to-right embedding
        {"Gus\xE2\x80\x8F", "<bdi>Gus&#8207;</bdi>"}, // right-to-left mark
        {"Hal \xE2\x81\xA6"
         "Iso",
         "<bdi>Hal &#8294;Iso</bdi>"}, // left-to-right isolate
        {"\xD8\x9C"
         "Ali",
         "<bdi>&#1564;Ali</bdi>"}, // Arabic letter mark
        {"\xE2\x80\xAF"
         "Ann",
         "&#8239;Ann"}, // a narrow space is no control
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(htmlName(name), shown) << name;
}

TEST(PublishHtml, WritesTheCodesFileInTheTemporaryFolder) {
    TempDir dir;
    Tourney t(4);
    EXPECT_EQ(standingsPagePath(t.session()), privateFolder(dir).string() + "/QuillmarkT1.html");
    ASSERT_TRUE(publishStandingsPage(t.session(), false));
    std::string written = rh::test::readFile(privateFolder(dir) / "QuillmarkT1.html");
    EXPECT_EQ(written, buildHtmlPage(t.session(), false));
    // The page is replaced whole; no temporary file is left beside it.
    t.apply(Change::score(1, "03", "11"));
    ASSERT_TRUE(publishStandingsPage(t.session(), true));
    EXPECT_NE(rh::test::readFile(privateFolder(dir) / "QuillmarkT1.html"), written);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(privateFolder(dir))) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
    EXPECT_FALSE(htmlBusy());
}

TEST(PublishHtml, NothingIsWrittenBeforeATournamentIsLoaded) {
    TempDir dir;
    Tourney t(4);
    t.session().markEmpty();
    EXPECT_FALSE(publishStandingsPage(t.session(), false));
    EXPECT_FALSE(std::filesystem::exists(privateFolder(dir) / "QuillmarkT1.html"));
}

TEST(PublishHtml, AFailedWriteIsReportedAndKeepsTheOldPage) {
    TempDir dir;
    Tourney t(4);
    ASSERT_TRUE(publishStandingsPage(t.session(), false));
    std::string old = rh::test::readFile(privateFolder(dir) / "QuillmarkT1.html");
    // The page's temporary file has a name of its own each time: something planted under the
    // page's name plus ".tmp" is never in the way (nor written through).
    std::filesystem::create_directory(privateFolder(dir) / "QuillmarkT1.html.tmp");
    t.apply(Change::score(1, "01", "09"));
    EXPECT_TRUE(publishStandingsPage(t.session(), false));
    EXPECT_NE(rh::test::readFile(privateFolder(dir) / "QuillmarkT1.html"), old);
    old = rh::test::readFile(privateFolder(dir) / "QuillmarkT1.html");

    // A folder that is gone: reported, and the page written before stays as it was.
    const std::string page = (privateFolder(dir) / "QuillmarkT1.html").string();
    t.session().setTempDir((dir / "missing").string());
    EXPECT_FALSE(publishStandingsPage(t.session(), false));
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
