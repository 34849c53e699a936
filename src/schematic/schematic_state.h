#pragma once
// The state of one run of the schematic command: the scheme header, the branch table read from
// the selected network range, and the pen and marks of the branch walk. The command owns it; the
// reading fills it and the layout and symbol routines read and write it.

#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "hosts/cad_types.h"
#include "scheme/design_table.h"

namespace plovis {

// One pipe stretch of a branch. Lengths, flows and levels are held in single precision, so the
// labels show what a single-precision field holds (a summed length included).
struct SchematicItem {
    std::string fromNode;   // +1: node where the stretch starts
    float fromLevel = 0;    // +7: ground level at fromNode, m
    double startX = 0;      // drawing position of fromNode, set by the walk
    double startY = 0;      //
    std::string toNode;     // +2: node where the stretch ends
    float toLevel = 0;      // +8: ground level at toNode, m
    double endX = 0;        // drawing position of toNode, set by the walk
    double endY = 0;        //
    std::string pipeLabel;  // 63H(6) or 25GI(M)
    float length = 0;       // +3: stretch length, m
    float flow = 0;         // +5: design flow, l/s
    std::string direction;  // +6 in capitals: D, U, L, R, DL, UL, DR, UR
};

struct SchematicBranch {
    std::string title;
    // Index of the last item. A branch of one item, or of none (two title rows in a row), keeps
    // 0: the walk then draws its item 0, empty for a branch of none.
    int lastItem = 0;
    // Items 0..lastItem at least; grows with the rows of the branch.
    std::vector<SchematicItem> items = std::vector<SchematicItem>(1);
};

// Where the first drawing of a node name stands in the branch table: the first item, in branch
// and item order, naming it as its fromNode (checked first) or its toNode.
struct NodeRef {
    int branch = 0;
    int item = 0;
    bool isFrom = true;
};

struct SchematicState {
    // Scheme header (E6, I6 and L6 of the active sheet).
    std::string schemeName;
    std::string sourceName;  // "---" when the cell is empty
    std::string safeYield;   // the leading number of the cell, as text

    // The branch table; lastBranch is its size - 1.
    std::vector<SchematicBranch> schematicBranches;
    int lastBranch() const { return static_cast<int>(schematicBranches.size()) - 1; }
    // Empties the branch table (and the node index built on it).
    void clearBranches() {
        schematicBranches.clear();
        nodeIndex.clear();
        indexedBranches = 0;
    }

    Selection selection;
    int rowCount = 0;

    // Drawing state of the branch walk.
    double textHeight = 1.25;              // title block; 1.5 while branches are drawn
    double halfTurn = 4 * std::atan(1.0);  // pi, to turn labels upright
    double currentX = 0;                   // the pen
    double currentY = 0;
    float networkSpacing = 500;  // vertical distance between separate networks
    int unplacedCount = 1;       // branch starts placed without a known node
    // The branches that join no node drawn before them, each drawn apart (for the closing message).
    std::vector<std::string> detachedBranches;
    std::vector<std::uint8_t> intakeFlags = std::vector<std::uint8_t>(3, 0);  // one per intake
    bool drawFromEnd = false;  // the branch being drawn is walked from its end
    Point insertionPoint;
    Point segmentEnd;

    // First occurrence of every node name (in capitals) in the branch table, so that finding a
    // node stays quick on a large network. Built by the walk once the table is complete.
    std::unordered_map<std::string, NodeRef> nodeIndex;
    std::size_t indexedBranches = 0;
};

}  // namespace plovis
