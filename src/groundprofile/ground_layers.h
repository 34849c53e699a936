#pragma once
// The layers of the existing ground profile: made current by name, and made when missing with
// their colour and the continuous line type, switched on, thawed and unlocked.

#include <string>

#include "hosts/cad_drawing.h"

namespace plovis {

// The line type every ground profile layer is made with (the host's "Continuous").
inline constexpr const char* kContinuous = "CONTINUOUS";

// layerset: makes the layer LName (blanks trimmed) current. When it cannot (no such layer, or a
// frozen one), layeradd makes it with `color` (0 counts as 7) and the continuous line type and
// makes it current. An existing layer that can be made current keeps its colour and line type.
void layerset(Drawing& drawing, const std::string& LName, int color = 0);

// layeradd: adds the layer LName (blanks trimmed; nothing happens for an empty name) or takes the
// existing one, gives it LineType (empty: continuous) and `color`, unlocks, thaws and switches
// it on, and with SetC makes it current. HostError when the host refuses any of it.
void layeradd(Drawing& drawing, const std::string& LName, const std::string& LineType, int color,
              bool SetC);

}  // namespace plovis
