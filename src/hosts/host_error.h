#pragma once
// Failures of the workbook and drawing hosts. A routine catches them where it answers a failure
// in its own words; everything else lets them reach the command layer.

#include <stdexcept>

namespace plovis {

struct HostError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace plovis
