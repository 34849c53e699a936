#include "hosts/drawing_sheets.h"

#include <array>

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
