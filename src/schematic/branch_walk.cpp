// drawSchematicBranch: the walk along one branch, stroke by stroke.

#include "hosts/host_error.h"
#include "schematic/branch_layout.h"
#include "schematic/structure_symbols.h"

namespace plovis {
namespace {

// One walk along branch b: forward from its first node, or from its end when the end is the one
// that joins the network. segLen sums the lengths of the stroke being built; segStart is the item
// where it started (0 throughout a walk from the end).
class BranchWalk {
  public:
    BranchWalk(SchematicState& state, int b, SchematicCanvas& canvas)
        : s_(state), c_(canvas), b_(b), branch_(state.schematicBranches[b]) {}

    void run() {
        const int n = branch_.lastItem;
        start(n);
        if (n == 0) {
            item(0).startX = s_.currentX;
            item(0).startY = s_.currentY;
            vectorOf(0);
            drawPipeSegment(s_, c_, v_, b_, segLen_, 0);
        } else {
            if (forward_) {
                for (int k = 0; k <= n - 1; ++k)
                    step(k, k == n - 1);
            } else {
                for (int k = n - 1; k >= 0; --k)
                    step(k, k == 0);
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

    void start(int n) {
        s_.drawFromEnd = isLaterIntake(s_, item(0)) || endsOnNetwork(s_, b_);
        forward_ = !s_.drawFromEnd;
        const Point pen = nodePosition(s_, b_, forward_ ? item(0).fromNode : item(n).toNode);
        s_.currentX = pen.x;
        s_.currentY = pen.y;
        segLen_ = forward_ ? item(0).length : item(n).length;
        if (forward_) drawStartStructure(s_, c_.space, item(0).fromNode, item(0).fromLevel);
        s_.insertionPoint = s_.segmentEnd = {s_.currentX, s_.currentY, 0};
        segStart_ = 0;
        s_.textHeight = 1.5;
    }

    void vectorOf(int k) {
        if (forward_) {
            directionVector(item(k).direction, s_.textHeight, v_);
        } else {
            reversedDirectionVector(item(k).direction, s_.textHeight, v_);
        }
    }

    // The stroke built so far ends here; the next one starts with stretch k + 1.
    void strokeAndRestart(int k) {
        drawPipeSegment(s_, c_, v_, b_, segLen_, k);
        segLen_ = item(k + 1).length;
        segStart_ = forward_ ? k + 1 : 0;
    }

    void step(int k, bool lastOfWalk) {
        item(k).startX = s_.currentX;
        item(k).startY = s_.currentY;
        vectorOf(k);
        const SchematicItem& here = item(k);
        const SchematicItem& next = item(k + 1);
        const bool continues = here.flow == next.flow && here.direction == next.direction &&
                               here.pipeLabel == next.pipeLabel;
        const std::string& joint = forward_ ? here.toNode : here.fromNode;
        if (!continues || Str_found(joint)) {
            strokeAndRestart(k);
        } else {
            merge(k);
            if (lastOfWalk) {
                drawPipeSegment(s_, c_, v_, b_, segLen_, k);
                segStart_ = forward_ ? k + 1 : 0;
            } else if (Str_found(item(k).toNode)) {
                strokeAndRestart(k);
            }
        }
        nodeReached(k);
    }

    // Stretch k + 1 continues the stroke: its length is added, and taken off again when the
    // stretches on both sides end at structures.
    void merge(int k) {
        segLen_ += item(k + 1).length;
        const bool bothStructures =
            forward_
                ? Str_found(item(k).toNode) && Str_found(item(k + 1).toNode)
                : Str_found(item(segStart_ + 1).fromNode) && Str_found(item(segStart_).fromNode);
        if (bothStructures) segLen_ -= item(k + 1).length;
    }

    // The symbol of the node the walk reached on item k, and the node's drawn position: the
    // item's end walking forward; its start walking from the end, where the walk ends on the
    // branch's first node and gives it the start structure.
    void nodeReached(int k, bool walkEnd = false) {
        SchematicItem& it = item(k);
        if (forward_) {
            drawNodeSymbol(s_, c_.space, it.toNode, it.toLevel, lastNode_);
            it.endX = s_.currentX;
            it.endY = s_.currentY;
            return;
        }
        if (walkEnd) {
            drawStartStructure(s_, c_.space, it.fromNode, it.fromLevel);
        } else {
            drawNodeSymbol(s_, c_.space, it.fromNode, it.fromLevel, lastNode_);
        }
        it.startX = s_.currentX;
        it.startY = s_.currentY;
    }

    // The last stretch gets a stroke of its own when it differs from the one walked before it, or
    // when a symbol was just drawn at its start.
    void closingStroke() {
        const int j = segStart_;
        const SchematicItem& last = item(j);
        const SchematicItem& before = item(forward_ ? j - 1 : j + 1);
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
