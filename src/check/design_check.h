#pragma once
// The design check of the pipe design table, as a reviewer makes it of every scheme: velocity
// within its range, residual head at tap stands and other nodes, no negative residual head, the
// pipe class bearing the static head, no laminar row (where Colebrook-White does not hold), and
// the hydraulic grade line above the ground between the nodes.

#include <optional>
#include <string>
#include <vector>

#include "check/design_limits.h"
#include "network/pipe_table.h"
#include "survey/ground_profile.h"

namespace plovis {

enum class ProblemKind {
    SlowFlow,
    FastFlow,
    Laminar,
    ClassBelowStatic,
    NegativeHead,
    LowTapHead,
    LowNodeHead,
    GradeBelowGround,
};

// Below this Reynolds number the flow is laminar and the friction factor is 64/Re
// (Hagen-Poiseuille), not the Colebrook-White root.
inline constexpr double kLaminarReynolds = 2000;

struct DesignProblem {
    ProblemKind kind;
    int row = 0;          // sheet row of the section
    int branch = 0;       // index into the table's branches
    std::string node;     // the node or ground point where it shows
    double chainage = 0;  // along the branch from its first node, m
    double level = 0;     // ground level there, m (for the profile plot)
    std::string text;     // what is wrong, with the figures
};

// A point of a section's ground line on the branch: chainage along the branch and level.
struct ProfilePoint {
    double chainage = 0;
    double level = 0;
};

// What the check found for one section row.
struct SectionCheck {
    int row = 0;
    int branch = 0;
    std::string from;
    std::string to;
    double startChainage = 0;  // m along the branch
    double endChainage = 0;
    double flow = 0;
    double velocity = 0;
    double reynolds = 0;
    double frictionFactor = 0;        // the table's
    std::optional<double> laminar;    // 64/Re where the flow is laminar
    double greatestStatic = 0;        // static head at the section's lowest point, m
    std::optional<double> classHead;  // head the pipe class bears, m
    double startHgl = 0;
    double endHgl = 0;
    double staticLevel = 0;
    double endResidual = 0;
    std::optional<double> leastCover;  // least grade line height above the ground between nodes
    std::vector<ProfilePoint> ground;  // the section's ground line (its two nodes without one)
    int problems = 0;
};

struct DesignCheck {
    std::string sheet;
    DesignLimits limits;
    std::vector<std::string> branches;
    std::vector<SectionCheck> sections;
    std::vector<DesignProblem> problems;  // by row, in the order of ProblemKind
    bool passed() const { return problems.empty(); }
};

// Checks every section row of the table against the limits, with the ground lines of the ground
// profile between its nodes (a section the profile does not hold is checked without one).
DesignCheck checkDesign(const PipeTable& table, const GroundProfile& ground,
                        const DesignLimits& limits);

// A chainage as the profiles write it: 1+234.50.
std::string chainageText(double metres);

}  // namespace plovis
