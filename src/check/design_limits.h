#pragma once
// The limits a gravity scheme's design is checked against, each with where its value came from:
// the command's option, a labelled cell of "DATA INPUT", or the default of common practice.

#include <array>
#include <optional>
#include <string>

#include "hosts/spreadsheet.h"

namespace plovis {

enum class LimitKind {
    MinVelocity,     // m/s: slower water drops silt and leaves air pockets in place
    MaxVelocity,     // m/s: faster water wears the pipe and makes surges when a tap shuts
    MinTapHead,      // m of residual head at a tap stand
    MinNodeHead,     // m of residual head at any other node that is not a tank
    MinGroundCover,  // m the grade line stays above the ground between nodes
};
inline constexpr int kLimitCount = 5;

struct Limit {
    double value = 0;
    std::string source;  // "default", "option", "DATA INPUT E32"
};

struct DesignLimits {
    std::array<Limit, kLimitCount> limits;
    double operator[](LimitKind k) const { return limits[static_cast<int>(k)].value; }
    Limit& at(LimitKind k) { return limits[static_cast<int>(k)]; }
    const Limit& at(LimitKind k) const { return limits[static_cast<int>(k)]; }
};

// The label that sets a limit in column B of "DATA INPUT" (its value in column E of that row),
// and what the limit is called in reports.
const char* limitLabel(LimitKind kind);
const char* limitUnit(LimitKind kind);

// The defaults: velocity 0.3 to 3 m/s, 10 m at tap stands, 5 m at other nodes, the grade line
// not below the ground.
DesignLimits defaultLimits();

// Limits set in "DATA INPUT": for every label found in column B (ignoring case and blanks at its
// ends) in rows 1 to 200, the number in column E replaces the limit. A sheet that is missing
// changes nothing; a labelled cell whose value is not a number is refused (PipeTableError naming
// the cell).
void applyDataInputLimits(Workbook& workbook, DesignLimits& limits);

// Limits given as options replace the others.
void applyOptionLimits(const std::array<std::optional<double>, kLimitCount>& options,
                       DesignLimits& limits);

}  // namespace plovis
