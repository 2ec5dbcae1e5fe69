#pragma once
// The one way the core tests get a tournament: a file, loaded through the load service as the
// window loads it (services/load_save.h, loadTournament). Tourney describes a small tournament,
// writes it as a file and loads it; a change to the description loads the file again on the next
// use, so a test never writes into the tournament's stores. Changes made after the load go through
// applyChange.

#include "core/scripted_prompt.h"
#include "core/text.h"
#include "persistence/tournament_writer.h"
#include "services/changes.h"
#include "services/load_save.h"
#include "services/session.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace rh::test {

/// Where Tourney writes its files: the temporary folder as the process found it, so that a
/// test's own TempDir holds only what the program writes.
inline const std::filesystem::path kTourneyFolder = std::filesystem::temp_directory_path();

inline std::string examplePath(const std::string& name) {
    return std::string(RANKHALL_SOURCE_DIR) + "/examples/" + name;
}

/// A value of the tournament as it would be saved: the text of `element` ("Score", "Bump",
/// "Wood", "Paid", "Lone") in the record of entrant `id` (and of `round`, for a score); "" when
/// there is no such record.
inline std::string savedValue(const Session& session, const std::string& element, int id,
                              int round = 0) {
    const std::string x = buildTournamentXml(session.state());
    std::string key = "<PlayerID>" + fmt00(id) + "</PlayerID>";
    if (round)
        key = "<Round>" + fmt00(round) + "</Round>\r\n\t\t\t\t" + key;
    const std::string section = element == "Score"  ? "<Scores>"
                                : element == "Lone" ? "<Lones>"
                                                    : "<Bumps>";
    auto at = x.find(key, x.find(section));
    const auto end = x.find("</Player>", at);
    at = x.find("<" + element + ">", at);
    if (at == std::string::npos || at > end || end > x.find("</" + section.substr(1)))
        return "";
    at += element.size() + 2;
    return x.substr(at, x.find('<', at) - at);
}

class Tourney {
public:
    /// `entrants` named "Entrant NN" (or `names`), seated at tables of four (Progressive, the
    /// last incomplete table sitting out) or two (Team) in every round, current round 1, code
    /// "T1", no fees.
    explicit Tourney(int entrants, int rounds = 3, bool progressive = true,
                     std::vector<std::string> names = {})
        : m_entrants(entrants), m_rounds(rounds), m_progressive(progressive),
          m_names(std::move(names)),
          m_file(kTourneyFolder / ("rh_tourney_" + std::to_string(::getpid()) + "_" +
                                   std::to_string(++counter()) + ".qmc")),
          m_session(prompt) {}
    ~Tourney() { std::filesystem::remove(m_file); }
    Tourney(const Tourney&) = delete;
    Tourney& operator=(const Tourney&) = delete;

    Tourney& score(int round, int id, const std::string& value) {
        return edit([&] { m_scores[{round, id}] = value; });
    }
    Tourney& score(int round, int id, int value) { return score(round, id, fmt00(value)); }
    /// Round-1 scores giving these totals to IDs 1, 2, ...
    Tourney& totals(const std::vector<int>& values) {
        return edit([&] {
            for (std::size_t i = 0; i < values.size(); ++i)
                m_scores[{1, static_cast<int>(i) + 1}] = fmt00(values[i]);
        });
    }
    Tourney& bumps(int id, int n) {
        return edit([&] { m_fines[id].bumps = fmt00(n); });
    }
    Tourney& woods(int id, int n) {
        return edit([&] { m_fines[id].woods = fmt00(n); });
    }
    Tourney& paid(int id, bool p) { return paidMark(id, p ? "1" : "0"); }
    /// The paid mark as the file holds it.
    Tourney& paidMark(int id, std::string mark) {
        return edit([&] { m_fines[id].paid = mark; });
    }
    /// Seats a table in the round (4 IDs Progressive, 2 Team); once any table is seated so, the
    /// default seating is not written.
    Tourney& seat(int round, std::vector<int> ids) {
        return edit([&] { m_seating[round].push_back(std::move(ids)); });
    }
    /// The entrant has no name in the file.
    Tourney& unnamed(int id) {
        return edit([&] { m_unnamed.insert(id); });
    }
    Tourney& lones(int id, int n) {
        return edit([&] { m_lones[id] = n; });
    }
    Tourney& alias(int id, std::string text) {
        return edit([&] { m_aliases[id] = text; });
    }
    Tourney& round(int current) {
        return edit([&] { m_current = current; });
    }
    Tourney& fees(double bump, double wood) {
        return edit([&] { m_bumpFee = bump, m_woodFee = wood; });
    }
    Tourney& title(std::string text) {
        return edit([&] { m_title = text; });
    }
    Tourney& customPayouts(std::vector<double> amounts) {
        return edit([&] { m_custom = std::move(amounts); });
    }
    /// Net payout = entry fee x entrants - expenses.
    Tourney& net(double entryFee, double expenses = 0) {
        return edit([&] { m_entryFee = entryFee, m_expenses = expenses; });
    }

    /// The loaded tournament (loading the file again when the description changed).
    Session& session() {
        m_session.setCurrency(m_currency);
        if (m_stale) {
            writeFile();
            m_stale = false;
            if (!loadTournament(m_session, m_file.string()))
                throw std::runtime_error("the test tournament did not load");
            prompt.clear();
        }
        return m_session;
    }
    /// The money format, to be set before the load.
    CurrencyFormat& currency() { return m_currency; }
    void apply(const Change& change) { applyChange(session(), change); }
    const std::filesystem::path& file() const { return m_file; }
    /// Writes the file without loading it, for a session of the test's own; answers its path.
    std::string writeFile() const {
        rh::test::writeFile(m_file, xml());
        return m_file.string();
    }

