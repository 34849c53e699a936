#include "commands/profile_command.h"

#include <stdexcept>

#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/text.h"
#include "profile/profile_sheet.h"
#include "profile/sheet_division.h"
#include "scheme/design_range.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

void caption(UserInterface& ui, const std::string& text) {
    ui.setStatus(StatusLabel::DrawingStatus, text);
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

void drawSheet(Run& r, const ProfileSheet& sheet, int number, int count) {
    r.state.cursor.sheetFirst = sheet.firstRow;
    r.state.cursor.sheetLast = sheet.lastRow;
    r.drawing.sheetNumber = number;
    r.drawing.sheetCount = count;
    drawProfileSheet(r.drawing, sheet.fromLabel, sheet.toLabel);
}

// drawBranch: the branch cut into sheets; a branch of one sheet after the first is left to the
// packing step. Returns the number of sheets.
int drawBranch(Run& r, int j) {
    ProfileState& st = r.state;
    int first = 0, last = 0;
    branchRows(st, j, first, last);
    caption(r.ui, "Processing Branch " + strForm(j + 1) + " of " + strForm(st.branchCount()));
    st.cursor.carriedChainage = 0;
    const std::vector<ProfileSheet> sheets = divideBranch(st, first, last);
    const int count = static_cast<int>(sheets.size());
    for (int s = 1; s <= count; ++s) {
        caption(r.ui, "Processing Sheet no " + strForm(s) + " of " + strForm(count) +
                          " of Branch " + strForm(j + 1));
        const ProfileSheet& sheet = sheets[s - 1];
        if (s < count) {
            st.cursor.newSheet = 1;
            st.cursor.usedWidth = 0;
            drawSheet(r, sheet, s, count);
        } else if (count != 1) {  // drawLastSheet
            st.cursor.newSheet = 1;
            st.cursor.usedWidth = sheetPaperLength(st, sheet);
            drawSheet(r, sheet, s, count);
        } else if (j == 0) {
            st.cursor.newSheet = 1;
            st.cursor.usedWidth = st.cursor.branchLength;
            drawSheet(r, sheet, s, count);
        }
    }
    return count;
}

// A later branch of one sheet goes beside the previous drawing while the paper has room.
void packBranch(Run& r, int j) {
    ProfileState& st = r.state;
    int first = 0, last = 0;
    branchRows(st, j, first, last);
    const ProfileSheet sheet{first, last, cellText(st.table.columns.fromNode[first]),
                             cellText(st.table.columns.toNode[last])};
    st.cursor.usedWidth += st.cursor.branchLength;
    if (st.cursor.usedWidth < st.settings.paperWidth) {
        st.cursor.newSheet = 0;
        drawSheet(r, sheet, 1, 1);
        st.cursor.usedWidth += 30;
    } else {
        st.cursor.newSheet = 1;
        drawSheet(r, sheet, 1, 1);
        st.cursor.usedWidth = st.cursor.branchLength;
    }
}

void drawBranches(Run& r) {
    ProfileState& st = r.state;
    for (int j = 0; j < st.branchCount(); ++j) {
        st.cursor.branch = j;
        if (trimBlanks(st.branchTitles[j]).empty()) {
            r.ui.showMessage(okMessage("Branch " + std::to_string(j + 1) +
                                       " does not contains any title.So first put proper title "
                                       "\r and redraw the branch again."));
            continue;
        }
        st.cursor.branchLength = branchPaperLength(st, j);
        const int sheets = drawBranch(r, j);
        if (sheets == 1 && j != 0) packBranch(r, j);
    }
}

// Steps after the selection is read: rows, check, branches, drawing. False when the command
// stopped after a message.
bool drawSelection(ProfileCommand& command, Workbook& workbook, const Worksheet& sheet,
                   SpreadsheetHost& spreadsheet, CadHost& cadHost, UserInterface& ui) {
    ProfileState& st = command.state;
    st.table.rowCount = st.table.selection.lastRow - st.table.selection.firstRow + 1;
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
    caption(ui, "Reading Excel Worksheet ' " + name + " '");
    if (prepareProfileDrawing(cadHost, command.cad, ui, command.templateFile) ==
        Preparation::HostStarted) {
        return false;
    }
    try {
        applySettings(st, leadingNumber(inputs.hscale), leadingNumber(inputs.vscale));
        caption(ui, "Reading Excel Worksheet");
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
