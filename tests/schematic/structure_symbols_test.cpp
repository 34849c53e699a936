#include "schematic/structure_symbols.h"

#include <gtest/gtest.h>

#include "schematic/schematic_fixture.h"

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
        return test::entitiesOf<CadBlockReference>(drawing);
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

TEST(NodeSymbol, BlockAndLabelOffsetByPrefix) {
    const struct {
        const char* name;
        const char* block;
        double dx, dy;
    } cases[] = {
        {"cc3", "CC1", 2.5, 0}, {"Cc3", "CC1", 2.5, 0},  {"CC3", "CC1", 2.5, 0},
        {"IC1", "CC1", 2.5, 0}, {"DT1", "CC1", 2.5, 0},  {"DC1", "CC1", 2.5, 0},
        {"ST1", "CC1", 2.5, 0}, {"BP2", "CC1", 2.5, 0},  {"BPT2", "CC1", 2.5, 0},
        {"RT1", "RVT", 5, 2.5}, {"RVT1", "RVT", 5, 2.5}, {"J4", "JNO", 2, 5},
        {"T2", "TNO", 2, 5},    {"AV1", "TNO", 2, 5},    {"sv1", "TNO", 2, 5},
    };
    for (const auto& c : cases) {
        SymbolFixture f;
        std::string lastNode = "before";
        drawNodeSymbol(f.state, f.drawing.modelSpace(), c.name, 1012.5f, lastNode);
        ASSERT_EQ(f.symbols().size(), 1u) << c.name;
        const CadBlockReference& ref = *f.symbols()[0];
        EXPECT_EQ(ref.name(), c.block) << c.name;
        expectNear(ref.insertionPoint(), 40, -20, c.name);
        EXPECT_EQ(ref.xScale(), 1.0);
        EXPECT_EQ(ref.rotation(), 0.0);
        ASSERT_EQ(ref.attributeCount(), 1u);
        const CadAttribute& label = ref.attributes()[0];
        EXPECT_EQ(label.textString(), std::string(c.name) + "(RL=1012.5m)");
        EXPECT_EQ(label.horizontalAlignment(), HorizontalAlignment::Left) << c.name;
        EXPECT_EQ(label.verticalAlignment(), VerticalAlignment::Middle) << c.name;
        expectNear(label.textAlignmentPoint(), 40 + c.dx, -20 + c.dy, c.name);
        EXPECT_EQ(lastNode, c.name);
    }
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

TEST(NodeSymbol, TheLevelIsWrittenAsItsSinglePrecisionValueShows) {
    const struct {
        float level;
        const char* text;
    } cases[] = {{1234.57f, "J1(RL=1234.57m)"},
                 {1000, "J1(RL=1000m)"},
                 {987.1f, "J1(RL=987.1m)"},
                 {-2.25f, "J1(RL=-2.25m)"},
                 {0, "J1(RL=0m)"}};
    for (const auto& c : cases) {
        SymbolFixture f;
        std::string lastNode;
        drawNodeSymbol(f.state, f.drawing.modelSpace(), "J1", c.level, lastNode);
        EXPECT_EQ(f.symbols().at(0)->attributes()[0].textString(), c.text);
    }
}

TEST(StartStructure, IntakeBlockByName) {
    const struct {
        const char* name;
        const char* block;
    } cases[] = {{"IN+CC1", "INTAKE_CC"}, {"INTAKE+CC", "INTAKE_CC"}, {"intake+cc2", "INTAKE_CC"},
                 {"INTAKE1", "INTAKE"},   {"IN1", "INTAKE"},          {"In2", "INTAKE"}};
    for (const auto& c : cases) {
        SymbolFixture f;
        drawStartStructure(f.state, f.drawing.modelSpace(), c.name, 1234.5f);
        ASSERT_EQ(f.symbols().size(), 1u) << c.name;
        const CadBlockReference& ref = *f.symbols()[0];
        EXPECT_EQ(ref.name(), c.block) << c.name;
        expectNear(ref.insertionPoint(), 40, -20, c.name);
        expectNear(f.state.insertionPoint, 40, -20, c.name);
        const CadAttribute& name = ref.attributes()[0];
        const CadAttribute& level = ref.attributes()[1];
        EXPECT_EQ(name.textString(), c.name);
        EXPECT_EQ(level.textString(), "RL = 1234.50m");
        for (const CadAttribute* a : {&name, &level}) {
            EXPECT_EQ(a->horizontalAlignment(), HorizontalAlignment::Center);
            EXPECT_EQ(a->verticalAlignment(), VerticalAlignment::Middle);
        }
        expectNear(name.textAlignmentPoint(), 40, -11.5, c.name);
        expectNear(level.textAlignmentPoint(), 40, -15.5, c.name);
        EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{1, 0, 0})) << c.name;
    }
}

TEST(StartStructure, TheIntakeLevelAlwaysHasTwoDecimals) {
    const struct {
        float level;
        const char* text;
    } cases[] = {{1234.567f, "RL = 1234.57m"},
                 {7, "RL = 7.00m"},
                 {0.5f, "RL = 0.50m"},
                 {0, "RL = 0.00m"},
                 {-3.125f, "RL = -3.13m"}};
    for (const auto& c : cases) {
        SymbolFixture f;
        drawStartStructure(f.state, f.drawing.modelSpace(), "IN1", c.level);
        EXPECT_EQ(f.symbols().at(0)->attributes()[1].textString(), c.text);
    }
}

TEST(StartStructure, OtherNamesDrawNothingAndMarkNoIntake) {
    for (const char* name : {"X1", "CC1", "I", "", " IN1"}) {
        SymbolFixture f;
        drawStartStructure(f.state, f.drawing.modelSpace(), name, 1000);
        EXPECT_TRUE(f.symbols().empty()) << name;
        EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{0, 0, 0})) << name;
    }
}

TEST(StartStructure, AFourthIntakeWidensTheMarks) {
    SymbolFixture f;
    for (const char* name : {"IN1", "IN2", "IN3", "IN4", "IN5"}) {
        drawStartStructure(f.state, f.drawing.modelSpace(), name, 1000);
    }
    EXPECT_EQ(f.symbols().size(), 5u);
    EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{1, 1, 1, 1, 1}));
}

TEST(StartStructure, AFreedMarkIsTakenFirst) {
    SymbolFixture f;
    f.state.intakeFlags = {1, 0, 1};
    drawStartStructure(f.state, f.drawing.modelSpace(), "IN1", 1000);
    EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{1, 1, 1}));
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
