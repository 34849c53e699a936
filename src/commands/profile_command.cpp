#include "commands/profile_command.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <stdexcept>

#include "commands/command_table.h"
#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/text.h"
#include "profile/profile_bounds.h"
#include "profile/profile_sheet.h"
#include "profile/sheet_division.h"
#include "profile/sheet_plan.h"
#include "scheme/design_range.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

// The command's caption, first naming the sheet it reads; the branch and sheet captions after it
// follow the drawing's progress.
const CommandStatus& status() {
    return commandOfKind(CommandKind::Profile).status;
}

void caption(UserInterface& ui, const std::string& text) {
    ui.setStatus(status().label, text);
}

[[noreturn]] void dataError(UserInterface& ui) {
    ui.showMessage({"The Data is not correct, Check with the Original Excel File!", Buttons::Ok,
                    Icon::Critical, "Error!!!"});
    endApplication(ui);
}

// The workbook's active sheet, or nullptr after the "Excel is Not Open!" question.
Worksheet* activeSheetOrStart(SpreadsheetHost& host, UserInterface& ui) {
    try {
        return &host.activeWorkbook().activeSheet();
    } catch (const HostError&) {
    }
    offerToStartSpreadsheet(host, ui);
    return nullptr;
}

// The sheet to read: the active one, in a workbook that has a "KELDRAN" sheet.
Worksheet& schemeSheet(Workbook& workbook, const std::string& name, UserInterface& ui) {
    try {
        workbook.sheet("KELDRAN");
        return workbook.sheet(name);
    } catch (const HostError&) {
        ui.showMessage({"The Current Excel WorkBook or the Sheet Selected is not valid.",
                        Buttons::Ok, Icon::Critical, "Error!!!"});
        endApplication(ui);
    }
}

struct Run {
    ProfileCommand& command;
    ProfileDrawing& drawing;
    ProfileState& state = command.state;
    UserInterface& ui = drawing.ui;
};

void drawSheet(Run& r, const PlannedSheet& sheet, int count) {
    SheetCursor& cursor = r.state.cursor;
    cursor.sheetFirst = sheet.rows.firstRow;
    cursor.sheetLast = sheet.rows.lastRow;
    cursor.newSheet = sheet.newPaper ? 1 : 0;
    if (sheet.newPaper) cursor.usedWidth = sheet.usedWidth;
    r.drawing.sheetNumber = sheet.number;
    r.drawing.sheetCount = count;
    drawProfileSheet(r.drawing, sheet.rows.fromLabel, sheet.rows.toLabel);
    cursor.usedWidth = sheet.usedWidth;
}

// The planned sheets of branch j, each after its caption.
void drawBranch(Run& r, int j, const PlannedBranch& plan) {
    ProfileState& st = r.state;
    if (plan.lengthFailure) std::rethrow_exception(plan.lengthFailure);
    caption(r.ui, "Processing Branch " + strForm(j + 1) + " of " + strForm(st.branchCount()));
    st.cursor.carriedChainage = 0;
    if (plan.divisionFailure) std::rethrow_exception(plan.divisionFailure);
    const int count = plan.sheetCount;
    for (int s = 1; s <= count; ++s) {
        caption(r.ui, "Processing Sheet no " + strForm(s) + " of " + strForm(count) +
                          " of Branch " + strForm(j + 1));
        for (const PlannedSheet& sheet : plan.sheets) {
            if (sheet.number == s) drawSheet(r, sheet, count);
        }
    }
}

// The size of the sheet of branch j, or nothing when a value it needs cannot serve (the drawing
// reports that when it reaches the sheet).
std::optional<double> sheetEntities(Run& r, int j, const PlannedSheet& sheet, double& levelSteps,
                                    SheetLevels& levels) {
    SheetCursor& cursor = r.state.cursor;
    cursor.branch = j;
    cursor.sheetFirst = sheet.rows.firstRow;
    cursor.sheetLast = sheet.rows.lastRow;
    try {
        const SheetDrawing s = computeSheet(r.drawing, sheet.rows.fromLabel, sheet.rows.toLabel);
        levelSteps = profileLevelSteps(s, r.state.settings.levelInterval);
        levels = s.levels;
        return profileSheetEntities(s, r.state.settings.levelInterval);
    } catch (const ProfileDataError&) {
    } catch (const HostError&) {
    } catch (const std::range_error&) {
    } catch (const std::domain_error&) {
    }
    return std::nullopt;
}

