#pragma once
// The sheet "DATA INPUT": the scheme-wide constants in column E.

#include <string>

#include "design/design_context.h"

namespace plovis {

// The constants the water demand takes from "DATA INPUT", in the order they are read.
struct DemandInputs {
    double growthRate = 0;       // E22 ÷ 100: population growth, a fraction per year
    double yearsToBase = 0;      // E23: years from the census to the base horizon
    double yearsToDesign = 0;    // E24: years from the base horizon to the design horizon
    double peakFactor = 0;       // E25
    double perCapitaDemand = 0;  // E26: daily demand per head of population
    double perUnitDemand = 0;    // E27: daily demand per unit counted in column J of "Water Demand"
    double minimumFlow = 0;      // E31: minimum design flow
};

// Reads the seven constants by the leading-number rule into inputs, leaving the current worksheet
// at "DATA INPUT". The caller has attached. False after its message when the sheet is missing or
// a cell cannot be read; the constants read before the failure keep their values.
bool readDemandInputs(DesignContext& ctx, DemandInputs& inputs);

// The scheme title in E8 as text (a number as its text form); "" when there is no workbook or no
// such sheet. Attaches itself; shows nothing beyond the attach routine's own message.
std::string schemeTitle(DesignContext& ctx);

}  // namespace plovis
