#include "services/new_tournament.h"

#include "core/text.h"
#include "money/fee_choices.h"
#include "persistence/tournament_writer.h"
#include "services/entrant_import.h"
#include "services/tournament_file.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace rh {

namespace {

bool progressive(const NewTournamentRequest& r) {
    return r.kind == TournamentKind::Progressive;
}

int lineOf(const NewTournamentRequest& r, std::size_t index) {
    return index < r.entrantLines.size() ? r.entrantLines[index] : static_cast<int>(index) + 1;
}

// "Line 4" or "Lines 4, 9, 12".
std::string linesText(const std::vector<int>& lines, bool capital = true) {
    std::string out = lines.size() == 1 ? "line " : "lines ";
    if (capital)
        out[0] = 'L';
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += (i ? ", " : "") + std::to_string(lines[i]);
    return out;
}

bool hasControlCharacter(std::string_view name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

void checkEntrants(const NewTournamentRequest& r, std::vector<std::string>& problems) {
    const int least = progressive(r) ? 4 : 2;
    const std::string word = progressive(r) ? "players" : "teams";
    const auto count = static_cast<long long>(r.entrants.size());
    if (count < least)
        problems.push_back("A " + std::string(progressive(r) ? "Progressive" : "Team") +
                           " tournament needs at least " + std::to_string(least) + " " + word +
                           "; " + std::to_string(count) + (count == 1 ? " is" : " are") +
                           " listed.");
    if (count > kMaxEntrants)
        problems.push_back("A tournament takes at most " + std::to_string(kMaxEntrants) + " " +
                           word + "; " + std::to_string(count) + " are listed.");

    std::vector<int> empty, tilde, control;
    std::map<std::string, std::vector<std::size_t>> byKey; // sorted: messages in a fixed order
    for (std::size_t i = 0; i < r.entrants.size(); ++i) {
        const std::string name = trim(r.entrants[i]);
        if (name.empty()) {
            empty.push_back(lineOf(r, i));
            continue;
        }
        if (name.find('~') != std::string::npos)
            tilde.push_back(lineOf(r, i));
        if (hasControlCharacter(name))
            control.push_back(lineOf(r, i));
        byKey[nameKey(name)].push_back(i);
    }
    if (!empty.empty())
        problems.push_back(linesText(empty) + (empty.size() == 1 ? " holds" : " hold") +
                           " no name.");
    std::vector<std::pair<int, std::string>> repeats; // by first line
    for (const auto& [key, at] : byKey) {
        if (at.size() < 2)
            continue;
        std::vector<int> lines;
        for (std::size_t i : at)
            lines.push_back(lineOf(r, i));
        repeats.emplace_back(lines.front(),
                             "\"" + trim(r.entrants[at.front()]) +
                                 "\" is listed more than once: " + linesText(lines, false) + ".");
    }
    std::sort(repeats.begin(), repeats.end());
    for (auto& [line, text] : repeats)
        problems.push_back(std::move(text));
    if (!tilde.empty())
        problems.push_back(linesText(tilde) + ": a name cannot hold \"~\".");
    if (!control.empty())
        problems.push_back(linesText(control) + ": a name cannot hold a control character.");
}

void checkFee(double amount, const std::vector<int>& choices, const char* what, const char* offered,
              std::vector<std::string>& problems) {
    if (!isFeeChoice(choices, amount))
        problems.push_back(std::string("The ") + what + " of " + formatGeneral(amount) +
                           " is not one the fee list offers (" + offered + ").");
}

} // namespace

std::vector<std::string> validateRequest(const NewTournamentRequest& r) {
    std::vector<std::string> problems;
    if (trim(r.title).empty())
        problems.push_back("The tournament needs a title.");
    if (trim(r.code).empty())
        problems.push_back("The tournament needs a code.");
    else if (!isSafeCode(r.code))
        problems.push_back("The code \"" + r.code +
                           "\" may hold only letters, digits, \"-\" and "
                           "\"_\", at most " +
                           std::to_string(kMaxCodeLength) + " of them.");
    if (r.rounds < 1 || r.rounds > kMaxRounds)
        problems.push_back("The number of rounds must be 1 to " + std::to_string(kMaxRounds) +
                           ", not " + std::to_string(r.rounds) + ".");
    checkEntrants(r, problems);
    checkFee(r.entryFee, entryFeeCents(), "entry fee", "0 to 10, then 15 to 100 in steps of 5",
             problems);
    checkFee(r.bumpFee, bumpFeeCents(), "bump fee", "0 to 1 in steps of 0.05", problems);
    checkFee(r.woodFee, woodFeeCents(), "wood fee", "0 to 3 in steps of 0.10", problems);
    return problems;
}

NewSeating seatingFor(const NewTournamentRequest& r) {
    NewSeating s;
    const int n = static_cast<int>(r.entrants.size());
    if (progressive(r)) {
        s.progressive = seating::progressiveSchedule(n, r.rounds, r.seed);
        s.quality = seating::progressiveQuality(s.progressive, n);
    } else {
        s.team = seating::teamSchedule(n, r.rounds, r.seed);
        s.quality = seating::teamQuality(s.team, n);
    }
    return s;
}

TournamentState newTournamentState(const NewTournamentRequest& r, const NewSeating& seating) {
    TournamentState st;
    TournamentSettings& t = st.settings;
    if (progressive(r))
        t.SetTypeProgressive();
    else
        t.SetTypeTeam();
    t.setTourneyTitle(trim(r.title));
    t.setJackpotTitle(r.jackpotTitle);
    t.setTourneyCode(trim(r.code));
    t.setTotalPlort(static_cast<std::int16_t>(r.entrants.size()));
    t.setTotalRounds(static_cast<std::int16_t>(r.rounds));
    t.setCurrentRound(1);
    t.setEntryFee(r.entryFee);
    t.setBumpFee(r.bumpFee);
    t.setWoodFee(r.woodFee);
    t.DeriveTotalTables();

    for (std::size_t i = 0; i < r.entrants.size(); ++i) {
        const EntrantId id{static_cast<std::int16_t>(i + 1)};
        st.entrants.addName(id, trim(r.entrants[i]));
        st.entrantRecord(id).alias = ""; // the file holds an empty alias for everyone
    }

    auto entrant = [](int id) { return EntrantId{static_cast<std::int16_t>(id)}; };
    st.seating.setProgressive(progressive(r));
    if (progressive(r)) {
        for (std::size_t round = 0; round < seating.progressive.size(); ++round) {
            const RoundNo rn{static_cast<std::int16_t>(round + 1)};
            for (const auto& table : seating.progressive[round].tables) {
                const auto& s = table.seats;
                st.addTable(
                    rn, SeatedTable{{entrant(s[0]), entrant(s[1]), entrant(s[2]), entrant(s[3])}});
            }
        }
    } else {
        for (std::size_t round = 0; round < seating.team.size(); ++round) {
            const RoundNo rn{static_cast<std::int16_t>(round + 1)};
            for (const auto& table : seating.team[round].tables)
                st.addTable(rn, SeatedTable{{entrant(table.teams[0]), entrant(table.teams[1]),
                                             EntrantId{0}, EntrantId{0}}});
        }
    }
    return st;
}

NewTournamentOutcome writeNewTournament(const NewTournamentRequest& r, const std::string& path,
                                        IPrompt& prompt) {
    NewTournamentOutcome out;
    out.problems = validateRequest(r);
    if (!out.problems.empty())
        return out;
    const NewSeating seating = seatingFor(r);
    out.quality = seating.quality;
    out.written = CreateSaveDoc(newTournamentState(r, seating), prompt, path, false);
    return out;
}

bool isSafeCode(std::string_view code) {
    if (code.empty() || code.size() > kMaxCodeLength)
        return false;
    for (char c : code) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

std::string suggestCode(std::string_view title, std::chrono::year_month_day date) {
    // Words of ASCII letters and digits; anything else separates them.
    std::vector<std::string> words(1);
    for (char c : title) {
        const bool alnum =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (alnum)
            words.back() += c;
        else if (!words.back().empty())
            words.emplace_back();
    }
    if (words.back().empty())
        words.pop_back();
    std::string prefix;
    if (words.size() == 1)
        prefix = words.front().substr(0, 4);
    else
        for (const std::string& w : words)
            if (prefix.size() < 6)
                prefix += w.front();
    prefix = prefix.empty() ? "RH" : toUpper(prefix);
    const int y = static_cast<int>(date.year()) % 100;
    const auto m = static_cast<unsigned>(date.month());
    const auto d = static_cast<unsigned>(date.day());
    return prefix + fmt00(y < 0 ? -y : y) + fmt00(m) + fmt00(d);
}

std::vector<std::string> qualityLines(const seating::Quality& q, TournamentKind kind) {
    std::vector<std::string> out;
    if (kind == TournamentKind::Progressive) {
        out.push_back("Repeated partnerships: " + std::to_string(q.repeatedPartnerships));
        out.push_back("Most rounds with the same partner: " + std::to_string(q.mostPartnerships));
    }
    out.push_back("Most meetings of two opponents: " + std::to_string(q.mostOpponentMeetings));
    out.push_back(q.fewestSitOuts == q.mostSitOuts
                      ? "Rounds sat out: " + std::to_string(q.mostSitOuts) + " each"
                      : "Rounds sat out: " + std::to_string(q.fewestSitOuts) + " to " +
                            std::to_string(q.mostSitOuts));
    return out;
}

} // namespace rh
