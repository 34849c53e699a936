#pragma once
// Transfer of a reduced survey book to the "GroundProfile" sheet, in the layout the ground profile
// reader reads: per branch a header row (name in B, C and D empty), then a row per station with
// its label (B), distance from the previous station (C) and reduced level (D), from row 4 down
// with no blank row between branches. Column E (the control-point codes) and the columns after it
// are left as they are.

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "survey/survey_context.h"

namespace plovis {

// Read the reduced "Levelsurvey" book (label C, distance D, level K) or the reduced "AbneySurvey"
// book (label C, distance D, level N) into the branch table. Messages as the ground profile
// reader's; on failure the table is left empty.
bool readReducedLevelBook(SurveyContext& context, Workbook& workbook, UserInterface& ui,
                          bool report);
bool readReducedAbneyBook(SurveyContext& context, Workbook& workbook, UserInterface& ui,
                          bool report);

// The transfer command: attaches, reads the Abney book when fromAbney is true (else the level
// book), clears B4:D65000 of "GroundProfile" and writes every branch, showing "Processing branch
// N.Please wait..." for each; "Processing is complete" at the end when report is true. A book
// that does not fit above row 65000 is reported and nothing is written. True when it ran to its
// end.
bool transferToGroundProfile(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui,
                             bool fromAbney, bool report);

}  // namespace plovis
