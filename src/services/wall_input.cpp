#include "services/wall_input.h"
#include "services/views.h"

#include "core/errors.h"
#include "core/text.h"
#include "roster/keys.h"
#include "services/session.h"
#include "standings/leaders.h"
#include "state/round.h"

#include <algorithm>

namespace rh {

namespace {

int numberOf(const std::string& text) {
    double v = 0;
    return tryParseNumber(text, v) ? static_cast<int>(v) : 0;
}

/// The tables of the round with at least one seated entrant still waiting for a score.
std::vector<WallTable> tablesPlaying(const TournamentState& state, int round) {
    std::vector<WallTable> out;
    const bool progressive = state.isProgressive();
    const int tables = state.settings.TotalTables();
    for (int table = 1; table <= tables; ++table) {
        WallTable t;
        t.table = table;
        bool waiting = false;
        auto seat = [&](const std::string& key, std::vector<std::string>& side) {
            const std::string id = state.tableSeats.value(key);
            if (id.empty() || numberOf(id) <= 0)
                return;
            side.push_back(state.nameOf(id));
            if (!state.scores.find(round, numberOf(id)))
                waiting = true;
        };
        if (progressive) {
            seat(SeatKey(round, table, 1, 1), t.sideA);
            seat(SeatKey(round, table, 1, 2), t.sideA);
            seat(SeatKey(round, table, 2, 1), t.sideB);
            seat(SeatKey(round, table, 2, 2), t.sideB);
        } else {
            seat(TeamSeatKey(round, table, 1), t.sideA);
            seat(TeamSeatKey(round, table, 2), t.sideB);
        }
        if (waiting)
            out.push_back(std::move(t));
    }
    return out;
}

/// The running total after each of rounds 1..rounds (rounds without a score add nothing).
std::vector<int> runningTotals(const TournamentState& state, long long id, int rounds) {
    std::vector<int> totals;
    int sum = 0;
    for (int r = 1; r <= rounds; ++r) {
        if (const std::string* s = state.scores.find(r, id))
            sum += numberOf(*s);
        totals.push_back(sum);
    }
    return totals;
}

} // namespace

WallInput wallInput(Session& session, std::int64_t nowEpochMs) {
    WallInput in;
    const TournamentState& state = session.state();
    const TournamentSettings& t = state.settings;
    in.title = t.TourneyTitle();
    in.teams = !t.isProgressive();
    in.currentRound = t.CurrentRound();
    in.totalRounds = t.TotalRounds();
    in.finished = in.currentRound >= in.totalRounds && in.totalRounds > 0 &&
                  isRoundComplete(state, static_cast<long long>(in.currentRound));
    in.playing = tablesPlaying(state, in.currentRound);

    const TournamentClock& clock = session.clock;
    if (clock.m_tournamentStarted) {
        in.roundClock = clock.display().roundText;
        in.roundClockRunning = clock.state() == ClockState::Running;
        in.clockTakenAtMs = nowEpochMs;
    }
    in.finishEstimate = clock.display().finishBannerText;

    std::vector<LeaderEntry> entries;
    try {
        entries = leaderEntries(session);
    } catch (const RhError&) {
        return in; // a damaged file: no standings, as the standings page shows none
    }
    // The chart follows the rounds played to the end; the round in play joins it once complete.
    const int charted =
        in.finished || isRoundComplete(state, static_cast<long long>(in.currentRound))
            ? in.currentRound
            : in.currentRound - 1;
    in.rows.reserve(entries.size());
    for (const LeaderEntry& e : entries) {
        const std::string& id = e[kLeaderId];
        WallRow row;
        row.place = numberOf(e[kLeaderPlace]);
        row.name = state.nameOf(id);
        row.alias = state.aliases.value(id);
        row.total = numberOf(e[kLeaderScore]);
        row.lones = numberOf(e[kLeaderLones]);
        in.rows.push_back(std::move(row));
        if (in.leaders.size() < static_cast<std::size_t>(kWallChartLeaders))
            in.leaders.push_back({state.nameOf(id), runningTotals(state, numberOf(id), charted)});
    }
    return in;
}

std::string wallPageFileName(std::string_view tournamentCode) {
    return "Quillmark" + safeFileComponent(tournamentCode) + "-wall.html";
}

std::string wallPagePath(const Session& session) {
    return session.tempDir() + "/" + wallPageFileName(session.tourney().TourneyCode());
}

} // namespace rh
