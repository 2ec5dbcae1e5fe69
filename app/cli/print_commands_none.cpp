// rankhall-cli built without the Qt parts: no printing commands.
#include "print_commands.h"

namespace rh::cli {

void addPrintCommands(CLI::App&, std::function<int()>&, ViewLoader) {}

} // namespace rh::cli
