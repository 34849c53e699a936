#include "commands/export_inp_command.h"

#include "commands/design_check_command.h"
#include "common/cell_address.h"
#include "epanet/inp_writer.h"
#include "epanet/schematic_positions.h"
#include "network/network_nodes.h"

namespace plovis {
namespace {

// The whole table selected as the schematic would read it: its number column from the first
// section list row down to its last row.
void selectWholeTable(Workbook& workbook, const PipeTable& table) {
    workbook.setActiveSheet(kPipeDesignSheet);
    const int last = table.rows.empty() ? kFirstSectionListRow + 1 : table.rows.back().row;
    workbook.setSelection({kFirstSectionListRow, 2, last, 2});
}

std::string schemeTitle(Workbook& workbook) {
    try {
        return cellText(workbook.sheet("DATA INPUT").cell(8, 5));
    } catch (const HostError&) {
        return workbook.name();
    }
}

}  // namespace

InpExport exportNetworkInp(SpreadsheetHost& host, UserInterface& ui, bool useSelection) {
    Workbook& workbook = host.activeWorkbook();
    const PipeTable table = requestedPipeTable(workbook, useSelection);
    if (!useSelection) selectWholeTable(workbook, table);
    const NetworkNodes nodes = networkNodes(table);
    InpNetwork network;
    network.title = schemeTitle(workbook);
    network.table = &table;
    network.nodes = &nodes;
    network.positions = schematicPositions(host, ui);
    network.viscosity = tableViscosity(table, network.viscosity);
    InpExport result;
    result.text = networkInp(network, result.warnings);
    return result;
}

}  // namespace plovis
