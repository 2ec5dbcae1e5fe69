#pragma once
// rankhall-cli's printing commands: "sheets" writes the score cards, seating charts and table
// cards as PDF; "export" writes the standings, results or treasurer's report as CSV or PDF. They
// load a tournament with the loader the report command uses, handed in by main.

#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace rh {
class Session;
class ScriptedPrompt;
} // namespace rh

namespace rh::cli {

/// Loads a file for the views: messages collected, money in the user's locale, and on success the
/// window's after-load refresh. Answers whether the tournament was loaded.
using ViewLoader = bool (*)(Session& session, ScriptedPrompt& prompt, const std::string& file);

/// Adds "sheets" and "export" to the app; a parsed command stores what to run in `command`.
void addPrintCommands(CLI::App& app, std::function<int()>& command, ViewLoader load);

} // namespace rh::cli
