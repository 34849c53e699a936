#include "design/pipe_design.h"

#include <cstdint>
#include <string>

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

}  // namespace

void designPipeRow(DesignContext& ctx, int row) {
    Worksheet& sheet = *ctx.sheet;
    if (cellNumber(sheet.cell(row, kFactor)) == 0) sheet.setCell(row, kFactor, kStartingFactor);
    const double diameter = cellNumber(sheet.cell(row, kDiameter));
    const double roughness = cellNumber(sheet.cell(row, kRoughness));
    const double reynolds = cellNumber(sheet.cell(row, kReynolds));
    const FrictionFactor f = colebrookWhite(diameter, roughness, reynolds);
    sheet.setCell(row, kFactor, roundOff(f.factor, 6));
    if (isFilled(sheet.cell(row, kClass))) {
        // A class check that fails leaves the row as it stands; the pass goes on.
        trapFailure([&] { checkPipeClass(ctx, row); });
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
    const auto failure = trapFailure([&] {
        while (emptyRun < 2) {
            ctx.ui.setStatus(StatusLabel::MainStatus, "Processing iteration for data at row " +
                                                          std::to_string(row) + ".Please wait...");
            if (isFilled(ctx.sheet->cell(row, kMarker))) {
                emptyRun = 0;
                designPipeRow(ctx, row);
            } else {
                ++emptyRun;
            }
            ++row;
        }
    });
    if (failure) {
        ctx.ui.showMessage(okMessage("Error occurred at the row number " + std::to_string(row) +
                                     "\rFirst you correct the error and redo again."));
        calculation.restore();
        return false;
    }
    calculation.restore();
    return true;
}

}  // namespace plovis
