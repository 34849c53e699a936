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

// The strings of the texts, on one layer or on any.
inline std::vector<std::string> textsOf(const Drawing& d, std::string_view layer = {}) {
    std::vector<std::string> out;
    for (const CadText* t : drawn<CadText>(d, layer))
        out.push_back(t->textString());
    return out;
}

}  // namespace plovis::test
