#include "groundprofile/ground_layers.h"

#include "common/text.h"
#include "hosts/host_error.h"

namespace plovis {

void layerset(Drawing& drawing, const std::string& LName, int color) {
    try {
        drawing.setActiveLayer(drawing.layers().item(trimBlanks(LName)));
    } catch (const HostError&) {
        if (color == 0) color = kColorWhite;
        layeradd(drawing, LName, kContinuous, color, true);
    }
}

void layeradd(Drawing& drawing, const std::string& LName, const std::string& LineType, int color,
              bool SetC) {
    if (LName.empty()) return;
    CadLayer& layer = drawing.layers().add(trimBlanks(LName));
    layer.setLinetype(LineType.empty() ? kContinuous : LineType);
    layer.setColor(color);
    if (layer.locked()) layer.setLocked(false);
    if (layer.frozen()) layer.setFrozen(false);
    if (!layer.on()) layer.setOn(true);
    // Made current directly rather than through layerset: a layer that still cannot be made
    // current is a failure for the caller, not another round of adding it.
    if (SetC) drawing.setActiveLayer(layer);
}

}  // namespace plovis
