#pragma once
// The walk shared by every survey sheet reader: a book is a run of branches, each a header row
// followed by its point rows, from a fixed first row down to the first row whose label column is
// empty. The row right below a header row is always the branch's point 0, whatever it holds.

#include <functional>
#include <string>
#include <vector>

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

struct BookLayout {
    std::string sheetName;
    int firstRow = 0;                     // the first header row
    int labelColumn = 0;                  // branch name or point label; the first empty one ends it
    std::vector<int> headerBlankColumns;  // a row with all of these empty is a header row
    // Readings no header row carries: a row with one of these filled but a blank header column
    // (a forgotten distance) is a failure, not a new branch.
    std::vector<int> readingColumns;
    Message missingSheet;  // shown when the sheet cannot be taken (and report is on)
    Message badRow;        // text followed by the number of the row that failed
};

// The layouts of the books, with the messages their readers show.
// "GroundProfile": from row 4, label in B, header row when C and D are empty.
BookLayout groundProfileBook();
// "Levelsurvey" and "AbneySurvey": from row 5, label in C, header row when D is empty.
BookLayout levelSurveyBook();
BookLayout abneySurveyBook();
// "PD-CW-Sample": from row 15, label in C, header row when B is empty.
BookLayout sectionListBook();

struct BookVisitor {
    // At a header row.
    std::function<void(const Worksheet&, int row)> header;
    // At a point row; point is 0 for the row right below the header row.
    std::function<void(const Worksheet&, int row, int point)> point;
};

// The row a walk stopped at and why, naming the cell; row 0 when the book was read through.
struct BookFailure {
    int row = 0;
    std::string reason;
};

// Walks the book to its end. Fails at a point row before any header row, a header row carrying
// readings, a cell that is no number (an error value, a number that does not fit), a host
// failure.
BookFailure walkBook(const Worksheet& sheet, const BookLayout& layout, const BookVisitor& visit);

// Takes the layout's sheet of the workbook and walks it. A sheet that cannot be taken is reported
// (when reportMissing is true) with the layout's missing-sheet message, a failed row always with
// its bad-row message, followed in `report` by "Why: " and the reason; both give false.
bool readBook(Workbook& workbook, UserInterface& ui, const BookLayout& layout, bool reportMissing,
              const BookVisitor& visit, std::vector<std::string>& report);

// Cell readers of the books: the value's text, and its number by the leading-number rule (an
// error value fails, naming the cell).
std::string textAt(const Worksheet& sheet, int row, int column);
double numberAt(const Worksheet& sheet, int row, int column);

}  // namespace plovis
