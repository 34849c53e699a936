#include "scheme/design_range.h"

#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/rounding.h"
#include "common/text.h"

namespace plovis {
namespace {

// Splits "R16C2" at its last "C": the row is the text from the second character to before it.
void parseCorner(std::string_view part, int& row, int& column) {
    const std::size_t c = part.rfind('C');
    if (c == std::string_view::npos || c == 0) return;
    row = toInt32(leadingNumber(part.substr(1, c - 1)));
    column = toInt32(leadingNumber(part.substr(c + 1)));
}

}  // namespace

void DesignColumns::allocate(int rowCount) {
    for (auto* column : {&mark, &fromNode, &toNode, &length, &flow, &startGround, &endGround,
                         &staticLevel, &hdpeDiameter, &hdpeClass, &giDiameter, &giClass, &startHgl,
                         &endHgl, &soil, &structure}) {
        column->assign(static_cast<std::size_t>(rowCount) + 2, CellValue{});
    }
}

void offerToStartSpreadsheet(SpreadsheetHost& host, UserInterface& ui) {
    const Answer a = ui.showMessage(
        {"Excel is Not Open! Click OK to Start Excel Then Open the Correct Excel Sheet and Select "
         "Range!.",
         Buttons::OkCancel, Icon::Critical, "Error!!!"});
    if (a == Answer::Cancel) endApplication(ui);
    ui.showWaitWindow("Lunching Excel", "Lunching Excel");
    host.start();
    host.setVisible(true);
    ui.hideWaitWindow();
    ui.setStatus(StatusLabel::DrawingStatus, "Click Execute Once Again !");
}

Selection parseSelectionAddress(std::string_view r1c1) {
    Selection s;
    const std::size_t colon = r1c1.rfind(':');
    if (colon == std::string_view::npos) return s;
    parseCorner(r1c1.substr(0, colon), s.firstRow, s.firstCol);
    parseCorner(r1c1.substr(colon + 1), s.lastRow, s.lastCol);
    return s;
}

Selection readSelectionAddress(const Workbook& workbook) {
    return parseSelectionAddress(selectionAddressR1C1(workbook));
}

Selection requestDesignSelection(Workbook& workbook, UserInterface& ui,
                                 const std::function<bool()>& reselect) {
    Selection s = readSelectionAddress(workbook);
    while (!isDesignSelection(s)) {
        const Answer a = ui.showMessage({"First Select the Correct Range and Then Click OK!",
                                         Buttons::OkCancel, Icon::Critical, "Error!!!"});
        if (a == Answer::Cancel || !reselect()) endApplication(ui);
        s = readSelectionAddress(workbook);
    }
    return s;
}

void readDesignRows(const Worksheet& sheet, DesignTable& table, UserInterface& ui) {
    DesignColumns& c = table.columns;
    std::vector<CellValue>* targets[] = {
        &c.mark,      &c.fromNode,    &c.toNode,       &c.length,    &c.flow,       &c.startGround,
        &c.endGround, &c.staticLevel, &c.hdpeDiameter, &c.hdpeClass, &c.giDiameter, &c.giClass,
        &c.startHgl,  &c.endHgl,      &c.soil,         &c.structure};
    for (int i = 0; i < table.rowCount; ++i) {
        ui.setStatus(StatusLabel::DrawingStatus,
                     "Reading Excel Rows " + strForm(i + 1) + " of " + strForm(table.rowCount));
        const int row = table.selection.firstRow + i;
        for (std::size_t k = 0; k < kDesignColumnOffsets.size(); ++k) {
            (*targets[k])[i] = sheet.cell(row, table.selection.firstCol + kDesignColumnOffsets[k]);
        }
    }
}

bool checkDesignRows(const DesignColumns& columns, int rowCount, UserInterface& ui) {
    for (const auto* labels : {&columns.fromNode, &columns.toNode}) {
        int emptyRun = 0;
        for (int position = 0; position <= rowCount; ++position) {
            emptyRun = trimBlanks(cellText((*labels)[position])).empty() ? emptyRun + 1 : 0;
            if (emptyRun > 1) {
                ui.showMessage(
                    okMessage("Error occured at the row number " + std::to_string(position + 16)));
                return false;
            }
        }
    }
    return true;
}

}  // namespace plovis
