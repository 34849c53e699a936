#include "cli/drawing_options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <ostream>

#include "common/leading_number.h"
#include "common/number_format.h"

namespace plovis {

CLI::Validator numberBetween(double least, double most, bool leastAllowed) {
    const std::string range = (leastAllowed ? "a number from " : "a number more than ") +
                              generalForm(least) + " to " + generalForm(most);
    return CLI::Validator(
        [=](const std::string& text) -> std::string {
            double value = std::nan("");
            try {
                if (isNumberText(text)) value = leadingNumber(text);
            } catch (const NumberOverflow&) {
            }
            const bool above = leastAllowed ? value >= least : value > least;
            if (above && value <= most) return {};
            return "\"" + text + "\" is not " + range;
        },
        range);
}

CLI::Validator scaleDenominator() {
    return numberBetween(1, 1'000'000);
}

CLI::Validator paperNamed(const std::vector<std::string>& papers) {
    std::string names;
    for (const std::string& p : papers)
        names += (names.empty() ? "" : ", ") + p;
    return CLI::Validator(
        [=](const std::string& text) -> std::string {
            for (const std::string& p : papers) {
                if (text == p) return {};
            }
            return "\"" + text + "\" is no paper: " + names;
        },
        names);
}

void addDrawingLimitOptions(CLI::App& sub, const std::shared_ptr<DrawingLimits>& limits) {
    sub.add_option("--max-sheets", limits->maxSheets,
                   "The most paper sheets the drawing may have (default 2,000)")
        ->check(numberBetween(1, 1e9));
    sub.add_option("--max-entities", limits->maxEntities,
                   "The most entities the drawing may hold, blocks opened up (default 5,000,000)")
        ->check(numberBetween(1, 1e12));
}

void reportTooLarge(const DrawingTooLarge& e, std::ostream& err) {
    const bool sheets = e.limit == DrawingTooLarge::Limit::Sheets;
    err << "plovis: " << e.what() << "; nothing was written ("
        << (sheets ? "--max-sheets" : "--max-entities") << " raises the limit)\n";
}

}  // namespace plovis
