#include "commands/schematic_command.h"

#include "hosts/cad_extents.h"
#include "schematic/schematic_drawing.h"

namespace plovis {
namespace {

constexpr double kPaperMargin = 10;

// The schematic prints on one sheet: the smallest ISO paper that holds the drawing with a margin,
// centred on it.
void recordSchematicSheet(Drawing& drawing) {
    const Extents e = modelSpaceExtents(drawing);
    if (e.empty()) return;
    const PaperSize paper =
        paperFitting(e.width() + 2 * kPaperMargin, e.height() + 2 * kPaperMargin);
    drawing.sheets().add("Schematic", paper, (e.minX + e.maxX - paper.widthMm) / 2,
                         (e.minY + e.maxY - paper.heightMm) / 2);
}

}  // namespace

bool schematicCommand(SpreadsheetHost& sheets, CadHost& cad, UserInterface& ui,
                      const std::filesystem::path& templateFile, const DrawingLimits& limits) {
    if (!drawSchematic(sheets, cad, ui, templateFile, limits)) return false;
    // A drawing already laid out on sheets keeps them; the schematic adds its own only to a
    // drawing without any.
    try {
        Drawing& drawing = cad.activeDocument();
        if (drawing.sheets().empty()) recordSchematicSheet(drawing);
    } catch (const HostError&) {
    }
    return true;
}

}  // namespace plovis
