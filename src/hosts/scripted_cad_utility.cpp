#include "hosts/scripted_cad_utility.h"

namespace plovis {

Point ScriptedCadUtility::getPoint(std::string_view prompt) {
    prompts_.emplace_back(prompt);
    if (points_.empty()) throw HostError("No point was picked");
    const std::optional<Point> next = points_.front();
    points_.pop_front();
    if (!next) throw HostError("The point pick was cancelled");
    return *next;
}

std::string ScriptedCadUtility::getString(std::string_view prompt) {
    prompts_.emplace_back(prompt);
    if (strings_.empty()) throw HostError("No answer was typed");
    std::string next = std::move(strings_.front());
    strings_.pop_front();
    return next;
}

}  // namespace plovis
