#pragma once
// A trapped region: the routines answer a failed host operation or a number failure in their own
// words; everything else goes on to the command layer.

#include <functional>
#include <optional>
#include <string>

namespace plovis {

// Runs body as a trapped region: a failed host operation (HostError), a number that does not fit
// or arithmetic without a result (std::range_error) comes back as its description; nothing when
// body ran through. Anything else (a question nobody could answer, the application ending) is not
// the region's to answer and goes on.
std::optional<std::string> trapFailure(const std::function<void()>& body);

}  // namespace plovis
