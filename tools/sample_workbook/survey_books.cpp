#include "survey_books.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>

namespace plovis::sample {
namespace {

constexpr int kLongestLeg = 300;    // dm
constexpr int kSteepestLeg = 2500;  // mm of rise or fall between two points
// Relative lengths of successive legs, so that the points do not lie evenly spaced.
constexpr double kLegPattern[] = {1.00, 1.18, 0.86, 1.07, 0.93, 1.12, 0.84};
constexpr int kLowestReading = 300;    // mm: the foot of the staff is hard to read in grass
constexpr int kHighestReading = 3900;  // mm: a 4 m staff
constexpr int kLongestSight = 900;     // dm from the last change point

// A small generator of the same numbers on every machine (the standard distributions are not).
class Noise {
  public:
    explicit Noise(unsigned seed) : state_(seed * 2654435761u + 1) {}
    // A number in [0, 1).
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
    }

  private:
    std::uint32_t state_;
};

// The legs of a section of `length` dm that rises or falls by `height` mm: about equal, none
// longer than kLongestLeg nor steeper than kSteepestLeg on average, varied.
std::vector<int> legsOf(int length, int height, std::size_t& patternAt) {
    const int n = std::max((length + kLongestLeg - 1) / kLongestLeg,
                           (std::abs(height) + kSteepestLeg - 1) / kSteepestLeg);
    std::vector<double> weights;
    double total = 0;
    for (int k = 0; k < n; ++k) {
        weights.push_back(kLegPattern[patternAt++ % std::size(kLegPattern)]);
        total += weights.back();
    }
    std::vector<int> legs;
    int used = 0;
    for (int k = 0; k + 1 < n; ++k) {
        legs.push_back(static_cast<int>(std::lround(length * weights[k] / total)));
        used += legs.back();
    }
    legs.push_back(length - used);
    return legs;
}

// The ground at fraction t of a section from level a to level b with the section's undulation:
// a bow through the middle and a ripple, both nothing at the ends.
int groundLevel(int a, int b, double t, int undulation) {
    const double pi = std::numbers::pi;
    const double bow = undulation * std::sin(pi * t);
    const double ripple = 0.25 * std::abs(undulation) * std::sin(3 * pi * t);
    return static_cast<int>(std::lround(a + (b - a) * t + bow + ripple));
}

void addSection(Route& route, const ControlPoint& to, const Section& section, int fromChainage,
                int fromLevel, std::size_t& patternAt, int& plainCount) {
    const int length = to.chainage - fromChainage;
    const std::vector<int> legs = legsOf(length, to.level - fromLevel, patternAt);
    int along = 0;
    for (std::size_t k = 0; k + 1 < legs.size(); ++k) {
        along += legs[k];
        const double t = static_cast<double>(along) / length;
        route.points.push_back({"P" + std::to_string(++plainCount), legs[k],
                                groundLevel(fromLevel, to.level, t, section.undulation), false,
                                ""});
    }
    const std::string label = to.label.empty() ? "P" + std::to_string(++plainCount) : to.label;
    route.points.push_back({label, legs.back(), to.level, true, to.description});
}

void checkLegs(const Route& route) {
    for (std::size_t j = 1; j < route.points.size(); ++j) {
        const int rise = route.points[j].level - route.points[j - 1].level;
        if (std::abs(rise) > kHighestReading - kLowestReading - 200) {
            throw std::runtime_error("the leg to " + route.points[j].label + " of " + route.name +
                                     " is too steep to level across in one set-up");
        }
    }
}

}  // namespace

std::vector<Route> surveyRoutes(const Scheme& scheme) {
    std::vector<Route> routes;
    std::size_t patternAt = 0;
    int plainCount = 0;
    for (const Branch& b : scheme.branches) {
        Route route{b.name, b.startChainage, {}};
        const ControlPoint& first = b.points.front();
        route.points.push_back({first.label, 0, first.level, true, first.description});
        for (std::size_t i = 0; i < b.sections.size(); ++i) {
            addSection(route, b.points[i + 1], b.sections[i], b.points[i].chainage,
                       b.points[i].level, patternAt, plainCount);
        }
        checkLegs(route);
        routes.push_back(std::move(route));
    }
    return routes;
}

std::vector<StaffReadings> levelReadings(const Route& route, unsigned seed) {
    const std::vector<GroundPoint>& p = route.points;
    Noise noise(seed);
    // A backsight on station `from` from which station `next` can be read, short where the
    // ground falls away (the staff then reads ever more) and long where it climbs.
    const auto backsight = [&](std::size_t from, std::size_t next) {
        const int fall = p[from].level - p[next].level;
        const int lowest = std::max(kLowestReading, kLowestReading - fall);
        const int highest = std::min(kHighestReading, kHighestReading - fall);
        const int spare =
            static_cast<int>(std::min(200.0, (highest - lowest) / 2.0) * noise.next());
        if (std::abs(fall) < 300) return (lowest + highest) / 2 + spare / 2;
        return fall > 0 ? lowest + spare : highest - spare;
    };
    std::vector<StaffReadings> book(p.size());
    if (p.size() < 2) return book;
    book[0].backsight = backsight(0, 1);
    int instrument = p[0].level + book[0].backsight;
    int sinceChange = 0;
    for (std::size_t j = 1; j < p.size(); ++j) {
        const int reading = instrument - p[j].level;
        if (j + 1 == p.size()) {
            book[j].foresight = reading;
            break;
        }
        sinceChange += p[j].distance;
        const int next = instrument - p[j + 1].level;
        if (next < kLowestReading || next > kHighestReading ||
            sinceChange + p[j + 1].distance > kLongestSight) {
            book[j].foresight = reading;
            book[j].backsight = backsight(j, j + 1);
            instrument = p[j].level + book[j].backsight;
            sinceChange = 0;
        } else {
            book[j].intermediate = reading;
        }
    }
    return book;
}

std::vector<SlopeReading> abneyReadings(const Route& route, unsigned seed) {
    const std::vector<GroundPoint>& p = route.points;
    Noise noise(seed);
    const auto toNearestFive = [](double minutes) {
        return static_cast<int>(std::lround(minutes / 5)) * 5;
    };
    std::vector<SlopeReading> book(p.size());
    for (std::size_t j = 1; j < p.size(); ++j) {
        const double across = p[j].distance / 10.0;
        const double rise = (p[j].level - p[j - 1].level) / 1000.0;
        const double slope = std::hypot(across, rise);
        const double minutes = std::atan2(rise, across) * 180 / std::numbers::pi * 60;
        // Each reading off by up to 2 minutes before it is read to the nearest 5.
        const double foreError = 4 * noise.next() - 2;
        const double backError = 4 * noise.next() - 2;
        book[j] = {static_cast<int>(std::lround(slope * 10)), toNearestFive(minutes + foreError),
                   -toNearestFive(minutes + backError)};
    }
    return book;
}

}  // namespace plovis::sample
