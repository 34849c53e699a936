#include <gtest/gtest.h>

#include <fstream>
#include <numbers>

#include "hosts/cad_drawing.h"
#include "hosts/host_error.h"
#include "support/failure_text.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

constexpr double kPi = std::numbers::pi;

// A block "NODE" with a circle and two attribute definitions (name centred, level baseline-left)
// and a constant one, which references do not get.
void defineNode(Drawing& d) {
    CadBlock& node = d.blocks().add("NODE", {1, 1, 0});
    node.addCircle({1, 1, 0}, 2);
    CadAttributeDefinition& name =
        node.addAttribute(1.5, kAttributeNormal, "Node name", {1, 4, 0}, "NAME", "N?");
    name.setAlignment(TextAlignment::MiddleCenter);
    name.setTextAlignmentPoint({1, 4, 0});
    node.addAttribute(1.0, kAttributeConstant, "", {1, 0, 0}, "KIND", "node");
    node.addAttribute(1.0, kAttributeInvisible, "Level", {3, 1, 0}, "LEVEL", "0.00");
}

TEST(CadBlocks, ReferencesGetTheAttributesOfTheDefinitionsInOrder) {
    Drawing d;
    defineNode(d);
    CadBlockReference& ref = d.modelSpace().insertBlock({10, 20, 0}, "node", 1, 1, 1, 0);
    EXPECT_EQ(ref.name(), "NODE");
    ASSERT_EQ(ref.attributeCount(), 2u);
    EXPECT_EQ(ref.attribute(0).tagString(), "NAME");
    EXPECT_EQ(ref.attribute(0).textString(), "N?");
    EXPECT_EQ(ref.attribute(0).alignment(), TextAlignment::MiddleCenter);
    // Block base (1, 1) lands on (10, 20): the definition at (1, 4) lands at (10, 23).
    EXPECT_EQ(ref.attribute(0).textAlignmentPoint(), (Point{10, 23, 0}));
    EXPECT_EQ(ref.attribute(1).tagString(), "LEVEL");
    EXPECT_TRUE(ref.attribute(1).invisible());
    EXPECT_EQ(ref.attribute(1).insertionPoint(), (Point{12, 20, 0}));
    EXPECT_THROW(ref.attribute(2), HostError);
    ref.attribute(0).setTextString("J4(RL=1012.5m)");
    EXPECT_EQ(ref.attributes()[0].textString(), "J4(RL=1012.5m)");
}

TEST(CadBlocks, AttributesFollowTheReferenceScaleAndRotation) {
    Drawing d;
    defineNode(d);
    CadBlockReference& ref = d.modelSpace().insertBlock({0, 0, 0}, "NODE", 2, 2, 2, kPi / 2);
    const CadAttribute& level = ref.attribute(1);
    // (3, 1) is 2 right of the base; scaled 2 and turned a quarter: 4 up from the insertion.
    EXPECT_NEAR(level.insertionPoint().x, 0, 1e-12);
    EXPECT_NEAR(level.insertionPoint().y, 4, 1e-12);
    EXPECT_DOUBLE_EQ(level.height(), 2.0);
    EXPECT_DOUBLE_EQ(level.rotation(), kPi / 2);
}

TEST(CadBlocks, UnknownBlocksZeroScalesAndSelfReferencesFail) {
    Drawing d("Schematic.dwg");
    defineNode(d);
    EXPECT_EQ(test::failureText<HostError>([&] {
                  d.modelSpace().insertBlock({0, 0, 0}, "TNO", 1, 1, 1, 0);
              }),
              "The block \"TNO\" is not defined in Schematic.dwg");
    EXPECT_THROW(d.modelSpace().insertBlock({0, 0, 0}, "NODE", 0, 1, 1, 0), HostError);
    CadBlock& outer = d.blocks().add("OUTER", {0, 0, 0});
    outer.insertBlock({0, 0, 0}, "NODE", 1, 1, 1, 0);
    EXPECT_THROW(outer.insertBlock({0, 0, 0}, "OUTER", 1, 1, 1, 0), HostError);
    EXPECT_THROW(d.blocks().item("NODE").insertBlock({0, 0, 0}, "OUTER", 1, 1, 1, 0), HostError);
    EXPECT_EQ(d.modelSpace().count(), 0u);
}

