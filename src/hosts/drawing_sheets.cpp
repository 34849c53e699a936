#include "hosts/drawing_sheets.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/text.h"

namespace plovis {
namespace {

struct IsoPaper {
    const char* name;
    double width, height;
};
constexpr std::array<IsoPaper, 5> kIsoPapers{
    {{"A4", 297, 210}, {"A3", 420, 297}, {"A2", 594, 420}, {"A1", 841, 594}, {"A0", 1189, 841}}};

}  // namespace

std::optional<PaperSize> isoPaper(std::string_view name) {
    for (const IsoPaper& p : kIsoPapers) {
        if (name == p.name) return PaperSize{p.name, p.width, p.height};
    }
    return std::nullopt;
}

PaperSize paperFitting(double widthMm, double heightMm, std::string_view least) {
    bool reached = false;
    for (const IsoPaper& p : kIsoPapers) {
        reached = reached || least == p.name;
        if (reached && widthMm <= p.width && heightMm <= p.height) {
            return {p.name, p.width, p.height};
        }
    }
    return {"Custom", widthMm, heightMm};
}

std::string layoutName(std::string_view text) {
    std::string name(trimBlanks(text));
    for (char& c : name) {
        const bool control = static_cast<unsigned char>(c) < 32;
        if (control || std::string_view("<>/\\\":;?*|,=`").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    if (name.size() > 200) name.resize(200);
    return name.empty() ? "Sheet" : name;
}

bool DrawingSheets::taken(std::string_view name) const {
    for (const DrawingSheet& s : sheets_) {
        if (equalsIgnoringCase(s.name, name)) return true;
    }
    return false;
}

DrawingSheet& DrawingSheets::add(std::string_view name, const PaperSize& paper, double minX,
                                 double minY) {
    const std::string base = layoutName(name);
    std::string unique = base;
    for (int n = 2; taken(unique); ++n)
        unique = base + " (" + std::to_string(n) + ")";
    sheets_.push_back({unique, paper, minX, minY});
    return sheets_.back();
}

}  // namespace plovis

namespace plovis {

// Whole numbers with thousands separated by commas, as limits are written in messages.
static std::string withCommas(double value) {
    std::string digits = std::to_string(static_cast<long long>(std::floor(std::min(value, 9e18))));
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string moreThan(DrawingTooLarge::Limit which, const DrawingLimits& limits) {
    const bool sheets = which == DrawingTooLarge::Limit::Sheets;
    const double limit = sheets ? limits.maxSheets : limits.maxEntities;
    const bool one = limit < 2;
    return "more than " + withCommas(limit) +
           (sheets ? (one ? " sheet" : " sheets") : (one ? " entity" : " entities"));
}

void checkDrawingSize(DrawingTooLarge::Limit which, double count, const DrawingLimits& limits,
                      const std::string& cause) {
    const double limit =
        which == DrawingTooLarge::Limit::Sheets ? limits.maxSheets : limits.maxEntities;
    if (count <= limit) return;
    throw DrawingTooLarge(which, cause + " gives " + moreThan(which, limits));
}

}  // namespace plovis
