#pragma once
// The Abney survey book ("AbneySurvey" sheet) and its reduction.
//
// Book layout, rows from 5 down: a header row has the branch name in C and D empty; each station
// row has its label (C), the distance along the ground from the previous station (D), the fore
// angle (F, G, H: degrees, minutes, seconds) and the back angle (I, J, K) of that leg; P of a
// branch's first station row may give its starting level. The reduction writes, rounded to 3
// decimals, the chainage (E), the mean slope angle (L), the height of the leg (M) and the reduced
// level (N) of every station.

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "survey/survey_context.h"

namespace plovis {

// Reads the book into the branch table (name, headRow, labels, distances) and the Abney readings
// table. Messages as the ground profile reader's; on failure both tables are left empty.
bool readAbneySurvey(SurveyContext& context, Workbook& workbook, UserInterface& ui, bool report);

// The Abney reduction command: attaches, reads the book and writes the reduction of every branch,
// showing "Processing branch N.Please wait..." for each; "Processing is complete" at the end when
// report is true. True when it ran to its end.
bool reduceAbneySurvey(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui,
                       bool report);

}  // namespace plovis
