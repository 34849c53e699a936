#include "cli/terminal_cad_utility.h"

#include <istream>
#include <ostream>
#include <string>

namespace plovis {

Point TerminalCadUtility::getPoint(std::string_view prompt) {
    io_.err << prompt << " (X,Y) " << std::flush;
    std::string line;
    if (!std::getline(io_.in, line)) throw HostError("no point was picked");
    if (const auto p = parsePoint(line)) return *p;
    throw HostError("\"" + line + "\" is not a point");
}

void TerminalCadUtility::prompt(std::string_view message) {
    io_.err << message << '\n';
}

std::string TerminalCadUtility::getString(std::string_view prompt) {
    io_.err << prompt << ' ' << std::flush;
    std::string line;
    if (!std::getline(io_.in, line)) throw HostError("no answer was typed");
    return line;
}

}  // namespace plovis
