#include "field_sheets.h"

#include <cmath>
#include <cstdlib>

#include "sheet_writer.h"

namespace plovis::sample {
namespace {

constexpr int kFirstDemandRow = 20;
constexpr int kRowsBetweenBlocks = 4;  // the row ending a block (its totals) and three more
constexpr int kFirstBookRow = 5;       // the first header row of both field books
constexpr int kFirstGroundRow = 4;

double metres(int millimetres) {
    return millimetres / 1000.0;
}

double decimetres(int dm) {
    return dm / 10.0;
}

// An angle of whole minutes as the book writes it: degrees, minutes and seconds, the sign on the
// degrees, or on the minutes when there are no whole degrees (a minus zero is no sign).
void writeAngle(SheetWriter& w, int row, const char* degreesColumn, const char* minutesColumn,
                const char* secondsColumn, int minutes) {
    const int whole = std::abs(minutes) / 60;
    const int rest = std::abs(minutes) % 60;
    const int sign = minutes < 0 ? -1 : 1;
    w.number(cellAt(degreesColumn, row), whole == 0 ? 0 : sign * whole);
    w.number(cellAt(minutesColumn, row), whole == 0 ? sign * rest : rest);
    w.number(cellAt(secondsColumn, row), 0);
}

// The sum as spreadsheet programs' SUM takes it, with the rounding error of every addition carried
// along (Neumaier's summation): 0.21 + 0.195 + ... comes out as the nearest double to the exact
// sum, not one unit in the last place beside it.
double compensatedSum(const std::vector<double>& terms) {
    double sum = 0, error = 0;
    for (double x : terms) {
        const double t = sum + x;
        error += std::abs(sum) >= std::abs(x) ? (sum - t) + x : (x - t) + sum;
        sum = t;
    }
    return sum + error;
}

// The remark on a branch's first station: where its starting level comes from.
std::string startRemark(const std::vector<Route>& routes, std::size_t b) {
    if (b == 0) return "Bench mark on the intake";
    const std::string& label = routes[b].points.front().label;
    for (std::size_t k = b; k-- > 0;) {
        for (const GroundPoint& p : routes[k].points) {
            if (p.label == label) return "Level of " + label + " on " + routes[k].name;
        }
    }
    return "";
}

}  // namespace

void writeDataInput(MemoryWorksheet& sheet, const Scheme& s) {
    SheetWriter w(sheet);
    w.text("B2", "DATA INPUT");
    w.text("B3",
           "The constants of the scheme. PLOVIS reads the title (E8) and the demand constants "
           "(E22 to E27 and E31); the formulas of the pipe design use E28 and E29.");
    const struct {
        int row;
        std::string label;
        std::string value;
    } facts[] = {{8, "Name of the scheme", s.title},
                 {9, "District", s.district},
                 {10, "Location", s.wards},
                 {11, "Surveyed", s.surveyed},
                 {12, "Source", s.source}};
    for (const auto& f : facts) {
        w.text(cellAt("B", f.row), f.label);
        w.text(cellAt("E", f.row), f.value);
    }
    w.texts("B13", {"Safe yield of the source (dry season)", "", "", "", "l/s"});
    w.number("E13", s.safeYieldFlow);
    w.text("B15", "Census year");
    w.number("E15", s.censusYear);
    w.text("B16", "Base year");
    w.formula("E16", "=E15+E23", s.censusYear + s.yearsToBase);
    w.text("B17", "Design year");
    w.formula("E17", "=E16+E24", s.censusYear + s.yearsToBase + s.yearsToDesign);
    w.text("B20", "Demand and design constants");
    const struct {
        int row;
        std::string label;
        double value;
        std::string unit;
    } constants[] = {{22, "Population growth rate", s.growthRate, "% a year"},
                     {23, "Years from the census to the base year", s.yearsToBase, "years"},
                     {24, "Design period from the base year", s.yearsToDesign, "years"},
                     {25, "Peak factor", s.peakFactor, ""},
                     {26, "Water demand per person", s.perCapitaDemand, "l/day"},
                     {27, "Water demand per student", s.perStudentDemand, "l/day"},
                     {28, "Kinematic viscosity of water at 20 degrees C", s.viscosity, "m2/s"},
                     {29, "Acceleration due to gravity", s.gravity, "m/s2"},
                     {30, "Least residual head at a tap stand", s.minimumResidualHead, "m"},
                     {31, "Least design flow of a tap stand", s.minimumFlow, "l/s"}};
    for (const auto& c : constants) {
        w.text(cellAt("B", c.row), c.label);
        w.number(cellAt("E", c.row), c.value);
        if (!c.unit.empty()) w.text(cellAt("F", c.row), c.unit);
    }
}

std::vector<DemandRows> writeDemandInputs(MemoryWorksheet& sheet, const Scheme& s) {
    SheetWriter w(sheet);
    w.text("A1", "WATER DEMAND");
    w.text("A2",
           "The census population (F) grows at DATA INPUT E22 to the base year and the "
           "design year; PLOVIS writes columns G to I, L and N to S of every block.");
    w.texts("A17",
            {"S.N.", "Community", "Tap stand", "Households", "Ward", "Census population",
             "Population, base year", "Population, design year", "Domestic demand", "Students",
             "Fixed demand", "Institutional demand", "Other demand", "Total demand", "Average flow",
             "Peak factor", "Peak flow", "Design flow", "Design / average flow"});
    w.texts("F18", {"persons", "persons", "persons", "l/day", "", "l/day", "l/day", "l/day",
                    "l/day", "l/s", "", "l/s", "l/s"});
    std::vector<DemandRows> blocks;
    int row = kFirstDemandRow;
    int number = 0;
    for (const DemandBlock& block : s.demand) {
        w.text(cellAt("A", row - 1), block.title);
        blocks.push_back({row, row + static_cast<int>(block.communities.size()) - 1});
        for (const Community& c : block.communities) {
            w.number(cellAt("A", row), ++number);
            w.text(cellAt("B", row), c.name);
            w.text(cellAt("C", row), c.tapStand);
            if (c.households > 0) w.number(cellAt("D", row), c.households);
            w.number(cellAt("E", row), c.ward);
            if (c.population > 0) w.number(cellAt("F", row), c.population);
            if (c.students > 0) w.number(cellAt("J", row), c.students);
            if (c.fixed > 0) w.number(cellAt("K", row), c.fixed);
            if (c.other > 0) w.number(cellAt("M", row), c.other);
            ++row;
        }
        row += kRowsBetweenBlocks;
    }
    return blocks;
}

void writeDemandTotals(MemoryWorksheet& sheet, const std::vector<DemandRows>& blocks) {
    SheetWriter w(sheet);
    static const char* const kSummed[] = {"F", "G", "H", "I", "L", "N", "O", "Q", "R"};
    std::vector<int> totalRows;
    for (const DemandRows& b : blocks) {
        const int total = b.last + 1;  // column B stays empty: the block ends here
        totalRows.push_back(total);
        w.text(cellAt("C", total), "Total of the block");
        for (const char* column : kSummed) {
            std::vector<double> terms;
            for (int r = b.first; r <= b.last; ++r)
                terms.push_back(w.value(cellAt(column, r)));
            w.formula(cellAt(column, total),
                      "=SUM(" + cellAt(column, b.first) + ":" + cellAt(column, b.last) + ")",
                      compensatedSum(terms));
        }
    }
    const int grand = totalRows.back() + 2;
    w.text(cellAt("C", grand), "Total of the scheme");
    for (const char* column : kSummed) {
        std::string formula = "=";
        double sum = 0;
        for (int r : totalRows) {
            formula += (r == totalRows.front() ? "" : "+") + cellAt(column, r);
            sum += w.value(cellAt(column, r));
        }
        w.formula(cellAt(column, grand), formula, sum);
    }
}

void writeLevelBook(MemoryWorksheet& sheet, const std::vector<Route>& routes) {
    SheetWriter w(sheet);
    w.text("A1", "LEVEL BOOK");
    w.text("A2",
           "Staff readings in metres. PLOVIS reduces the book by rise and fall into columns "
           "E and I to K; a branch starts from the level given in M, or else from its first "
           "station on an earlier branch.");
    w.texts("A3", {"S.N.", "Remarks", "Station", "Distance", "Chainage", "Back sight",
                   "Intermediate sight", "Fore sight", "Rise", "Fall", "Reduced level", "",
                   "Starting level"});
    w.texts("D4", {"m", "m", "m", "m", "m", "m", "m", "m", "", "m"});
    int row = kFirstBookRow;
    for (std::size_t b = 0; b < routes.size(); ++b) {
        const Route& route = routes[b];
        w.text(cellAt("C", row++), route.name);
        const std::vector<StaffReadings> book = levelReadings(route, static_cast<unsigned>(b + 1));
        for (std::size_t j = 0; j < route.points.size(); ++j, ++row) {
            const StaffReadings& r = book[j];
            w.number(cellAt("A", row), static_cast<double>(j + 1));
            w.text(cellAt("C", row), route.points[j].label);
            if (j == 0) {
                w.number(cellAt("E", row), 0);
            } else {
                w.number(cellAt("D", row), decimetres(route.points[j].distance));
            }
            if (r.backsight) w.number(cellAt("F", row), metres(r.backsight));
            if (r.intermediate) w.number(cellAt("G", row), metres(r.intermediate));
            if (r.foresight) w.number(cellAt("H", row), metres(r.foresight));
            if (r.backsight && r.foresight) w.text(cellAt("B", row), "Change point");
        }
        const int first = row - static_cast<int>(route.points.size());
        w.text(cellAt("B", first), startRemark(routes, b));
        if (b == 0) w.number(cellAt("M", first), metres(route.points.front().level));
    }
}

void writeAbneyBook(MemoryWorksheet& sheet, const std::vector<Route>& routes) {
    SheetWriter w(sheet);
    w.text("A1", "ABNEY LEVEL BOOK");
    w.text("A2",
           "Slope distances taped along the ground; slope angles read forward and back in "
           "degrees, minutes and seconds. PLOVIS reduces the book into columns E and L to "
           "N; a branch starts from the level given in P, or else from its first station "
           "on an earlier branch.");
    w.texts("A3", {"S.N.", "Remarks", "Station", "Slope distance", "Chainage", "Fore angle", "", "",
                   "Back angle", "", "", "Mean slope", "Height difference", "Reduced level", "",
                   "Starting level"});
    w.texts("D4", {"m", "m", "deg", "min", "sec", "deg", "min", "sec", "deg", "m", "m", "", "m"});
    int row = kFirstBookRow;
    for (std::size_t b = 0; b < routes.size(); ++b) {
        const Route& route = routes[b];
        w.text(cellAt("C", row++), route.name);
        const std::vector<SlopeReading> book = abneyReadings(route, static_cast<unsigned>(100 + b));
        for (std::size_t j = 0; j < route.points.size(); ++j, ++row) {
            w.number(cellAt("A", row), static_cast<double>(j + 1));
            w.text(cellAt("C", row), route.points[j].label);
            if (j == 0) continue;
            w.number(cellAt("D", row), decimetres(book[j].slopeDistance));
            writeAngle(w, row, "F", "G", "H", book[j].foreMinutes);
            writeAngle(w, row, "I", "J", "K", book[j].backMinutes);
        }
        const int first = row - static_cast<int>(route.points.size());
        w.text(cellAt("B", first), startRemark(routes, b));
        if (b == 0) w.number(cellAt("P", first), metres(route.points.front().level));
    }
}

void writeGroundProfileFrame(MemoryWorksheet& sheet, const std::vector<Route>& routes) {
    SheetWriter w(sheet);
    w.text("A1", "GROUND PROFILE");
    w.text("A2",
           "Columns B to D come from the reduced level book. Column A gives the chainage "
           "where a branch starts; code 1 in column E marks a control point, where a pipe "
           "section begins or ends.");
    w.texts("A3",
            {"Chainage", "Point", "Distance (m)", "Reduced level (m)", "Code", "Description"});
    int row = kFirstGroundRow;
    for (const Route& route : routes) {
        w.text(cellAt("A", row++), route.startChainage);
        for (const GroundPoint& p : route.points) {
            w.number(cellAt("E", row), p.control ? 1 : 0);
            if (!p.description.empty()) w.text(cellAt("F", row), p.description);
            ++row;
        }
    }
}

void writeMark(MemoryWorksheet& sheet) {
    SheetWriter w(sheet);
    w.text("A1", "KELDRAN");
    w.text("A2",
           "This sheet marks the workbook as a scheme workbook: PLOVIS draws the pipe line "
           "profile only from a workbook that has it.");
}

}  // namespace plovis::sample
