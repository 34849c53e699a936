#include "check/design_limits.h"

#include "common/cell_address.h"
#include "common/text.h"
#include "network/pipe_table.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

constexpr int kLastLabelRow = 200;
constexpr int kLabelColumn = 2;  // B
constexpr int kValueColumn = 5;  // E

}  // namespace

const char* limitLabel(LimitKind kind) {
    switch (kind) {
        case LimitKind::MinVelocity:
            return "Least velocity in a pipe";
        case LimitKind::MaxVelocity:
            return "Greatest velocity in a pipe";
        case LimitKind::MinTapHead:
            return "Least residual head at a tap stand";
        case LimitKind::MinNodeHead:
            return "Least residual head at other nodes";
        case LimitKind::MinGroundCover:
            return "Least head above the ground between nodes";
    }
    return "";
}

const char* limitUnit(LimitKind kind) {
    return kind == LimitKind::MinVelocity || kind == LimitKind::MaxVelocity ? "m/s" : "m";
}

DesignLimits defaultLimits() {
    DesignLimits d;
    const double values[kLimitCount] = {0.3, 3.0, 10.0, 5.0, 0.0};
    for (int k = 0; k < kLimitCount; ++k)
        d.limits[k] = {values[k], "default"};
    return d;
}

void applyDataInputLimits(Workbook& workbook, DesignLimits& limits) {
    Worksheet* sheet = nullptr;
    try {
        sheet = &workbook.sheet("DATA INPUT");
    } catch (const HostError&) {
        return;
    }
    for (int row = 1; row <= kLastLabelRow; ++row) {
        const std::string label(trimBlanks(cellText(sheet->cell(row, kLabelColumn))));
        if (label.empty()) continue;
        for (int k = 0; k < kLimitCount; ++k) {
            if (!equalsIgnoringCase(label, limitLabel(static_cast<LimitKind>(k)))) continue;
            const std::string cell = formatA1({row, kValueColumn, row, kValueColumn});
            try {
                const CellValue value = sheet->cell(row, kValueColumn);
                if (isEmpty(value)) break;  // labelled but left empty: the limit stays
                limits.limits[k] = {designNumber(value, label.c_str()), "DATA INPUT " + cell};
            } catch (const ProfileDataError& e) {
                throw PipeTableError("Sheet 'DATA INPUT', cell " + cell + ": " + e.what());
            }
        }
    }
}

void applyOptionLimits(const std::array<std::optional<double>, kLimitCount>& options,
                       DesignLimits& limits) {
    for (int k = 0; k < kLimitCount; ++k) {
        if (options[k]) limits.limits[k] = {*options[k], "option"};
    }
}

}  // namespace plovis
