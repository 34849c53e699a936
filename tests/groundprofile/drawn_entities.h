#pragma once
// Reading a ground profile drawing back: its lines, texts and polylines by layer.

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/cad_drawing.h"

namespace plovis::test {

template <class T>
std::vector<const T*> drawn(const Drawing& d, std::string_view layer = {}) {
    std::vector<const T*> out;
    for (const CadEntity* e : d.modelSpace().entities()) {
        const T* t = entityAs<T>(*e);
        if (t && (layer.empty() || e->layer() == layer)) out.push_back(t);
    }
    return out;
}

// The strings of the texts on a layer, in the order they were drawn.
inline std::vector<std::string> textStrings(const Drawing& d, std::string_view layer) {
    std::vector<std::string> out;
    for (const CadText* t : drawn<CadText>(d, layer))
        out.push_back(t->textString());
    return out;
}

// The text drawn with that string; nullptr when there is none.
inline const CadText* textNamed(const Drawing& d, std::string_view text) {
    for (const CadText* t : drawn<CadText>(d)) {
        if (t->textString() == text) return t;
    }
    return nullptr;
}

// Whether a line joins a and b (either way round) within 1e-3.
inline bool joins(const CadLine& l, const Point& a, const Point& b) {
    const auto near = [](const Point& p, const Point& q) {
        return std::abs(p.x - q.x) < 1e-3 && std::abs(p.y - q.y) < 1e-3;
    };
    return (near(l.startPoint(), a) && near(l.endPoint(), b)) ||
           (near(l.startPoint(), b) && near(l.endPoint(), a));
}

inline int countLines(const Drawing& d, std::string_view layer, const Point& a, const Point& b) {
    int n = 0;
    for (const CadLine* l : drawn<CadLine>(d, layer))
        n += joins(*l, a, b) ? 1 : 0;
    return n;
}

}  // namespace plovis::test
