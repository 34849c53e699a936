#include "survey/book_reader.h"

#include "common/cell_address.h"
#include "hosts/trapped_region.h"

namespace plovis {
namespace {

// Every survey book names the ground profile sheet when it is missing: the field books were
// added to the program after its ground profile reader, whose message they kept.
const char* const kMissingGroundProfile =
    "Please open the correct data file that contains the sheet named GroundProfile";

BookLayout surveyBook(std::string sheetName, int firstRow, int labelColumn,
                      std::vector<int> headerBlankColumns, std::vector<int> readingColumns) {
    return BookLayout{std::move(sheetName),
                      firstRow,
                      labelColumn,
                      std::move(headerBlankColumns),
                      std::move(readingColumns),
                      criticalMessage(kMissingGroundProfile),
                      criticalMessage("Error found in the row number ")};
}

bool isHeaderRow(const Worksheet& sheet, const BookLayout& layout, int row) {
    for (int column : layout.headerBlankColumns) {
        if (!textAt(sheet, row, column).empty()) return false;
    }
    return true;
}

// Why a header row cannot be one: it carries a reading; empty when it carries none.
std::string readingsOfHeader(const Worksheet& sheet, const BookLayout& layout, int row) {
    for (int column : layout.readingColumns) {
        const std::string reading = textAt(sheet, row, column);
        if (reading.empty()) continue;
        const std::string blank =
            columnLetters(layout.headerBlankColumns.front()) + std::to_string(row);
        return sheet.name() + " " + blank + " is blank, so row " + std::to_string(row) +
               " would open a new branch, yet it carries readings (" + columnLetters(column) +
               std::to_string(row) + " = " + reading +
               "): give its distance, or clear its readings if it names a branch";
    }
    return {};
}

}  // namespace

BookLayout groundProfileBook() {
    return surveyBook("GroundProfile", 4, 2, {3, 4}, {});
}
BookLayout levelSurveyBook() {
    return surveyBook("Levelsurvey", 5, 3, {4}, {6, 7, 8});
}
BookLayout abneySurveyBook() {
    return surveyBook("AbneySurvey", 5, 3, {4}, {6, 7, 8, 9, 10, 11});
}
BookLayout sectionListBook() {
    return BookLayout{"PD-CW-Sample",
                      15,
                      3,
                      {2},
                      {},
                      criticalMessage("Please first open the correct data file with the sheet "
                                      "named PD-CW-Sample"),
                      okMessage("Please check for possible error in the row number ")};
}

std::string textAt(const Worksheet& sheet, int row, int column) {
    return cellText(sheet.cell(row, column));
}

double numberAt(const Worksheet& sheet, int row, int column) {
    return readNumber(sheet, row, column);
}

BookFailure walkBook(const Worksheet& sheet, const BookLayout& layout, const BookVisitor& visit) {
    int row = layout.firstRow;
    std::string refused;  // why a row cannot be read as the branch rule would read it
    const auto failure = trapFailure([&] {
        bool inBranch = false;
        int point = 0;
        while (!textAt(sheet, row, layout.labelColumn).empty()) {
            if (isHeaderRow(sheet, layout, row)) {
                refused = readingsOfHeader(sheet, layout, row);
                if (!refused.empty()) return;
                visit.header(sheet, row);
                inBranch = true;
                point = 0;
                ++row;
            } else if (inBranch) {
                ++point;
            } else {
                refused = sheet.name() + " row " + std::to_string(row) +
                          " comes before the header row of any branch";
                return;
            }
            visit.point(sheet, row, point);
            ++row;
        }
    });
    if (failure) return {row, *failure};
    if (!refused.empty()) return {row, refused};
    return {};
}

bool readBook(Workbook& workbook, UserInterface& ui, const BookLayout& layout, bool reportMissing,
              const BookVisitor& visit, std::vector<std::string>& report) {
    const Worksheet* sheet = nullptr;
    try {
        sheet = &workbook.sheet(layout.sheetName);
    } catch (const HostError&) {
        if (reportMissing) ui.showMessage(layout.missingSheet);
        return false;
    }
    if (const BookFailure failed = walkBook(*sheet, layout, visit); failed.row != 0) {
        Message m = layout.badRow;
        m.text += std::to_string(failed.row);
        ui.showMessage(m);
        report.push_back("Why: " + failed.reason + ".");
        return false;
    }
    return true;
}

}  // namespace plovis
