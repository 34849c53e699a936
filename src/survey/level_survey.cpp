#include "survey/level_survey.h"

#include <cmath>

#include "common/listing.h"
#include "survey/book_reader.h"
#include "survey/level_checks.h"
#include "survey/level_reduction.h"
#include "survey/sheet_output.h"

namespace plovis {
namespace {

enum Column { kChainage = 5, kRise = 9, kFall = 10, kReducedLevel = 11 };

void writeBranch(Worksheet& sheet, const SurveyBranch& branch, const LevelReadings& readings,
                 const std::vector<LevelStep>& steps, int& row) {
    row = branch.headRow + 1;
    put(sheet, row, kReducedLevel, readings.reducedLevels[0]);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const LevelStep& step = steps[i];
        row = branch.headRow + 2 + static_cast<int>(i);
        put(sheet, row, kChainage, step.chainage);
        if (!step.riseOrFall) continue;
        const double d = *step.riseOrFall;
        if (d > 0) {
            put(sheet, row, kRise, d);
            put(sheet, row, kFall, std::string());
        } else {
            put(sheet, row, kRise, std::string());
            put(sheet, row, kFall, std::fabs(d));  // a level step is written as a fall of 0
        }
        put(sheet, row, kReducedLevel, step.level);
    }
}

// What the reduction did, for the command's summary.
struct LevelTally {
    std::vector<std::string> reduced;   // branch names
    std::size_t stations = 0;           // stations given a reduced level
    std::vector<std::string> single;    // single-station branches, not reduced
    std::vector<int> passedOver;        // rows of stations without a rise or fall
    std::vector<std::string> fromZero;  // branches reduced without a starting level
};

void tallyBranch(LevelTally& tally, const SurveyBranch& branch,
                 const std::vector<LevelStep>& steps) {
    tally.reduced.push_back(branch.name);
    ++tally.stations;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].riseOrFall) {
            ++tally.stations;
        } else {
            tally.passedOver.push_back(branch.headRow + 2 + static_cast<int>(i));
        }
    }
}

std::string summaryOf(const SurveyContext& context, LevelTally tally) {
    for (const SurveyBranch& b : context.branches) {
        if (b.lastPoint <= 0) tally.single.push_back(b.name);
    }
    std::string text = "Levelsurvey: " + counted(tally.reduced.size(), "branch", "branches") +
                       " reduced, " + counted(tally.stations, "station", "stations") +
                       " levelled (chainage E, rise I, fall J, level K)";
    if (!tally.single.empty()) text += "; skipped, a single station: " + listed(tally.single);
    if (!tally.passedOver.empty())
        text += "; no rise or fall for negative sights: " + rowRuns(tally.passedOver);
    if (!tally.fromZero.empty())
        text += "; reduced from 0, no starting level: " + listed(tally.fromZero);
    return text;
}

// A branch whose book gives no starting level and whose first station is on no earlier branch.
std::string noStartLevel(const SurveyBranch& branch) {
    return "Warning: Levelsurvey branch " + branch.name + " (row " +
           std::to_string(branch.headRow) + ") has no starting level: M" +
           std::to_string(branch.headRow + 1) + " gives none and its first station " +
           branch.labels[0] + " is on no earlier branch, so its levels are reduced from 0.";
}

}  // namespace

bool readLevelSurvey(SurveyContext& context, Workbook& workbook, UserInterface& ui, bool report) {
    std::vector<SurveyBranch> branches;
    std::vector<LevelReadings> readings;
    const BookVisitor visit{[&](const Worksheet& sheet, int row) {
                                branches.emplace_back();
                                branches.back().name = textAt(sheet, row, 3);
                                branches.back().headRow = row;
                                readings.emplace_back();
                                readings.back().startLevel = numberAt(sheet, row + 1, 13);
                            },
                            [&](const Worksheet& sheet, int row, int) {
                                addPoint(branches.back(), textAt(sheet, row, 3),
                                         numberAt(sheet, row, 4));
                                LevelReadings& r = readings.back();
                                r.backsights.push_back(numberAt(sheet, row, 6));
                                r.intermediateSights.push_back(numberAt(sheet, row, 7));
                                r.foresights.push_back(numberAt(sheet, row, 8));
                            }};
    const bool ok = readBook(workbook, ui, levelSurveyBook(), report, visit, context.report);
    context.branches = ok ? std::move(branches) : std::vector<SurveyBranch>{};
    context.levelReadings = ok ? std::move(readings) : std::vector<LevelReadings>{};
    return ok;
}

bool reduceLevelSurvey(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui,
                       bool report) {
    if (!attachSpreadsheet(host, ui)) return false;
    Workbook& workbook = host.activeWorkbook();
    if (!readLevelSurvey(context, workbook, ui, true)) return false;
    Worksheet& sheet = workbook.sheet(levelSurveyBook().sheetName);
    LevelTally tally;
    const auto reduced = [&](StationRef s) { return context.branches[s.branch].lastPoint > 0; };
    const std::vector<Namesake> namesakes = anyWithoutStartLevel(context.levelReadings)
                                                ? earlierNamesakes(context.branches, reduced)
                                                : std::vector<Namesake>{};
    std::vector<std::string> warnings;
    const BranchWrites writes{
        .sheet = sheet,
        .branchCount = context.branches.size(),
        .firstRow = levelSurveyBook().firstRow,
        // A single station has nothing to reduce.
        .wanted = [&](std::size_t b) { return context.branches[b].lastPoint > 0; },
        .write =
            [&](std::size_t b, int& row) {
                LevelReadings& readings = context.levelReadings[b];
                const SurveyBranch& branch = context.branches[b];
                const auto start = startLevelOf(readings.startLevel, static_cast<std::int32_t>(b),
                                                namesakes, context.levelReadings);
                if (!start) {
                    warnings.push_back(noStartLevel(branch));
                    tally.fromZero.push_back(branch.name);
                }
                const auto steps = reduceLevelBranch(branch, readings, start.value_or(0));
                writeBranch(sheet, branch, readings, steps, row);
                tallyBranch(tally, branch, steps);
                return true;
            }};
    const bool done = writeBranches(workbook, ui, writes, report);
    context.report.insert(context.report.end(), warnings.begin(), warnings.end());
    if (done) {
        const auto checks = levelBookChecks(context.branches, context.levelReadings,
                                            context.tolerances.allowanceMm);
        context.report.insert(context.report.end(), checks.begin(), checks.end());
    }
    context.summary.push_back(summaryOf(context, std::move(tally)));
    return done;
}

}  // namespace plovis
