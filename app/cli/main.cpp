// rankhall-cli: the headless tool. Checks, converts and prints tournament files the way the window
// loads and saves them, with every message the window would show collected into the output.
//
// Exit codes: 0 done, 1 the file could not be loaded or written, 2 a usage error.
#include "core/scripted_prompt.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "services/load_save.h"
#include "services/session.h"

#include <CLI/CLI.hpp>

#include <clocale>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

std::string versionText() {
    return "rankhall-cli " + std::to_string(RANKHALL_VERSION_MAJOR) + "." +
           std::to_string(RANKHALL_VERSION_MINOR) + "." + std::to_string(RANKHALL_VERSION_PATCH);
}

// Message texts join their lines with CR LF; a terminal wants LF.
std::string lines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

void printMessages(const rh::ScriptedPrompt& prompt, std::FILE* to) {
    for (const rh::Message& m : prompt.messages())
        std::fprintf(to, "%s: %s\n", m.title.c_str(), lines(m.text).c_str());
}

std::string summary(const rh::Session& session) {
    const rh::CTourney& t = session.tourney();
    std::string entrants = t.isProgressive() ? "players" : "teams";
    return t.TourneyTypeLabel() + " tournament: " + std::to_string(t.TotalPlort()) + " " +
           entrants + ", " + std::to_string(t.TotalTables()) + " tables, " +
           std::to_string(t.TotalRounds()) + " rounds, current round " +
           std::to_string(t.CurrentRound());
}

// Loads as the window does, answering No to the recovery question: the file itself is checked,
// never a recovery copy that happens to lie in the temporary folder.
bool load(rh::Session& session, rh::ScriptedPrompt& prompt, const std::string& file) {
    prompt.defaultYesNo = rh::MsgAnswer::No;
    return rh::ResetAndLoad(session, file);
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
    return kDone;
}

int runSave(const std::string& file, const std::string& out, bool plain) {
    rh::ScriptedPrompt prompt;
    rh::Session session(prompt);
    bool loaded = load(session, prompt, file);
    if (!loaded) {
        printMessages(prompt, stderr);
        std::fprintf(stderr, "not loaded: %s\n", file.c_str());
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

} // namespace

int main(int argc, char* argv[]) {
    // Money texts follow the user's locale; the files themselves never do.
    std::setlocale(LC_ALL, "");

    CLI::App app{"Rankhall: check, convert and print Euchre tournament files (.QMC)",
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

    std::string saveFile, saveOut;
    bool savePlain = false;
    auto* save = app.add_subcommand("save", "Load a tournament file and write it back, masked "
                                            "as the window saves it (plain with --plain)");
    save->add_option("FILE", saveFile, "Tournament file to load")->required();
    save->add_option("-o,--output", saveOut, "File to write")->required();
    save->add_flag("--plain", savePlain, "Write the XML text unmasked");
    save->callback([&] { command = [&] { return runSave(saveFile, saveOut, savePlain); }; });

    std::string unmaskFile;
    auto* unmask = app.add_subcommand("unmask", "Print the XML text of a tournament file as UTF-8");
    unmask->add_option("FILE", unmaskFile, "Tournament file (.QMC, plain or masked)")->required();
    unmask->callback([&] { command = [&] { return runUnmask(unmaskFile); }; });

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? kDone : kUsage;
    }
    return command ? command() : kUsage;
}
