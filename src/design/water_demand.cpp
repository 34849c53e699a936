#include "design/water_demand.h"

#include <cmath>
#include <string>

#include "common/leading_number.h"
#include "common/listing.h"
#include "common/number_format.h"
#include "common/rounding.h"

namespace plovis {
namespace {

constexpr const char* kSheet = "Water Demand";
constexpr int kFirstBlockRow = 20;
constexpr int kRowsBetweenBlocks = 4;  // the empty row ending a block and three more

// Columns of "Water Demand".
enum Column : int {
    kMarker = 2,         // B
    kPopulation = 6,     // F
    kBasePopulation,     // G
    kDesignPopulation,   // H
    kDomesticDemand,     // I
    kUnitCount,          // J
    kFixedDemand,        // K
    kUnitDemand,         // L
    kOtherDemand,        // M
    kTotalDemand,        // N
    kAverageFlow,        // O
    kPeakFactor,         // P
    kPeakFlow,           // Q
    kDesignFlow,         // R
    kDesignAverageRatio  // S
};

// A population projected to a horizon, counted up to the next whole head.
double projectedPopulation(std::int32_t pop, double growthRate, double years) {
    const double p = pop * std::pow(1 + growthRate, years);
    if (!std::isfinite(p)) {
        throw ComputationError("the population " + std::to_string(pop) +
                               " cannot be projected at a growth rate of " +
                               generalForm(growthRate) + " over " + generalForm(years) + " years");
    }
    // Judged on the value to 15 significant digits, as the sheet shows it: 100 heads growing by
    // 10 % for a year are 110, not the 110.00000000000001 of binary arithmetic counted up to 111.
    const double shown = leadingNumber(generalForm(p));
    return shown == std::floor(shown) ? shown : std::floor(p) + 1;
}

// The unit demand U × E27 + K as the whole number the scheme keeps it in.
std::int32_t unitDemand(const DemandInputs& in, std::int32_t units, double fixed) {
    const double exact = units * in.perUnitDemand + fixed;
    try {
        return toInt32(exact);
    } catch (const WholeNumberOverflow&) {
        throw ComputationError("the unit demand " + generalForm(exact) +
                               " (units in J times E27 of DATA INPUT, plus K) is beyond the range "
                               "of a 32-bit whole number");
    }
}

void addFlows(std::vector<CellWrite>& out, const DemandInputs& in, double total) {
    out.push_back({kTotalDemand, roundOff(total, 0)});
    const double average = roundOff(total / 86400, 3);
    out.push_back({kAverageFlow, roundOff(average, 3)});
    out.push_back({kPeakFactor, in.peakFactor});
    const double peak = in.peakFactor * average;
    out.push_back({kPeakFlow, roundOff(peak, 3)});
    // A tap with a demand gets at least the minimum design flow, also when its average flow
    // rounds to 0.000; only a row without demand gets none.
    const bool demand = total > 0;
    const double design =
        peak == 0 && !demand ? 0 : (peak < in.minimumFlow ? in.minimumFlow : peak);
    out.push_back({kDesignFlow, roundOff(design, 3)});
    // Against an average of 0.000 the ratio has no value: S is left empty.
    std::optional<double> ratio = 0.0;
    if (design != 0)
        ratio = average == 0 ? std::nullopt : std::optional(roundOff(design / average, 3));
    out.push_back({kDesignAverageRatio, ratio});
}

// The row's census population or unit count: a whole number, named by its cell when it is none.
std::int32_t wholeIn(const Worksheet& sheet, int row, int column) {
    const double x = readNumber(sheet, row, column);
    try {
        return toInt32(x);
    } catch (const WholeNumberOverflow&) {
        throw HostError(cellName(sheet, row, column) + " holds " + generalForm(x) +
                        ", beyond the range of a 32-bit whole number");
    }
}

// What the computation did, for the command's summary.
struct DemandTally {
    std::vector<int> computed;  // rows
    std::size_t blocks = 0;
    std::vector<int> noDemand;  // rows emptied, having no demand
    std::vector<int> minimum;   // rows given the minimum design flow E31
};

void tallyRow(DemandTally& tally, int row, const std::vector<CellWrite>& cells) {
    tally.computed.push_back(row);
    std::optional<double> peak, design;
    for (const CellWrite& c : cells) {
        if (c.column == kPeakFlow) peak = c.value;
        if (c.column == kDesignFlow) design = c.value;
    }
    if (!design) {
        tally.noDemand.push_back(row);
    } else if (peak && *design > *peak) {
        tally.minimum.push_back(row);
    }
}

std::string demandSummary(const DemandTally& tally) {
    if (tally.computed.empty()) return "Water Demand: no row computed";
    std::string text = "Water Demand: " + counted(tally.computed.size(), "row", "rows") + " of " +
                       counted(tally.blocks, "block", "blocks") + " computed (G to S, " +
                       rowRuns(tally.computed) + ")";
    if (!tally.noDemand.empty()) text += "; emptied, no demand: " + rowRuns(tally.noDemand);
    if (!tally.minimum.empty())
        text += "; given the minimum design flow of E31: " + rowRuns(tally.minimum);
    return text;
}

void writeRow(Worksheet& sheet, int row, const std::vector<CellWrite>& cells) {
    for (const CellWrite& c : cells) {
        sheet.setCell(row, c.column, c.value ? CellValue(*c.value) : CellValue(std::string()));
    }
}

// Computes and writes the rows of one block; the failing row and why, or nothing.
std::optional<std::string> computeBlock(DesignContext& ctx, const DemandInputs& in,
                                        const DemandBlock& block, int blockStart, int& failedRow,
                                        DemandTally& tally) {
    Worksheet& sheet = *ctx.sheet;  // readDemandBlock left it at "Water Demand"
    ++tally.blocks;
    for (std::size_t j = 0; j < block.populations.size(); ++j) {
        failedRow = blockStart + static_cast<int>(j);
        auto failure = trapFailure([&] {
            const auto cells = demandRowCells(in, block.populations[j], block.unitCounts[j],
                                              block.fixedDemands[j], block.otherDemands[j]);
            writeRow(sheet, failedRow, cells);
            tallyRow(tally, failedRow, cells);
        });
        if (failure) return failure;
    }
    return std::nullopt;
}

}  // namespace

bool readDemandBlock(DesignContext& ctx, DemandBlock& block, int& row) {
    block = DemandBlock{};
    int r = row;
    const auto failure = trapFailure([&] {
        const Worksheet& sheet = useSheet(ctx, kSheet);
        while (isFilled(sheet.cell(r, kMarker))) {
            block.populations.push_back(wholeIn(sheet, r, kPopulation));
            block.unitCounts.push_back(wholeIn(sheet, r, kUnitCount));
            block.fixedDemands.push_back(readNumber(sheet, r, kFixedDemand));
            block.otherDemands.push_back(readNumber(sheet, r, kOtherDemand));
            ++r;
        }
    });
    if (failure) {
        ctx.ui.showMessage(
            criticalMessage("Please open the correct data file that contains sheet named "
                            "PD-CW-Sample"));
        ctx.report.push_back("Why: " + *failure + ".");
        return false;
    }
    row = r;
    return true;
}

std::vector<CellWrite> demandRowCells(const DemandInputs& in, std::int32_t pop, std::int32_t units,
                                      double fixed, double other) {
    std::vector<CellWrite> out;
    double domestic = 0;
    if (pop > 0) {
        out.push_back({kBasePopulation, projectedPopulation(pop, in.growthRate, in.yearsToBase)});
        const double design =
            projectedPopulation(pop, in.growthRate, in.yearsToBase + in.yearsToDesign);
        out.push_back({kDesignPopulation, design});
        domestic = design * in.perCapitaDemand;
        out.push_back({kDomesticDemand, roundOff(domestic, 0)});
    } else {
        for (int column : {kBasePopulation, kDesignPopulation, kDomesticDemand})
            out.push_back({column, std::nullopt});
    }
    std::int32_t unit = 0;
    if (units <= 0 && fixed <= 0) {
        out.push_back({kUnitDemand, std::nullopt});
    } else {
        unit = unitDemand(in, units, fixed);
        if (unit > 0) out.push_back({kUnitDemand, roundOff(unit, 0)});
    }
    if (domestic > 0 || unit > 0 || other > 0) {
        addFlows(out, in, unit + domestic + other);
    } else {
        for (int column = kTotalDemand; column <= kDesignAverageRatio; ++column)
            out.push_back({column, std::nullopt});
    }
    for (const CellWrite& c : out) {
        if (c.value && !std::isfinite(*c.value)) {
            throw ComputationError("the demands of the row are beyond the range of numbers");
        }
    }
    return out;
}

bool waterDemand(DesignContext& ctx) {
    if (!attachDesign(ctx)) return false;
    DemandInputs inputs;
    if (!readDemandInputs(ctx, inputs)) return false;
    ManualCalculation calculation(*ctx.workbook);
    DemandBlock block;
    DemandTally tally;
    int row = kFirstBlockRow - kRowsBetweenBlocks;
    for (;;) {
        row += kRowsBetweenBlocks;
        const int blockStart = row;
        if (!readDemandBlock(ctx, block, row)) {
            calculation.restore();
            ctx.summary.push_back(demandSummary(tally) + "; stopped at the block of row " +
                                  std::to_string(blockStart));
            return false;
        }
        if (row - blockStart < 1) break;
        int failedRow = 0;
        if (auto failure = computeBlock(ctx, inputs, block, blockStart, failedRow, tally)) {
            calculation.restore();
            ctx.summary.push_back(demandSummary(tally) + "; stopped at row " +
                                  std::to_string(failedRow));
            ctx.ui.showMessage(criticalMessage("The water demand could not be computed at row " +
                                               std::to_string(failedRow) +
                                               " of the sheet Water Demand: " + *failure +
                                               ".\rThe rows above it keep their computed values."));
            return false;
        }
    }
    calculation.restore();
    ctx.ui.showMessage(okMessage("Congratulation computation is successful"));
    ctx.summary.push_back(demandSummary(tally));
    return true;
}

}  // namespace plovis