    /// The description as a tournament file.
    std::string xml() const;

    ScriptedPrompt prompt;

private:
    template <class F> Tourney& edit(F f) {
        f();
        m_stale = true;
        return *this;
    }
    static int& counter() {
        static int n = 0;
        return n;
    }

    int m_entrants, m_rounds;
    bool m_progressive;
    std::vector<std::string> m_names;
    std::filesystem::path m_file;
    Session m_session;
    CurrencyFormat m_currency = CurrencyFormat::dollars();
    bool m_stale = true;
    int m_current = 1;
    double m_bumpFee = 0, m_woodFee = 0, m_entryFee = 0, m_expenses = 0;
    std::string m_title = "Test Tournament";
    std::vector<double> m_custom;
    std::map<std::pair<int, int>, std::string> m_scores;
    struct Fines {
        std::string bumps = "00", woods = "00", paid = "0";
    };
    std::map<int, Fines> m_fines;
    std::set<int> m_unnamed;
    std::map<int, std::vector<std::vector<int>>> m_seating;
    std::map<int, int> m_lones;
    std::map<int, std::string> m_aliases;
};

inline std::string Tourney::xml() const {
    auto esc = [](const std::string& s) {
        std::string out;
        for (char c : s)
            out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
        return out;
    };
    auto leaf = [](const std::string& tag, const std::string& value) {
        return "<" + tag + ">" + value + "</" + tag + ">";
    };
    auto number = [](double d) {
        std::string s = std::to_string(d);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
        return s;
    };
    std::string x = "<?xml version='1.0' encoding='UTF-8'?>\n<Tournament><TournamentInfo>";
    x += leaf("TournamentType", m_progressive ? "Progressive" : "Team") +
         leaf("Title", esc(m_title)) + leaf("JackpotTitle", "Bump Jackpot") +
         leaf("TourneyCode", "T1") + leaf("TotalPlayers", std::to_string(m_entrants)) +
         leaf("TotalRounds", std::to_string(m_rounds)) +
         leaf("CurrentRound", std::to_string(m_current)) + leaf("BumpFee", number(m_bumpFee)) +
         leaf("WoodFee", number(m_woodFee)) + leaf("EntryFee", number(m_entryFee)) +
         leaf("Expenses", number(m_expenses)) + "</TournamentInfo><FeesPayout><Payout><Custom>" +
         leaf("Value", m_custom.empty() ? "0" : "1") + "</Custom>";
    if (!m_custom.empty()) {
        x += "<CustomValues Count=\"" + std::to_string(m_custom.size()) + "\">";
        for (double d : m_custom)
            x += leaf("Value", number(d));
        x += "</CustomValues>";
    }
    x += "</Payout></FeesPayout><PlayerKeys>";
    for (int id = 1; id <= m_entrants; ++id) {
        if (m_unnamed.count(id))
            continue;
        const auto n = static_cast<std::size_t>(id);
        const std::string name = n <= m_names.size() ? m_names[n - 1] : "Entrant " + fmt00(id);
        const auto a = m_aliases.find(id);
        x += "<PlayerKey>" + leaf("PlayerName", esc(name)) + leaf("PlayerID", fmt00(id)) +
             leaf("PlayerAlias", a == m_aliases.end() ? "" : esc(a->second)) + "</PlayerKey>";
    }
    x += "</PlayerKeys><RosterRounds>";
    const int perTable = m_progressive ? 4 : 2;
    auto p = [&](int i) { return leaf(m_progressive ? "Player" : "Team", std::to_string(i)); };
    for (int r = 1; r <= m_rounds; ++r) {
        std::vector<std::vector<int>> tables;
        if (m_seating.empty()) {
            for (int id = 1; id + perTable - 1 <= m_entrants; id += perTable)
                tables.push_back(m_progressive ? std::vector<int>{id, id + 1, id + 2, id + 3}
                                               : std::vector<int>{id, id + 1});
        } else if (m_seating.count(r)) {
            tables = m_seating.at(r);
        }
        x += "<Round><Tables>";
        for (const auto& t : tables)
            x += m_progressive ? "<Table><Team><Players>" + p(t[0]) + p(t[1]) +
                                     "</Players></Team><Team><Players>" + p(t[2]) + p(t[3]) +
                                     "</Players></Team></Table>"
                               : "<Table><Teams>" + p(t[0]) + p(t[1]) + "</Teams></Table>";
        x += "</Tables></Round>";
    }
    x += "</RosterRounds><Scores><Players>";
    for (const auto& [key, value] : m_scores)
        x += "<Player>" + leaf("Round", fmt00(key.first)) + leaf("PlayerID", fmt00(key.second)) +
             leaf("Score", value) + "</Player>";
    x += "</Players></Scores><Bumps><Players>";
    for (const auto& [id, f] : m_fines)
        x += "<Player>" + leaf("PlayerID", fmt00(id)) + leaf("Bump", f.bumps) +
             leaf("Wood", f.woods) + leaf("Paid", f.paid) + "</Player>";
    x += "</Players></Bumps><Lones><Players>";
    for (const auto& [id, n] : m_lones)
        x += "<Player>" + leaf("PlayerID", fmt00(id)) + leaf("Lone", fmt00(n)) + "</Player>";
    return x + "</Players></Lones></Tournament>\n";
}

} // namespace rh::test
