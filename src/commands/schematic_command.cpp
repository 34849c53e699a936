#include "commands/schematic_command.h"

#include "schematic/schematic_drawing.h"

namespace plovis {

bool schematicCommand(SpreadsheetHost& sheets, CadHost& cad, UserInterface& ui,
                      const std::filesystem::path& templateFile) {
    return drawSchematic(sheets, cad, ui, templateFile);
}

}  // namespace plovis
