#pragma once
// What the commands of rankhall-cli share: loading a file as the window does (the recovery copy
// declined, every message collected), and printing the collected messages.

#include "core/scripted_prompt.h"
#include "services/session.h"

#include <cstdio>
#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace cli {

inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

/// Message texts join their lines with CR LF; a terminal wants LF.
std::string lines(const std::string& text);
/// Each collected message as "title: text".
void printMessages(const rh::ScriptedPrompt& prompt, std::FILE* to);
/// Loads as the window does, answering No to the recovery question: the file itself is read,
/// never a recovery copy that happens to lie in the temporary folder.
bool load(rh::Session& session, rh::ScriptedPrompt& prompt, const std::string& file);

/// Adds "play" and "restore" (journal_commands.cpp); a chosen command is stored in `command`.
void addJournalCommands(CLI::App& app, std::function<int()>& command);

} // namespace cli
