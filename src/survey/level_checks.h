#pragma once
// The checks a field engineer makes of a reduced level book: the arithmetic check of every branch
// (ΣBS − ΣFS = ΣRise − ΣFall = last RL − first RL) and the misclosure wherever a station's level
// is known twice, against the allowance for ordinary levelling. Numbers only, and the report
// lines they give; no sheet is read or written here.

#include <cstdint>
#include <string>
#include <vector>

#include "survey/survey_context.h"

namespace plovis {

// The three differences of a branch's arithmetic check, in metres.
struct ArithmeticCheck {
    double sights = 0;    // ΣBS − ΣFS over the branch's stations
    double steps = 0;     // ΣRise − ΣFall over the stations reduced
    double levels = 0;    // last reduced level − first
    bool agrees() const;  // all three within half a millimetre of each other
};

// The arithmetic check of a reduced branch (readings.reducedLevels filled).
ArithmeticCheck arithmeticCheck(const LevelReadings& readings);

// A station whose level the book gives twice: once in `branch`, once in an earlier branch.
struct Misclosure {
    std::int32_t branch = 0;
    std::int32_t station = 0;
    std::int32_t earlierBranch = 0;
    std::int32_t earlierStation = 0;
    double misclosure = 0;   // this branch's level − the earlier one, m
    double distanceKm = 0;   // K: the distance levelled in this branch up to the station
    double allowanceMm = 0;  // ± allowanceMm × √K
    bool beyond() const;
};

// Every station levelled a second time: a station after station 0 (or a station 0 whose level
// is given in the book) whose label, ignoring case, names a reduced station of an earlier branch,
// the nearest earlier branch first. Only reduced branches and stations count.
std::vector<Misclosure> misclosures(const std::vector<SurveyBranch>& branches,
                                    const std::vector<LevelReadings>& readings, double allowanceMm);

// The report lines of the checks of a reduced level book: each reduced branch's arithmetic check,
// each misclosure (a warning beyond the allowance), and whether the book closes.
std::vector<std::string> levelBookChecks(const std::vector<SurveyBranch>& branches,
                                         const std::vector<LevelReadings>& readings,
                                         double allowanceMm);

}  // namespace plovis
