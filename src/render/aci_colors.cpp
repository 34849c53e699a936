#include "render/aci_colors.h"

#include <cmath>

namespace plovis {
namespace {

// The hue wheel at full value: red, yellow, green, cyan, blue, magenta and back.
Rgb hueColor(double hueDegrees, double value, double lowest) {
    const double h = std::fmod(hueDegrees, 360.0) / 60.0;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const double high = value, low = lowest;
    const double rising = low + (high - low) * f, falling = high - (high - low) * f;
    double r = 0, g = 0, b = 0;
    switch (sector) {
        case 0:
            r = high, g = rising, b = low;
            break;
        case 1:
            r = falling, g = high, b = low;
            break;
        case 2:
            r = low, g = high, b = rising;
            break;
        case 3:
            r = low, g = falling, b = high;
            break;
        case 4:
            r = rising, g = low, b = high;
            break;
        default:
            r = high, g = low, b = falling;
            break;
    }
    auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(v)); };
    return {byte(r), byte(g), byte(b)};
}

}  // namespace

Rgb paperColor(int index) {
    static constexpr Rgb kNamed[] = {{0, 0, 0},       {255, 0, 0},    {255, 255, 0}, {0, 255, 0},
                                     {0, 255, 255},   {0, 0, 255},    {255, 0, 255}, {0, 0, 0},
                                     {128, 128, 128}, {192, 192, 192}};
    static constexpr Rgb kGreys[] = {{51, 51, 51},    {80, 80, 80},    {105, 105, 105},
                                     {130, 130, 130}, {190, 190, 190}, {255, 255, 255}};
    if (index >= 1 && index <= 9) return kNamed[index];
    if (index >= 250 && index <= 255) return kGreys[index - 250];
    if (index < 10 || index > 255) return {0, 0, 0};
    static constexpr double kValues[] = {255, 204, 153, 127, 76};
    const int shade = index % 10;
    const double value = kValues[shade / 2];
    const double lowest = shade % 2 == 0 ? 0 : std::floor(value / 2);
    return hueColor((index / 10 - 1) * 15.0, value, lowest);
}

}  // namespace plovis
