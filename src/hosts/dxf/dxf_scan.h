#pragma once
// Inside the DXF reader: a first pass over the whole file before dxflib sees any of it. It checks
// every group (pairs of lines, numeric codes, numbers that are numbers and within reach, sections
// and blocks opened and closed, sequences of vertices and attributes ended, only the entities we
// read) and names the line of the first fault. dxflib trusts its input and has no line numbers,
// so only a file that passed reaches it. The pass also keeps what dxflib does not report:
// attribute definitions, attribute visibility, paper space entities and each entity's line.

#include <string>
#include <string_view>
#include <vector>

#include "hosts/cad_entities.h"

namespace plovis::dxf {

// An ATTDEF as read here (dxflib does not read attribute definitions).
struct AttdefData {
    EntityStyle style;
    std::string tag, prompt, value, textStyle = "Standard";
    Point first, second;
    bool hasSecond = false;
    double height = 0, rotationDegrees = 0, widthFactor = 1;
    int horizontal = 0, vertical = 0, flags = 0;
};

// One entity of a block definition or of model space, in file order (vertices, attributes and
// sequence ends belong to their entity and have no mark of their own).
struct EntityMark {
    std::string_view type;
    int line = 0;
    bool paperSpace = false;
    int attdef = -1;                     // index into ScanResult::attdefs for an ATTDEF
    std::vector<bool> hiddenAttributes;  // an INSERT's ATTRIBs: invisible or not, in order
};

struct Container {
    std::string name;  // as in the file (not yet decoded)
    int line = 0;
    std::vector<EntityMark> marks;
};

struct ScanResult {
    bool utf8 = false;                           // an R2007 or later file
    std::string currentLayer, currentTextStyle;  // $CLAYER and $TEXTSTYLE, as in the file
    std::vector<std::string_view> sections;      // TABLES, BLOCKS and ENTITIES, for dxflib
    std::vector<Container> blocks;               // block definitions in file order
    Container modelSpace;
    std::vector<AttdefData> attdefs;
    std::vector<int> layerLines, linetypeLines, styleLines;  // table records in file order
};

// Throws HostError "<source>, line N: <fault>" at the first fault.
ScanResult scanDxf(std::string_view contents, const std::string& source);

}  // namespace plovis::dxf
