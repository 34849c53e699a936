#include "design_table.h"

#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <stdexcept>

#include "common/number_format.h"
#include "common/rounding.h"
#include "sheet_writer.h"

namespace plovis::sample {
namespace {

constexpr int kFirstListRow = 15;
constexpr double kLeastGroundCover = 0.3;  // m the grade line keeps above the ground
constexpr double kFastestFlow = 3.0;       // m/s

std::vector<const GroundPoint*> controlsOf(const Route& route) {
    std::vector<const GroundPoint*> out;
    for (const GroundPoint& p : route.points) {
        if (p.control) out.push_back(&p);
    }
    return out;
}

bool isTank(const std::string& label) {
    return label.starts_with("IN") || label.starts_with("BPT") || label.starts_with("RVT");
}

// The cells of one row of the table.
struct RowCells {
    SheetWriter& w;
    int row;

    std::string at(const char* column) const { return cellAt(column, row); }
    double value(const char* column) const { return w.value(at(column)); }
    void formula(const char* column, const std::string& text, double value) {
        w.formula(at(column), text, value);
    }
};

// The row the section starts from: the row before it in its branch, or for a branch's first
// section the row of an earlier branch that ends where it starts. 0 when there is none.
int rowBefore(const std::vector<DesignRow>& rows, std::size_t k) {
    if (rows[k].section > 0) return rows[k - 1].row;
    for (std::size_t i = 0; i < k; ++i) {
        if (rows[i].to == rows[k].from) return rows[i].row;
    }
    return 0;
}

// A tank (and the intake) starts its lines afresh from its own level; otherwise a line goes on
// from the row before.
void continuedLine(RowCells& c, const char* column, const char* fromColumn, int before,
                   const std::string& from) {
    if (isTank(from) || before == 0) {
        c.formula(column, "=" + c.at("I"), c.value("I"));
    } else {
        RowCells previous{c.w, before};
        c.formula(column, "=" + previous.at(fromColumn), previous.value(fromColumn));
    }
}

void writePipe(SheetWriter& w, int row, const Pipe& pipe) {
    if (pipe.galvanised) {
        w.text(cellAt("Q", row), "GI");
        w.number(cellAt("R", row), pipe.size);
        w.text(cellAt("S", row), pipe.giClass);
    } else {
        w.text(cellAt("Q", row), "HDPE");
        w.number(cellAt("O", row), pipe.size);
        w.number(cellAt("P", row), pipe.pressureClass);
    }
    w.number(cellAt("AI", row), pipe.innerDiameter);
    w.number(cellAt("AJ", row), pipe.roughness);
}

const Section& sectionOf(const Scheme& scheme, const DesignRow& r) {
    return scheme.branches[r.branch].sections[r.section];
}

}  // namespace

std::vector<DesignRow> listedSections(const Worksheet& sheet, const std::vector<Route>& routes) {
    std::vector<DesignRow> rows;
    int row = kFirstListRow;
    for (std::size_t b = 0; b < routes.size(); ++b) {
        if (cellText(sheet.cell(row, 3)) != routes[b].name || !isEmpty(sheet.cell(row, 2))) {
            throw std::runtime_error("row " + std::to_string(row) +
                                     " of the section list is not "
                                     "the header of " +
                                     routes[b].name);
        }
        const auto controls = controlsOf(routes[b]);
        for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
            ++row;
            DesignRow r{row, b, i, cellText(sheet.cell(row, 3)), cellText(sheet.cell(row, 4))};
            if (r.from != controls[i]->label || r.to != controls[i + 1]->label) {
                throw std::runtime_error("row " + std::to_string(row) + " of the section list is " +
                                         r.from + "-" + r.to + ", not the section from " +
                                         controls[i]->label + " to " + controls[i + 1]->label);
            }
            rows.push_back(std::move(r));
        }
        ++row;
    }
    return rows;
}

