#pragma once
// The pipe design table "PD-CW-Sample" of the sample: the scheme header, the pipes chosen for the
// sections PLOVIS listed, and the hydraulics of every section as formulas with their values.

#include <string>
#include <vector>

#include "field_sheets.h"
#include "hosts/memory_workbook.h"
#include "sample_scheme.h"
#include "survey_books.h"

namespace plovis::sample {

// A section row of the table as the section list placed it.
struct DesignRow {
    int row = 0;
    std::size_t branch = 0;
    std::size_t section = 0;
    std::string from;
    std::string to;
};

// The section rows PLOVIS listed from row 15 on. Throws std::runtime_error when they are not the
// scheme's sections in the scheme's order.
std::vector<DesignRow> listedSections(const Worksheet& sheet, const std::vector<Route>& routes);

// The design flow of every section (l/s), [branch][section]: the transmission main carries the
// average day's demand of the whole scheme, a distribution section the design flows of all tap
// stands beyond it. Read from the computed "Water Demand".
std::vector<std::vector<double>> sectionFlows(const Scheme& scheme,
                                              const std::vector<Route>& routes,
                                              const Worksheet& demand,
                                              const std::vector<DemandRows>& blocks);

// The row whose pipe class is left too low on purpose.
int lowClassRow(const Scheme& scheme, const std::vector<DesignRow>& rows);

void writeDesignHeading(MemoryWorksheet& sheet, const Scheme& scheme, int lowClassRow);

// What the pipe head loss pass reads: the flows, directions, pipes, soils and structures of every
// section, its static pressure line and its velocity and Reynolds number.
void writeSectionPipes(MemoryWorksheet& sheet, const Scheme& scheme,
                       const std::vector<DesignRow>& rows,
                       const std::vector<std::vector<double>>& flows);

// Once the friction factors are in: the head losses and the hydraulic grade line.
void writeHydraulicGrade(MemoryWorksheet& sheet, const Scheme& scheme,
                         const std::vector<DesignRow>& rows);

struct DesignCheck {
    std::vector<std::string> report;    // a line a section: flow, velocity, pressures
    std::vector<std::string> problems;  // what would not work, a line each
};

// Checks the design as its engineer would. A problem is a tap stand short of the least residual
// head, the grade line within 0.3 m of the ground anywhere along a section, a velocity beyond
// 3 m/s, a main carrying more than the source yields, or a pipe class below the static pressure
// at any row but the one left so on purpose (which must be below it).
DesignCheck checkDesign(const Worksheet& sheet, const Scheme& scheme,
                        const std::vector<Route>& routes, const std::vector<DesignRow>& rows);

}  // namespace plovis::sample
