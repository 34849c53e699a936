#pragma once
// The sheets the engineer fills before PLOVIS computes anything: the scheme constants, the
// communities and their census figures, the two field books, the codes of the ground profile's
// control points, and the sheet that marks a scheme workbook.

#include <vector>

#include "hosts/memory_workbook.h"
#include "sample_scheme.h"
#include "survey_books.h"

namespace plovis::sample {

inline constexpr const char* kDataInput = "DATA INPUT";
inline constexpr const char* kWaterDemand = "Water Demand";
inline constexpr const char* kDesign = "PD-CW-Sample";
inline constexpr const char* kGroundProfile = "GroundProfile";
inline constexpr const char* kLevelBook = "Levelsurvey";
inline constexpr const char* kAbneyBook = "AbneySurvey";
inline constexpr const char* kMark = "KELDRAN";

void writeDataInput(MemoryWorksheet& sheet, const Scheme& scheme);

// The rows of "Water Demand" that hold the communities of each block, first to last.
struct DemandRows {
    int first = 0;
    int last = 0;
};

// The headings and the communities of every block; returns where each block lies.
std::vector<DemandRows> writeDemandInputs(MemoryWorksheet& sheet, const Scheme& scheme);
// The totals of every block and of the scheme, once the demands are computed.
void writeDemandTotals(MemoryWorksheet& sheet, const std::vector<DemandRows>& blocks);

void writeLevelBook(MemoryWorksheet& sheet, const std::vector<Route>& routes);
void writeAbneyBook(MemoryWorksheet& sheet, const std::vector<Route>& routes);
// The columns of "GroundProfile" beside what the transfer of the level book writes: the chainage
// of every branch's start (A), the control point codes (E) and their descriptions (F).
void writeGroundProfileFrame(MemoryWorksheet& sheet, const std::vector<Route>& routes);
void writeMark(MemoryWorksheet& sheet);

}  // namespace plovis::sample
