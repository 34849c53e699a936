#include "cli/terminal_cad_utility.h"

#include <istream>
#include <ostream>
#include <string>

#include "common/leading_number.h"

namespace plovis {

std::optional<Point> parsePoint(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::string_view x = text.substr(0, comma);
    const std::string_view y = text.substr(comma + 1);
    if (!isNumberText(x) || !isNumberText(y)) return std::nullopt;
    try {
        return Point{leadingNumber(x), leadingNumber(y), 0};
    } catch (const NumberOverflow&) {
        return std::nullopt;
    }
}

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
