#include "survey/ground_profile.h"

#include <algorithm>

#include "common/letter_case.h"
#include "common/number_format.h"
#include "common/rounding.h"
#include "survey/book_reader.h"

namespace plovis {
namespace {

// The point code of column E, a 16-bit whole number.
std::int16_t codeAt(const Worksheet& sheet, int row) {
    const double code = numberAt(sheet, row, 5);
    try {
        return toInt16(code);
    } catch (const WholeNumberOverflow&) {
        throw HostError(cellName(sheet, row, 5) + " holds the code " + generalForm(code) +
                        ", beyond the whole numbers a code can be");
    }
}

}  // namespace

bool readGroundProfile(SurveyContext& context, Workbook& workbook, UserInterface& ui, bool report) {
    std::vector<SurveyBranch> branches;
    const BookVisitor visit{[&](const Worksheet& sheet, int row) {
                                branches.emplace_back();
                                branches.back().name = textAt(sheet, row, 2);
                            },
                            [&](const Worksheet& sheet, int row, int) {
                                SurveyBranch& b = branches.back();
                                addPoint(b, textAt(sheet, row, 2), numberAt(sheet, row, 3));
                                b.levels.push_back(numberAt(sheet, row, 4));
                                b.codes.push_back(codeAt(sheet, row));
                            }};
    const bool ok = readBook(workbook, ui, groundProfileBook(), report, visit, context.report);
    context.branches = ok ? std::move(branches) : std::vector<SurveyBranch>{};
    return ok;
}

GroundProfile indexGroundProfile(std::vector<SurveyBranch> branches) {
    GroundProfile profile;
    profile.branches = std::move(branches);
    profile.pointsByLabel.resize(profile.branches.size());
    for (std::size_t b = 0; b < profile.branches.size(); ++b) {
        const SurveyBranch& branch = profile.branches[b];
        profile.branchByName.emplace(upperLetters(branch.name), static_cast<std::int32_t>(b));
        auto& points = profile.pointsByLabel[b];
        for (std::size_t j = 0; j < branch.labels.size(); ++j)
            points[upperLetters(branch.labels[j])].push_back(static_cast<std::int32_t>(j));
    }
    return profile;
}

GroundProfile loadGroundProfile(Workbook& workbook, UserInterface& ui) {
    SurveyContext context;
    readGroundProfile(context, workbook, ui, false);
    return indexGroundProfile(std::move(context.branches));
}

std::int32_t findBranch(const GroundProfile& profile, std::string_view name) {
    const auto found = profile.branchByName.find(upperLetters(name));
    return found == profile.branchByName.end() ? -1 : found->second;
}

PointRange findPointRange(const GroundProfile& profile, std::string_view fromLabel,
                          std::string_view toLabel, std::int32_t branch) {
    PointRange range;
    const auto& points = profile.pointsByLabel[branch];
    const auto from = points.find(upperLetters(fromLabel));
    if (from == points.end()) return range;
    range.first = from->second.front();
    const auto to = points.find(upperLetters(toLabel));
    if (to == points.end()) return range;
    const auto last = std::lower_bound(to->second.begin(), to->second.end(), range.first);
    if (last != to->second.end()) range.last = *last;
    return range;
}

std::vector<GroundLinePoint> groundLineBetween(const GroundProfile& profile,
                                               std::string_view branchName,
                                               std::string_view fromLabel,
                                               std::string_view toLabel) {
    const std::int32_t b = findBranch(profile, branchName);
    if (b < 0) return {};
    const PointRange range = findPointRange(profile, fromLabel, toLabel, b);
    if (range.first < 0 || range.last < 0 || range.last - range.first <= 0) return {};

    const SurveyBranch& branch = profile.branches[b];
    std::vector<GroundLinePoint> line;
    line.reserve(range.last - range.first + 1);
    // The sum starts at minus the first point's own distance, so the first point lies at the
    // stretch's start whatever its distance from the point before it.
    double s = 0 - branch.distances[range.first];
    for (std::int32_t j = range.first; j <= range.last; ++j) {
        s += branch.distances[j];
        line.push_back({branch.distances[j], branch.levels[j], s});
    }
    return line;
}

}  // namespace plovis
