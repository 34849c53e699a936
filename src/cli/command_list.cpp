#include "cli/cli.h"

namespace plovis {

std::vector<CliCommand> allCommands() {
    return {};
}

}  // namespace plovis
