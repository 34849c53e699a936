#include "survey/book_reader.h"

#include "hosts/trapped_region.h"

namespace plovis {
namespace {

// Every survey book names the ground profile sheet when it is missing: the field books were
// added to the program after its ground profile reader, whose message they kept.
const char* const kMissingGroundProfile =
    "Please open the correct data file that contains the sheet named GroundProfile";

BookLayout surveyBook(std::string sheetName, int firstRow, int labelColumn,
                      std::vector<int> headerBlankColumns) {
    return BookLayout{std::move(sheetName),
                      firstRow,
                      labelColumn,
                      std::move(headerBlankColumns),
                      criticalMessage(kMissingGroundProfile),
                      criticalMessage("Error found in the row number ")};
}

bool isHeaderRow(const Worksheet& sheet, const BookLayout& layout, int row) {
    for (int column : layout.headerBlankColumns) {
        if (!textAt(sheet, row, column).empty()) return false;
    }
    return true;
}

}  // namespace

BookLayout groundProfileBook() {
    return surveyBook("GroundProfile", 4, 2, {3, 4});
}
BookLayout levelSurveyBook() {
    return surveyBook("Levelsurvey", 5, 3, {4});
}
BookLayout abneySurveyBook() {
    return surveyBook("AbneySurvey", 5, 3, {4});
}
BookLayout sectionListBook() {
    return BookLayout{"PD-CW-Sample",
                      15,
                      3,
                      {2},
                      criticalMessage("Please first open the correct data file with the sheet "
                                      "named PD-CW-Sample"),
                      okMessage("Please check for possible error in the row number ")};
}

std::string textAt(const Worksheet& sheet, int row, int column) {
    return cellText(sheet.cell(row, column));
}

double numberAt(const Worksheet& sheet, int row, int column) {
    return cellNumber(sheet.cell(row, column));
}

int walkBook(const Worksheet& sheet, const BookLayout& layout, const BookVisitor& visit) {
    int row = layout.firstRow;
    bool orphan = false;  // a point row with no branch to belong to
    const auto failure = trapFailure([&] {
        bool inBranch = false;
        int point = 0;
        while (!textAt(sheet, row, layout.labelColumn).empty()) {
            if (isHeaderRow(sheet, layout, row)) {
                visit.header(sheet, row);
                inBranch = true;
                point = 0;
                ++row;
            } else if (inBranch) {
                ++point;
            } else {
                orphan = true;
                return;
            }
            visit.point(sheet, row, point);
            ++row;
        }
    });
    return failure || orphan ? row : 0;
}

bool readBook(Workbook& workbook, UserInterface& ui, const BookLayout& layout, bool reportMissing,
              const BookVisitor& visit) {
    const Worksheet* sheet = nullptr;
    try {
        sheet = &workbook.sheet(layout.sheetName);
    } catch (const HostError&) {
        if (reportMissing) ui.showMessage(layout.missingSheet);
        return false;
    }
    if (const int failed = walkBook(*sheet, layout, visit); failed != 0) {
        Message m = layout.badRow;
        m.text += std::to_string(failed);
        ui.showMessage(m);
        return false;
    }
    return true;
}

}  // namespace plovis
