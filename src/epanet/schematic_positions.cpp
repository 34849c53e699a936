#include "epanet/schematic_positions.h"

#include "common/text.h"
#include "hosts/cad_drawing.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"
#include "schematic/branch_layout.h"
#include "schematic/network_range.h"

namespace plovis {
namespace {

// The schematic's symbols, each with the two attributes the layout writes; their looks do not
// move a node.
void addSymbolBlocks(Drawing& drawing) {
    for (const char* name : {"INTAKE", "INTAKE_CC", "CC1", "RVT", "JNO", "TNO"}) {
        CadBlock& block = drawing.blocks().add(name, {0, 0, 0});
        block.addAttribute(1, kAttributeNormal, "Name", {0, 0, 0}, "NAME", "");
        block.addAttribute(1, kAttributeNormal, "Level", {0, 0, 0}, "LEVEL", "");
    }
}

void note(std::unordered_map<std::string, Point>& positions, const std::string& label, double x,
          double y) {
    positions.emplace(upperCase(label), Point{x, y, 0});
}

}  // namespace

std::unordered_map<std::string, Point> schematicPositions(SpreadsheetHost& host,
                                                          UserInterface& ui) {
    std::unordered_map<std::string, Point> positions;
    SchematicState state;
    if (!readSchematicRange(host, state, ui) || state.rowCount <= 1) return positions;
    ScriptedCadUtility utility;
    MemoryCadHost cad(utility);
    Drawing& drawing = cad.addDocument();
    addSymbolBlocks(drawing);
    SchematicCanvas canvas{cad, drawing.modelSpace(), ui};
    for (int b = 0; b <= state.lastBranch(); ++b)
        drawSchematicBranch(state, b, canvas);
    for (const SchematicBranch& branch : state.schematicBranches) {
        for (int k = 0; k <= branch.lastItem && k < static_cast<int>(branch.items.size()); ++k) {
            const SchematicItem& item = branch.items[k];
            note(positions, item.fromNode, item.startX, item.startY);
            note(positions, item.toNode, item.endX, item.endY);
        }
    }
    return positions;
}

}  // namespace plovis
