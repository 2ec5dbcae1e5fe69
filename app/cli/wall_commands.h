#pragma once
// The wall screen's commands of rankhall-cli: `html FILE --wall [-o OUT]` writes the wall page
// instead of the standings page, and `serve FILE --port P [--bind ADDR]` serves it to phones
// until SIGINT or SIGTERM.

#include <CLI/CLI.hpp>

#include <functional>

namespace rh::cli {

/// Adds --wall to the html command and adds the serve command. `command` is what main runs once
/// the command line is parsed; with --wall it becomes the wall page's writer.
void addWallCommands(CLI::App& app, CLI::App& html, std::function<int()>& command);

} // namespace rh::cli
