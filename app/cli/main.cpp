// rankhall-cli: the headless tool. Checks, converts and prints tournament files the way the window
// loads and saves them, with every message the window would show collected into the output; prints
// the standings, money and results views as one JSON document; writes the HTML standings page
// and the wall screen, and serves the wall screen to phones. The printing commands (sheets,
// export) live in print_commands.cpp.
//
// Exit codes: 0 done, 1 the file could not be loaded or written (or save refused, without
// --force, a file whose load reported an error or a read-only output file), 2 a usage error, 3
// check loaded the file but its load reported an error.
#include "cli_support.h"
#include "core/scripted_prompt.h"
#include "money/jackpot.h"
#include "new_command.h"
#include "persistence/private_folder.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "print_commands.h"
#include "publishing/html.h"
#include "services/load_save.h"
#include "services/session.h"
#include "services/standings_page.h"
#include "services/views.h"
#include "standings/game_detail.h"
#include "standings/leader_rows.h"
#include "standings/leaders.h"
#include "standings/results.h"
#include "state/round.h"
#include "wall_commands.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <clocale>
#include <cstdio>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

using rh::cli::kDone;
using rh::cli::kFailed;
using rh::cli::kUsage;
using rh::cli::lines;
using rh::cli::load;
using rh::cli::loadForViews;
using rh::cli::printMessages;
constexpr int kLoadedWithErrors = 3;

std::string versionText() {
    return "rankhall-cli " + std::to_string(RANKHALL_VERSION_MAJOR) + "." +
           std::to_string(RANKHALL_VERSION_MINOR) + "." + std::to_string(RANKHALL_VERSION_PATCH);
}

std::string summary(const rh::Session& session) {
    const rh::TournamentSettings& t = session.tourney();
    std::string entrants = t.isProgressive() ? "players" : "teams";
    return t.TourneyTypeLabel() + " tournament: " + std::to_string(t.TotalPlort()) + " " +
           entrants + ", " + std::to_string(t.TotalTables()) + " tables, " +
           std::to_string(t.TotalRounds()) + " rounds, current round " +
           std::to_string(t.CurrentRound());
}

int runCheck(const std::string& file) {
    rh::ScriptedPrompt prompt;
    rh::Session session(prompt);
    bool loaded = load(session, prompt, file);
    printMessages(prompt, stdout);
    if (!loaded) {
        std::printf("not loaded: %s\n", file.c_str());
        return kFailed;
    }
    std::printf("%s\n", summary(session).c_str());
    return session.loadReportedError() ? kLoadedWithErrors : kDone;
}

int runSave(const std::string& file, const std::string& out, bool plain, bool force) {
    rh::ScriptedPrompt prompt;
    rh::Session session(prompt);
    bool loaded = load(session, prompt, file);
    if (!loaded) {
        printMessages(prompt, stderr);
        std::fprintf(stderr, "not loaded: %s\n", file.c_str());
        return kFailed;
    }
    if (session.loadReportedError() && !force) {
        // Writing it back would keep only what was read before the error.
        printMessages(prompt, stderr);
        std::fprintf(stderr,
                     "not saved: the load of %s reported an error (--force saves what "
                     "was read)\n",
                     file.c_str());
        return kFailed;
    }
    if (rh::isReadOnlyFile(out) && !force) {
        // The write renames over the file: a read-only one would be replaced without a word.
        std::fprintf(stderr, "not saved: %s is read-only (--force replaces it)\n", out.c_str());
        return kFailed;
    }
    prompt.clear();
    if (!rh::CreateSaveDoc(session.state(), prompt, out, false, !plain)) {
        printMessages(prompt, stderr);
        return kFailed;
    }
    return kDone;
}

