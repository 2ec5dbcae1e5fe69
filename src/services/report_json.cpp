#include "services/report_json.h"

#include "money/jackpot.h"
#include "services/views.h"
#include "standings/game_detail.h"
#include "standings/leader_rows.h"
#include "standings/leaders.h"
#include "standings/results.h"
#include "state/round.h"

#include <nlohmann/json.hpp>

#include <new>
#include <vector>

namespace rh {

namespace {

using Json = nlohmann::ordered_json;

// The report is written one section, and within the long sections one row, at a time, so a large
// tournament never has its whole document in memory; the text is the same as one pretty dump of
// the whole document with an indent of two.
class JsonWriter {
public:
    explicit JsonWriter(const std::function<void(std::string_view)>& put) : m_put(put) {
        m_put("{");
    }

    void value(const char* key, const Json& v) {
        startKey(key);
        putIndented(dump(v), 2);
    }

    template <typename Rows, typename ToJson>
    void array(const char* key, const Rows& rows, ToJson toJson) {
        startKey(key);
        if (rows.empty()) {
            m_put("[]");
            return;
        }
        m_put("[");
        bool first = true;
        for (const auto& row : rows) {
            m_put(first ? "\n    " : ",\n    ");
            first = false;
            putIndented(dump(toJson(row)), 4);
        }
        m_put("\n  ]");
    }

    void finish() { m_put("\n}\n"); }

private:
    static std::string dump(const Json& v) {
        // Texts come from the file decoder as UTF-8; a stray byte must not abort the report.
        return v.dump(2, ' ', false, Json::error_handler_t::replace);
    }

    void startKey(const char* key) {
        m_put(m_first ? "\n  \"" : ",\n  \"");
        m_first = false;
        m_put(key);
        m_put("\": ");
    }

    // Writes a dumped value whose first line continues the current line and whose later lines
    // move right by `indent` blanks.
    void putIndented(std::string_view text, int indent) {
        const std::string pad(static_cast<std::size_t>(indent), ' ');
        std::size_t from = 0;
        for (std::size_t nl; (nl = text.find('\n', from)) != std::string_view::npos;
             from = nl + 1) {
            m_put(text.substr(from, nl + 1 - from));
            m_put(pad);
        }
        m_put(text.substr(from));
    }

