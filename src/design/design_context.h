#pragma once
// The state of the demand and hydraulic design routines: the workbook they attached to and the
// sheet they work on, held by whoever runs the command and handed to every routine. Also the
// failure rules those routines share.

#include <functional>
#include <optional>
#include <string>

#include "design/computation_error.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

struct DesignContext {
    SpreadsheetHost& host;
    UserInterface& ui;
    Workbook* workbook = nullptr;  // the workbook attached to, set by attachDesign
    Worksheet* sheet = nullptr;    // the current worksheet
};

// Runs the attach routine and keeps the workbook and its active sheet in the context. False after
// the message "Excel application is not open".
bool attachDesign(DesignContext& ctx);

// Makes the attached workbook's sheet of that name the current worksheet. Throws HostError when
// nothing is attached or the workbook has no such sheet.
Worksheet& useSheet(DesignContext& ctx, std::string_view name);

// Runs body as a trapped region: a failed host operation, a number that does not fit or arithmetic
// without a result comes back as its description; nothing when body ran through. Anything else (a
// question nobody could answer, the application ending) is not the region's to answer and goes on.
std::optional<std::string> trapFailure(const std::function<void()>& body);

// The workbook's recalculation switched off for a bulk write. restore() switches it back on where
// the routine says so; the destructor does it on every other way out.
class ManualCalculation {
  public:
    explicit ManualCalculation(Workbook& workbook);
    ~ManualCalculation();
    ManualCalculation(const ManualCalculation&) = delete;
    ManualCalculation& operator=(const ManualCalculation&) = delete;

    void restore();

  private:
    Workbook* workbook_;
};

// Whether a marker cell holds anything (a value whose text is not empty).
inline bool isFilled(const CellValue& v) {
    return !cellText(v).empty();
}

}  // namespace plovis