std::vector<std::vector<double>> sectionFlows(const Scheme& scheme,
                                              const std::vector<Route>& routes,
                                              const Worksheet& demand,
                                              const std::vector<DemandRows>& blocks) {
    std::map<std::string, double> tapFlows;  // design flows of the communities at each tap
    double averageDay = 0;
    for (const DemandRows& b : blocks) {
        for (int r = b.first; r <= b.last; ++r) {
            tapFlows[cellText(demand.cell(r, 3))] += std::get<double>(demand.cell(r, 18));
            averageDay += std::get<double>(demand.cell(r, 15));
        }
    }
    std::vector<std::vector<std::string>> ends(routes.size());
    for (std::size_t b = 0; b < routes.size(); ++b) {
        const auto controls = controlsOf(routes[b]);
        for (std::size_t i = 1; i < controls.size(); ++i)
            ends[b].push_back(controls[i]->label);
    }
    // The flow into a section: its end's tap stands, the section after it, and every
    // distribution branch that starts at its end.
    std::function<double(std::size_t, std::size_t)> flowInto = [&](std::size_t b, std::size_t i) {
        const std::string& end = ends[b][i];
        double flow = tapFlows.count(end) ? tapFlows.at(end) : 0.0;
        if (i + 1 < ends[b].size()) flow += flowInto(b, i + 1);
        for (std::size_t k = b + 1; k < routes.size(); ++k) {
            if (!scheme.branches[k].transmission && routes[k].points.front().label == end)
                flow += flowInto(k, 0);
        }
        return flow;
    };
    std::vector<std::vector<double>> flows(routes.size());
    for (std::size_t b = 0; b < routes.size(); ++b) {
        for (std::size_t i = 0; i < ends[b].size(); ++i) {
            flows[b].push_back(
                roundOff(scheme.branches[b].transmission ? averageDay : flowInto(b, i), 3));
        }
    }
    return flows;
}

int lowClassRow(const Scheme& scheme, const std::vector<DesignRow>& rows) {
    for (const DesignRow& r : rows) {
        if (scheme.branches[r.branch].name == scheme.lowClassBranch && r.to == scheme.lowClassEnd)
            return r.row;
    }
    throw std::runtime_error("the scheme has no section " + scheme.lowClassBranch + " to " +
                             scheme.lowClassEnd);
}

void writeDesignHeading(MemoryWorksheet& sheet, const Scheme& scheme, int lowClass) {
    SheetWriter w(sheet);
    w.text("B2", "PIPE LINE DESIGN BY THE COLEBROOK-WHITE EQUATION");
    w.text("D6", "Scheme:");
    w.text("E6", scheme.title);
    w.text("H6", "Source:");
    w.text("I6", scheme.source);
    w.text("K6", "Safe yield:");
    w.text("L6", scheme.safeYield);
    w.text("B8",
           "PLOVIS writes the section list (B to D), the lengths and levels (E, F, I, J) "
           "and the friction factors (AG); the other results are formulas.");
    w.text("B9", "The pipe class of row " + std::to_string(lowClass) +
                     " is left at 6 on purpose: the pipe head loss command asks to raise it.");
    w.texts("B12", {"No.",
                    "From",
                    "To",
                    "Length",
                    "Pipe length",
                    "Flow",
                    "Direction",
                    "Ground level, start",
                    "Ground level, end",
                    "Level difference",
                    "Static level",
                    "Static head, start",
                    "Static pressure, end",
                    "HDPE diameter",
                    "HDPE class",
                    "Material",
                    "GI diameter",
                    "GI class",
                    "Velocity",
                    "Head loss",
                    "Head loss per km",
                    "Residual head, start",
                    "HGL, start",
                    "HGL, end",
                    "Soil",
                    "Structure",
                    "Residual head, end",
                    "Remarks",
                    "",
                    "",
                    "",
                    "Friction factor",
                    "Flow area",
                    "Inner diameter",
                    "Roughness",
                    "Reynolds number"});
    w.texts("E13", {"m",  "m (+10 %)", "l/s", "(schematic)", "m", "m",   "m", "m",    "m", "m",
                    "mm", "kg/cm2",    "",    "mm",          "",  "m/s", "m", "m/km", "m", "m",
                    "m",  "",          "",    "m",           "",  "",    "",  "",     "",  "m2",
                    "mm", "m",         ""});
}

void writeSectionPipes(MemoryWorksheet& sheet, const Scheme& scheme,
                       const std::vector<DesignRow>& rows,
                       const std::vector<std::vector<double>>& flows) {
    SheetWriter w(sheet);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const DesignRow& r = rows[k];
        const Section& planned = sectionOf(scheme, r);
        RowCells c{w, r.row};
        w.number(c.at("G"), flows[r.branch][r.section]);
        w.text(c.at("H"), planned.direction);
        writePipe(w, r.row, planned.pipe);
        w.text(c.at("Z"), planned.soil);
        if (!planned.structure.empty()) w.text(c.at("AA"), planned.structure);
        if (!planned.remark.empty()) w.text(c.at("AC"), planned.remark);

        const int before = rowBefore(rows, k);
        c.formula("K", "=" + c.at("I") + "-" + c.at("J"), c.value("I") - c.value("J"));
        continuedLine(c, "L", "L", before, r.from);
        c.formula("M", "=" + c.at("L") + "-" + c.at("I"), c.value("L") - c.value("I"));
        c.formula("N", "=" + c.at("L") + "-" + c.at("J"), c.value("L") - c.value("J"));
        c.formula("AH", "=PI()*(" + c.at("AI") + "/1000)^2/4",
                  std::numbers::pi * std::pow(c.value("AI") / 1000, 2) / 4);
        c.formula("T", "=" + c.at("G") + "/1000/" + c.at("AH"),
                  c.value("G") / 1000 / c.value("AH"));
        c.formula("AK", "=" + c.at("T") + "*" + c.at("AI") + "/1000/'DATA INPUT'!$E$28",
                  c.value("T") * c.value("AI") / 1000 / scheme.viscosity);
    }
}

