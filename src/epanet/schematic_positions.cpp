#include "epanet/schematic_positions.h"

#include "common/text.h"
#include "hosts/cad_drawing.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"
#include "schematic/branch_layout.h"
#include "schematic/network_range.h"

namespace plovis {
namespace {

// The schematic's symbols, each with the two attributes the layout writes; their looks do not
// move a node.
void addSymbolBlocks(Drawing& drawing) {
    for (const char* name : {"INTAKE", "INTAKE_CC", "CC1", "RVT", "JNO", "TNO"}) {
        CadBlock& block = drawing.blocks().add(name, {0, 0, 0});
        block.addAttribute(1, kAttributeNormal, "Name", {0, 0, 0}, "NAME", "");
        block.addAttribute(1, kAttributeNormal, "Level", {0, 0, 0}, "LEVEL", "");
    }
}

// The layout's messages reach the user; its captions of a drawing nobody sees do not.
class WithoutCaptions : public UserInterface {
  public:
    explicit WithoutCaptions(UserInterface& ui) : ui_(ui) {}
    Answer showMessage(const Message& message) override { return ui_.showMessage(message); }
    void setStatus(StatusLabel, std::string_view) override {}
    void showWaitWindow(std::string_view, std::string_view) override {}
    void hideWaitWindow() override {}
    void requestApplicationEnd() override { ui_.requestApplicationEnd(); }

  private:
    UserInterface& ui_;
};

// The nodes of a branch in order (its first node, then the end of every stretch) where the
// layout drew them, and the stretch lengths between them.
struct Chain {
    std::vector<std::string> labels;
    std::vector<Point> points;
    std::vector<double> lengths;  // stretch k runs from node k to node k + 1
};

Chain chainOf(const SchematicBranch& branch) {
    Chain c;
    const int n = std::min<int>(branch.lastItem + 1, static_cast<int>(branch.items.size()));
    if (n == 0) return c;
    c.labels.push_back(branch.items[0].fromNode);
    c.points.push_back({branch.items[0].startX, branch.items[0].startY, 0});
    for (int k = 0; k < n; ++k) {
        const SchematicItem& item = branch.items[k];
        c.labels.push_back(item.toNode);
        c.points.push_back({item.endX, item.endY, 0});
        c.lengths.push_back(item.length);
    }
    return c;
}

bool samePoint(const Point& a, const Point& b) {
    return a.x == b.x && a.y == b.y;
}

// Nodes first..last, placed along the stroke from `from` to `to` at their share of its length
// (stretches whose lengths are lengths[first - 1 .. last]), or evenly when it has none.
void spreadAlong(Chain& c, int first, int last, const Point& from, const Point& to, int lengthFrom,
                 int lengthTo, bool reversed) {
    double total = 0;
    for (int k = lengthFrom; k <= lengthTo; ++k)
        total += c.lengths[k];
    const int count = lengthTo - lengthFrom + 1;
    for (int m = first; m <= last; ++m) {
        double along = 0;
        const int steps = reversed ? lengthTo - m + 1 : m - lengthFrom;
        for (int s = 0; s < steps; ++s)
            along += c.lengths[reversed ? lengthTo - s : lengthFrom + s];
        const double share = total > 0 ? along / total : static_cast<double>(steps) / count;
        c.points[m] = {from.x + share * (to.x - from.x), from.y + share * (to.y - from.y), 0};
    }
}

// Stretches drawn as one stroke leave their inner nodes where the stroke starts; they are spread
// along the stroke instead, so that the map shows every node.
void spreadMergedNodes(Chain& c, bool fromEnd) {
    const int size = static_cast<int>(c.points.size());
    for (int i = 0; i < size;) {
        int j = i;
        while (j + 1 < size && samePoint(c.points[j + 1], c.points[i]))
            ++j;
        if (j > i && !fromEnd && j + 1 < size) {
            spreadAlong(c, i + 1, j, c.points[i], c.points[j + 1], i, j, false);
        } else if (j > i && fromEnd && i > 0) {
            spreadAlong(c, i, j - 1, c.points[j], c.points[i - 1], i - 1, j - 1, true);
        }
        i = j + 1;
    }
}

}  // namespace

std::unordered_map<std::string, Point> schematicPositions(SpreadsheetHost& host,
                                                          UserInterface& ui) {
    std::unordered_map<std::string, Point> positions;
    WithoutCaptions quiet(ui);
    SchematicState state;
    if (!readSchematicRange(host, state, quiet) || state.rowCount <= 1) return positions;
    ScriptedCadUtility utility;
    MemoryCadHost cad(utility);
    Drawing& drawing = cad.addDocument();
    addSymbolBlocks(drawing);
    SchematicCanvas canvas{cad, drawing.modelSpace(), quiet};
    for (int b = 0; b <= state.lastBranch(); ++b) {
        drawSchematicBranch(state, b, canvas);
        Chain chain = chainOf(state.schematicBranches[b]);
        spreadMergedNodes(chain, state.drawFromEnd);
        for (std::size_t k = 0; k < chain.labels.size(); ++k)
            positions.emplace(upperCase(chain.labels[k]), chain.points[k]);
    }
    return positions;
}

}  // namespace plovis
