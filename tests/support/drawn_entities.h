#pragma once
// Reading a drawing back in tests: its model-space entities by kind and layer, in the order drawn.

#include <string>
#include <string_view>
#include <vector>

#include "hosts/cad_drawing.h"

namespace plovis::test {

// The entities of one kind, on one layer or (layer empty) on any.
template <class T>
std::vector<const T*> drawn(const Drawing& d, std::string_view layer = {}) {
    std::vector<const T*> out;
    for (const CadEntity* e : d.modelSpace().entities()) {
        const T* t = entityAs<T>(*e);
        if (t && (layer.empty() || e->layer() == layer)) out.push_back(t);
    }
    return out;
}

}  // namespace plovis::test
