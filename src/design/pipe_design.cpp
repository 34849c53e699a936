#include "design/pipe_design.h"

#include <cstdint>
#include <string>

#include "common/listing.h"
#include "common/number_format.h"
#include "common/rounding.h"
#include "design/colebrook_white.h"
#include "design/pipe_class.h"

namespace plovis {
namespace {

constexpr const char* kSheet = "PD-CW-Sample";
constexpr int kFirstRow = 16;

// Columns of "PD-CW-Sample".
constexpr int kMarker = 2;      // B
constexpr int kClass = 16;      // P: pipe class
constexpr int kFactor = 33;     // AG: Darcy friction factor
constexpr int kDiameter = 35;   // AI: inner diameter (mm)
constexpr int kRoughness = 36;  // AJ: roughness height (m)
constexpr int kReynolds = 37;   // AK: Reynolds number
constexpr double kStartingFactor = 0.01;

// The friction factor of the row's diameter, roughness and Reynolds number; a row without one
// fails naming the three cells and what they hold.
FrictionFactor solveRow(const Worksheet& sheet, int row) {
    const double diameter = readNumber(sheet, row, kDiameter);
    const double roughness = readNumber(sheet, row, kRoughness);
    const double reynolds = readNumber(sheet, row, kReynolds);
    try {
        return colebrookWhite(diameter, roughness, reynolds);
    } catch (const ComputationError& e) {
        const std::string r = std::to_string(row);
        throw ComputationError(std::string(e.what()) + " (diameter AI" + r + " = " +
                               generalForm(diameter) + " mm, roughness AJ" + r + " = " +
                               generalForm(roughness) + " m, Reynolds number AK" + r + " = " +
                               generalForm(reynolds) + ")");
    }
}

std::string passSummary(const ClassAnswers& answers, const std::vector<int>& designed) {
    std::string text = "PD-CW-Sample: no friction factor written";
    if (!designed.empty()) {
        text = "PD-CW-Sample: friction factors of " +
               counted(designed.size(), "pipe row", "pipe rows") + " written into AG (" +
               rowRuns(designed) + ")";
    }
    if (!answers.raised.empty()) text += "; classes raised: " + listed(answers.raised);
    if (!answers.largerDiameter.empty())
        text += "; a larger diameter asked for at " + rowRuns(answers.largerDiameter);
    if (!answers.keptOnNo.empty())
        text += "; class kept on the answer No at " + rowRuns(answers.keptOnNo);
    if (!answers.checksFailed.empty())
        text += "; class not checked at " + listed(answers.checksFailed);
    return text;
}

}  // namespace

void designPipeRow(DesignContext& ctx, int row) {
    Worksheet& sheet = *ctx.sheet;
    // The factor in AG is this pass's output: what it held before is no input, error or not.
    if (cellNumber(sheet.cell(row, kFactor)) == 0) sheet.setCell(row, kFactor, kStartingFactor);
    const FrictionFactor f = solveRow(sheet, row);
    sheet.setCell(row, kFactor, roundOff(f.factor, 6));
    if (isFilled(sheet.cell(row, kClass))) {
        // A class check that fails leaves the row as it stands; the pass goes on.
        if (const auto failure = trapFailure([&] { checkPipeClass(ctx, row); })) {
            ctx.classAnswers.checksFailed.push_back("row " + std::to_string(row) + " (" + *failure +
                                                    ")");
        }
    }
}

bool designPipes(DesignContext& ctx) {
    if (!attachDesign(ctx)) return false;
    if (trapFailure([&] { useSheet(ctx, kSheet); })) {
        ctx.ui.showMessage(criticalMessage(
            "First open the correct data file that contains the sheet named PD-CW-Sample"));
        return false;
    }
    ManualCalculation calculation(*ctx.workbook);
    std::int16_t emptyRun = 0;
    std::int32_t row = kFirstRow;
    std::vector<int> designed;
    const auto failure = trapFailure([&] {
        while (emptyRun < 2) {
            ctx.ui.setStatus(StatusLabel::MainStatus, "Processing iteration for data at row " +
                                                          std::to_string(row) + ".Please wait...");
            if (isFilled(ctx.sheet->cell(row, kMarker))) {
                emptyRun = 0;
                designPipeRow(ctx, row);
                designed.push_back(row);
            } else {
                ++emptyRun;
            }
            ++row;
        }
    });
    ctx.summary.push_back(passSummary(ctx.classAnswers, designed));
    if (failure) {
        ctx.ui.showMessage(okMessage("Error occurred at the row number " + std::to_string(row) +
                                     "\rFirst you correct the error and redo again."));
        ctx.report.push_back("Why: row " + std::to_string(row) + ": " + *failure + ".");
        ctx.summary.back() += "; stopped at row " + std::to_string(row);
        calculation.restore();
        return false;
    }
    calculation.restore();
    return true;
}

}  // namespace plovis
