#pragma once
// The checks of a drawing command's numbers and paper on the command line, so that a mistyped
// scale or paper is a usage error before anything is read, and the limits of a drawing's size
// (--max-sheets, --max-entities) that every drawing command and `render` take.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "hosts/drawing_sheets.h"

namespace CLI {
class App;
class Option;
class Validator;
}  // namespace CLI

namespace plovis {

// A number as the dialogs' boxes hold one (the whole text a number) from `least` to `most`;
// `least` itself is refused when leastAllowed is false ("more than 0").
CLI::Validator numberBetween(double least, double most, bool leastAllowed = true);

// A scale denominator N of 1:N: 1 to 1,000,000.
CLI::Validator scaleDenominator();

// One of the papers a dialog's list offers, spelled as the list spells it.
CLI::Validator paperNamed(const std::vector<std::string>& papers);

// Adds --max-sheets and --max-entities.
void addDrawingLimitOptions(CLI::App& sub, const std::shared_ptr<DrawingLimits>& limits);

// The message of a drawing refused for its size, with the option that raises the limit.
void reportTooLarge(const DrawingTooLarge& e, std::ostream& err);

}  // namespace plovis
