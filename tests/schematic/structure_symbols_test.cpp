#include "schematic/structure_symbols.h"

#include <gtest/gtest.h>

#include "schematic/schematic_fixture.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::expectNear;

// A drawing carrying the schematic's symbols and a pen standing at (40, -20).
struct SymbolFixture {
    Drawing drawing;
    SchematicState state;
    SymbolFixture() {
        test::addSchematicBlocks(drawing);
        state.currentX = 40;
        state.currentY = -20;
    }
    std::vector<const CadBlockReference*> symbols() const {
        return test::drawn<CadBlockReference>(drawing);
    }
};

TEST(StrFound, StructurePrefixesInAnyCase) {
    const struct {
        const char* name;
        bool structure;
    } cases[] = {
        {"cc3", true},    {"Cc3", true},  {"CC3", true}, {"IN1", true},  {"in+cc2", true},
        {"INTAKE", true}, {"IC1", true},  {"ST4", true}, {"DT2", true},  {"BP2", true},
        {"BPT2", true},   {"RVT1", true}, {"J4", true},  {"j", true},    {"T9", true},
        {"SV1", true},    {"AV1", true},  {"X7", false}, {"DC1", false}, {"RT1", false},
        {"", false},      {"I", false},   {"C", false},  {"R1", false},  {" CC1", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Str_found(c.name), c.structure) << c.name;
}

TEST(NodeSymbol, NamesOfNoGroupDrawNothingAndKeepTheLastNode) {
    for (const char* name : {"X7", "IN1", "INTAKE+CC", "", "B2"}) {
        SymbolFixture f;
        std::string lastNode = "J4";
        drawNodeSymbol(f.state, f.drawing.modelSpace(), name, 1000, lastNode);
        EXPECT_TRUE(f.symbols().empty()) << name;
        EXPECT_EQ(lastNode, "J4") << name;
    }
}

// Every symbol group at a pen of its own, one below the other, compared with the reviewed
// snapshot tests/schematic/golden/symbols.txt: the block and the label's place by prefix, the
// node level as its single-precision value shows, the intake blocks by name with their level
// in two decimals.
TEST(Symbols, DrawLikeTheirReviewedSnapshot) {
    const std::pair<const char*, float> nodes[] = {
        {"cc3", 1012.5f},  {"Cc3", 1012.5f}, {"CC3", 1012.5f}, {"IC1", 1012.5f},  {"DT1", 1012.5f},
        {"DC1", 1012.5f},  {"ST1", 1012.5f}, {"BP2", 1012.5f}, {"BPT2", 1012.5f}, {"RT1", 1012.5f},
        {"RVT1", 1012.5f}, {"J4", 1012.5f},  {"T2", 1012.5f},  {"AV1", 1012.5f},  {"sv1", 1012.5f},
        {"J1", 1234.57f},  {"J1", 1000},     {"J1", 987.1f},   {"J1", -2.25f},    {"J1", 0}};
    const std::pair<const char*, float> intakes[] = {
        {"IN+CC1", 1234.5f},     {"INTAKE+CC", 1234.5f},
        {"intake+cc2", 1234.5f}, {"INTAKE1", 1234.5f},
        {"IN1", 1234.567f},      {"In2", 7},
        {"IN1", 0.5f},           {"IN1", 0},
        {"IN1", -3.125f}};
    Drawing drawing;
    test::addSchematicBlocks(drawing);
    double y = 0;
    for (const auto& [name, level] : nodes) {
        SchematicState state;
        state.currentX = 40;
        state.currentY = y -= 10;
        std::string lastNode = "before";
        drawNodeSymbol(state, drawing.modelSpace(), name, level, lastNode);
        EXPECT_EQ(lastNode, name);
    }
    for (const auto& [name, level] : intakes) {
        SchematicState state;
        state.currentX = 40;
        state.currentY = y -= 20;
        drawStartStructure(state, drawing.modelSpace(), name, level);
        expectNear(state.insertionPoint, 40, y, name);
        EXPECT_EQ(state.intakeFlags, (std::vector<std::uint8_t>{1, 0, 0})) << name;
    }
    test::expectGoldenDrawing(drawing, "schematic", "symbols");
}

TEST(StartStructure, OtherNamesDrawNothingAndMarkNoIntake) {
    for (const char* name : {"X1", "CC1", "I", "", " IN1"}) {
        SymbolFixture f;
        drawStartStructure(f.state, f.drawing.modelSpace(), name, 1000);
        EXPECT_TRUE(f.symbols().empty()) << name;
        EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{0, 0, 0})) << name;
    }
}

// A freed mark is taken first; a fourth intake widens the marks.
TEST(StartStructure, IntakeMarks) {
    SymbolFixture f;
    f.state.intakeFlags = {1, 0, 1};
    drawStartStructure(f.state, f.drawing.modelSpace(), "IN1", 1000);
    EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{1, 1, 1}));
    for (const char* name : {"IN2", "IN3"})
        drawStartStructure(f.state, f.drawing.modelSpace(), name, 1000);
    EXPECT_EQ(f.symbols().size(), 3u);
    EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{1, 1, 1, 1, 1}));
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
