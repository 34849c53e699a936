#include "hosts/cad_transform.h"

#include <cmath>

namespace plovis {

Transform2D Transform2D::after(const Transform2D& inner) const {
    return {a * inner.a + c * inner.b,     b * inner.a + d * inner.b,
            a * inner.c + c * inner.d,     b * inner.c + d * inner.d,
            a * inner.e + c * inner.f + e, b * inner.e + d * inner.f + f};
}

double Transform2D::rotation() const {
    return std::atan2(b, a);
}

double Transform2D::yScale() const {
    return std::hypot(c, d);
}

Transform2D insertTransform(const Point& at, double xs, double ys, double rotation,
                            const Point& base) {
    const double cs = std::cos(rotation);
    const double sn = std::sin(rotation);
    Transform2D t{cs * xs, sn * xs, -sn * ys, cs * ys, 0, 0};
    const Point shifted = t.apply({-base.x, -base.y, 0});
    t.e = shifted.x + at.x;
    t.f = shifted.y + at.y;
    return t;
}

}  // namespace plovis
