#include "schematic/branch_layout.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "common/letter_case.h"
#include "common/number_format.h"
#include "common/text.h"
#include "hosts/place_text.h"
#include "schematic/single_form.h"
#include "schematic/structure_symbols.h"

namespace plovis {
namespace {

constexpr double kStroke = 30;  // drawing units of every stroke

// 30/sqrt(2), as a single-precision division by a single-precision sqrt(2).
double diagonal() {
    const float root2 = static_cast<float>(std::sqrt(2.0));
    return static_cast<double>(30.0f / root2);
}

struct Heading {
    std::string_view code;
    StrokeVector vector;
};

// v becomes the vector of the code's heading (compared in capitals); an unknown code leaves it
// and answers false.
bool applyHeading(std::span<const Heading> headings, std::string_view code, StrokeVector& v) {
    const std::string c = upperCase(code);
    for (const Heading& h : headings) {
        if (c == h.code) {
            v = h.vector;
            return true;
        }
    }
    return false;
}

bool forwardHeading(std::string_view code, double h, StrokeVector& v) {
    const double d = diagonal();
    const float side = static_cast<float>(-h);  // labels beside an upright or slanted stroke
    const float above = static_cast<float>(h);  // labels above and below a level stroke
    const Heading headings[] = {
        {"D", {0, -kStroke, side, 0}}, {"U", {0, kStroke, side, 0}}, {"L", {-kStroke, 0, 0, above}},
        {"R", {kStroke, 0, 0, above}}, {"DL", {-d, -d, side, 0}},    {"UL", {-d, d, side, 0}},
        {"DR", {d, -d, side, 0}},      {"UR", {d, d, side, 0}},
    };
    return applyHeading(headings, code, v);
}

// The index of the first item naming each node, over the whole branch table.
void indexNodes(SchematicState& state) {
    if (state.indexedBranches == state.schematicBranches.size()) return;
    state.nodeIndex.clear();
    for (int b = 0; b <= state.lastBranch(); ++b) {
        const SchematicBranch& branch = state.schematicBranches[b];
        for (int k = 0; k <= branch.lastItem; ++k) {
            const SchematicItem& item = branch.items[k];
            state.nodeIndex.try_emplace(upperLetters(item.fromNode), NodeRef{b, k, true});
            state.nodeIndex.try_emplace(upperLetters(item.toNode), NodeRef{b, k, false});
        }
    }
    state.indexedBranches = state.schematicBranches.size();
}

// The first item of branches 0..lastBranch naming the node, or nullptr.
const NodeRef* firstNaming(SchematicState& state, std::string_view name, int lastBranch) {
    indexNodes(state);
    const auto it = state.nodeIndex.find(upperLetters(name));
    if (it == state.nodeIndex.end() || it->second.branch > lastBranch) return nullptr;
    return &it->second;
}

}  // namespace

void directionVector(std::string_view code, double h, StrokeVector& v) {
    forwardHeading(code, h, v);
}

void reversedDirectionVector(std::string_view code, double h, StrokeVector& v) {
    const double d = diagonal();
    const float side = static_cast<float>(-h);
    // A level stretch walked back turns upwards, clear of the level stroke it joins; every other
    // stretch is walked back the way it came.
    const Heading headings[] = {{"R", {-d, d, side, 0}}, {"L", {d, d, side, 0}}};
    if (applyHeading(headings, code, v)) return;
    StrokeVector forward;
    if (!forwardHeading(code, h, forward)) return;  // an unknown code leaves v as it was
    v = {-forward.dx, -forward.dy, forward.offX, forward.offY};
}

bool isLaterIntake(const SchematicState& state, const SchematicItem& first) {
    if (upperCase(std::string_view(first.fromNode).substr(0, 2)) != "IN") return false;
    for (std::uint8_t f : state.intakeFlags) {
        if (f != 0) return true;
    }
    return false;
}

bool endsOnNetwork(SchematicState& state, int b) {
    const SchematicBranch& branch = state.schematicBranches[b];
    return drawnBefore(state, b, branch.items[branch.lastItem].toNode);
}

bool drawnBefore(SchematicState& state, int b, std::string_view name) {
    return firstNaming(state, name, b - 1) != nullptr;
}

Point nodePosition(SchematicState& state, int b, std::string_view name) {
    if (const NodeRef* ref = firstNaming(state, name, b)) {
        const SchematicItem& item = state.schematicBranches[ref->branch].items[ref->item];
        return ref->isFrom ? Point{item.startX, item.startY, 0} : Point{item.endX, item.endY, 0};
    }
    const Point placed{0, state.networkSpacing * static_cast<float>(state.unplacedCount), 0};
    ++state.unplacedCount;
    return placed;
}

Point branchStart(SchematicState& state, int b, std::string_view name) {
    if (b == 0 || drawnBefore(state, b, name)) return nodePosition(state, b, name);
    double top = 0;
    for (int e = 0; e < b; ++e) {
        for (const SchematicItem& item : state.schematicBranches[e].items)
            top = std::max({top, item.startY, item.endY});
    }
    const Point placed{0, top + state.networkSpacing, 0};
    ++state.unplacedCount;
    state.detachedBranches.push_back(
        "Branch " + std::to_string(b + 1) + " \"" + state.schematicBranches[b].title + "\" from " +
        std::string(name) + " at (0, " + formatPicture(placed.y, "#0.0") + ")");
    return placed;
}

void drawPipeSegment(SchematicState& state, SchematicCanvas& canvas, const StrokeVector& v, int b,
                     float length, int k) {
    state.segmentEnd = {state.currentX + v.dx, state.currentY + v.dy, 0};
    state.insertionPoint = {state.currentX, state.currentY, 0};
    canvas.space.addCircle(state.segmentEnd, 1);
    const CadLine& line = canvas.space.addLine(state.insertionPoint, state.segmentEnd);

    // Labels of a stroke running towards negative x, or straight down, are turned half a turn to
    // read upright; one running down to the right reads upright as it stands.
    double angle = line.angle();
    if (v.dx < 0 || (v.dx == 0 && v.dy < 0)) {
        angle += state.halfTurn;
        if (angle > 2 * state.halfTurn) angle -= 2 * state.halfTurn;
    }
    const SchematicItem& item = state.schematicBranches[b].items[k];
    const double midX = (state.insertionPoint.x + state.segmentEnd.x) / 2;
    const double midY = (state.insertionPoint.y + state.segmentEnd.y) / 2;
    const double height = 0.75 * state.textHeight;
    placeText(canvas.space, {midX + v.offX, midY + v.offY, 0}, 2, 1,
              item.pipeLabel + "/" + singleForm(length) + " m", angle, height);
    placeText(canvas.space, {midX - v.offX, midY - v.offY, 0}, 2, 1,
              singleForm(item.flow) + " lps ", angle, height);
    state.currentX = state.segmentEnd.x;
    state.currentY = state.segmentEnd.y;
}

}  // namespace plovis
