#pragma once
// Abney-level reduction as numbers only: slope angles from degrees, minutes and seconds, the mean
// of the fore and back readings, and the height of each leg. No sheet is read or written here.

#include <cstdint>
#include <vector>

#include "survey/namesakes.h"
#include "survey/survey_context.h"

namespace plovis {

// +1 when none of the three parts is negative, otherwise -1: a minus sign on any part (the
// minutes alone, say) makes the whole angle negative. Minus zero is not negative.
std::int16_t angleSign(double degrees, double minutes, double seconds);

// The angle in decimal degrees: angleSign x (|d| + |m| / 60 + |s| / 3600).
double angleOf(double degrees, double minutes, double seconds);

// The slope of a leg from its two readings (0 = not taken): the one reading taken, the back
// reading with its sign turned; both taken, the mean of their sizes with the fore reading's sign.
double meanSlopeAngle(double foreAngle, double backAngle);

// The height difference over a leg measured along the ground, in metres.
double legHeight(double slopeDegrees, double distance);

// Rounds to 3 decimal places, a half going to the even digit, as the reduced Abney book is written.
double roundToThreeDecimals(double x);

// The level `branch` starts from: givenLevel when it is not 0, otherwise the reduced level
// of the namesake of its station 0 in a branch reduced before it (see namesakeStartLevel); none
// when neither gives one (the branch is then reduced from 0).
std::optional<double> abneyStartLevelOf(double givenLevel, std::int32_t branch,
                                        const std::vector<Namesake>& namesakes,
                                        const std::vector<AbneyReadings>& readings);

// One station of a reduced branch (station 0 included), unrounded.
struct AbneyStep {
    double chainage = 0;  // sum of the distances from station 0, its own included
    double slope = 0;     // mean slope angle, decimal degrees
    double height = 0;    // height difference of the leg
    double level = 0;     // reduced level
};

// Reduces a branch from startLevel: fills readings.reducedLevels and gives every station's step.
std::vector<AbneyStep> reduceAbneyBranch(const SurveyBranch& branch, AbneyReadings& readings,
                                         double startLevel);

}  // namespace plovis
