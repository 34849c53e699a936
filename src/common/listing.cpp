#include "common/listing.h"

namespace plovis {

std::string counted(std::size_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

std::string listed(const std::vector<std::string>& items, std::size_t shown) {
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < shown; ++i)
        text += (i == 0 ? "" : ", ") + items[i];
    if (items.size() > shown) text += " and " + std::to_string(items.size() - shown) + " more";
    return text;
}

std::string rowRuns(const std::vector<int>& numbers, std::size_t shown) {
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t end = i;
        while (end + 1 < numbers.size() && numbers[end + 1] == numbers[end] + 1)
            ++end;
        runs.push_back(std::to_string(numbers[i]) +
                       (end > i ? "-" + std::to_string(numbers[end]) : std::string()));
        i = end + 1;
    }
    return (numbers.size() == 1 ? "row " : "rows ") + listed(runs, shown);
}

}  // namespace plovis
