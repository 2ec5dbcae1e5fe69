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
#include "new_command.h"
#include "persistence/private_folder.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "print_commands.h"
#include "publishing/html.h"
#include "services/load_save.h"
#include "services/report_json.h"
#include "services/session.h"
#include "services/standings_page.h"
#include "services/tournament_summary.h"
#include "wall_commands.h"

#include <CLI/CLI.hpp>

#include <clocale>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

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

int runCheck(const std::string& file) {
    rh::ScriptedPrompt prompt;
    rh::Session session(prompt);
    bool loaded = load(session, prompt, file);
    printMessages(prompt, stdout);
    if (!loaded) {
        std::printf("not loaded: %s\n", file.c_str());
        return kFailed;
    }
    std::printf("%s\n", rh::tournamentSummary(session.tourney()).c_str());
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

int runReport(const std::string& file) {
    rh::ScriptedPrompt prompt;
    rh::Session session(prompt);
    const bool loaded = loadForViews(session, prompt, file);
    rh::writeReportJson(session, prompt, loaded, [](std::string_view part) {
        std::fwrite(part.data(), 1, part.size(), stdout);
    });
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
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