    const std::function<void(std::string_view)>& m_put;
    bool m_first = true;
};

// The mismatch list is one text of names, each ended by CR LF.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find("\r\n", from);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return out;
}

Json tournamentJson(const TournamentSettings& t) {
    Json j;
    j["type"] = t.TourneyTypeLabel();
    j["title"] = t.TourneyTitle();
    j["jackpotTitle"] = t.JackpotTitle();
    j["code"] = t.TourneyCode();
    j["supportCode"] = t.SupportDir();
    j["entrants"] = t.TotalPlort();
    j["tables"] = t.TotalTables();
    j["rounds"] = t.TotalRounds();
    j["currentRound"] = t.CurrentRound();
    j["bumpFee"] = t.BumpFee();
    j["woodFee"] = t.WoodFee();
    j["entryFee"] = t.EntryFee();
    j["expenses"] = t.Expenses();
    return j;
}

Json payoutJson(Session& session, int paidPositions) {
    const PayoutSettings& p = session.state().payout;
    Json j;
    j["option"] = p.PayoutOption;
    j["customCount"] = p.CustomPayoutCount;
    Json amounts = Json::array();
    for (double a : p.CustomPayouts)
        amounts.push_back(a);
    j["customAmounts"] = std::move(amounts);
    j["net"] = session.payout().netPayoutText();
    Json table = Json::array();
    for (const PayoutRow& row : session.payout().rows())
        table.push_back(Json{{"place", row.placeWord}, {"amount", row.amountText}});
    j["table"] = std::move(table);
    j["paidPositions"] = paidPositions;
    return j;
}

Json leaderJson(const LeaderEntry& e) {
    return Json{{"name", e[kLeaderName]},
                {"score", e[kLeaderScore]},
                {"average", e[kLeaderAverage]},
                {"lones", e[kLeaderLones]},
                {"bumps", e[kLeaderBumps]},
                {"woods", e[kLeaderWoods]},
                {"payout", e[kLeaderPayout]},
                {"inTheMoney", e[kLeaderInMoney]},
                {"place", e[kLeaderPlace]},
                {"paid", e[kLeaderPaid]},
                {"owesMoney", e[kLeaderOwes]},
                {"totalDue", e[kLeaderTotalDue]},
                {"id", e[kLeaderId]}};
}

Json winnerJson(const WinnerRow& r) {
    return Json{{"name", r.name},
                {"place", r.place},
                {"score", r.score},
                {"payout", r.payout},
                {"lones", r.lones}};
}

Json fineJson(const BumpRow& r) {
    return Json{{"name", r.name},
                {"payIn", r.payIn},
                {"bumps", r.bumps},
                {"woods", r.woods},
                {"paid", r.paid}};
}

Json jackpotJson(Session& session) {
    const FineCounts counts = fineCounts(session.state());
    Json j;
    j["amount"] = formatMoney(JackpotAmount(session.state()), session.currency(), kMoney2);
    j["totalBumps"] = counts.bumps;
    j["totalWoods"] = counts.woods;
    Json rows = Json::array();
    for (const LoneRow& r : loneRows(session))
        rows.push_back(Json{{"name", r.name}, {"payout", r.payout}, {"lones", r.lones}});
    j["rows"] = std::move(rows);
    return j;
}

// A detail row's cells: name, one per round, total, lone, bump, wood, name again.
Json detailJson(const GameDetailRow& r) {
    const auto& c = r.cells;
    const std::size_t rounds = c.size() >= 6 ? c.size() - 6 : 0;
    Json cells = Json::array();
    for (std::size_t i = 1; i <= rounds; ++i)
        cells.push_back(c[i]);
    auto at = [&](std::size_t i) { return i < c.size() ? c[i] : std::string(); };
    return Json{{"name", at(0)},          {"rounds", std::move(cells)}, {"total", at(rounds + 1)},
                {"lone", at(rounds + 2)}, {"bump", at(rounds + 3)},     {"wood", at(rounds + 4)}};
}

// A view that fails on a damaged tournament is reported as the window reports its errors and left
// empty; the rest of the report still comes.
template <typename Build>
auto guarded(Session& session, const char* title, Build build) -> decltype(build()) {
    try {
        return build();
    } catch (const RhError& e) {
        session.ShowErrorMsg(title, e);
    } catch (const std::bad_alloc&) {
        session.ShowErrorMsg(title, RhError(err::OutOfMemory));
    }
    return {};
}

} // namespace

void writeReportJson(Session& session, const ScriptedPrompt& prompt, bool loaded,
                     const std::function<void(std::string_view)>& put) {
    auto view = [&](const char* title, auto build) {
        return loaded ? guarded(session, title, build) : decltype(build()){};
    };

    JsonWriter out(put);
    out.value("tournament", tournamentJson(session.tourney()));
    {
        // The standings first: they run the payout calculation the other money views read. A
        // failure there is reported by the standings themselves ("error in UpdateLeaderGridMain").
        std::vector<LeaderRow> standings =
            view("UpdateLeaderGridMain", [&] { return leaderGridRows(session); });
        int paid = 0;
        if (loaded && !standings.empty()) {
            try {
                std::vector<std::string> texts;
                paid = session.payout().GetPayouts(session, texts);
            } catch (const std::exception&) {
            }
        }
        out.value("payout", payoutJson(session, paid));
        out.array("standings", standings,
                  [](const LeaderRow& row) { return leaderJson(row.entry); });
    }
    out.array("winners", view("UpdateWinnerGrid", [&] { return winnerRows(session); }), winnerJson);
    out.array("fines", view("UpdateBumpGrid", [&] { return debtorRows(session); }), fineJson);
    out.value("jackpot", jackpotJson(session)); // the lone grid reports its own errors
    out.array("details", view("Load Detail Grid", [&] { return gameDetailRows(session); }),
              detailJson);
    const TournamentState& state = session.state();
    out.value("sittingOut",
              view("Sitting Out", [&] { return sittingOut(state, session.viewsFilled()).names; }));
    out.value("roundComplete", view("Auto-Advance Round", [&] {
                  return isRoundComplete(state, state.currentRoundNo());
              }));
    out.value("mismatches",
              view("Auto-Advance Round", [&] { return splitLines(mismatchList(state)); }));
    Json messages = Json::array();
    for (const Message& m : prompt.messages())
        messages.push_back(Json{{"title", m.title}, {"text", m.text}});
    out.value("messages", messages);
    out.finish();
}

std::string reportJson(Session& session, const ScriptedPrompt& prompt, bool loaded) {
    std::string text;
    writeReportJson(session, prompt, loaded, [&](std::string_view part) { text += part; });
    return text;
}

} // namespace rh
