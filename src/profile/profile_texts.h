#pragma once
// The texts of a profile sheet: pipe descriptions, structure symbols, sheet titles and figures.

#include <string>

#include "profile/profile_state.h"

namespace plovis {

// The pipe of design row i: "H63(6)" for a plastic pipe (no galvanised iron diameter), else
// "GI50(M)" with the class as written. The class of a galvanised iron pipe is expected as a text;
// a number there throws ProfileDataError.
std::string pipeText(const DesignColumns& columns, int i);

// The template block drawn at a node whose label starts with the given character (letter case as
// written): "I" intake "IN", "C" "CC", "S" "SD", "R" "RT", "B" "BPC", "T" "TAP", "A" "AV",
// "W" "WO", "D" "DC", "J" "JN"; "" for any other label.
std::string structureBlock(const std::string& nodeLabel);

// "( Sheet No: 1/3 ) of <scheme title>": the sheet number in the Str form, the count without it.
std::string sheetTitleLine(int sheet, int sheetCount, const std::string& schemeTitle);

// "Scale: [H 1: 5000, V 1: 1000]" (Str forms keep their leading blank).
std::string scaleText(double hScale, double vScale);

// The static pressure line's label: "SPL(1290.0)".
std::string staticLevelLabel(double level);

}  // namespace plovis