// Every planned sheet computed once before the first is drawn: a drawing beyond the limits is
// refused, naming the sheet with the most level steps when they make it so large.
void checkDrawingSize(Run& r, const std::vector<PlannedBranch>& plan) {
    const SheetCursor saved = r.state.cursor;
    double sheets = 0, entities = 0, mostSteps = -1;
    std::string steepest;
    for (int j = 0; j < r.state.branchCount() && !plan[j].lengthFailure; ++j) {
        for (const PlannedSheet& sheet : plan[j].sheets) {
            double steps = 0;
            SheetLevels levels;
            const std::optional<double> n = sheetEntities(r, j, sheet, steps, levels);
            if (!n) break;
            sheets += sheet.newPaper ? 1 : 0;
            entities += *n;
            if (steps > mostSteps) {
                mostSteps = steps;
                steepest = "Branch " + r.state.branchTitles[j] + ", sheet " +
                           std::to_string(sheet.number) + ": levels from " +
                           generalForm(levels.bottomLevel) + " to " + generalForm(levels.topLevel) +
                           " m";
            }
        }
    }
    r.state.cursor = saved;
    const std::string scale =
        "The design range's sheets at 1:" + generalForm(r.state.settings.hScale);
    const DrawingLimits& limits = r.command.limits;
    plovis::checkDrawingSize(DrawingTooLarge::Limit::Sheets, sheets, limits, scale);
    const bool levels = 2 * mostSteps > entities / 2;
    plovis::checkDrawingSize(DrawingTooLarge::Limit::Entities, entities, limits,
                             levels ? steepest : scale);
}

void drawBranches(Run& r) {
    ProfileState& st = r.state;
    // Every sheet is planned before the first is drawn.
    const std::vector<PlannedBranch> plan = planSheets(st, st.cursor.usedWidth);
    checkDrawingSize(r, plan);
    for (int j = 0; j < st.branchCount(); ++j) {
        st.cursor.branch = j;
        if (plan[j].untitled) {
            r.ui.showMessage(okMessage("Branch " + std::to_string(j + 1) +
                                       " does not contains any title.So first put proper title "
                                       "\r and redraw the branch again."));
            continue;
        }
        drawBranch(r, j, plan[j]);
    }
}

// The rows of the selection to read. Rows after the sheet's last used one are empty, and two
// empty rows fail the check of the node labels as a million would: a whole-column selection is
// read no further than that.
int rowsToRead(const Selection& s, const Worksheet& sheet) {
    const int rows = s.lastRow - s.firstRow + 1;
    return std::min(rows, std::max(2, sheet.lastUsedRow() + 2 - s.firstRow + 1));
}

// Steps after the selection is read: rows, check, branches, drawing. False when the command
// stopped after a message.
bool drawSelection(ProfileCommand& command, Workbook& workbook, const Worksheet& sheet,
                   SpreadsheetHost& spreadsheet, CadHost& cadHost, UserInterface& ui) {
    ProfileState& st = command.state;
    st.table.rowCount = rowsToRead(st.table.selection, sheet);
    st.table.columns.allocate(st.table.rowCount);
    readDesignRows(sheet, st.table, ui);
    if (!checkDesignRows(st.table.columns, st.table.rowCount, ui)) return false;
    findBranches(st);
    if (st.branchCount() == 0) {
        ui.showMessage(
            okMessage("Select correct range of data with branch title at the first row"));
        return false;
    }
    // The ground profile is read once for every sheet of the drawing.
    const GroundProfile ground = loadGroundProfile(workbook, ui);
    ProfileDrawing drawing{st, command.cad, cadHost, spreadsheet, ui, ground};
    Run run{command, drawing};
    drawBranches(run);
    caption(ui, "Drawing in AutoCAD is completed.");
    return true;
}

}  // namespace

bool runProfileCommand(ProfileCommand& command, const ProfileInputs& inputs,
                       SpreadsheetHost& spreadsheet, CadHost& cadHost, UserInterface& ui) {
    ProfileState& st = command.state;
    applyPaper(st, inputs.paper);
    Worksheet* active = activeSheetOrStart(spreadsheet, ui);
    if (!active) return false;
    Workbook& workbook = spreadsheet.activeWorkbook();
    const std::string name = active->name();
    Worksheet& sheet = schemeSheet(workbook, name, ui);
    caption(ui, status().caption + std::string(" ' ") + name + " '");
    if (prepareProfileDrawing(cadHost, command.cad, ui, command.templateFile) ==
        Preparation::HostStarted) {
        return false;
    }
    try {
        applySettings(st, leadingNumber(inputs.hscale), leadingNumber(inputs.vscale));
        caption(ui, status().caption);
        st.table.selection = requestDesignSelection(workbook, ui, command.reselect);
        return drawSelection(command, workbook, sheet, spreadsheet, cadHost, ui);
    } catch (const ProfileDataError&) {
        dataError(ui);
    } catch (const HostError&) {
        dataError(ui);
    } catch (const std::range_error&) {  // a number beyond its field
        dataError(ui);
    } catch (const std::domain_error&) {  // arithmetic without a result
        dataError(ui);
    }
}

}  // namespace plovis
