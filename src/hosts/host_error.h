#pragma once
// Failures of the workbook and drawing hosts. A routine catches them where it answers a failure
// in its own words; everything else lets them reach the command layer.

#include <stdexcept>

namespace plovis {

struct HostError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A sheet of a workbook file that cannot be read when a routine first reaches it (malformed XML,
// text that is not UTF-8). A fault of the file, not a failed host operation: no routine answers it
// in its own words, it ends the command with its message.
struct UnreadableSheet : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace plovis
