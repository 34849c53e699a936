#include "design/pipe_class.h"

#include <cstdint>
#include <limits>
#include <string>

#include "common/number_format.h"
#include "common/rounding.h"
#include "design/pipe_design.h"

namespace plovis {
namespace {

constexpr int kStaticPressure = 14;  // N
constexpr int kClass = 16;           // P

// The bearing pressure of a class, in the unit of N, as the 32-bit whole number it is kept in.
std::int32_t bearingPressure(std::int32_t cls) {
    const std::int64_t bearing = std::int64_t{cls} * 10;
    if (bearing > std::numeric_limits<std::int32_t>::max() ||
        bearing < std::numeric_limits<std::int32_t>::min()) {
        throw ComputationError("the pipe class " + std::to_string(cls) + " is out of range");
    }
    return static_cast<std::int32_t>(bearing);
}

std::string raiseClassQuestion(int row, double pressure, std::int32_t cls) {
    return "At row number = " + std::to_string(row) +
           " ,the static pressure = " + generalForm(pressure) +
           "\r exceeds the bearing pressure of the provided pipe of class " + std::to_string(cls) +
           " Kg/cm2\r So you are requested to provide higher class pipe. Do you want to increase "
           "capacity?";
}

}  // namespace

void checkPipeClass(DesignContext& ctx, int row) {
    Worksheet& sheet = *ctx.sheet;
    const double pressure = readNumber(sheet, row, kStaticPressure);
    const std::int32_t cls = toInt32(readNumber(sheet, row, kClass));
    if (bearingPressure(cls) >= pressure) return;
    const Message question{raiseClassQuestion(row, pressure, cls), Buttons::YesNo, Icon::None,
                           std::nullopt};
    ClassAnswers& noted = ctx.classAnswers;
    if (ctx.ui.showMessage(question) != Answer::Yes) {
        noted.keptOnNo.push_back(row);
        return;
    }
    const auto raise = [&](std::int32_t to) {
        sheet.setCell(row, kClass, static_cast<double>(to));
        noted.raised.push_back("row " + std::to_string(row) + " " + std::to_string(cls) + " → " +
                               std::to_string(to));
        designPipeRow(ctx, row);
    };
    switch (cls) {
        case 4:
            raise(6);
            break;
        case 6:
            raise(10);
            break;
        case 10:
            ctx.ui.showMessage(
                okMessage("You are requested to provide higher diameter pipe at row "
                          "number = " +
                          std::to_string(row)));
            noted.largerDiameter.push_back(row);
            break;
        default:
            break;
    }
}

}  // namespace plovis
