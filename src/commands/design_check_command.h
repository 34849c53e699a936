#pragma once
// The design check of the pipe design table ("Design check" in the Compute menu, `plovis check`):
// reads the table and the ground profile of the active workbook and checks every pipe and node
// against the limits. Writes nothing into the workbook.

#include <array>
#include <optional>

#include "check/design_check.h"
#include "commands/command_settings.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "network/pipe_table.h"

namespace plovis {

struct DesignCheckRequest {
    // Check the design range selected on the active sheet (one column from a title row down);
    // otherwise the whole table of "PD-CW-Sample".
    bool useSelection = false;
    // Limits given as options (none: from "DATA INPUT", else the default).
    std::array<std::optional<double>, kLimitCount> limits;
};

// The table the request names. Throws HostError for a missing sheet, PipeTableError for a cell
// that cannot serve.
PipeTable requestedPipeTable(Workbook& workbook, bool useSelection);

// The check of the active workbook. Throws as requestedPipeTable does, and PipeTableError for a
// limit cell of "DATA INPUT" that is not a number.
DesignCheck runDesignCheck(SpreadsheetHost& host, UserInterface& ui,
                           const DesignCheckRequest& request);

// The menu entry: the check of the design range when one is selected, else of the whole table,
// shown as a report (title "Design check"). True when the design keeps every limit; a table that
// cannot be read is named in a message and gives false.
bool designCheckCommand(SpreadsheetHost& host, UserInterface& ui,
                        const CommandSettings& settings = {});

}  // namespace plovis
