#include "network/network_nodes.h"

#include <cmath>

#include "common/text.h"

namespace plovis {
namespace {

int addNode(NetworkNodes& n, const std::string& label, double elevation) {
    const std::string key = upperCase(label);
    if (const auto found = n.byLabel.find(key); found != n.byLabel.end()) return found->second;
    NetworkNode node;
    node.label = label;
    node.elevation = elevation;
    n.nodes.push_back(std::move(node));
    return n.byLabel[key] = static_cast<int>(n.nodes.size()) - 1;
}

}  // namespace

int NetworkNodes::find(std::string_view label) const {
    const auto found = byLabel.find(upperCase(label));
    return found == byLabel.end() ? -1 : found->second;
}

NetworkNodes networkNodes(const PipeTable& table) {
    NetworkNodes n;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const PipeRow& r = table.rows[i];
        NetworkNode& from = n.nodes[addNode(n, r.from, r.startGround)];
        from.outbound.push_back(static_cast<int>(i));
        from.outflow += r.flow;
        NetworkNode& to = n.nodes[addNode(n, r.to, r.endGround)];
        to.inbound.push_back(static_cast<int>(i));
        to.inflow += r.flow;
    }
    return n;
}

double arrivingHead(const PipeTable& table, const NetworkNode& node) {
    if (node.inbound.empty()) return leavingHead(table, node);
    return table.rows[node.inbound.front()].endHgl;
}

double leavingHead(const PipeTable& table, const NetworkNode& node) {
    if (node.outbound.empty()) return table.rows[node.inbound.front()].endHgl;
    return table.rows[node.outbound.front()].startHgl;
}

bool isTank(const PipeTable& table, const NetworkNode& node) {
    if (node.inbound.empty() || node.outbound.empty()) return false;
    return std::fabs(arrivingHead(table, node) - leavingHead(table, node)) > kSameHead;
}

bool isTapLabel(std::string_view label) {
    return !label.empty() && (label.front() == 'T' || label.front() == 't');
}

}  // namespace plovis
