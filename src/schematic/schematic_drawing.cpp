#include "schematic/schematic_drawing.h"

#include "common/leading_number.h"
#include "common/number_format.h"
#include "hosts/place_text.h"
#include "schematic/branch_layout.h"
#include "schematic/network_range.h"
#include "schematic/node_labels.h"
#include "scheme/drawing_preparation.h"

namespace plovis {

void writeTitleBlock(const SchematicState& state, CadBlock& space) {
    const double height = 2 * state.textHeight;
    const std::string yield = formatPicture(leadingNumber(state.safeYield), "#0.000");
    placeText(space, {0, 22, 0}, 2, 1, "Scheme Name: " + state.schemeName, 0, height);
    placeText(space, {0, 18, 0}, 2, 1, "Source: " + state.sourceName, 0, height);
    placeText(space, {0, 14, 0}, 2, 1, "Safe Yield = " + yield + " lps", 0, height);
}

namespace {

// A stretch draws at most a stroke, its end circle, two labels, its node's name and structure
// symbol (a few dozen entities opened up); the title block three texts.
constexpr double kPerStretch = 40;
constexpr double kTitleBlock = 3;

}  // namespace

double schematicEntities(const SchematicState& state) {
    double stretches = 0;
    for (const SchematicBranch& branch : state.schematicBranches)
        stretches += branch.lastItem + 1;
    return kTitleBlock + kPerStretch * stretches;
}

bool drawSchematic(SpreadsheetHost& sheets, CadHost& cad, UserInterface& ui,
                   const std::filesystem::path& templateFile, const DrawingLimits& limits) {
    // Every run starts from a fresh state: the pen at the origin, no intake marked, an empty table.
    SchematicState state;
    CadHandles handles;
    // A host that had to be started still gets the schematic, in its new drawing (without the
    // text styles, which the preparation leaves for the next run).
    prepareDrawing(cad, handles, ui, templateFile);
    try {
        // Nothing read (no workbook open): the command ends; the user runs it again.
        if (!readSchematicRange(sheets, state, ui)) return false;
    } catch (const SchematicDataError& e) {
        ui.showMessage({e.what(), Buttons::Ok, Icon::Critical, "Error!!!"});
        return false;
    }
    if (state.rowCount <= 1) {
        ui.showMessage(
            {"Selection range is not correct.", Buttons::Ok, Icon::Information, "ERROR"});
        return false;
    }
    checkDrawingSize(
        DrawingTooLarge::Limit::Entities, schematicEntities(state), limits,
        "The network range's " + std::to_string(state.schematicBranches.size()) + " branches");
    SchematicCanvas canvas{cad, *handles.modelSpace, ui};
    writeTitleBlock(state, canvas.space);
    for (int b = 0; b <= state.lastBranch(); ++b)
        drawSchematicBranch(state, b, canvas);
    clearNodeLabels(canvas.space);
    if (!state.detachedBranches.empty()) {
        std::string text =
            "These branches join no node drawn before them; each is drawn apart, above the "
            "network:";
        for (const std::string& branch : state.detachedBranches)
            text += "\r" + branch;
        ui.showMessage(okMessage(text, Icon::Information));
    }
    return true;
}

}  // namespace plovis