int runUnmask(const std::string& file) {
    try {
        std::string text = rh::ReadDataFile(file);
        std::fwrite(text.data(), 1, text.size(), stdout);
        if (text.empty() || text.back() != '\n')
            std::fputc('\n', stdout);
        return kDone;
    } catch (const rh::RhError& e) {
        std::fprintf(stderr, "%s: %s\n", rh::kLoadDocumentTitle,
                     lines(rh::commonErrorText(e)).c_str());
        return kFailed;
    }
}

using Json = nlohmann::ordered_json;

// The report is written one section, and within the long sections one row, at a time, so a large
// tournament never has its whole document in memory; the text is the same as one pretty dump of
// the whole document with an indent of two.
class JsonWriter {
public:
    explicit JsonWriter(std::FILE* out) : m_out(out) { put("{"); }

    void value(const char* key, const Json& v) {
        startKey(key);
        putIndented(dump(v), 2);
    }

    template <typename Rows, typename ToJson>
    void array(const char* key, const Rows& rows, ToJson toJson) {
        startKey(key);
        if (rows.empty()) {
            put("[]");
            return;
        }
        put("[");
        bool first = true;
        for (const auto& row : rows) {
            put(first ? "\n    " : ",\n    ");
            first = false;
            putIndented(dump(toJson(row)), 4);
        }
        put("\n  ]");
    }

    /// Closes the document; false when any of it could not be written.
    bool finish() {
        put("\n}\n");
        return std::fflush(m_out) == 0 && !std::ferror(m_out);
    }

private:
    static std::string dump(const Json& v) {
        // Texts come from the file decoder as UTF-8; a stray byte must not abort the report.
        return v.dump(2, ' ', false, Json::error_handler_t::replace);
    }

    void startKey(const char* key) {
        put(m_first ? "\n  \"" : ",\n  \"");
        m_first = false;
        put(key);
        put("\": ");
    }

    // Writes a dumped value whose first line continues the current line and whose later lines
    // move right by `indent` blanks.
    void putIndented(const std::string& text, int indent) {
        const std::string pad(static_cast<std::size_t>(indent), ' ');
        std::size_t from = 0;
        for (std::size_t nl; (nl = text.find('\n', from)) != std::string::npos; from = nl + 1) {
            std::fwrite(text.data() + from, 1, nl + 1 - from, m_out);
            put(pad);
        }
        std::fwrite(text.data() + from, 1, text.size() - from, m_out);
    }

    void put(std::string_view text) { std::fwrite(text.data(), 1, text.size(), m_out); }

