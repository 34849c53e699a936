#include "epanet/inp_writer.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "common/number_format.h"
#include "common/text.h"

namespace plovis {
namespace {

// EPANET's water at 20 degrees C: 1.1E-5 sq ft/s (its VISCOS constant), in m2/s.
constexpr double kEpanetWaterViscosity = 1.1e-5 * 0.3048 * 0.3048;
constexpr std::size_t kMaxIdLength = 31;
constexpr const char* kOutletSuffix = "_OUT";

std::string number(double v) {
    return generalForm(v);
}

// The identifiers of the network's nodes: a tank also has an outlet node below its valve.
struct NodeIds {
    std::vector<std::string> node;
    std::vector<std::string> outlet;  // empty for a node that is not a tank
};

std::string unique(std::string id, std::set<std::string>& used) {
    std::string candidate = id;
    for (int n = 2; used.count(upperCase(candidate)); ++n)
        candidate = id.substr(0, kMaxIdLength - 4) + "~" + std::to_string(n);
    used.insert(upperCase(candidate));
    return candidate;
}

NodeIds nodeIds(const InpNetwork& net) {
    NodeIds ids;
    std::set<std::string> used;
    for (const NetworkNode& n : net.nodes->nodes)
        ids.node.push_back(unique(inpIdentifier(n.label), used));
    for (std::size_t i = 0; i < net.nodes->nodes.size(); ++i) {
        const NetworkNode& n = net.nodes->nodes[i];
        const std::string base = ids.node[i].substr(0, kMaxIdLength - 4);
        ids.outlet.push_back(isTank(*net.table, n) ? unique(base + kOutletSuffix, used) : "");
    }
    return ids;
}

// The flow a tank's valve passes: what arrives, or what leaves when that is less (the rest is
// drawn at the tank, or fed from its storage to the outlets).
double valveFlow(const NetworkNode& n) {
    return std::min(n.inflow, n.outflow);
}

std::string junctions(const InpNetwork& net, const NodeIds& ids) {
    std::string out = "[JUNCTIONS]\n;ID\tElev\tDemand\n";
    const auto line = [&](const std::string& id, double elevation, double demand) {
        out += id + "\t" + number(elevation) + "\t" + number(demand) + "\n";
    };
    for (std::size_t i = 0; i < net.nodes->nodes.size(); ++i) {
        const NetworkNode& n = net.nodes->nodes[i];
        if (n.isSource()) continue;
        if (ids.outlet[i].empty()) {
            line(ids.node[i], n.elevation, n.demand());
        } else {
            line(ids.node[i], n.elevation, n.inflow - valveFlow(n));
            line(ids.outlet[i], n.elevation, valveFlow(n) - n.outflow);
        }
    }
    return out + "\n";
}

std::string reservoirs(const InpNetwork& net, const NodeIds& ids) {
    std::string out = "[RESERVOIRS]\n;ID\tHead\n";
    for (std::size_t i = 0; i < net.nodes->nodes.size(); ++i) {
        const NetworkNode& n = net.nodes->nodes[i];
        if (n.isSource()) out += ids.node[i] + "\t" + number(leavingHead(*net.table, n)) + "\n";
    }
    return out + "\n";
}

std::string startId(const NodeIds& ids, int node) {
    return ids.outlet[node].empty() ? ids.node[node] : ids.outlet[node];
}

std::string pipes(const InpNetwork& net, const NodeIds& ids) {
    std::string out =
        "[PIPES]\n;ID\tNode1\tNode2\tLength\tDiameter\tRoughness\tMinorLoss\tStatus\n";
    for (const PipeRow& r : net.table->rows) {
        out += "R" + std::to_string(r.row) + "\t" + startId(ids, net.nodes->find(r.from)) + "\t" +
               ids.node[net.nodes->find(r.to)] + "\t" + number(r.pipeLength) + "\t" +
               number(r.innerDiameter) + "\t" + number(r.roughness * 1000) + "\t0\tOpen\n";
    }
    return out + "\n";
}

// A break pressure tank or reservoir tank is a pressure reducing valve from the tank's inlet to
// its outlet, set to the head of water over the outlet: the grade line leaving the tank starts
// from the tank's own level whatever the head that arrives, as the design starts it afresh,
// and the network stays one piece fed from the intake (a tank the water cannot reach shows as
// an open valve with too little head behind it).
std::string valves(const InpNetwork& net, const NodeIds& ids, std::vector<std::string>& warnings) {
    std::string out = "[VALVES]\n;ID\tNode1\tNode2\tDiameter\tType\tSetting\tMinorLoss\n";
    for (std::size_t i = 0; i < net.nodes->nodes.size(); ++i) {
        if (ids.outlet[i].empty()) continue;
        const NetworkNode& n = net.nodes->nodes[i];
        const double leaving = leavingHead(*net.table, n);
        if (leaving > arrivingHead(*net.table, n)) {
            warnings.push_back("node " + n.label + ": the design's grade line rises from " +
                               number(arrivingHead(*net.table, n)) + " to " + number(leaving) +
                               " m, which water flowing by gravity cannot do");
        }
        double diameter = 0;
        for (int r : n.outbound)
            diameter = std::max(diameter, net.table->rows[r].innerDiameter);
        out += "V_" + ids.node[i].substr(0, kMaxIdLength - 2) + "\t" + ids.node[i] + "\t" +
               ids.outlet[i] + "\t" + number(diameter) + "\tPRV\t" + number(leaving - n.elevation) +
               "\t0\n";
    }
    return out + "\n";
}

std::string coordinates(const InpNetwork& net, const NodeIds& ids) {
    std::string out = "[COORDINATES]\n;Node\tX-Coord\tY-Coord\n";
    for (std::size_t i = 0; i < net.nodes->nodes.size(); ++i) {
        const auto found = net.positions.find(upperCase(net.nodes->nodes[i].label));
        if (found == net.positions.end()) continue;
        const Point& p = found->second;
        out += ids.node[i] + "\t" + formatPicture(p.x, "0.000") + "\t" +
               formatPicture(p.y, "0.000") + "\n";
        // The outlet sits just beside its tank, so the valve shows on the map.
        if (!ids.outlet[i].empty()) {
            out += ids.outlet[i] + "\t" + formatPicture(p.x + 2, "0.000") + "\t" +
                   formatPicture(p.y, "0.000") + "\n";
        }
    }
    return out + "\n";
}

std::string options(const InpNetwork& net) {
    return "[OPTIONS]\nUNITS\tLPS\nHEADLOSS\tD-W\nVISCOSITY\t" +
           formatPicture(relativeViscosity(net.viscosity), "0.000000") +
           "\nSPECIFIC GRAVITY\t1\nTRIALS\t200\nACCURACY\t0.00001\n\n[TIMES]\nDURATION\t0\n\n"
           "[REPORT]\nSTATUS\tNo\nSUMMARY\tNo\n\n";
}

}  // namespace

double relativeViscosity(double viscosity) {
    return viscosity / kEpanetWaterViscosity;
}

double tableViscosity(const PipeTable& table, double fallback) {
    for (const PipeRow& r : table.rows) {
        if (r.velocity > 0 && r.innerDiameter > 0 && r.reynolds > 0)
            return r.velocity * r.innerDiameter / 1000 / r.reynolds;
    }
    return fallback;
}

std::string inpIdentifier(const std::string& label) {
    std::string id;
    for (unsigned char c : label)
        id += (c <= ' ' || c == ';' || c == '"' || c == 0x7f) ? '_' : static_cast<char>(c);
    if (id.empty()) id = "_";
    if (id.size() > kMaxIdLength) {
        id.resize(kMaxIdLength);
        // Never cut a UTF-8 character in two.
        while (!id.empty() && (static_cast<unsigned char>(id.back()) & 0xC0) == 0x80)
            id.pop_back();
        if (!id.empty() && (static_cast<unsigned char>(id.back()) & 0x80)) id.pop_back();
    }
    return id;
}

std::string networkInp(const InpNetwork& net, std::vector<std::string>& warnings) {
    const NodeIds ids = nodeIds(net);
    std::string title = net.title;
    std::replace(title.begin(), title.end(), '\r', ' ');
    std::replace(title.begin(), title.end(), '\n', ' ');
    return "[TITLE]\n" + title + "\n\n" + junctions(net, ids) + reservoirs(net, ids) +
           pipes(net, ids) + valves(net, ids, warnings) + options(net) + coordinates(net, ids) +
           "[END]\n";
}

}  // namespace plovis
