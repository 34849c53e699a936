#pragma once
// The check of an Abney book: the fore and back readings of a leg measure the same slope, so
// their sizes should agree within the reading accuracy of the instrument. Numbers and the report
// lines they give; no sheet is read or written here.

#include <cstdint>
#include <string>
#include <vector>

#include "survey/survey_context.h"

namespace plovis {

// A leg whose fore and back angles differ by more than the tolerance.
struct AngleDisagreement {
    std::int32_t branch = 0;
    std::int32_t station = 0;  // the station the leg ends on
    double foreAngle = 0;      // decimal degrees, as read
    double backAngle = 0;
    double difference = 0;  // | |fore| − |back| |, decimal degrees
};

// The legs read both ways (neither angle 0) whose angle sizes differ by more than
// toleranceMinutes.
std::vector<AngleDisagreement> angleDisagreements(const std::vector<AbneyReadings>& readings,
                                                  double toleranceMinutes);

// An angle in degrees, minutes and seconds as the book writes it: -2°30'00".
std::string degreesMinutesSeconds(double degrees);

// The report lines of the check: a warning per leg beyond the tolerance naming its station, or
// one line saying every leg read both ways agrees.
std::vector<std::string> abneyBookChecks(const std::vector<SurveyBranch>& branches,
                                         const std::vector<AbneyReadings>& readings,
                                         double toleranceMinutes);

}  // namespace plovis
