#pragma once
// The ground of the sample scheme as surveyed: every branch walked from point to point, and the
// two field books of that walk, a level book (staff readings from the level's set-ups) and an
// Abney book (slope distances and slope angles read forward and back).

#include <string>
#include <vector>

#include "sample_scheme.h"

namespace plovis::sample {

struct GroundPoint {
    std::string label;
    int distance = 0;  // dm, horizontal, from the point before (0 at the branch's first point)
    int level = 0;     // mm
    bool control = false;
    std::string description;  // of a control point
};

struct Route {
    std::string name;
    std::string startChainage;
    std::vector<GroundPoint> points;
};

// The surveyed points of every branch, in survey order: the control points of the scheme and the
// points taken between them, legs of at most about 30 m, the ground between two control points
// following the undulation of their section. Plain points are labelled P1, P2, ... through the
// whole scheme. Throws std::runtime_error for a leg too steep to level across.
std::vector<Route> surveyRoutes(const Scheme& scheme);

// The staff readings of one station of the level book, mm; 0: not read.
struct StaffReadings {
    int backsight = 0;
    int intermediate = 0;
    int foresight = 0;
};

// The level book of a route: one set-up after the other, each opened by a backsight on the
// station where the one before closed with a foresight (a change point), every staff reading
// between 0.3 and 3.9 m and no sight longer than about 90 m. `seed` varies the backsights.
std::vector<StaffReadings> levelReadings(const Route& route, unsigned seed);

// The Abney book's readings of one station: the leg from the station before, taped along the
// ground, and its slope read forward and back to the nearest 5 minutes, as whole minutes with the
// sign of the slope (the back reading looks uphill where the fore reading looks down).
struct SlopeReading {
    int slopeDistance = 0;  // dm; 0 at the first station
    int foreMinutes = 0;
    int backMinutes = 0;
};

std::vector<SlopeReading> abneyReadings(const Route& route, unsigned seed);

}  // namespace plovis::sample
