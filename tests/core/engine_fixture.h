#pragma once
// In-memory tournaments for the standings, money and publishing tests: names, a seating, scores
// and fines are set directly on a session's shared state, as a load would leave them.

#include "core/scripted_prompt.h"
#include "core/text.h"
#include "roster/keys.h"
#include "scoring/score.h"
#include "services/load_save.h"
#include "services/session.h"

#include <string>
#include <vector>

namespace rh::test {

class Tourney {
public:
    /// A loaded tournament of `entrants` with names "Entrant NN", seated at tables of four
    /// (Progressive, the last incomplete table sitting out) or two (Team) in every round, finished
    /// as a load finishes (views filled, payouts enabled, the payout table built).
    explicit Tourney(int entrants, int rounds = 3, bool progressive = true,
                     std::vector<std::string> names = {})
        : session(prompt) {
        TournamentSettings& t = session.tourney();
        if (!progressive)
            t.SetTypeTeam();
        t.setTotalPlort(static_cast<std::int16_t>(entrants));
        t.setTotalRounds(static_cast<std::int16_t>(rounds));
        t.setCurrentRound(1);
        t.setTourneyCode("T1");
        TournamentState& s = session.state();
        for (int id = 1; id <= entrants; ++id) {
            std::string name = static_cast<std::size_t>(id) <= names.size()
                                   ? names[static_cast<std::size_t>(id - 1)]
                                   : "Entrant " + fmt00(id);
            s.names.Add(name, fmt00(id));
            s.sortedNames.AddItem(name + "~" + fmt00(id));
        }
        for (int r = 1; r <= rounds; ++r)
            seatRound(r, entrants);
        finishLoad(session);
    }

    void seatRound(int round, int entrants) {
        auto r = static_cast<std::int16_t>(round);
        if (session.tourney().isProgressive()) {
            for (int id = 1; id + 3 <= entrants; id += 4)
                state().roster.AddPlayers(
                    r, {static_cast<std::int16_t>(id), static_cast<std::int16_t>(id + 1),
                        static_cast<std::int16_t>(id + 2), static_cast<std::int16_t>(id + 3)});
        } else {
            for (int id = 1; id + 1 <= entrants; id += 2)
                state().roster.AddTeams(
                    r, {static_cast<std::int16_t>(id), static_cast<std::int16_t>(id + 1)});
        }
    }

    TournamentState& state() { return session.state(); }
    TournamentSettings& tourney() { return session.tourney(); }

    void score(int round, int id, const std::string& value) {
        state().scores.setScore(std::to_string(round), std::to_string(id), value);
    }
    void score(int round, int id, int value) { score(round, id, fmt00(value)); }
    /// Round-1 scores giving these totals to IDs 1, 2, ... (current round 1).
    void totals(const std::vector<int>& values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            score(1, static_cast<int>(i) + 1, values[i]);
    }
    void bumps(int id, int n) { writeCount(state().fines, bumpKey(id), std::to_string(n)); }
    void woods(int id, int n) { writeCount(state().fines, woodKey(id), std::to_string(n)); }
    void lones(int id, int n) { writeCount(state().lones, loneKey(id), std::to_string(n)); }
    void paid(int id, bool p) { writePaid(state().fines, id, p); }

    /// Net payout = entry fee x entrants - expenses, with the payout table rebuilt.
    void net(double entryFee, double expenses = 0) {
        tourney().setEntryFee(entryFee);
        tourney().setExpenses(expenses);
        session.refresh().requestPayoutRebuild();
        session.payout.UpdateNetPayout(session);
    }

    ScriptedPrompt prompt;
    Session session;
};

} // namespace rh::test
