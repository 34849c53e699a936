#pragma once
// The placement of a block reference: block coordinates to drawing coordinates. Used to place the
// attributes of a new reference, to measure a drawing's extent and to draw its references.

#include "hosts/cad_types.h"

namespace plovis {

// x' = a x + c y + e, y' = b x + d y + f.
struct Transform2D {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    Point apply(const Point& p) const {
        return {a * p.x + c * p.y + e, b * p.x + d * p.y + f, p.z};
    }
    // This transform applied after `inner`.
    Transform2D after(const Transform2D& inner) const;
    // The turn of the x axis, in radians.
    double rotation() const;
    // How much lengths along the y axis grow (text heights follow it).
    double yScale() const;
    // True when the transform mirrors (the x and y axes swap their turning sense).
    bool mirrors() const { return a * d - b * c < 0; }
};

// Block base point `base` to the reference at `at`, scaled by (xs, ys) and turned by `rotation`
// radians about `at`.
Transform2D insertTransform(const Point& at, double xs, double ys, double rotation,
                            const Point& base);

}  // namespace plovis