    std::FILE* m_out;
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

Json tournamentJson(const rh::TournamentSettings& t) {
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

Json payoutJson(rh::Session& session, int paidPositions) {
    const rh::PayoutSettings& p = session.state().payout;
    Json j;
    j["option"] = p.PayoutOption;
    j["customCount"] = p.CustomPayoutCount;
    Json amounts = Json::array();
    for (double a : p.CustomPayouts)
        amounts.push_back(a);
    j["customAmounts"] = std::move(amounts);
    j["net"] = session.payout().netPayoutText();
    Json table = Json::array();
    for (const rh::PayoutRow& row : session.payout().rows())
        table.push_back(Json{{"place", row.placeWord}, {"amount", row.amountText}});
    j["table"] = std::move(table);
    j["paidPositions"] = paidPositions;
    return j;
}

Json leaderJson(const rh::LeaderEntry& e) {
    return Json{{"name", e[rh::kLeaderName]},
                {"score", e[rh::kLeaderScore]},
                {"average", e[rh::kLeaderAverage]},
                {"lones", e[rh::kLeaderLones]},
                {"bumps", e[rh::kLeaderBumps]},
                {"woods", e[rh::kLeaderWoods]},
                {"payout", e[rh::kLeaderPayout]},
                {"inTheMoney", e[rh::kLeaderInMoney]},
                {"place", e[rh::kLeaderPlace]},
                {"paid", e[rh::kLeaderPaid]},
                {"owesMoney", e[rh::kLeaderOwes]},
                {"totalDue", e[rh::kLeaderTotalDue]},
                {"id", e[rh::kLeaderId]}};
}

Json winnerJson(const rh::WinnerRow& r) {
    return Json{{"name", r.name},
                {"place", r.place},
                {"score", r.score},
                {"payout", r.payout},
                {"lones", r.lones}};
}

Json fineJson(const rh::BumpRow& r) {
    return Json{{"name", r.name},
                {"payIn", r.payIn},
                {"bumps", r.bumps},
                {"woods", r.woods},
                {"paid", r.paid}};
}

Json jackpotJson(rh::Session& session) {
    const rh::FineCounts counts = rh::fineCounts(session.state());
    Json j;
    j["amount"] =
        rh::formatMoney(rh::JackpotAmount(session.state()), session.currency(), rh::kMoney2);
    j["totalBumps"] = counts.bumps;
    j["totalWoods"] = counts.woods;
    Json rows = Json::array();
    for (const rh::LoneRow& r : rh::loneRows(session))
        rows.push_back(Json{{"name", r.name}, {"payout", r.payout}, {"lones", r.lones}});
    j["rows"] = std::move(rows);
    return j;
}

// A detail row's cells: name, one per round, total, lone, bump, wood, name again.
Json detailJson(const rh::GameDetailRow& r) {
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
auto guarded(rh::Session& session, const char* title, Build build) -> decltype(build()) {
    try {
        return build();
    } catch (const rh::RhError& e) {
        session.ShowErrorMsg(title, e);
    } catch (const std::bad_alloc&) {
        session.ShowErrorMsg(title, rh::RhError(rh::err::OutOfMemory));
    }
    return {};
}

int runReport(const std::string& file) {
    rh::ScriptedPrompt prompt;
    rh::Session session(prompt);
    const bool loaded = loadForViews(session, prompt, file);
    // After a failed load the views stay empty, as the window's do; the tournament section then
    // shows the empty tournament the reset left.
    auto view = [&](const char* title, auto build) {
        return loaded ? guarded(session, title, build) : decltype(build()){};
    };

    JsonWriter out(stdout);
    out.value("tournament", tournamentJson(session.tourney()));
    {
        // The standings first: they run the payout calculation the other money views read. A
        // failure there is reported by the standings themselves ("error in UpdateLeaderGridMain").
        std::vector<rh::LeaderRow> standings =
            view("UpdateLeaderGridMain", [&] { return rh::leaderGridRows(session); });
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
                  [](const rh::LeaderRow& row) { return leaderJson(row.entry); });
    }
    out.array("winners", view("UpdateWinnerGrid", [&] { return rh::winnerRows(session); }),
              winnerJson);
    out.array("fines", view("UpdateBumpGrid", [&] { return rh::debtorRows(session); }), fineJson);
    out.value("jackpot", jackpotJson(session)); // the lone grid reports its own errors
    out.array("details", view("Load Detail Grid", [&] { return rh::gameDetailRows(session); }),
              detailJson);
    const rh::TournamentState& state = session.state();
    out.value("sittingOut", view("Sitting Out", [&] {
                  return rh::sittingOut(state, session.viewsFilled()).names;
              }));
    out.value("roundComplete", view("Auto-Advance Round", [&] {
                  return rh::isRoundComplete(state, state.currentRoundNo());
              }));
    out.value("mismatches",
              view("Auto-Advance Round", [&] { return splitLines(rh::mismatchList(state)); }));
    Json messages = Json::array();
    for (const rh::Message& m : prompt.messages())
        messages.push_back(Json{{"title", m.title}, {"text", m.text}});
    out.value("messages", messages);
    if (!out.finish()) {
        std::fprintf(stderr, "rankhall-cli: the report could not be written\n");
        return kFailed;
    }
    return loaded ? kDone : kFailed;
}

int runHtml(const std::string& file, const std::string& outPath) {
    rh::ScriptedPrompt prompt;
    rh::Session session(prompt);
    if (!loadForViews(session, prompt, file)) {
        printMessages(prompt, stderr);
        std::fprintf(stderr, "not loaded: %s\n", file.c_str());
        return kFailed;
    }
    // The page as published with the HTML tick off: the browser reloads it every 15 seconds.
    bool written;
    std::string path;
    if (outPath.empty()) {
        path = rh::standingsPagePath(session);
        written = rh::publishStandingsPage(session, false);
    } else {
        path = outPath;
        written = rh::writeStandingsPage(session, path, rh::buildHtmlPage(session, false));
    }
    printMessages(prompt, stderr);
    if (!written)
        return kFailed;
    if (outPath.empty())
        std::printf("%s\n", path.c_str());
    return kDone;
}

} // namespace

int main(int argc, char* argv[]) {
    // Money texts follow the user's locale; the files themselves never do.
    std::setlocale(LC_ALL, "");

    CLI::App app{"Rankhall: check, report on, publish and convert Euchre tournament files (.QMC)",
                 "rankhall-cli"};
    app.set_version_flag("--version", versionText(), "Show the version and exit");
    app.require_subcommand(1);

    // Each command records what to run once the command line is parsed.
    std::function<int()> command;

    std::string checkFile;
    auto* check = app.add_subcommand("check", "Load a tournament file as the window does and "
                                              "print every message of the load and a summary");
    check->add_option("FILE", checkFile, "Tournament file (.QMC, plain or masked)")->required();
    check->callback([&] { command = [&] { return runCheck(checkFile); }; });

    std::string reportFile;
    auto* report = app.add_subcommand("report", "Load a tournament file and print its standings, "
                                                "payouts, results, fines, jackpot and game "
                                                "details as one JSON document");
    report->add_option("FILE", reportFile, "Tournament file (.QMC, plain or masked)")->required();
    report->callback([&] { command = [&] { return runReport(reportFile); }; });

    std::string htmlFile, htmlOut;
    auto* html = app.add_subcommand("html", "Write the HTML standings page of a tournament file "
                                            "(into the temporary folder under its own name, and "
                                            "print the path, unless -o names the file)");
    html->add_option("FILE", htmlFile, "Tournament file (.QMC, plain or masked)")->required();
    html->add_option("-o,--output", htmlOut, "File to write the page to");
    html->callback([&] { command = [&] { return runHtml(htmlFile, htmlOut); }; });

    std::string saveFile, saveOut;
    bool savePlain = false;
    bool saveForce = false;
    auto* save = app.add_subcommand("save", "Load a tournament file and write it back, masked "
                                            "as the window saves it (plain with --plain)");
    save->add_option("FILE", saveFile, "Tournament file to load")->required();
    save->add_option("-o,--output", saveOut, "File to write")->required();
    save->add_flag("--plain", savePlain, "Write the XML text unmasked");
    save->add_flag("--force", saveForce,
                   "Write even when the load reported an error (what was read before it), "
                   "and over a read-only output file");
    save->callback(
        [&] { command = [&] { return runSave(saveFile, saveOut, savePlain, saveForce); }; });

    std::string unmaskFile;
    auto* unmask = app.add_subcommand("unmask", "Print the XML text of a tournament file as UTF-8");
    unmask->add_option("FILE", unmaskFile, "Tournament file (.QMC, plain or masked)")->required();
    unmask->callback([&] { command = [&] { return runUnmask(unmaskFile); }; });

    rh::cli::addWallCommands(app, *html, command);
    rh::cli::addPrintCommands(app, command, loadForViews);
    rh::cli::addJournalCommands(app, command);
    rh::cli::addNewCommand(app, command);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? kDone : kUsage;
    }
    if (!command)
        return kUsage;
    const int code = command();
    // Files kept outside the usual private folder are worth a word, whatever the command.
    if (const std::string notice = rh::privateFolderNotice(); !notice.empty())
        std::fprintf(stderr, "%s\n", notice.c_str());
    return code;
}
