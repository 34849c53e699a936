#include "design/scheme_input.h"

namespace plovis {
namespace {

constexpr const char* kSheet = "DATA INPUT";
constexpr int kColumnE = 5;
constexpr int kTitleRow = 8;

}  // namespace

bool readDemandInputs(DesignContext& ctx, DemandInputs& inputs) {
    if (trapFailure([&] { useSheet(ctx, kSheet); })) {
        ctx.ui.showMessage(
            criticalMessage("First open the correct data file with the sheet named DATA INPUT."));
        return false;
    }
    const auto read = [&](int row) { return readNumber(*ctx.sheet, row, kColumnE); };
    if (const auto failure = trapFailure([&] {
            inputs.growthRate = read(22) / 100;
            inputs.yearsToBase = read(23);
            inputs.yearsToDesign = read(24);
            inputs.peakFactor = read(25);
            inputs.perCapitaDemand = read(26);
            inputs.perUnitDemand = read(27);
            inputs.minimumFlow = read(31);
        })) {
        ctx.ui.showMessage(
            criticalMessage("Open correct excel file that contains the sheet named DATA INPUT."));
        ctx.report.push_back("Why: " + *failure + ".");
        return false;
    }
    return true;
}

std::string schemeTitle(DesignContext& ctx) {
    std::string title;
    trapFailure([&] {
        if (!attachDesign(ctx)) return;
        title = cellText(useSheet(ctx, kSheet).cell(kTitleRow, kColumnE));
    });
    return title;
}

}  // namespace plovis
