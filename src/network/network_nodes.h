#pragma once
// The nodes of the designed network: every node label of the pipe design table once (matched
// ignoring case), with the pipes that reach and leave it, its ground level and the design flows
// through it.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "network/pipe_table.h"

namespace plovis {

// Heads closer than this (m) are the same head; a wider step marks a tank.
inline constexpr double kSameHead = 0.001;

struct NetworkNode {
    std::string label;          // as the table first writes it
    double elevation = 0;       // ground level, m
    std::vector<int> inbound;   // rows (indices into PipeTable::rows) ending here
    std::vector<int> outbound;  // rows starting here
    double inflow = 0;          // sum of the design flows of the inbound rows, l/s
    double outflow = 0;         // of the outbound rows

    bool isSource() const { return inbound.empty(); }
    // What the node takes out of the network (negative: what it feeds in, as a reservoir tank
    // does when its outlets carry the peak flow and its main the day's average).
    double demand() const { return inflow - outflow; }
};

struct NetworkNodes {
    std::vector<NetworkNode> nodes;
    std::unordered_map<std::string, int> byLabel;  // upper-cased label -> index

    // The node of that label (ignoring case), or -1.
    int find(std::string_view label) const;
};

// The nodes in the order the table first names them.
NetworkNodes networkNodes(const PipeTable& table);

// The head the design gives the water arriving at the node (the grade level at the end of its
// first inbound row) and leaving it (at the start of its first outbound row); a node without one
// takes the other.
double arrivingHead(const PipeTable& table, const NetworkNode& node);
double leavingHead(const PipeTable& table, const NetworkNode& node);

// A tank: water arrives and leaves, and the design starts the grade line afresh from another
// head (a break pressure tank or a reservoir tank at its own level).
bool isTank(const PipeTable& table, const NetworkNode& node);

// A tap stand: the label begins with T (the profile and the schematic draw a tap there).
bool isTapLabel(std::string_view label);

}  // namespace plovis
