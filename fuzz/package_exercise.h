#pragma once
// Exercising the package reader and writer with arbitrary input: the libFuzzer target and the
// mutation test of the test suite share it. Whatever the input, reading gives a workbook or a
// HostError; a workbook saved by PLOVIS reads back with the cells written.

#include <string>
#include <string_view>

namespace plovis::xlsx {

// The package an input stands for. Input beginning with "PK" is the zip archive itself. Other
// input is split at lines "--" into the workbook part, the first sheet and the shared strings,
// zipped together with the other parts of a small valid workbook (parts left out are taken from
// it too), so that mutations reach the XML rather than stopping at the zip's checksums.
std::string packageFromInput(std::string_view input);

// Reads the package. When it reads, writes and clears cells of its first sheet, adds a sheet,
// builds the saved package and reads that back. Returns whether the package was read. Aborts
// when the saved package does not read back with the cells written: a fault of the writer.
bool exercisePackage(const std::string& package);

}  // namespace plovis::xlsx
