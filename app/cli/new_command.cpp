// rankhall-cli new: draws up the seating for a list of entrants and writes the new tournament
// file, which then loads in the window like any other. The list's findings (blank lines, a header
// row) are printed as notes; a request that cannot be met prints every problem and exits 1.
#include "new_command.h"

#include "cli_support.h"
#include "core/prompt.h"
#include "core/scripted_prompt.h"
#include "services/entrant_import.h"
#include "services/new_tournament.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

namespace rh::cli {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;

struct NewOptions {
    std::string kind = "progressive";
    std::string players;
    int rounds = 0;
    std::string title;
    std::string code;
    std::uint64_t seed = 1;
    double entryFee = 0;
    double bumpFee = 0;
    double woodFee = 0;
    std::string jackpotTitle = "Bump Jackpot";
    bool quality = false;
    std::string out;
};

int runNew(const NewOptions& o) {
    EntrantImport list;
    try {
        list = importEntrantFile(o.players);
    } catch (const RhError& e) {
        std::fprintf(stderr, "cannot read %s: %s\n", o.players.c_str(),
                     lines(commonErrorText(e)).c_str());
        return kFailed;
    }
    for (const std::string& finding : list.findings)
        std::fprintf(stderr, "%s: %s\n", o.players.c_str(), finding.c_str());

    NewTournamentRequest r;
    r.title = o.title;
    r.code = o.code;
    r.jackpotTitle = o.jackpotTitle;
    r.kind = o.kind == "team" ? TournamentKind::Team : TournamentKind::Progressive;
    r.rounds = o.rounds;
    r.entryFee = o.entryFee;
    r.bumpFee = o.bumpFee;
    r.woodFee = o.woodFee;
    r.entrants = list.names();
    r.entrantLines = list.lines();
    r.seed = o.seed;

    ScriptedPrompt prompt;
    const NewTournamentOutcome outcome = writeNewTournament(r, o.out, prompt);
    for (const std::string& problem : outcome.problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    for (const Message& m : prompt.messages())
        std::fprintf(stderr, "%s: %s\n", m.title.c_str(), lines(m.text).c_str());
    if (!outcome.written) {
        std::fprintf(stderr, "not written: %s\n", o.out.c_str());
        return kFailed;
    }
    const bool progressive = r.kind == TournamentKind::Progressive;
    const auto entrants = static_cast<int>(r.entrants.size());
    std::printf("%s: %s tournament, %d %s, %d tables, %d rounds\n", o.out.c_str(),
                progressive ? "Progressive" : "Team", entrants, progressive ? "players" : "teams",
                entrants / (progressive ? 4 : 2), r.rounds);
    if (o.quality)
        for (const std::string& line : qualityLines(outcome.quality, r.kind))
            std::printf("%s\n", line.c_str());
    return kDone;
}

} // namespace

void addNewCommand(CLI::App& app, std::function<int()>& command) {
    auto options = std::make_shared<NewOptions>();
    auto* sub = app.add_subcommand("new", "Draw up the seating for a list of entrants and write a "
                                          "new tournament file");
    sub->add_option("--kind", options->kind, "progressive (players) or team (fixed pairs)")
        ->check(CLI::IsMember({"progressive", "team"}, CLI::ignore_case))
        ->transform(CLI::IsMember({"progressive", "team"}, CLI::ignore_case))
        ->required();
    sub->add_option("--players", options->players,
                    "Entrants, one a line, or a CSV file (.csv) with the name first; for a team "
                    "tournament each line is a team")
        ->required();
    sub->add_option("--rounds", options->rounds, "Rounds, 1 to 99")->required();
    sub->add_option("--title", options->title, "Tournament title")->required();
    sub->add_option("--code", options->code,
                    "Tournament code (letters, digits, - and _; used in file names)")
        ->required();
    sub->add_option("--seed", options->seed,
                    "Seed of the seating (the same seed, the same seating)");
    sub->add_option("--entry-fee", options->entryFee, "Entry fee");
    sub->add_option("--bump-fee", options->bumpFee, "Fee for each bump");
    sub->add_option("--wood-fee", options->woodFee, "Fee for each woodpecker");
    sub->add_option("--jackpot-title", options->jackpotTitle, "Title of the bump jackpot");
    sub->add_flag("--quality", options->quality,
                  "Print the seating's figures: repeated partnerships, the most meetings of two "
                  "opponents, the sit-out spread");
    sub->add_option("-o,--output", options->out, "Tournament file to write")->required();
    sub->callback([&command, options] { command = [options] { return runNew(*options); }; });
}

} // namespace rh::cli
