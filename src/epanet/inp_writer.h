#pragma once
// The designed network as an EPANET input file (.inp): what the design table computed by hand,
// given to EPANET's solver to check. Junctions carry their ground level and the design flows they
// take off, the source is a reservoir at its level, tanks reset the head as the design does, and
// pipes carry their pipe length, inner diameter and roughness under Darcy-Weisbach head loss,
// flows in litres a second.

#include <string>
#include <unordered_map>
#include <vector>

#include "hosts/cad_types.h"
#include "network/network_nodes.h"
#include "network/pipe_table.h"

namespace plovis {

struct InpNetwork {
    std::string title;  // the scheme's name, for [TITLE]
    const PipeTable* table = nullptr;
    const NetworkNodes* nodes = nullptr;
    // Where the schematic draws each node, by upper-cased label (a node without one gets no
    // coordinates).
    std::unordered_map<std::string, Point> positions;
    // Kinematic viscosity of the water, m2/s (the one the table's Reynolds numbers were taken
    // with).
    double viscosity = 1.01e-6;
};

// EPANET's viscosity option is relative to its own water at 20 degrees C, 1.1E-5 sq ft/s.
double relativeViscosity(double viscosity);

// The viscosity the table's Reynolds numbers imply, Re = V D / nu, from its first row with a
// velocity, a diameter and a Reynolds number; fallback when none has all three.
double tableViscosity(const PipeTable& table, double fallback);

// An identifier EPANET accepts: at most 31 bytes, without blanks, control characters, ';' or '"'.
std::string inpIdentifier(const std::string& label);

// The whole input file. A node whose head would rise where the design starts its grade line
// afresh (a head the water cannot reach by gravity) is named in warnings.
std::string networkInp(const InpNetwork& network, std::vector<std::string>& warnings);

}  // namespace plovis
