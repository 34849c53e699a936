// libFuzzer target for the workbook package reader and writer (scripts/fuzz-xlsx runs it).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/package_exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    plovis::xlsx::exercisePackage(plovis::xlsx::packageFromInput(input));
    return 0;
}
