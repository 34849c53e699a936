#pragma once
// The section list of the pipe design table ("PD-CW-Sample" sheet, rows from 15 down) built from
// the ground profile, and the lengths and levels of its sections.
//
// Per branch a header row (B the empty text, C the branch name), then a row per section: its
// number within the branch (B), start label (C), end label (D); the lengths go to E (ground
// length) and F (ground length x 1.1), the levels of its ends to I and J.

#include <string>
#include <utility>
#include <vector>

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "survey/ground_profile.h"
#include "survey/survey_context.h"

namespace plovis {

// The labels of a section's start and end points.
using SectionLabels = std::pair<std::string, std::string>;

// The sections of a ground branch: cut at every control point (code
// 1) between its first and last point, which always bound a section. A single point gives one
// section from that point to itself.
std::vector<SectionLabels> sectionsOf(const SurveyBranch& branch);

// The ground length from point `first` to point `last` of a branch: the distances of the points
// after `first` up to and including `last`.
double sectionLength(const SurveyBranch& branch, std::int32_t first, std::int32_t last);

// The branch points command: attaches, reads the ground profile, clears the list area
// (B15:D65000) and writes the section list of every branch, showing "Processing branch
// N.Please wait..." for each; "Processing is complete" at the end when report is true. A list
// that does not fit above row 65000 is reported and nothing is written. True when it ran to its
// end.
bool listBranchSections(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui,
                        bool report);

// Reads the section list into the context's section table. A missing sheet is reported
// (critical icon), a row that fails with "Please check for possible error in the row number "
// and the row; on failure the table is left empty.
bool readSectionTable(SurveyContext& context, Workbook& workbook, UserInterface& ui);

// The pipe length command: attaches, reads the ground profile and the section list, clears the
// result columns (E, F, I, J from row 15 down) and writes every section's length and levels,
// clearing E:AS of each branch's header row; "Processing is complete" at the end. A branch or
// section not found in the ground profile is asked about (askExit): Yes ends the command there,
// No skips it. True when it ran to its end.
bool computeSectionLengths(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui);

// "It could not find data for branch <text>. Do you want to exit and correct it first." in a
// Yes/No box titled "Assure it"; true for Yes.
bool askExit(UserInterface& ui, const std::string& text);

}  // namespace plovis
