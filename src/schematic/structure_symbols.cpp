#include "schematic/structure_symbols.h"

#include <array>
#include <span>

#include "common/number_format.h"
#include "common/text.h"
#include "schematic/single_form.h"

namespace plovis {
namespace {

// True when the name's first prefix.size() characters, in capitals, are the prefix.
bool hasPrefix(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && upperCase(name.substr(0, prefix.size())) == prefix;
}

bool hasAnyPrefix(std::string_view name, std::span<const std::string_view> prefixes) {
    for (std::string_view p : prefixes) {
        if (hasPrefix(name, p)) return true;
    }
    return false;
}

constexpr std::array<std::string_view, 13> kStructurePrefixes = {
    "IN", "IN+CC", "INTAKE+CC", "CC", "IC", "ST", "DT", "BP", "RVT", "J", "T", "SV", "AV"};

// A node symbol group: the names it takes, its block and where its label stands from the pen.
struct SymbolGroup {
    std::array<std::string_view, 7> prefixes;  // unused places are empty
    const char* block;
    double labelX;
    double labelY;
};

// Tested in this order; the first group whose prefixes match draws. Every label stands 5 above
// the node, clear of the labels of a level stroke leaving or reaching it (1.5 above the stroke).
constexpr std::array<SymbolGroup, 5> kSymbolGroups = {{
    {{"CC", "IC", "DT", "DC", "ST", "BP", "BPT"}, "CC1", 2.5, 5.0},
    {{"RVT", "RT"}, "RVT", 5.0, 5.0},
    {{"J"}, "JNO", 2.0, 5.0},
    {{"T"}, "TNO", 2.0, 5.0},
    {{"AV", "SV"}, "TNO", 2.0, 5.0},
}};

const SymbolGroup* symbolGroup(std::string_view name) {
    for (const SymbolGroup& g : kSymbolGroups) {
        for (std::string_view p : g.prefixes) {
            if (!p.empty() && hasPrefix(name, p)) return &g;
        }
    }
    return nullptr;
}

void setAttribute(CadAttribute& a, std::string text, int horizontal, const Point& at) {
    a.setTextString(std::move(text));
    a.setHorizontalAlignment(horizontal);
    a.setVerticalAlignment(2);
    a.setTextAlignmentPoint(at);
}

// The lowest free intake mark is taken; a further intake widens the marks.
void markIntake(std::vector<std::uint8_t>& flags) {
    for (std::uint8_t& f : flags) {
        if (f == 0) {
            f = 1;
            return;
        }
    }
    flags.push_back(1);
}

}  // namespace

bool Str_found(std::string_view name) {
    return hasAnyPrefix(name, kStructurePrefixes);
}

void drawStartStructure(SchematicState& state, CadBlock& space, const std::string& name,
                        float level) {
    if (!hasPrefix(name, "IN")) return;
    const double x = state.currentX;
    const double y = state.currentY;
    state.insertionPoint = {x, y, 0};
    const bool withCollection = hasPrefix(name, "IN+CC") || hasPrefix(name, "INTAKE+CC");
    CadBlockReference& ref = space.insertBlock(state.insertionPoint,
                                               withCollection ? "INTAKE_CC" : "INTAKE", 1, 1, 1, 0);
    setAttribute(ref.attribute(0), name, 1, {x, y + 8.5, 0});
    setAttribute(ref.attribute(1), "RL = " + formatPicture(level, "#0.00") + "m", 1,
                 {x, y + 4.5, 0});
    markIntake(state.intakeFlags);
}

void drawNodeSymbol(const SchematicState& state, CadBlock& space, const std::string& name,
                    float level, std::string& lastNode) {
    const SymbolGroup* g = symbolGroup(name);
    if (!g) return;
    const double x = state.currentX;
    const double y = state.currentY;
    CadBlockReference& ref = space.insertBlock({x, y, 0}, g->block, 1, 1, 1, 0);
    setAttribute(ref.attribute(0), name + "(RL=" + singleForm(level) + "m)", 0,
                 {x + g->labelX, y + g->labelY, 0});
    lastNode = name;
}

}  // namespace plovis
