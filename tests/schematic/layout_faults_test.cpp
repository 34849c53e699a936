// Networks whose schematic once overprinted, turned labels upside down, lost stretches or drew
// empty branches: each drawn and compared with its reviewed snapshot in
// tests/schematic/golden/layout_faults.txt (labels apart and upright, every stretch kept, no
// "/0 m" of an empty branch).
#include <gtest/gtest.h>

#include "schematic/schematic_drawing.h"
#include "schematic/schematic_fixture.h"
#include "support/golden_table.h"

namespace plovis {
namespace {

TEST(SchematicLayout, LabelsApartAndUprightEveryStretchKeptNoEmptyBranch) {
    // A row without an end node is a title row (the title in from); one with neither, blank.
    const test::Section main{"Main line", ""}, in1j1{"IN1", "J1", 100, 1.5, "R"}, blank{"", ""};
    const struct {
        const char* name;
        std::vector<test::Section> rows;
    } cases[] = {
        // clang-format off
        {"reservoir level and pipe label apart", {main, {"IN1", "RVT1", 526, 0.5, "D", 1862, 1761.5},
         {"Branch A", ""}, {"RVT1", "J1", 412.6, 1.495, "R", 1761.5, 1741, 50.0}}},
        {"label of a stroke down and right upright", {main, {"IN1", "T1", 263.4, 0.73, "DR"}}},
        {"node label clear of a stroke down and left",
         {main, {"IN1", "T5", 100, 1.5, "D"}, {"T5", "T6", 247.8, 0.4, "DL", 990, 1712.65}}},
        {"second intake's run kept whole", {main, in1j1, {"Intake 2", ""},
         {"IN2", "P5", 200, 0.5, "R"}, {"P5", "J1", 150, 0.5, "R"}}},
        {"second intake's stretches kept apart", {main, in1j1, {"Intake 2", ""},
         {"IN2", "P5", 200, 0.5, "D"}, {"P5", "J1", 150, 0.7, "D"}}},
        {"branch joining no node drawn above",
         {main, in1j1, {"Branch B", ""}, {"P", "Q", 80, 1.5, "U"}}},
        {"branch from the intake", {main, in1j1, {"Branch B", ""}, {"IN1", "T1", 80, 0.5, "D"}}},
        {"blank rows draw no branch",
         {main, in1j1, blank, {"Branch A", ""}, {"J1", "T1", 60, 0.5, "D"}, blank}},
        // clang-format on
    };
    std::string report;
    for (const auto& c : cases) {
        test::SchematicFixture f;
        for (const test::Section& row : c.rows)
            row.from.empty() ? void(++f.nextRow)
            : row.to.empty() ? f.title(row.from)
                             : f.section(row);
        f.select();
        ASSERT_TRUE(drawSchematic(f.sheets, f.cad, f.ui, f.templateFile)) << c.name;
        report += std::string("== ") + c.name + "\n" + test::drawingSnapshot(f.drawing());
        for (const std::string& message : f.ui.messageTexts())
            report += "message: " + test::escapedLine(message) + "\n";
    }
    test::expectGolden(report, "schematic", "layout_faults");
}

}  // namespace
}  // namespace plovis
