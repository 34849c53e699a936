#include "survey/level_survey.h"

#include <cmath>

#include "survey/book_reader.h"
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
    const bool ok = readBook(workbook, ui, levelSurveyBook(), report, visit);
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
    const BranchWrites writes{
        .sheet = sheet,
        .branchCount = context.branches.size(),
        .firstRow = levelSurveyBook().firstRow,
        // A single station has nothing to reduce.
        .wanted = [&](std::size_t b) { return context.branches[b].lastPoint > 0; },
        .write =
            [&](std::size_t b, int& row) {
                LevelReadings& readings = context.levelReadings[b];
                const double start = startLevelOf(readings.startLevel, static_cast<std::int32_t>(b),
                                                  context.branches, context.levelReadings);
                const auto steps = reduceLevelBranch(context.branches[b], readings, start);
                writeBranch(sheet, context.branches[b], readings, steps, row);
                return true;
            }};
    return writeBranches(workbook, ui, writes, report);
}

}  // namespace plovis
