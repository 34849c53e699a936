#pragma once
// The level survey book ("Levelsurvey" sheet) and its reduction by rise and fall.
//
// Book layout, rows from 5 down: a header row has the branch name in C and D empty; each station
// row has its label (C), distance from the previous station (D), backsight (F), intermediate sight
// (G) and foresight (H); M of a branch's first station row may give its starting level. The
// reduction writes the chainage (E, stations 1 on), the rise (I) or the fall (J, as a positive
// number) and the reduced level (K).

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "survey/survey_context.h"

namespace plovis {

// Reads the book into the branch table (name, headRow, labels, distances) and the level readings
// table. Messages as the ground profile reader's; on failure both tables are left empty.
bool readLevelSurvey(SurveyContext& context, Workbook& workbook, UserInterface& ui, bool report);

// The rise-and-fall command: attaches, reads the book (reporting a missing sheet whatever `report`
// says) and writes the reduction of every branch of two or more stations, showing "Processing
// branch N.Please wait..." for each; "Processing is complete" at the end when report is true.
// True when it ran to its end.
bool reduceLevelSurvey(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui,
                       bool report);

}  // namespace plovis
