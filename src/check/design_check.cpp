#include "check/design_check.h"

#include <algorithm>
#include <limits>

#include "common/number_format.h"
#include "network/network_nodes.h"

namespace plovis {
namespace {

std::string metres(double v) {
    return formatPicture(v, "#0.00") + " m";
}

// One section being checked, with the context its checks need.
struct SectionRun {
    const PipeTable& table;
    const NetworkNodes& nodes;
    const DesignLimits& limits;
    const PipeRow& row;
    SectionCheck& section;
    std::vector<DesignProblem>& problems;

    void add(ProblemKind kind, const std::string& node, double chainage, double level,
             std::string text) {
        problems.push_back({kind, row.row, row.branch, node, chainage, level, std::move(text)});
        ++section.problems;
    }
    void atStart(ProblemKind kind, std::string text) {
        add(kind, row.from, section.startChainage, row.startGround, std::move(text));
    }
    void atEnd(ProblemKind kind, std::string text) {
        add(kind, row.to, section.endChainage, row.endGround, std::move(text));
    }
};

// The ground line between the section's nodes on the branch, scaled to the section's length so
// that its last point lands on the end node's chainage.
std::vector<ProfilePoint> sectionGround(const GroundProfile& profile, const std::string& branch,
                                        const PipeRow& row, double start,
                                        std::vector<std::string>& labels) {
    const std::vector<GroundLinePoint> line = groundLineBetween(profile, branch, row.from, row.to);
    if (line.empty()) {
        labels = {row.from, row.to};
        return {{start, row.startGround}, {start + row.length, row.endGround}};
    }
    const double total = line.back().chainage;
    const double scale = total > 0 ? row.length / total : 0;
    std::vector<ProfilePoint> points;
    const std::int32_t b = findBranch(profile, branch);
    const PointRange range = findPointRange(profile, row.from, row.to, b);
    for (std::size_t i = 0; i < line.size(); ++i) {
        points.push_back({start + line[i].chainage * scale, line[i].level});
        labels.push_back(profile.branches[b].labels[range.first + i]);
    }
    return points;
}

void checkVelocity(SectionRun& s) {
    const double v = s.row.velocity;
    if (v < s.limits[LimitKind::MinVelocity]) {
        s.atStart(ProblemKind::SlowFlow,
                  "velocity " + formatPicture(v, "#0.00") + " m/s is below " +
                      generalForm(s.limits[LimitKind::MinVelocity]) + " m/s");
    } else if (v > s.limits[LimitKind::MaxVelocity]) {
        s.atStart(ProblemKind::FastFlow,
                  "velocity " + formatPicture(v, "#0.00") + " m/s is above " +
                      generalForm(s.limits[LimitKind::MaxVelocity]) + " m/s");
    }
}

void checkLaminar(SectionRun& s) {
    const double re = s.row.reynolds;
    if (re <= 0 || re >= kLaminarReynolds) return;
    const double laminar = 64 / re;
    s.section.laminar = laminar;
    s.atStart(ProblemKind::Laminar,
              "laminar flow (Reynolds number " + formatPicture(re, "#0") +
                  "): the friction factor is 64/Re = " + formatPicture(laminar, "0.000000") +
                  ", the table has " + formatPicture(s.row.frictionFactor, "0.000000"));
}

// The static head is greatest where the ground is lowest along the section.
void checkClass(SectionRun& s, const std::vector<std::string>& labels) {
    SectionCheck& c = s.section;
    std::size_t lowest = c.ground.size() - 1;
    for (std::size_t i = 0; i < c.ground.size(); ++i) {
        if (c.ground[i].level < c.ground[lowest].level) lowest = i;
    }
    const double alongLine = s.row.staticLevel - c.ground[lowest].level;
    c.greatestStatic = std::max(s.row.staticPressure, alongLine);
    if (!s.row.pipeClass) return;
    c.classHead = *s.row.pipeClass * 10.0;
    if (*c.classHead >= c.greatestStatic) return;
    const bool atEnd = s.row.staticPressure >= alongLine;
    const std::string text = "static head " + metres(c.greatestStatic) + " is above the " +
                             metres(*c.classHead) + " a class " + std::to_string(*s.row.pipeClass) +
                             " pipe bears";
    if (atEnd) {
        s.atEnd(ProblemKind::ClassBelowStatic, text);
    } else {
        s.add(ProblemKind::ClassBelowStatic, labels[lowest], c.ground[lowest].chainage,
              c.ground[lowest].level, text);
    }
}

void checkResidualHeads(SectionRun& s) {
    const NetworkNode& from = s.nodes.nodes[s.nodes.find(s.row.from)];
    const bool headRestarts = from.isSource() || isTank(s.table, from);
    if (headRestarts && s.row.startResidual < 0) {
        s.atStart(ProblemKind::NegativeHead,
                  "negative residual head " + metres(s.row.startResidual));
    }
    const double h = s.row.endResidual;
    const NetworkNode& to = s.nodes.nodes[s.nodes.find(s.row.to)];
    if (h < 0) {
        s.atEnd(ProblemKind::NegativeHead, "negative residual head " + metres(h));
    } else if (isTapLabel(s.row.to)) {
        if (h < s.limits[LimitKind::MinTapHead]) {
            s.atEnd(ProblemKind::LowTapHead, "residual head " + metres(h) +
                                                 " at a tap stand is below " +
                                                 metres(s.limits[LimitKind::MinTapHead]));
        }
    } else if (!isTank(s.table, to) && h < s.limits[LimitKind::MinNodeHead]) {
        s.atEnd(ProblemKind::LowNodeHead, "residual head " + metres(h) + " is below " +
                                              metres(s.limits[LimitKind::MinNodeHead]));
    }
}

// The grade line falls evenly from the start node to the end node; every ground point between
// them stays below it by the least cover.
void checkGradeLine(SectionRun& s, const std::vector<std::string>& labels) {
    SectionCheck& c = s.section;
    const double span = c.endChainage - c.startChainage;
    std::size_t worst = 0;
    int below = 0;
    for (std::size_t i = 1; i + 1 < c.ground.size(); ++i) {
        const double along = span > 0 ? (c.ground[i].chainage - c.startChainage) / span : 0;
        const double cover = c.startHgl + (c.endHgl - c.startHgl) * along - c.ground[i].level;
        if (!c.leastCover || cover < *c.leastCover) {
            c.leastCover = cover;
            worst = i;
        }
        if (cover < s.limits[LimitKind::MinGroundCover]) ++below;
    }
    if (below == 0) return;
    const double cover = *c.leastCover;
    std::string text = cover < 0 ? "grade line " + metres(-cover) + " below the ground"
                                 : "grade line only " + metres(cover) + " above the ground";
    if (below > 1) text += " (" + std::to_string(below) + " ground points short of the limit)";
    s.add(ProblemKind::GradeBelowGround, labels[worst], c.ground[worst].chainage,
          c.ground[worst].level, text);
}

}  // namespace

std::string chainageText(double metres) {
    return formatPicture(metres, "#0+000.00");
}

DesignCheck checkDesign(const PipeTable& table, const GroundProfile& ground,
                        const DesignLimits& limits) {
    DesignCheck check;
    check.sheet = table.sheet;
    check.limits = limits;
    check.branches = table.branches;
    const NetworkNodes nodes = networkNodes(table);
    std::vector<double> branchLength(table.branches.size(), 0.0);
    for (const PipeRow& row : table.rows) {
        SectionCheck c;
        c.row = row.row;
        c.branch = row.branch;
        c.from = row.from;
        c.to = row.to;
        c.startChainage = branchLength[row.branch];
        c.endChainage = c.startChainage + row.length;
        branchLength[row.branch] = c.endChainage;
        c.flow = row.flow;
        c.velocity = row.velocity;
        c.reynolds = row.reynolds;
        c.frictionFactor = row.frictionFactor;
        c.startHgl = row.startHgl;
        c.endHgl = row.endHgl;
        c.staticLevel = row.staticLevel;
        c.endResidual = row.endResidual;
        std::vector<std::string> labels;
        c.ground = sectionGround(ground, table.branches[row.branch], row, c.startChainage, labels);
        SectionRun run{table, nodes, limits, row, c, check.problems};
        checkVelocity(run);
        checkLaminar(run);
        checkClass(run, labels);
        checkResidualHeads(run);
        checkGradeLine(run, labels);
        check.sections.push_back(std::move(c));
    }
    std::stable_sort(check.problems.begin(), check.problems.end(),
                     [](const DesignProblem& a, const DesignProblem& b) {
                         return a.row != b.row ? a.row < b.row : a.kind < b.kind;
                     });
    return check;
}

}  // namespace plovis