void writeHydraulicGrade(MemoryWorksheet& sheet, const Scheme& scheme,
                         const std::vector<DesignRow>& rows) {
    SheetWriter w(sheet);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        RowCells c{w, rows[k].row};
        c.formula("U",
                  "=" + c.at("AG") + "*" + c.at("F") + "/(" + c.at("AI") + "/1000)*" + c.at("T") +
                      "^2/(2*'DATA INPUT'!$E$29)",
                  c.value("AG") * c.value("F") / (c.value("AI") / 1000) *
                      std::pow(c.value("T"), 2) / (2 * scheme.gravity));
        c.formula("V", "=" + c.at("U") + "/" + c.at("F") + "*1000",
                  c.value("U") / c.value("F") * 1000);
        continuedLine(c, "X", "Y", rowBefore(rows, k), rows[k].from);
        c.formula("Y", "=" + c.at("X") + "-" + c.at("U"), c.value("X") - c.value("U"));
        c.formula("W", "=" + c.at("X") + "-" + c.at("I"), c.value("X") - c.value("I"));
        c.formula("AB", "=" + c.at("Y") + "-" + c.at("J"), c.value("Y") - c.value("J"));
    }
}

DesignCheck checkDesign(const Worksheet& sheet, const Scheme& scheme,
                        const std::vector<Route>& routes, const std::vector<DesignRow>& rows) {
    const int lowClass = lowClassRow(scheme, rows);
    const auto number = [&](int row, int column) { return cellNumber(sheet.cell(row, column)); };
    DesignCheck check;
    for (const DesignRow& r : rows) {
        const std::string where = "row " + std::to_string(r.row) + " (" + r.from + "-" + r.to + ")";
        const auto fail = [&](const std::string& why) {
            check.problems.push_back(where + ": " + why);
        };
        const double flow = number(r.row, 7), velocity = number(r.row, 20);
        const double pressure = number(r.row, 14), cls = number(r.row, 16);
        const double startHgl = number(r.row, 24), endHgl = number(r.row, 25);
        const double residual = number(r.row, 28);
        if (velocity > kFastestFlow) fail("the water runs faster than 3 m/s");
        if (scheme.branches[r.branch].transmission && flow > scheme.safeYieldFlow)
            fail("the main carries more than the source yields");
        if (cls > 0 && (cls * 10 < pressure) != (r.row == lowClass))
            fail(r.row == lowClass ? "the class left low on purpose bears the pressure"
                                   : "the pipe class is below the static pressure");
        if (r.to.starts_with("T") && residual < scheme.minimumResidualHead)
            fail("the tap stand has less than the least residual head");
        // The grade line falls evenly along the section; every surveyed point stays below it.
        const Route& route = routes[r.branch];
        const double length = number(r.row, 5);
        double along = 0;
        bool inside = false;
        for (const GroundPoint& p : route.points) {
            if (inside) along += p.distance / 10.0;
            if (!inside) {
                // The section's first point is the end of the one before, or a tank's outlet.
                inside = p.label == r.from;
                continue;
            }
            const double hgl = startHgl - (startHgl - endHgl) * along / length;
            if (hgl - p.level / 1000.0 < kLeastGroundCover) {
                fail("the grade line runs within " + formatPicture(kLeastGroundCover, "0.0") +
                     " m of the ground at " + p.label);
                break;
            }
            if (p.label == r.to) break;
        }
        check.report.push_back(where + ": " + formatPicture(flow, "#0.000") + " l/s, " +
                               formatPicture(velocity, "#0.00") + " m/s, static " +
                               formatPicture(pressure, "##0.0") + " m, residual " +
                               formatPicture(residual, "##0.0") + " m");
    }
    return check;
}

}  // namespace plovis::sample
