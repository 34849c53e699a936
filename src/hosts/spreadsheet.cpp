#include "hosts/spreadsheet.h"

#include "hosts/user_interface.h"

namespace plovis {

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
