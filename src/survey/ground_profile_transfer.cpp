#include "survey/ground_profile_transfer.h"

#include "common/listing.h"
#include "survey/book_reader.h"
#include "survey/sheet_output.h"

namespace plovis {
namespace {

constexpr int kFirstRow = 4;

bool readReducedBook(SurveyContext& context, Workbook& workbook, UserInterface& ui, bool report,
                     const BookLayout& layout, int levelColumn) {
    std::vector<SurveyBranch> branches;
    const BookVisitor visit{[&](const Worksheet& sheet, int row) {
                                branches.emplace_back();
                                branches.back().name = textAt(sheet, row, 3);
                                branches.back().headRow = row;
                            },
                            [&](const Worksheet& sheet, int row, int) {
                                addPoint(branches.back(), textAt(sheet, row, 3),
                                         numberAt(sheet, row, 4));
                                branches.back().levels.push_back(numberAt(sheet, row, levelColumn));
                            }};
    const bool ok = readBook(workbook, ui, layout, report, visit, context.report);
    context.branches = ok ? std::move(branches) : std::vector<SurveyBranch>{};
    return ok;
}

// The last row the branches take below the first one: a header row and a row per station each.
long long lastRowOf(const std::vector<SurveyBranch>& branches) {
    long long row = kFirstRow - 1;
    for (const SurveyBranch& b : branches)
        row += 1 + b.labels.size();
    return row;
}

// Writes a branch from `row` on: its header row, then a row per station.
void writeBranch(Worksheet& sheet, const SurveyBranch& branch, int& row) {
    put(sheet, row, 2, branch.name);
    put(sheet, row, 3, std::string());
    put(sheet, row, 4, std::string());
    for (std::size_t j = 0; j < branch.labels.size(); ++j) {
        ++row;
        put(sheet, row, 2, branch.labels[j]);
        put(sheet, row, 3, branch.distances[j]);
        put(sheet, row, 4, branch.levels[j]);
    }
    ++row;
}

}  // namespace

bool readReducedLevelBook(SurveyContext& context, Workbook& workbook, UserInterface& ui,
                          bool report) {
    return readReducedBook(context, workbook, ui, report, levelSurveyBook(), 11);
}

bool readReducedAbneyBook(SurveyContext& context, Workbook& workbook, UserInterface& ui,
                          bool report) {
    return readReducedBook(context, workbook, ui, report, abneySurveyBook(), 14);
}

bool transferToGroundProfile(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui,
                             bool fromAbney, bool report) {
    if (!attachSpreadsheet(host, ui)) return false;
    Workbook& workbook = host.activeWorkbook();
    const bool read = fromAbney ? readReducedAbneyBook(context, workbook, ui, true)
                                : readReducedLevelBook(context, workbook, ui, true);
    if (!read) return false;
    Worksheet* sheet = nullptr;
    try {
        sheet = &workbook.sheet("GroundProfile");
    } catch (const HostError&) {
        ui.showMessage(okMessage("Could not find the GroundProfile sheet in the excel file."));
        return false;
    }
    if (lastRowOf(context.branches) > kLastOutputRow) {
        reportNoRoom(ui, fromAbney ? "The Abney survey book" : "The level survey book", *sheet);
        return false;
    }
    const BranchWrites writes{.sheet = *sheet,
                              .branchCount = context.branches.size(),
                              .clearFirst = {"B4:D" + std::to_string(kLastOutputRow)},
                              .firstRow = kFirstRow,
                              .write = [&](std::size_t b, int& row) {
                                  writeBranch(*sheet, context.branches[b], row);
                                  return true;
                              }};
    const bool done = writeBranches(workbook, ui, writes, report);
    if (done) {
        std::size_t stations = 0;
        for (const SurveyBranch& b : context.branches)
            stations += b.labels.size();
        context.summary.push_back(
            "GroundProfile: " + counted(context.branches.size(), "branch", "branches") + " of " +
            counted(stations, "station", "stations") + " copied from " +
            (fromAbney ? "AbneySurvey" : "Levelsurvey") + " into B:D of rows 4-" +
            std::to_string(lastRowOf(context.branches)));
    }
    return done;
}

}  // namespace plovis
