#pragma once
// The structures at the schematic's nodes, told by the first letters of the node names the
// engineer gives: which names are structures for the layout (Str_found), the intake symbol at a
// branch start, and the symbol of every other structure with its name and level.

#include <string>
#include <string_view>

#include "hosts/cad_block.h"
#include "schematic/schematic_state.h"

namespace plovis {

// Whether the name, in capitals, begins with one of the structure prefixes IN, IN+CC, INTAKE+CC,
// CC, IC, ST, DT, BP, RVT, J, T, SV, AV. A run of equal stretches is broken at such a node.
bool Str_found(std::string_view name);

// The intake symbol at the pen when the name begins with IN (any case): block "INTAKE_CC" for
// IN+CC... and INTAKE+CC..., "INTAKE" otherwise, its attributes the name (8.5 above the pen) and
// "RL = <level as #0.00>m" (4.5 above), centred; the intake is then marked in state.intakeFlags.
// Any other name draws nothing.
void drawStartStructure(SchematicState& state, CadBlock& space, const std::string& name,
                        float level);

// The node symbol at the pen for a name of a structure group (CC1, RVT, JNO, TNO blocks), its
// attribute "<name>(RL=<level>m)" left-aligned at the group's label offset; lastNode is then the
// name. A name of no group draws nothing and leaves lastNode alone.
void drawNodeSymbol(const SchematicState& state, CadBlock& space, const std::string& name,
                    float level, std::string& lastNode);

}  // namespace plovis
