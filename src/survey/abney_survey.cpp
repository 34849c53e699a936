#include "survey/abney_survey.h"

#include "common/listing.h"
#include "survey/abney_reduction.h"
#include "survey/angle_checks.h"
#include "survey/book_reader.h"
#include "survey/sheet_output.h"

namespace plovis {
namespace {

enum Column { kChainage = 5, kSlope = 12, kHeight = 13, kReducedLevel = 14 };

double angleAt(const Worksheet& sheet, int row, int degreesColumn) {
    return angleOf(numberAt(sheet, row, degreesColumn), numberAt(sheet, row, degreesColumn + 1),
                   numberAt(sheet, row, degreesColumn + 2));
}

void writeBranch(Worksheet& sheet, const SurveyBranch& branch, const std::vector<AbneyStep>& steps,
                 int& row) {
    for (std::size_t j = 0; j < steps.size(); ++j) {
        row = branch.headRow + 1 + static_cast<int>(j);
        put(sheet, row, kChainage, roundToThreeDecimals(steps[j].chainage));
        put(sheet, row, kSlope, roundToThreeDecimals(steps[j].slope));
        put(sheet, row, kHeight, roundToThreeDecimals(steps[j].height));
        put(sheet, row, kReducedLevel, roundToThreeDecimals(steps[j].level));
    }
}

// A branch whose book gives no starting level and whose first station is on no earlier branch.
std::string noStartLevel(const SurveyBranch& branch) {
    return "Warning: AbneySurvey branch " + branch.name + " (row " +
           std::to_string(branch.headRow) + ") has no starting level: P" +
           std::to_string(branch.headRow + 1) + " gives none and its first station " +
           branch.labels[0] + " is on no earlier branch, so its levels are reduced from 0.";
}

std::string summaryOf(std::size_t branches, std::size_t stations,
                      const std::vector<std::string>& fromZero) {
    std::string text = "AbneySurvey: " + counted(branches, "branch", "branches") + " reduced, " +
                       counted(stations, "station", "stations") +
                       " levelled (chainage E, slope L, height M, level N)";
    if (!fromZero.empty()) text += "; reduced from 0, no starting level: " + listed(fromZero);
    return text;
}

}  // namespace

bool readAbneySurvey(SurveyContext& context, Workbook& workbook, UserInterface& ui, bool report) {
    std::vector<SurveyBranch> branches;
    std::vector<AbneyReadings> readings;
    const BookVisitor visit{[&](const Worksheet& sheet, int row) {
                                branches.emplace_back();
                                branches.back().name = textAt(sheet, row, 3);
                                branches.back().headRow = row;
                                readings.emplace_back();
                                readings.back().startLevel = numberAt(sheet, row + 1, 16);
                            },
                            [&](const Worksheet& sheet, int row, int) {
                                addPoint(branches.back(), textAt(sheet, row, 3),
                                         numberAt(sheet, row, 4));
                                readings.back().foreAngles.push_back(angleAt(sheet, row, 6));
                                readings.back().backAngles.push_back(angleAt(sheet, row, 9));
                            }};
    const bool ok = readBook(workbook, ui, abneySurveyBook(), report, visit, context.report);
    context.branches = ok ? std::move(branches) : std::vector<SurveyBranch>{};
    context.abneyReadings = ok ? std::move(readings) : std::vector<AbneyReadings>{};
    return ok;
}

bool reduceAbneySurvey(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui,
                       bool report) {
    if (!attachSpreadsheet(host, ui)) return false;
    Workbook& workbook = host.activeWorkbook();
    if (!readAbneySurvey(context, workbook, ui, true)) return false;
    Worksheet& sheet = workbook.sheet(abneySurveyBook().sheetName);
    std::size_t reduced = 0, stations = 0;
    std::vector<std::string> fromZero, warnings;
    const std::vector<Namesake> namesakes =
        anyWithoutStartLevel(context.abneyReadings)
            ? earlierNamesakes(context.branches, [](StationRef) { return true; })
            : std::vector<Namesake>{};
    const BranchWrites writes{
        .sheet = sheet,
        .branchCount = context.branches.size(),
        .firstRow = abneySurveyBook().firstRow,
        .write =
            [&](std::size_t b, int& row) {
                AbneyReadings& readings = context.abneyReadings[b];
                const SurveyBranch& branch = context.branches[b];
                const auto start =
                    abneyStartLevelOf(readings.startLevel, static_cast<std::int32_t>(b), namesakes,
                                      context.abneyReadings);
                if (!start) {
                    fromZero.push_back(branch.name);
                    warnings.push_back(noStartLevel(branch));
                }
                const auto steps = reduceAbneyBranch(branch, readings, start.value_or(0));
                writeBranch(sheet, branch, steps, row);
                ++reduced;
                stations += steps.size();
                return true;
            },
    };
    const bool done = writeBranches(workbook, ui, writes, report);
    context.report.insert(context.report.end(), warnings.begin(), warnings.end());
    if (done) {
        const auto checks = abneyBookChecks(context.branches, context.abneyReadings,
                                            context.tolerances.angleToleranceMinutes);
        context.report.insert(context.report.end(), checks.begin(), checks.end());
    }
    context.summary.push_back(summaryOf(reduced, stations, fromZero));
    return done;
}

}  // namespace plovis
