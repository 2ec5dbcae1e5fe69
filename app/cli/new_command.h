#pragma once
// rankhall-cli new: a new tournament file from a list of entrants (see new_command.cpp).

#include <functional>

namespace CLI {
class App;
}

namespace rh::cli {

/// Adds the "new" command; when it is chosen, `command` is set to run it.
void addNewCommand(CLI::App& app, std::function<int()>& command);

} // namespace rh::cli
