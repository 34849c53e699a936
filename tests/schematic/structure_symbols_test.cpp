#include "schematic/structure_symbols.h"

#include <gtest/gtest.h>

#include "schematic/schematic_fixture.h"
#include "schematic/single_form.h"
#include "support/golden_table.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

// Names that start a structure ("structure <name>") and levels as the labels write them ("single
// <value>"), compared with tests/schematic/golden/names_and_numbers.txt.
TEST(StrFound, StructureNamesAndSingleForms) {
    test::expectGoldenTable("schematic", "names_and_numbers", [](const std::string& line) {
        const std::string what = line.substr(0, line.find(' ')),
                          text = line.substr(what.size() + 1);
        if (what == "single") return singleForm(std::stof(text));
        return std::string(Str_found(text) ? "yes" : "no");
    });
}

// Every symbol group at a pen of its own, one below the other, compared with the reviewed
// snapshot tests/schematic/golden/symbols.txt: the block and the label's place by prefix, the
// node level as its single-precision value shows, the intake blocks by name with their level
// in two decimals; then the last node each name leaves (names of no group draw nothing and keep
// it) and the intake marks and insertion point each start structure leaves.
TEST(Symbols, DrawLikeTheirReviewedSnapshot) {
    const std::pair<const char*, float> nodes[] = {
        {"cc3", 1012.5f},  {"Cc3", 1012.5f}, {"CC3", 1012.5f}, {"IC1", 1012.5f},  {"DT1", 1012.5f},
        {"DC1", 1012.5f},  {"ST1", 1012.5f}, {"BP2", 1012.5f}, {"BPT2", 1012.5f}, {"RT1", 1012.5f},
        {"RVT1", 1012.5f}, {"J4", 1012.5f},  {"T2", 1012.5f},  {"AV1", 1012.5f},  {"sv1", 1012.5f},
        {"J1", 1234.57f},  {"J1", 1000},     {"J1", 987.1f},   {"J1", -2.25f},    {"J1", 0},
        {"X7", 1000},      {"IN1", 1000},    {"INTAKE+CC", 1}, {"", 1000},        {"B2", 1000}};
    // clang-format off
    const std::pair<const char*, float> intakes[] = {
        {"IN+CC1", 1234.5f}, {"INTAKE+CC", 1234.5f}, {"intake+cc2", 1234.5f}, {"INTAKE1", 1234.5f},
        {"IN1", 1234.567f}, {"In2", 7}, {"IN1", 0.5f}, {"IN1", 0}, {"IN1", -3.125f}, {"X1", 1000},
        {"CC1", 1000}, {"I", 1000}, {"", 1000}, {" IN1", 1000}};
    // clang-format on
    Drawing drawing;
    test::addSchematicBlocks(drawing);
    std::string report;
    double y = 0;
    for (const auto& [name, level] : nodes) {
        SchematicState state;
        state.currentX = 40;
        state.currentY = y -= 10;
        std::string lastNode = "before";
        drawNodeSymbol(state, drawing.modelSpace(), name, level, lastNode);
        report += "node '" + std::string(name) + "' leaves " + lastNode + "\n";
    }
    for (const auto& [name, level] : intakes) {
        SchematicState state;
        state.currentX = 40;
        state.currentY = y -= 20;
        drawStartStructure(state, drawing.modelSpace(), name, level);
        report += "intake '" + std::string(name) + "' at " + std::to_string(y) + " inserted at " +
                  std::to_string(state.insertionPoint.x) + "," +
                  std::to_string(state.insertionPoint.y) + " marks";
        for (const std::uint8_t flag : state.intakeFlags)
            report += " " + std::to_string(flag);
        report += "\n";
    }
    test::expectGolden(test::drawingSnapshot(drawing) + report, "schematic", "symbols");
}

// A freed mark is taken first (a fourth intake widening the marks: the branch snapshots).
TEST(StartStructure, IntakeMarks) {
    Drawing drawing;
    test::addSchematicBlocks(drawing);
    SchematicState state;
    state.intakeFlags = {1, 0, 1};
    drawStartStructure(state, drawing.modelSpace(), "IN1", 1000);
    EXPECT_EQ(state.intakeFlags, (std::vector<std::uint8_t>{1, 1, 1}));
}

TEST(Symbols, AMissingBlockOrAttributeIsAHostFailure) {
    Drawing bare;
    SchematicState state;
    std::string lastNode;
    EXPECT_THROW(drawNodeSymbol(state, bare.modelSpace(), "J1", 1, lastNode), HostError);
    EXPECT_EQ(lastNode, "");
    bare.blocks().add("INTAKE", {}).addAttribute(1, kAttributeNormal, "", {}, "NAME", "");
    EXPECT_THROW(drawStartStructure(state, bare.modelSpace(), "IN1", 1), HostError);
    EXPECT_EQ(state.intakeFlags, (std::vector<std::uint8_t>{0, 0, 0}));
}

}  // namespace
}  // namespace plovis
