#pragma once
// What the commands of rankhall-cli share: the exit codes, printing the messages a load showed,
// and loading a tournament file the way the window does.

#include "core/scripted_prompt.h"
#include "services/session.h"

#include <cstdio>
#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace rh::cli {

inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

/// Message texts join their lines with CR LF; a terminal wants LF.
std::string lines(const std::string& text);

/// "title: text" for every message the prompt was shown, one a line.
void printMessages(const ScriptedPrompt& prompt, std::FILE* to);

/// Loads as the window does (loadTournament: read, views filled, payouts built), answering No to
/// the recovery question: the file itself is checked, never a recovery copy that happens to lie
/// in the temporary folder.
bool load(Session& session, ScriptedPrompt& prompt, const std::string& file);

/// Loads for the views (report, html, the wall screen): the same, with money in the user's
/// locale.
bool loadForViews(Session& session, ScriptedPrompt& prompt, const std::string& file);

/// Adds "play" and "restore" (journal_commands.cpp); a chosen command is stored in `command`.
void addJournalCommands(CLI::App& app, std::function<int()>& command);

} // namespace rh::cli
