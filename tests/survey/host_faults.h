#pragma once
// Runs a survey routine against an in-memory workbook behind a host that fails on cue.

#include <string>
#include <vector>

#include "doubles/recording_user_interface.h"
#include "support/failing_workbook.h"
#include "support/message_boxes.h"
#include "support/sheet_rows.h"
#include "support/snapshot.h"
#include "survey/survey_context.h"

namespace plovis::test {

struct HostFaults {
    int writesBeforeFailure = -1;  // cell writes that go through before the host refuses; -1: all
    int unreadableRow = 0;         // reading this row fails; 0: none
};

// The scheme workbook, the recording user interface and the survey state of one test.
struct SurveyRun {
    MemoryWorkbook memory{"scheme.xlsx"};
    RecordingUserInterface ui;
    SurveyContext context;
    std::vector<Calculation> calculation;  // the host's calculation changes in the last run

    template <typename Routine>
    bool run(Routine routine, HostFaults given = {}) {
        FailingWorkbook workbook(memory);
        if (given.writesBeforeFailure >= 0) workbook.failWritesAfter(given.writesBeforeFailure);
        if (given.unreadableRow != 0) workbook.failReadsOfRow(given.unreadableRow);
        SingleWorkbookHost host(&workbook);
        const bool done = routine(host);
        calculation = workbook.calculationChanges();
        return done;
    }
};

// The message of a write the host refused part-way through a sheet.
inline std::string writeFailure(int row, const std::string& sheet, int column) {
    return "ok critical | Could not write the row number " + std::to_string(row) +
           " of the sheet " + sheet + ": the cell at row " + std::to_string(row) + ", column " +
           std::to_string(column) + " cannot be written\rThe rows before it keep what was written.";
}

// The cells of rows first to last in the given columns, a line "row: cells" (as rowText gives
// them) for each row that holds something; compared whole with a reviewed golden text.
inline void expectSheetGolden(const Worksheet& sheet, int first, int last,
                              std::initializer_list<int> columns, const std::string& golden) {
    std::string text;
    for (int row = first; row <= last; ++row) {
        std::string line;
        for (int column : columns)
            line += " " + rowText(sheet, row, {column});
        if (line.find_first_not_of(" -") != std::string::npos)
            text += std::to_string(row) + ":" + line + "\n";
    }
    expectGolden(text, "survey", golden);
}

inline const std::string kNoGroundProfile =
    "ok critical | Please open the correct data file that contains the sheet named GroundProfile";
inline const std::string kComplete = "ok | Processing is complete";

}  // namespace plovis::test
