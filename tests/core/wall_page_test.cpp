// The wall screen: what its page holds for a given description (escaping, the markers its script
// pages and themes by, nothing loaded from elsewhere). The pages drawn from whole tournaments are
// in the command-line golden folders (data/golden/html/wall*).
#include "publishing/wall_page.h"
#include "services/wall_input.h"

#include <gtest/gtest.h>

#include <string>

using namespace rh;

namespace {

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

WallInput sample() {
    WallInput in;
    in.title = "Spring Open";
    in.currentRound = 3;
    in.totalRounds = 8;
    in.rows = {{1, "Ann", "", 30, 1}, {1, "Bob", "Ace", 30, 0}, {2, "Cy", "", 25, 2}};
    in.playing = {{4, {"Ann", "Bob"}, {"Cy", "Di"}}};
    in.roundClock = "00:12:34";
    in.roundClockRunning = true;
    in.clockTakenAtMs = 1700000000000;
    in.finishEstimate = "9:45 PM";
    in.leaders = {{"Ann", {10, 20}}, {"Bob", {12, 18}}};
    return in;
}

} // namespace

TEST(WallPage, EscapesEveryTextOfTheTournament) {
    const std::string evil = "<b x=\"1\">'&'</b>";
    const std::string shown = "&lt;b x=&quot;1&quot;&gt;&#39;&amp;&#39;&lt;/b&gt;";
    struct Case {
        const char* what;
        void (*set)(WallInput&, const std::string&);
    };
    const Case cases[] = {
        {"title", [](WallInput& in, const std::string& s) { in.title = s; }},
        {"name", [](WallInput& in, const std::string& s) { in.rows[0].name = s; }},
        {"alias", [](WallInput& in, const std::string& s) { in.rows[1].alias = s; }},
        {"table side", [](WallInput& in, const std::string& s) { in.playing[0].sideB[1] = s; }},
        {"leader", [](WallInput& in, const std::string& s) { in.leaders[1].name = s; }},
        {"clock", [](WallInput& in, const std::string& s) { in.roundClock = s; }},
        {"finish", [](WallInput& in, const std::string& s) { in.finishEstimate = s; }},
        {"address", [](WallInput& in, const std::string& s) { in.shareAddress = s; }},
    };
    for (const Case& c : cases) {
        WallInput in = sample();
        c.set(in, evil);
        const std::string page = buildWallPage(in);
        EXPECT_EQ(count(page, "<b x="), 0) << c.what;
        EXPECT_GE(count(page, shown), 1) << c.what;
    }
    WallInput in = sample();
    in.rows[0].name = "Zo\xC3\xAB";
    EXPECT_NE(buildWallPage(in).find(">Zo&#235;<"), std::string::npos);
}

TEST(WallPage, IsolatesEachNameThatCouldTurnTheWritingDirection) {
    // An override left open would turn the rest of the row round (the total and lones after it).
    const std::string override = "\xE2\x80\xAE"
                                 "Eve"; // U+202E, then Eve
    void (*const setters[])(WallInput&, const std::string&) = {
        [](WallInput& in, const std::string& s) { in.rows[2].name = s; },
        [](WallInput& in, const std::string& s) { in.rows[1].alias = s; },
        [](WallInput& in, const std::string& s) { in.playing[0].sideA[0] = s; },
        [](WallInput& in, const std::string& s) { in.leaders[0].name = s; },
    };
    for (const auto set : setters) {
        WallInput in = sample();
        set(in, override);
        const std::string page = buildWallPage(in);
        EXPECT_EQ(count(page, "<bdi>&#8238;Eve</bdi>"), 1);
        EXPECT_EQ(count(page, "<bdi>"), 1);
    }
    EXPECT_EQ(count(buildWallPage(sample()), "<bdi>"), 0); // ordinary names keep their bytes
}

TEST(WallPage, CarriesThePagingAndThemeMarkers) {
    WallInput in = sample();
    std::string page = buildWallPage(in);
    EXPECT_NE(page.find("<body class=\"theme-dark\" data-theme=\"dark\" data-page-ms=\"" +
                        std::to_string(kWallPageMs) + "\" data-refresh-ms=\"15000\">"),
              std::string::npos);
    EXPECT_GE(kWallPageMs, 8000);
    EXPECT_NE(page.find("<noscript><meta http-equiv=\"refresh\" content=\"15\"></noscript>"),
              std::string::npos);
    EXPECT_EQ(count(page, "<div class=\"row"), 4); // the heading and three rows
    EXPECT_EQ(count(page, "<div class=\"row top\">"), 3);
    EXPECT_NE(page.find("<div id=\"round\">Round 3 of 8</div>"), std::string::npos);
    EXPECT_NE(page.find("data-running=\"1\" data-at=\"1700000000000\">00:12:34<"),
              std::string::npos);
    EXPECT_NE(page.find(">9:45 PM<"), std::string::npos);
    EXPECT_EQ(count(page, "<li><span class=\"tno\">4</span>"), 1);
    EXPECT_EQ(count(page, "<polyline class=\"line "), 2);
    EXPECT_EQ(page.find("id=\"share\""), std::string::npos); // no address, no share panel

    in.theme = WallTheme::Light;
    in.finished = true;
    in.playing.clear();
    page = buildWallPage(in);
    EXPECT_NE(page.find("<body class=\"theme-light\" data-theme=\"light\""), std::string::npos);
    EXPECT_NE(page.find("<div id=\"round\">Final standings</div>"), std::string::npos);
    EXPECT_EQ(page.find("id=\"round-clock\""), std::string::npos);
}

TEST(WallPage, LoadsNothingFromElsewhere) {
    WallInput in = sample();
    in.shareAddress = "http://192.168.1.20:8080/";
    in.qrSvg = "<svg viewBox=\"0 0 29 29\"><path d=\"M4 4h7v7h-7z\"/></svg>";
    const std::string page = buildWallPage(in);
    EXPECT_NE(page.find("<div class=\"qr\"><svg viewBox"), std::string::npos);
    for (const char* loader : {"src=", "href=", "@import", "url(", "<link", "<iframe"})
        EXPECT_EQ(page.find(loader), std::string::npos) << loader;
}

TEST(WallPage, LeavesOutMarkupThatIsNoPlainQrCode) {
    for (const char* bad : {"<svg><script>alert(1)</script></svg>", "<svg onload=\"x()\"></svg>",
                            "<img src=x>", "<svg><a href=\"javascript:x\"/></svg>"}) {
        WallInput in = sample();
        in.shareAddress = "http://h/";
        in.qrSvg = bad;
        const std::string page = buildWallPage(in);
        EXPECT_EQ(page.find("<div class=\"qr\">"), std::string::npos) << bad;
        EXPECT_NE(page.find("http://h/"), std::string::npos) << bad;
    }
}

TEST(WallPage, FileNameLiesBesideTheStandingsPage) {
    EXPECT_EQ(wallPageFileName("DEMO16"), "QuillmarkDEMO16-wall.html");
    EXPECT_EQ(wallPageFileName("../x"), "Quillmark.._x-wall.html");
}
