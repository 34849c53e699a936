#include "hosts/cad_types.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "common/leading_number.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

int checkedCode(int code, int last, std::string_view what) {
    if (code < 0 || code > last) {
        throw HostError("Invalid " + std::string(what) + " " + std::to_string(code) +
                        " (the host knows 0 to " + std::to_string(last) + ")");
    }
    return code;
}

std::string numberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

HorizontalAlignment horizontalAlignmentFromCode(int code) {
    return static_cast<HorizontalAlignment>(checkedCode(code, 5, "horizontal alignment"));
}

VerticalAlignment verticalAlignmentFromCode(int code) {
    return static_cast<VerticalAlignment>(checkedCode(code, 3, "vertical alignment"));
}

TextAlignment textAlignmentFromCode(int code) {
    return static_cast<TextAlignment>(checkedCode(code, 14, "text alignment"));
}

TextAlignment combineAlignment(HorizontalAlignment h, VerticalAlignment v) {
    const int hc = static_cast<int>(h);
    if (v == VerticalAlignment::Baseline) return static_cast<TextAlignment>(hc);
    const int column = hc <= 2 ? hc : 0;
    // Top row starts at 6, middle at 9, bottom at 12.
    const int row = v == VerticalAlignment::Top ? 6 : v == VerticalAlignment::Middle ? 9 : 12;
    return static_cast<TextAlignment>(row + column);
}

std::pair<HorizontalAlignment, VerticalAlignment> splitAlignment(TextAlignment a) {
    const int code = static_cast<int>(a);
    if (code <= 5) return {static_cast<HorizontalAlignment>(code), VerticalAlignment::Baseline};
    const auto h = static_cast<HorizontalAlignment>((code - 6) % 3);
    const int row = (code - 6) / 3;
    const auto v = row == 0   ? VerticalAlignment::Top
                   : row == 1 ? VerticalAlignment::Middle
                              : VerticalAlignment::Bottom;
    return {h, v};
}

double checkedNumber(double value, std::string_view what) {
    if (!std::isfinite(value) || std::fabs(value) > kLargestCoordinate) {
        throw HostError("Invalid " + std::string(what) + ": " + numberText(value));
    }
    return value;
}

double checkedPositive(double value, std::string_view what) {
    if (checkedNumber(value, what) <= 0) {
        throw HostError("Invalid " + std::string(what) + ": " + numberText(value) +
                        " (it must be greater than 0)");
    }
    return value;
}

Point checkedPoint(const Point& p, std::string_view what) {
    checkedNumber(p.x, what);
    checkedNumber(p.y, what);
    checkedNumber(p.z, what);
    return p;
}

int checkedColor(int color, std::string_view what) {
    return checkedCode(color, kColorByLayer, what);
}

std::optional<Point> parsePoint(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::string_view x = text.substr(0, comma);
    const std::string_view y = text.substr(comma + 1);
    if (!isNumberText(x) || !isNumberText(y)) return std::nullopt;
    try {
        return Point{leadingNumber(x), leadingNumber(y), 0};
    } catch (const NumberOverflow&) {
        return std::nullopt;
    }
}

}  // namespace plovis
