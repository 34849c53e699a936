#include "commands/design_check_command.h"

#include "check/check_report.h"
#include "scheme/design_range.h"
#include "survey/ground_profile.h"

namespace plovis {

PipeTable requestedPipeTable(Workbook& workbook, bool useSelection) {
    if (!useSelection) return readWholePipeTable(workbook.sheet(kPipeDesignSheet));
    const Selection s = readSelectionAddress(workbook);
    return readPipeRows(workbook.activeSheet(), s.firstRow, s.lastRow, s.firstCol);
}

DesignCheck runDesignCheck(SpreadsheetHost& host, UserInterface& ui,
                           const DesignCheckRequest& request) {
    Workbook& workbook = host.activeWorkbook();
    const PipeTable table = requestedPipeTable(workbook, request.useSelection);
    DesignLimits limits = defaultLimits();
    applyDataInputLimits(workbook, limits);
    applyOptionLimits(request.limits, limits);
    return checkDesign(table, loadGroundProfile(workbook, ui), limits);
}

bool designCheckCommand(SpreadsheetHost& host, UserInterface& ui, const CommandSettings&) {
    // With no workbook open the host is started for the user to open one.
    if (!attachSpreadsheet(host, ui)) return false;
    try {
        DesignCheckRequest request;
        request.useSelection = isDesignSelection(readSelectionAddress(host.activeWorkbook()));
        const DesignCheck check = runDesignCheck(host, ui, request);
        ui.showMessage(okMessage(checkReportText(check),
                                 check.passed() ? Icon::Information : Icon::Critical,
                                 "Design check"));
        return check.passed();
    } catch (const PipeTableError& e) {
        ui.showMessage(criticalMessage(e.what()));
    } catch (const HostError& e) {
        ui.showMessage(criticalMessage(e.what()));
    }
    return false;
}

}  // namespace plovis
