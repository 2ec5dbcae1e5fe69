#include "services/wall_input.h"
#include "services/views.h"

#include "core/errors.h"
#include "core/text.h"
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
    const RoundNo r{static_cast<std::int16_t>(round)};
    const auto& tables = state.seating.tables(r);
    const int count = std::min<int>(static_cast<int>(tables.size()), state.settings.TotalTables());
    const int seats = state.seating.seatsPerTable();
    for (int table = 1; table <= count; ++table) {
        WallTable t;
        t.table = table;
        bool waiting = false;
        const SeatedTable& seated = tables[static_cast<std::size_t>(table - 1)];
        for (int seat = 0; seat < seats; ++seat) {
            const EntrantId id = seated.seats[static_cast<std::size_t>(seat)];
            if (num(id) <= 0)
                continue;
            (seat < seats / 2 ? t.sideA : t.sideB).push_back(state.nameOf(id));
            if (!state.hasScore(r, id))
                waiting = true;
        }
        if (waiting)
            out.push_back(std::move(t));
    }
    return out;
}

/// The running total after each of rounds 1..rounds (rounds without a score add nothing).
std::vector<int> runningTotals(const TournamentState& state, EntrantId id, int rounds) {
    std::vector<int> totals;
    int sum = 0;
    for (int r = 1; r <= rounds; ++r) {
        if (const auto s = state.score(RoundNo{static_cast<std::int16_t>(r)}, id))
            sum += *s;
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
                  isRoundComplete(state, state.currentRoundNo());
    in.playing = tablesPlaying(state, in.currentRound);

    const TournamentClock& clock = session.clock();
    if (clock.m_tournamentStarted) {
        in.roundClock = formatHms(clock.readings().roundSeconds.value_or(0));
        in.roundClockRunning = clock.state() == ClockState::Running;
        in.clockTakenAtMs = nowEpochMs;
    }
    const auto finish = clock.readings().finishTime;
    in.finishEstimate = finish ? formatBannerTime(*finish) : std::string();

    std::vector<LeaderEntry> entries;
    try {
        entries = leaderEntries(session);
    } catch (const RhError&) {
        return in; // a damaged file: no standings, as the standings page shows none
    }
    // The chart follows the rounds played to the end; the round in play joins it once complete.
    const int charted = in.finished || isRoundComplete(state, state.currentRoundNo())
                            ? in.currentRound
                            : in.currentRound - 1;
    in.rows.reserve(entries.size());
    for (const LeaderEntry& e : entries) {
        const EntrantId id = entrantIdOf(e[kLeaderId]).value_or(EntrantId{0});
        WallRow row;
        row.place = numberOf(e[kLeaderPlace]);
        row.name = state.nameOf(id);
        row.alias = state.aliasOf(id);
        row.total = numberOf(e[kLeaderScore]);
        row.lones = numberOf(e[kLeaderLones]);
        in.rows.push_back(std::move(row));
        if (in.leaders.size() < static_cast<std::size_t>(kWallChartLeaders))
            in.leaders.push_back({state.nameOf(id), runningTotals(state, id, charted)});
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
