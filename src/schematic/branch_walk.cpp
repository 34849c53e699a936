// drawSchematicBranch: the walk along one branch, stroke by stroke.

#include "common/text.h"
#include "hosts/host_error.h"
#include "schematic/branch_layout.h"
#include "schematic/structure_symbols.h"

namespace plovis {
namespace {

// One walk along branch b: forward from its first node, or from its end when the end is the one
// that joins the network. Walking from the end mirrors the forward walk stretch for stretch, from
// the last stretch back to the first, so that every stretch is drawn. segLen sums the lengths of
// the stroke being built; segStart is the stretch where it started.
class BranchWalk {
  public:
    BranchWalk(SchematicState& state, int b, SchematicCanvas& canvas)
        : s_(state), c_(canvas), b_(b), branch_(state.schematicBranches[b]) {}

    void run() {
        const int n = branch_.lastItem;
        start(n);
        if (n == 0) {
            enter(0);
            vectorOf(0);
            drawPipeSegment(s_, c_, v_, b_, segLen_, 0);
        } else {
            if (forward_) {
                for (int k = 0; k <= n - 1; ++k)
                    step(k, k == n - 1);
            } else {
                for (int k = n; k >= 1; --k)
                    step(k, k == 1);
            }
            try {
                closingStroke();
            } catch (const HostError&) {
                // A stroke the host refused here does not keep the final node from its symbol.
            }
        }
        nodeReached(segStart_, /*walkEnd=*/true);
        c_.host.update();
        c_.ui.setStatus(StatusLabel::DrawingStatus, "Drawing in AutoCAD is completed.");
    }

  private:
    SchematicItem& item(int k) { return branch_.items[k]; }
    // The stretch walked after k, and the one walked before it.
    int next(int k) const { return forward_ ? k + 1 : k - 1; }
    int previous(int k) const { return forward_ ? k - 1 : k + 1; }
    // The node the walk reaches at the end of stretch k, shared with stretch next(k).
    const std::string& joint(int k) { return forward_ ? item(k).toNode : item(k).fromNode; }

    void start(int n) {
        s_.drawFromEnd = isLaterIntake(s_, item(0)) || endsOnNetwork(s_, b_);
        // A branch leaving an intake drawn already, whose end joins nothing, leaves from it.
        if (s_.drawFromEnd && !endsOnNetwork(s_, b_) && drawnBefore(s_, b_, item(0).fromNode)) {
            s_.drawFromEnd = false;
        }
        forward_ = !s_.drawFromEnd;
        const Point pen = branchStart(s_, b_, forward_ ? item(0).fromNode : item(n).toNode);
        s_.currentX = pen.x;
        s_.currentY = pen.y;
        segLen_ = forward_ ? item(0).length : item(n).length;
        if (forward_) drawStartStructure(s_, c_.space, item(0).fromNode, item(0).fromLevel);
        s_.insertionPoint = s_.segmentEnd = {s_.currentX, s_.currentY, 0};
        segStart_ = forward_ ? 0 : n;
        s_.textHeight = 1.5;
    }

    void vectorOf(int k) {
        if (forward_) {
            directionVector(item(k).direction, s_.textHeight, v_);
        } else {
            reversedDirectionVector(item(k).direction, s_.textHeight, v_);
        }
    }

    // The walk enters stretch k at the pen: at its start walking forward, at its end walking back.
    void enter(int k) {
        SchematicItem& it = item(k);
        (forward_ ? it.startX : it.endX) = s_.currentX;
        (forward_ ? it.startY : it.endY) = s_.currentY;
    }

    // The stroke built so far ends here; the next one starts with stretch next(k).
    void strokeAndRestart(int k) {
        drawPipeSegment(s_, c_, v_, b_, segLen_, k);
        segLen_ = item(next(k)).length;
        segStart_ = next(k);
    }

    void step(int k, bool lastOfWalk) {
        enter(k);
        vectorOf(k);
        const SchematicItem& here = item(k);
        const SchematicItem& after = item(next(k));
        const bool continues = here.flow == after.flow && here.direction == after.direction &&
                               here.pipeLabel == after.pipeLabel;
        if (!continues || Str_found(joint(k))) {
            strokeAndRestart(k);
        } else {
            merge(k);
            if (lastOfWalk) {
                drawPipeSegment(s_, c_, v_, b_, segLen_, k);
                segStart_ = next(k);
            } else if (Str_found(joint(k))) {
                strokeAndRestart(k);
            }
        }
        nodeReached(k);
    }

    // Stretch next(k) continues the stroke: its length is added, and taken off again when the
    // stretches on both sides end at structures.
    void merge(int k) {
        segLen_ += item(next(k)).length;
        if (Str_found(joint(k)) && Str_found(joint(next(k)))) segLen_ -= item(next(k)).length;
    }

    // The symbol of the node the walk reached at the end of stretch k, and the node's drawn
    // position: the item's end walking forward; its start walking back (and the end of the
    // stretch before it), where the walk ends on the branch's first node and gives it the start
    // structure.
    void nodeReached(int k, bool walkEnd = false) {
        SchematicItem& it = item(k);
        if (forward_) {
            drawNodeSymbol(s_, c_.space, it.toNode, it.toLevel, lastNode_);
            it.endX = s_.currentX;
            it.endY = s_.currentY;
            return;
        }
        if (walkEnd) {
            // The branch's free first node: its intake, or the symbol of whatever stands there.
            drawStartStructure(s_, c_.space, it.fromNode, it.fromLevel);
            if (upperCase(std::string_view(it.fromNode).substr(0, 2)) != "IN") {
                drawNodeSymbol(s_, c_.space, it.fromNode, it.fromLevel, lastNode_);
            }
        } else {
            drawNodeSymbol(s_, c_.space, it.fromNode, it.fromLevel, lastNode_);
            item(k - 1).endX = s_.currentX;
            item(k - 1).endY = s_.currentY;
        }
        it.startX = s_.currentX;
        it.startY = s_.currentY;
    }

    // The last stretch gets a stroke of its own when it differs from the one walked before it, or
    // when a symbol was just drawn where it starts.
    void closingStroke() {
        const int j = segStart_;
        const SchematicItem& last = item(j);
        const SchematicItem& before = item(previous(j));
        const bool differs = before.direction != last.direction ||
                             before.pipeLabel != last.pipeLabel || before.flow != last.flow;
        const std::string& startNode = forward_ ? last.fromNode : last.toNode;
        if (!differs && lastNode_ != startNode) return;
        vectorOf(j);
        segLen_ = last.length;
        drawPipeSegment(s_, c_, v_, b_, segLen_, j);
    }

    SchematicState& s_;
    SchematicCanvas& c_;
    int b_;
    SchematicBranch& branch_;
    bool forward_ = true;
    float segLen_ = 0;
    int segStart_ = 0;
    StrokeVector v_;
    std::string lastNode_;
};

}  // namespace

void drawSchematicBranch(SchematicState& state, int b, SchematicCanvas& canvas) {
    BranchWalk(state, b, canvas).run();
}

}  // namespace plovis
