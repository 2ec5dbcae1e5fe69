// rankhall-cli play and restore: the director's changes applied from standard input with the
// window's journal kept, and the tournament rebuilt from its file and journal as the window's
// restore after a crash would rebuild it.
#include "cli_support.h"

#include "persistence/tournament_writer.h"
#include "services/changes.h"
#include "services/play.h"
#include "services/restore.h"
#include "services/tournament_file.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

namespace rh::cli {

namespace {

// Answers the restore question Yes (the journal's changes are taken) and every other question as
// the other commands do.
class RestoringPrompt : public rh::ScriptedPrompt {
public:
    rh::MsgAnswer show(const rh::Message& message) override {
        const rh::MsgAnswer answer = ScriptedPrompt::show(message);
        return message.title == rh::kRestoreTitle ? rh::MsgAnswer::Yes : answer;
    }
};

std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.replace(at, 2, " ");
    return text;
}

int runPlay(const std::string& file) {
    RestoringPrompt prompt;
    rh::Session session(prompt);
    session.setJournalMode(rh::JournalMode::Keep);
    const bool loaded = load(session, prompt, file);
    if (!loaded && !session.lockRefusal().empty()) {
        // Another program records this tournament's changes: two would lose each other's.
        std::fprintf(stderr, "rankhall-cli: %s\n", session.lockRefusal().c_str());
        return kFailed;
    }
    printMessages(prompt, stderr);
    if (!loaded) {
        std::fprintf(stderr, "not loaded: %s\n", file.c_str());
        return kFailed;
    }
    if (!session.journal())
        std::fprintf(stderr, "rankhall-cli: no journal is kept for %s\n", file.c_str());
    rh::ChangePlayer player(session, file, true);
    std::string line;
    for (std::size_t number = 1; std::getline(std::cin, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        prompt.clear();
        const rh::PlayOutcome outcome = player.apply(line);
        const std::vector<rh::Message> shown = prompt.messages();
        if (outcome.ok) {
            printMessages(prompt, stderr);
            if (outcome.change || line.find_first_not_of(" \t") != std::string::npos)
                std::printf("ok %zu\n", player.applied());
        } else {
            // What the window would have shown, when it showed something; else the reason. The
            // offer to save that follows a journal failure is answered No here: the failure is
            // what is printed.
            std::string text = outcome.message;
            if (!shown.empty()) {
                auto last = shown.end() - 1;
                if (last->title == rh::kUnprotectedTitle && last != shown.begin())
                    --last;
                text = oneLine(last->text);
            }
            std::printf("error %zu: %s\n", number, text.c_str());
        }
        std::fflush(stdout);
    }
    // Changes that never reached the disk: the run failed, whatever was answered before.
    return player.journalLost() ? kFailed : kDone;
}

int runRestore(const std::string& file, const std::string& out, bool plain) {
    RestoringPrompt prompt;
    rh::Session session(prompt);
    session.setJournalMode(rh::JournalMode::ReadOnly);
    if (!load(session, prompt, file)) {
        printMessages(prompt, stderr);
        std::fprintf(stderr, "not loaded: %s\n", file.c_str());
        return kFailed;
    }
    const bool written = rh::CreateSaveDoc(session.state(), prompt, out, false, !plain);
    printMessages(prompt, stderr);
    return written ? kDone : kFailed;
}

} // namespace

void addJournalCommands(CLI::App& app, std::function<int()>& command) {
    static std::string playFile;
    auto* play = app.add_subcommand(
        "play", "Apply changes read from standard input, one a line (score ROUND ENTRANT SCORE, "
                "lone|bump|wood ENTRANT N, paid|fee ENTRANT 0|1, save), journalled as the window "
                "journals them; prints \"ok N\" once each is on disk");
    play->add_option("FILE", playFile, "Tournament file (.QMC, plain or masked)")->required();
    play->callback([&command] { command = [] { return runPlay(playFile); }; });

    static std::string restoreFile, restoreOut;
    static bool restorePlain = false;
    auto* restore = app.add_subcommand(
        "restore", "Write the tournament as the window's restore rebuilds it from the file and "
                   "the changes of its journal (the file's own state when there are none)");
    restore->add_option("FILE", restoreFile, "Tournament file (.QMC, plain or masked)")->required();
    restore->add_option("-o,--output", restoreOut, "File to write")->required();
    restore->add_flag("--plain", restorePlain, "Write the XML text unmasked");
    restore->callback(
        [&command] { command = [] { return runRestore(restoreFile, restoreOut, restorePlain); }; });
}

} // namespace rh::cli
