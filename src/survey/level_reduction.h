#pragma once
// Rise-and-fall reduction of a levelling book, as numbers only: no sheet is read or written here.
// Readings are staff readings in metres; a reading of 0 means none was taken.

#include <cstdint>
#include <optional>
#include <vector>

#include "survey/namesakes.h"
#include "survey/survey_context.h"

namespace plovis {

// The reading the staff gave at the instrument's last set-up before station `station`, looking
// back from that station to station 0: the first intermediate sight found, or at the same station
// its backsight; 0 when no station has either. At one station the intermediate sight counts first.
double previousSight(const LevelReadings& readings, std::int32_t station);

// The rise (positive) or fall (negative) from station - 1 to `station` (>= 1):
// previous sight - intermediate sight - foresight. None when the station is not reduced: its
// intermediate sight and foresight are both negative, or the previous sight is.
std::optional<double> riseOrFall(const LevelReadings& readings, std::int32_t station);

// The level `branch` starts from: givenLevel when it is not 0, otherwise the reduced level
// of the namesake of its station 0 in a branch reduced before it (see namesakeStartLevel); none
// when neither gives one (the branch is then reduced from 0).
std::optional<double> startLevelOf(double givenLevel, std::int32_t branch,
                                   const std::vector<Namesake>& namesakes,
                                   const std::vector<LevelReadings>& readings);

// One station of a reduced branch (stations 1 on).
struct LevelStep {
    double chainage = 0;               // sum of the distances from station 0
    std::optional<double> riseOrFall;  // none: the station is not reduced
    double level = 0;                  // reduced level after this station
};

// Reduces a branch of two or more stations from startLevel: fills readings.reducedLevels (0 for
// a station that is not reduced) and gives the steps of stations 1 on.
std::vector<LevelStep> reduceLevelBranch(const SurveyBranch& branch, LevelReadings& readings,
                                         double startLevel);

}  // namespace plovis
