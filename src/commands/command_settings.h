#pragma once
// What the command line may set for a computing command beyond its workbook: the limits of the
// checks it reports. The desktop runs every command with the defaults.

#include "survey/survey_context.h"

namespace plovis {

struct CommandSettings {
    SurveyTolerances survey{};  // --allowance (level book), --angle-tolerance (Abney book)
};

}  // namespace plovis
