#pragma once
// Counts and lists as a command's report writes them: "1 branch", "3 branches", "rows 18, 19
// and 4 more".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plovis {

// The count with its noun: counted(1, "row", "rows") is "1 row", counted(0, ...) "0 rows".
std::string counted(std::size_t n, std::string_view singular, std::string_view plural);

// The items joined by ", ", the first `shown` of them and then " and N more".
std::string listed(const std::vector<std::string>& items, std::size_t shown = 8);

// Sheet rows as a list of runs: {20, 21, 22, 25} is "rows 20-22, 25", {20} "row 20".
std::string rowRuns(const std::vector<int>& rows, std::size_t shown = 8);

}  // namespace plovis
