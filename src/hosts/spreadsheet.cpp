#include "hosts/spreadsheet.h"

#include "common/leading_number.h"
#include "hosts/formula/value.h"
#include "hosts/user_interface.h"

namespace plovis {

std::string cellName(const Worksheet& sheet, int row, int column) {
    return sheet.name() + " " + columnLetters(column) + std::to_string(row);
}

double readNumber(const Worksheet& sheet, int row, int column) {
    const CellValue value = sheet.cell(row, column);
    const std::string* text = std::get_if<std::string>(&value);
    if (text && formula::errorNamed(*text)) {
        throw HostError(cellName(sheet, row, column) + " holds the error value " + *text +
                        ", not a number");
    }
    try {
        return cellNumber(value);
    } catch (const NumberOverflow&) {
        throw HostError(cellName(sheet, row, column) + " holds " + cellText(value) +
                        ", a number beyond the range of numbers");
    }
}

Worksheet* attachSpreadsheet(SpreadsheetHost& host, UserInterface& ui) {
    try {
        try {
            return &host.activeWorkbook().activeSheet();
        } catch (const HostError&) {
            // Nothing to attach to: start the host and try once more.
            host.start();
            host.setVisible(true);
            return &host.activeWorkbook().activeSheet();
        }
    } catch (const HostError&) {
        ui.showMessage(criticalMessage("Excel application is not open"));
        return nullptr;
    }
}

}  // namespace plovis
