#pragma once
// The wall screen: the standings as one self-contained page for a projector at the back of the
// room and for the players' phones. It is built from a plain description (WallInput) that its
// owner fills from the tournament, so this file knows nothing of the tournament state; everything
// it shows comes in through the input and every text of it is escaped.
//
// The page loads nothing from elsewhere (inline style, script and SVG) and works from a file as
// well as from the standings server. In a wide window it shows as many standings rows as fit and
// turns the page by itself; in a tall one (a phone) it shows every row and scrolls. It reloads
// itself every kWallRefreshMs, keeping its page, its theme and whether paging is paused in the
// address's fragment. Keys: space pauses and resumes the paging, "t" switches the theme, the
// arrow keys turn the page.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

enum class WallTheme { Dark, Light };

/// One standings row.
struct WallRow {
    int place = 0;
    std::string name;
    std::string alias; // "" when none
    int total = 0;
    int lones = 0;
};

/// A table still playing the current round: the two sides (partners, or one team each).
struct WallTable {
    int table = 0;
    std::vector<std::string> sideA;
    std::vector<std::string> sideB;
};

/// One leader's line on the chart: the running total after each round, rounds 1..n.
struct WallLeaderLine {
    std::string name;
    std::vector<int> totals;
};

struct WallInput {
    std::string title;
    bool teams = false; // a Team tournament: the rows are teams
    int currentRound = 0;
    int totalRounds = 0;
    bool finished = false; // every round is complete
    std::vector<WallRow> rows;
    std::vector<WallTable> playing;
    /// The round clock ("00:12:34"), "" when the tournament clock has not been started.
    std::string roundClock;
    /// Whether the round clock runs: the page then counts on from roundClock, taken at
    /// clockTakenAtMs (milliseconds since 1970 UTC; 0: when the page was loaded).
    bool roundClockRunning = false;
    std::int64_t clockTakenAtMs = 0;
    /// The estimated finish ("9:45 PM"), "" before a round has been timed.
    std::string finishEstimate;
    /// The chart's lines, leader first (at most kWallChartLeaders are drawn).
    std::vector<WallLeaderLine> leaders;
    /// Where phones find the page, "" when it is not shared; shown beside qrSvg.
    std::string shareAddress;
    /// The QR code of shareAddress as an <svg> element (made by the server's qrCodeSvg); any other
    /// markup is left out.
    std::string qrSvg;
    /// The theme the page starts in; a theme chosen with the key is kept across reloads.
    WallTheme theme = WallTheme::Dark;
};

/// How long each page of standings stays on the screen before the next one, milliseconds.
inline constexpr int kWallPageMs = 10000;
/// How often the page reloads itself, milliseconds.
inline constexpr int kWallRefreshMs = 15000;
/// How many leaders the chart draws.
inline constexpr int kWallChartLeaders = 5;

/// The whole page (ASCII, lines ended by LF).
std::string buildWallPage(const WallInput& input);

} // namespace rh
