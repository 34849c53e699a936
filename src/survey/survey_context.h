#pragma once
// The working data of the survey commands: the branch table every sheet reader rebuilds, the
// readings of the level and Abney survey books, and the section list of the pipe design table.
// The command that runs a survey routine owns one SurveyContext and passes it by reference; the
// reader that ran last owns the branch table's contents.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plovis {

// One branch of a survey book or of the ground profile, its points in sheet order.
struct SurveyBranch {
    std::int32_t headRow = 0;  // sheet row of the branch's header row (0 for the ground profile)
    std::string name;
    std::vector<std::string> labels;
    std::vector<double> distances;    // from the point before, in metres along the ground
    std::vector<double> levels;       // reduced levels, metres
    std::vector<std::int16_t> codes;  // 1 marks a control point of the ground profile
    std::int32_t lastPoint = -1;      // index of the last point read
};

// Staff readings of one branch of the level book, in metres; 0 means no reading.
struct LevelReadings {
    double startLevel = 0;  // starting reduced level given for the branch, 0 when not given
    std::vector<double> backsights;
    std::vector<double> intermediateSights;
    std::vector<double> foresights;
    std::vector<double> reducedLevels;  // filled by the reduction
};

// Slope readings of one branch of the Abney book, in decimal degrees; 0 means not taken.
struct AbneyReadings {
    double startLevel = 0;
    std::vector<double> foreAngles;
    std::vector<double> backAngles;
    std::vector<double> reducedLevels;  // filled by the reduction
};

// One branch of the pipe design table's section list.
struct PipeBranch {
    std::int32_t headRow = 0;  // sheet row of the branch's header row in "PD-CW-Sample"
    std::string name;
    std::vector<std::string> fromLabels;
    std::vector<std::string> toLabels;
    std::int32_t lastSection = -1;
};

// The limits of the checks made of a reduced book.
struct SurveyTolerances {
    // Ordinary levelling: a station levelled twice may differ by ±allowanceMm × √K mm, K the
    // distance levelled in km.
    double allowanceMm = 12;
    // Abney level: the fore and back angles of a leg may differ by this many minutes of arc.
    double angleToleranceMinutes = 30;
};

struct SurveyContext {
    std::vector<SurveyBranch> branches;        // the branch table; empty after a failed read
    std::vector<LevelReadings> levelReadings;  // at the same index as the branch
    std::vector<AbneyReadings> abneyReadings;  // at the same index as the branch
    std::vector<PipeBranch> sections;
    SurveyTolerances tolerances;
    // The command's report: checks and reasons, one line each, in the order found; and the parts
    // of its summary line, one per routine that ran.
    std::vector<std::string> report;
    std::vector<std::string> summary;
};

// Appends a point to a branch and makes it the last one.
void addPoint(SurveyBranch& branch, std::string label, double distance);

}  // namespace plovis
