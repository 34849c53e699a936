#pragma once
// The state of the demand and hydraulic design routines: the workbook they attached to and the
// sheet they work on, held by whoever runs the command and handed to every routine.

#include <string>
#include <string_view>
#include <vector>

#include "design/computation_error.h"
#include "hosts/manual_calculation.h"
#include "hosts/spreadsheet.h"
#include "hosts/trapped_region.h"
#include "hosts/user_interface.h"

namespace plovis {

// What the class check of the pipe rows changed or was told, for the command's summary.
struct ClassAnswers {
    std::vector<std::string> raised;        // "row 28 4 → 6", in the order raised
    std::vector<int> largerDiameter;        // rows asked for a larger diameter
    std::vector<int> keptOnNo;              // rows whose class stayed on the answer No
    std::vector<std::string> checksFailed;  // "row 30: <why>", the check dropped
};

struct DesignContext {
    SpreadsheetHost& host;
    UserInterface& ui;
    Workbook* workbook = nullptr;  // the workbook attached to, set by attachDesign
    Worksheet* sheet = nullptr;    // the current worksheet
    ClassAnswers classAnswers{};
    // The command's report (reasons, one line each) and its summary line's parts.
    std::vector<std::string> report{};
    std::vector<std::string> summary{};
};

// Runs the attach routine and keeps the workbook and its active sheet in the context. False after
// the message "Excel application is not open".
bool attachDesign(DesignContext& ctx);

// Makes the attached workbook's sheet of that name the current worksheet. Throws HostError when
// nothing is attached or the workbook has no such sheet.
Worksheet& useSheet(DesignContext& ctx, std::string_view name);

// Whether a marker cell holds anything (a value whose text is not empty).
inline bool isFilled(const CellValue& v) {
    return !cellText(v).empty();
}

}  // namespace plovis