TEST(CadBlocks, NamesWithAFolderOrADrawingExtensionAreFiles) {
    for (const char* file : {"Pipe-des-blank.dwg", "x.DXF", "/opt/plovis/Pipe-des-blank",
                             "C:\\PLOVIS\\Pipe-des-blank"})
        EXPECT_TRUE(namesDrawingFile(file)) << file;
    for (const char* block : {"INTAKE_CC", "dwg"})
        EXPECT_FALSE(namesDrawingFile(block)) << block;
}

// A reader standing in for the DXF host: a template with block "T1" on its own layer and a line
// in model space.
std::unique_ptr<Drawing> fakeTemplate(const std::filesystem::path& file,
                                      std::vector<std::string>& read) {
    read.push_back(file.filename().string());
    auto t = std::make_unique<Drawing>(file.filename().string());
    CadLayer& sym = t->layers().add("SYM");
    sym.setColor(3);
    t->linetypes().add({"DASHED", "Dashed", {12.7, -6.35}});
    sym.setLinetype("DASHED");
    t->setActiveLayer(sym);
    t->blocks().add("T1", {0, 0, 0}).addLine({0, 0, 0}, {1, 1, 0});
    t->modelSpace().addLine({0, 0, 0}, {5, 5, 0});
    return t;
}

TEST(CadBlocks, InsertingADrawingFileBringsItsBlocksAndDependencies) {
    test::ScratchDir dir("insert-file");
    std::ofstream(dir / "Pipe-des-blank.dxf") << "stand-in";
    std::vector<std::string> read;
    Drawing d("Drawing1.dwg",
              [&](const std::filesystem::path& f) { return fakeTemplate(f, read); });
    d.blocks().add("T1", {0, 0, 0});  // an existing block is kept, not replaced
    const std::string dwg = (dir / "Pipe-des-blank.dwg").string();
    CadBlockReference& ref = d.modelSpace().insertBlock({0, 0, 0}, dwg, 1, 1, 1, 0);
    EXPECT_EQ(read, (std::vector<std::string>{"Pipe-des-blank.dxf"}));
    EXPECT_EQ(ref.name(), "Pipe-des-blank");
    EXPECT_EQ(d.blocks().item("T1").count(), 0u);
    const CadBlock& file = d.blocks().item("Pipe-des-blank");
    ASSERT_EQ(file.count(), 1u);
    EXPECT_EQ(file.entities()[0]->layer(), "SYM");
    EXPECT_EQ(d.layers().item("SYM").color(), 3);
    EXPECT_EQ(d.layers().item("SYM").linetype(), "DASHED");
    ref.erase();
    EXPECT_EQ(d.modelSpace().count(), 0u);
}

TEST(CadBlocks, MissingOrUnreadableDrawingFilesFail) {
    test::ScratchDir dir("insert-missing");
    std::vector<std::string> read;
    Drawing d("Drawing1.dwg",
              [&](const std::filesystem::path& f) { return fakeTemplate(f, read); });
    EXPECT_THROW(d.modelSpace().insertBlock({0, 0, 0}, (dir / "none.dwg").string(), 1, 1, 1, 0),
                 HostError);
    std::ofstream(dir / "only.dwg") << "AC1015 binary";
    EXPECT_NE(test::failureText<HostError>([&] {
                  d.modelSpace().insertBlock({0, 0, 0}, (dir / "only.dwg").string(), 1, 1, 1, 0);
              }).find("DWG"),
              std::string::npos);
    std::ofstream(dir / "t.dxf") << "x";
    Drawing noReader;
    EXPECT_THROW(noReader.modelSpace().insertBlock({0, 0, 0}, (dir / "t.dxf").string(), 1, 1, 1, 0),
                 HostError);
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(d.modelSpace().count(), 0u);
}

}  // namespace
}  // namespace plovis
