#pragma once
// The sample scheme as its engineer set it out: the scheme constants, the communities to be
// served, and the pipelines with their control points (structures, valves, pipe changes) and the
// pipe chosen for every section between them. Everything else in the sample workbook (the
// surveyed ground points, the field books, the section list, demands and hydraulics) follows from
// this by survey and computation.
//
// Units as the engineer writes them in the field: chainages in decimetres and levels in
// millimetres, both whole numbers, so that readings taken from them are exact.

#include <string>
#include <vector>

namespace plovis::sample {

// A pipe as the design table names it: a plastic (HDPE) pipe by outside diameter and pressure
// class, or a galvanised iron (GI) pipe by nominal bore and class letter.
struct Pipe {
    bool galvanised = false;
    int size = 0;              // mm: outside diameter (HDPE) or nominal bore (GI)
    int pressureClass = 0;     // kg/cm2, HDPE only
    std::string giClass;       // "M" (medium), GI only
    double innerDiameter = 0;  // mm
    double roughness = 0;      // m
};

Pipe hdpe(int outsideDiameter, int pressureClass);
Pipe gi(int nominalBore);

// A point of a pipeline where a section begins or ends. The label's first letters say what stands
// there (IN intake, BPT break pressure tank, RVT reservoir, J junction, T tap stand, AV air valve,
// WO washout); a point left without a label is a plain point where the pipe changes, numbered P
// with the other surveyed points.
struct ControlPoint {
    std::string label;
    int chainage = 0;  // dm from the branch's first point
    int level = 0;     // mm
    std::string description;
};

// The section from one control point to the next.
struct Section {
    std::string direction;  // the schematic's stroke direction ("D", "R", "DL", ...)
    Pipe pipe;
    std::string soil;
    std::string structure;  // code of the structure at the section's end
    int undulation = 0;     // mm: how far the ground between the two points rises above (or, when
                            // negative, dips below) the straight line joining them
    std::string remark;
};

struct Branch {
    std::string name;
    std::string startChainage;  // as written in column A of the ground profile's header row
    std::vector<ControlPoint> points;
    std::vector<Section> sections;  // one fewer than points
    bool transmission = false;      // carries the average day's demand to the reservoir
};

// One community (or institution) served by a tap stand.
struct Community {
    std::string name;
    std::string tapStand;
    int households = 0;
    int ward = 0;
    int population = 0;  // census population
    int students = 0;    // counted units (students of a school)
    double fixed = 0;    // fixed daily demand, l (a health post)
    double other = 0;    // other daily demand, l (tea shops, a mill)
};

struct DemandBlock {
    std::string title;
    std::vector<Community> communities;
};

struct Scheme {
    std::string title;
    std::string district;
    std::string wards;
    std::string surveyed;
    std::string source;
    std::string safeYield;     // as the scheme header writes it ("1.2 l/s")
    double safeYieldFlow = 0;  // l/s
    int censusYear = 0;
    double growthRate = 0;  // % a year
    double yearsToBase = 0;
    double yearsToDesign = 0;
    double peakFactor = 0;
    double perCapitaDemand = 0;      // l a head a day
    double perStudentDemand = 0;     // l a student a day
    double viscosity = 0;            // m2/s, kinematic, of water at 20 degrees C
    double gravity = 0;              // m/s2
    double minimumResidualHead = 0;  // m at a tap stand
    double minimumFlow = 0;          // l/s of a tap stand
    std::vector<DemandBlock> demand;
    std::vector<Branch> branches;  // in survey order: a branch starts on a branch before it
    // The section whose pipe class is left too low on purpose, so that the pipe design asks to
    // raise it: its branch and the label of its end point.
    std::string lowClassBranch;
    std::string lowClassEnd;
};

Scheme sampleScheme();

}  // namespace plovis::sample
