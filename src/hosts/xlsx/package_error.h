#pragma once
// What is wrong with a workbook package, told without the file's name: the reader adds the name
// where it turns the problem into the HostError the user sees.

#include <stdexcept>

namespace plovis::xlsx {

struct PackageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace plovis::xlsx
