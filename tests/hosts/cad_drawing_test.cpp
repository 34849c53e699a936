// The drawing model: entities, tables, blocks and attributes, what a walk of it shows, and the
// in-memory drawing host.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <numbers>

#include "common/number_format.h"
#include "common/rounding.h"
#include "hosts/cad_drawing.h"
#include "hosts/cad_extents.h"
#include "hosts/cad_walk.h"
#include "hosts/host_error.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"
#include "support/failure_text.h"
#include "support/snapshot.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(CadEntities, NewEntitiesTakeTheCurrentLayerAndTextStyleAndLinesTheirAngle) {
    Drawing d;
    d.setActiveLayer(d.layers().add("GL"));
    d.setActiveTextStyle(d.textStyles().add("romans"));
    CadLine& line = d.modelSpace().addLine({0, 0, 0}, {10, 0, 0});
    CadText& text = d.modelSpace().addText("BPC1", {5, 5, 0}, 1.5);
    d.setActiveLayer(d.layers().item("0"));
    CadCircle& circle = d.modelSpace().addCircle({1, 2, 0}, 3);
    EXPECT_EQ(line.layer() + " " + text.layer() + " " + text.styleName() + " " + circle.layer() +
                  " " + circle.linetype(),
              "GL GL romans 0 ByLayer");
    EXPECT_EQ(circle.color(), kColorByLayer);
    EXPECT_EQ(d.modelSpace().count(), 3u);
    // A line's angle runs counterclockwise from zero to two pi.
    const std::pair<Point, double> cases[] = {{{1, 0, 0}, 0},          {{1, 1, 0}, kPi / 4},
                                              {{0, 1, 0}, kPi / 2},    {{-1, 0, 0}, kPi},
                                              {{0, -1, 0}, 1.5 * kPi}, {{1, -1, 0}, 1.75 * kPi}};
    for (auto [end, angle] : cases) {
        const double a = d.modelSpace().addLine({0, 0, 0}, end).angle();
        EXPECT_NEAR(a, angle, 1e-12) << end.x << "," << end.y;
        EXPECT_TRUE(a >= 0 && a < 2 * kPi) << a;
    }
}

TEST(CadEntities, NumbersTheHostWouldRefuseFail) {
    Drawing d;
    CadBlock& ms = d.modelSpace();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(ms.addLine({nan, 0, 0}, {1, 1, 0}), HostError);
    EXPECT_THROW(ms.addLine({0, 0, 0}, {inf, 1, 0}), HostError);
    EXPECT_THROW(ms.addLine({0, 0, 0}, {1e308, 1, 0}), HostError);
    for (double radius : {0.0, -1.0})
        EXPECT_THROW(ms.addCircle({0, 0, 0}, radius), HostError) << radius;
    for (double height : {0.0, nan})
        EXPECT_THROW(ms.addText("x", {0, 0, 0}, height), HostError) << height;
    for (const std::vector<double>& xy : {std::vector<double>{0, 0, 10}, {0, 0}})
        EXPECT_THROW(ms.addLightWeightPolyline(xy), HostError) << xy.size();
    EXPECT_EQ(ms.count(), 0u);
    CadText& t = ms.addText("x", {0, 0, 0}, 1);
    EXPECT_THROW(t.setRotation(inf), HostError);
    EXPECT_THROW(t.setHorizontalAlignment(6), HostError);
    EXPECT_THROW(t.setVerticalAlignment(-1), HostError);
    EXPECT_THROW(t.setAlignment(15), HostError);
    EXPECT_THROW(t.setColor(257), HostError);
}

// The routines' text sequence: add at a point, then vertical and horizontal alignment, alignment
// point and rotation. Aligned, middle and fit live only on the baseline. Combined alignment codes
// split into the two alignments.
TEST(CadEntities, AlignedTextStandsOnItsAlignmentPoint) {
    Drawing d;
    CadText& t = d.modelSpace().addText("1203.4", {7, 8, 0}, 1.5);
    EXPECT_TRUE(t.baselineLeft());
    EXPECT_EQ(t.textAlignmentPoint(), (Point{}));
    EXPECT_THROW(t.setTextAlignmentPoint({1, 1, 0}), HostError);
    t.setVerticalAlignment(2);
    EXPECT_EQ(t.textAlignmentPoint(), (Point{7, 8, 0}));  // stands where it was added
    t.setHorizontalAlignment(0);
    t.setTextAlignmentPoint({20, 30, 0});
    t.setRotation(kPi / 2);
    EXPECT_EQ(t.insertionPoint(), (Point{7, 8, 0}));
    CadText& fit = d.modelSpace().addText("top, then fit", {0, 0, 0}, 2);
    fit.setVerticalAlignment(VerticalAlignment::Top);
    fit.setHorizontalAlignment(HorizontalAlignment::Fit);
    CadText& middle = d.modelSpace().addText("fit, then middle", {0, 0, 0}, 2);
    middle.setAlignment(TextAlignment::Fit);
    middle.setVerticalAlignment(VerticalAlignment::Middle);
    for (int code : {0, 1, 4, 5, 7, 9, 11, 13, 14})
        d.modelSpace().addText(std::to_string(code), {0, 0, 0}, 2).setAlignment(code);
    test::expectGoldenDrawing(d, "hosts", "text_alignments");
}

TEST(CadEntities, ErasedEntitiesLeaveTheListButTheirHandlesStayReadable) {
    Drawing d;
    CadLine& a = d.modelSpace().addLine({0, 0, 0}, {1, 0, 0});
    CadLine& b = d.modelSpace().addLine({0, 0, 0}, {2, 0, 0});
    d.markSaved();
    a.erase();
    a.erase();  // a second erase changes nothing
    EXPECT_TRUE(a.erased() && d.modified());
    EXPECT_EQ(d.modelSpace().entities(), std::vector<CadEntity*>{&b});
    EXPECT_EQ(d.modelSpace().count(), 1u);
    EXPECT_EQ(d.modelSpace().items().size(), 2u);
    EXPECT_DOUBLE_EQ(a.length(), 1);
}

struct CadTables : ::testing::Test {
    void SetUp() override { ::setenv("PLOVIS_DATA_DIR", (test::sourceDir() / "data").c_str(), 1); }
    void TearDown() override { ::unsetenv("PLOVIS_DATA_DIR"); }
    Drawing drawing{"Profile.dwg"};
};

TEST_F(CadTables, NewDrawingHasLayerZeroStandardStyleAndBuiltInLineTypesThenLayersByName) {
    EXPECT_EQ(drawing.layers().count(), 1);
    EXPECT_EQ(drawing.activeLayer().name() + " " + std::to_string(drawing.activeLayer().color()) +
                  " " + drawing.activeTextStyle().name(),
              "0 7 Standard");
    ASSERT_EQ(drawing.linetypes().count(), 3);
    for (int i = 0; const char* name : {"ByBlock", "ByLayer", "Continuous"})
        EXPECT_EQ(drawing.linetypes().at(i++).name, name);
    EXPECT_FALSE(drawing.modified());
    // Layers by name ignoring case, with colours and loaded line types only.
    CadLayer& gl = drawing.layers().add("GL");
    gl.setColor(1);
    EXPECT_EQ(&drawing.layers().add("gl"), &gl);
    EXPECT_EQ(&drawing.layers().item("Gl"), &gl);
    EXPECT_EQ(std::pair(gl.color(), drawing.layers().count()), std::pair(1, 2));
    EXPECT_TRUE(drawing.modified());
    for (const char* bad : {"", "a/b", "x:y", "q?", "star*", "new\nline"})
        EXPECT_THROW(drawing.layers().add(bad), HostError) << bad;
    for (int bad : {0, 256})
        EXPECT_THROW(gl.setColor(bad), HostError) << bad;
    gl.setColor(255);
    EXPECT_EQ(gl.color(), 255);
    EXPECT_THROW(drawing.layers().item("HGL"), HostError);
    // A layer takes only a loaded line type.
    EXPECT_THROW(gl.setLinetype("HIDDEN"), HostError);
    EXPECT_EQ(gl.linetype(), "Continuous");
    drawing.linetypes().load("HIDDEN", "acad.lin");
    gl.setLinetype("hidden");
    EXPECT_EQ(gl.linetype(), "HIDDEN");
    gl.setLinetype("CONTINUOUS");
    EXPECT_EQ(gl.linetype(), "Continuous");
    EXPECT_THROW(gl.setLinetype("ByLayer"), HostError);
}

TEST_F(CadTables, TheCurrentLayerCannotBeFrozenNorAFrozenLayerMadeCurrent) {
    CadLayer& grid = drawing.layers().add("Grid");
    drawing.setActiveLayer(grid);
    EXPECT_THROW(grid.setFrozen(true), HostError);
    EXPECT_FALSE(grid.frozen());
    drawing.setActiveLayer(drawing.layers().item("0"));
    grid.setFrozen(true);
    EXPECT_THROW(drawing.setActiveLayer(grid), HostError);
    EXPECT_EQ(drawing.activeLayer().name(), "0");
    grid.setFrozen(false);
    grid.setLocked(true);
    grid.setOn(false);
    drawing.setActiveLayer(grid);
    EXPECT_TRUE(grid.locked() && !grid.on());
}

TEST_F(CadTables, LineTypesLoadFromOurOwnFileOnceAndByKnownNameOnlyTextStylesByName) {
    drawing.linetypes().load("HIDDEN", "acad.lin");
    const CadLinetype* hidden = drawing.linetypes().find("hidden");
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(hidden->name, "HIDDEN");
    EXPECT_EQ(hidden->pattern, (std::vector<double>{6.35, -3.175}));
    EXPECT_NE(hidden->description.find("Hidden"), std::string::npos);
    drawing.linetypes().load("DASHED", "acadiso.lin");
    EXPECT_THROW(drawing.linetypes().load("Hidden", "acad.lin"), HostError);
    const std::string unknown =
        test::failureText<HostError>([&] { drawing.linetypes().load("ZIGZAG", "acad.lin"); });
    EXPECT_NE(unknown.find("ZIGZAG"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("plovis.lin"), std::string::npos) << unknown;
    EXPECT_THROW(drawing.linetypes().load("HIDDEN2", "/no/such/file.lin"), HostError);
    EXPECT_EQ(drawing.linetypes().count(), 5);
    // Text styles: by name ignoring case, with a font, one of them current.
    CadTextStyle& romans = drawing.textStyles().add("romans");
    romans.setFontFile("romans.shx");
    EXPECT_EQ(&drawing.textStyles().add("ROMANS"), &romans);
    EXPECT_EQ(drawing.textStyles().item("Romans").fontFile(), "romans.shx");
    drawing.setActiveTextStyle(drawing.textStyles().item("romans"));
    EXPECT_EQ(drawing.activeTextStyle().name(), "romans");
    EXPECT_THROW(drawing.textStyles().item("romand"), HostError);
    EXPECT_THROW(romans.setWidthFactor(0), HostError);
}

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

// Block base (1, 1) on (10, 20): the name defined at (1, 4) lands at (10, 23). The level (3, 1),
// 2 right of the base, scaled 2 and turned a quarter, lands 4 up from its insertion point.
TEST(CadBlocks, ReferencesGetTheAttributesOfTheDefinitionsInOrderScaledAndTurned) {
    Drawing d;
    defineNode(d);
    CadBlockReference& ref = d.modelSpace().insertBlock({10, 20, 0}, "node", 1, 1, 1, 0);
    EXPECT_THROW(ref.attribute(2), HostError);
    ref.attribute(0).setTextString("J4(RL=1012.5m)");
    d.modelSpace().insertBlock({0, 0, 0}, "NODE", 2, 2, 2, kPi / 2);
    test::expectGoldenDrawing(d, "hosts", "block_references");
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
    for (const char* file : {"Pipe-des-blank.dwg", "x.DXF", "/opt/plovis/Pipe-des-blank",
                             "C:\\PLOVIS\\Pipe-des-blank"})
        EXPECT_TRUE(namesDrawingFile(file)) << file;  // a folder or a drawing extension
    for (const char* block : {"INTAKE_CC", "dwg"})
        EXPECT_FALSE(namesDrawingFile(block)) << block;
}

// A reader standing in for the DXF host: a template with an anonymous block "*U1", block "T1" on
// its own layer and a line in model space.
std::unique_ptr<Drawing> fakeTemplate(const std::filesystem::path& file,
                                      std::vector<std::string>& read) {
    read.push_back(file.filename().string());
    auto t = std::make_unique<Drawing>(file.filename().string());
    CadLayer& sym = t->layers().add("SYM");
    sym.setColor(3);
    t->linetypes().add({"DASHED", "Dashed", {12.7, -6.35}});
    sym.setLinetype("DASHED");
    t->setActiveLayer(sym);
    t->blocks().add("*U1", {0, 0, 0}).addCircle({0, 0, 0}, 1);
    t->blocks().add("T1", {0, 0, 0}).addLine({0, 0, 0}, {1, 1, 0});
    t->modelSpace().addLine({0, 0, 0}, {5, 5, 0});
    return t;
}

TEST(CadBlocks, InsertingADrawingFileBringsItsBlocksAndDependenciesOrFails) {
    test::ScratchDir dir("insert-file");
    std::ofstream(dir / "Pipe-des-blank.dxf") << "stand-in";
    std::vector<std::string> read;
    Drawing d("Drawing1.dwg",
              [&](const std::filesystem::path& f) { return fakeTemplate(f, read); });
    auto insert = [&](Drawing& into, const char* file) -> CadBlockReference& {
        return into.modelSpace().insertBlock({0, 0, 0}, (dir / file).string(), 1, 1, 1, 0);
    };
    EXPECT_THROW(insert(d, "none.dwg"), HostError);
    std::ofstream(dir / "only.dwg") << "AC1015 binary";
    EXPECT_NE(test::failureText<HostError>([&] { insert(d, "only.dwg"); }).find("DWG"),
              std::string::npos);
    Drawing noReader;
    EXPECT_THROW(insert(noReader, "Pipe-des-blank.dxf"), HostError);
    EXPECT_TRUE(read.empty());
    d.blocks().add("T1", {0, 0, 0});  // an existing block is kept, not replaced
    CadBlockReference& ref = insert(d, "Pipe-des-blank.dwg");
    EXPECT_EQ(read, (std::vector<std::string>{"Pipe-des-blank.dxf"}));
    EXPECT_EQ(ref.name(), "Pipe-des-blank");
    EXPECT_EQ(d.blocks().item("T1").count(), 0u);
    EXPECT_EQ(d.blocks().item("*U1").count(), 1u);
    const CadBlock& file = d.blocks().item("Pipe-des-blank");
    ASSERT_EQ(file.count(), 1u);
    EXPECT_EQ(file.entities()[0]->layer(), "SYM");
    EXPECT_EQ(d.layers().item("SYM").color(), 3);
    EXPECT_EQ(d.layers().item("SYM").linetype(), "DASHED");
    ref.erase();
    EXPECT_EQ(d.modelSpace().count(), 0u);
}

// Each line shown, as "<layer> <colour> <line type> <start x>,<start y>".
std::vector<std::string> shownLines(const Drawing& d) {
    std::vector<std::string> shown;
    WalkVisitor v;
    v.entity = [&](const CadEntity& e, const Transform2D& t, const ShownStyle& s) {
        if (const auto* line = entityAs<CadLine>(e)) {
            const Point p = t.apply(line->startPoint());
            shown.push_back(s.layer->name() + " " + std::to_string(s.color) + " " +
                            (s.linetype ? s.linetype->name : "-") + " " + generalForm(p.x) + "," +
                            generalForm(p.y));
        }
    };
    walkModelSpace(d, v);
    return shown;
}

// A block "SYM" with a line on layer 0 (colour by block) and a line on its own layer "FIXED".
struct CadWalk : ::testing::Test {
    CadWalk() {
        d.linetypes().add({"HIDDEN", "", {6.35, -3.175}});
        CadLayer& hgl = d.layers().add("HGL");
        hgl.setColor(6);
        hgl.setLinetype("HIDDEN");
        d.layers().add("FIXED").setColor(2);
        CadBlock& sym = d.blocks().add("SYM", {0, 0, 0});
        sym.addLine({1, 0, 0}, {2, 0, 0}).setColor(kColorByBlock);
        d.setActiveLayer(d.layers().item("FIXED"));
        sym.addLine({3, 0, 0}, {4, 0, 0});
        d.setActiveLayer(hgl);
    }
    Drawing d;
};

TEST_F(CadWalk, LayerZeroAndByBlockTakeTheReferenceAndOffOrFrozenLayersHide) {
    d.modelSpace().insertBlock({100, 0, 0}, "SYM", 1, 1, 1, 0).setColor(5);
    EXPECT_EQ(shownLines(d), (std::vector<std::string>{"HGL 5 HIDDEN 101,0", "FIXED 2 - 103,0"}));
    // An off layer hides its own entities, a frozen one the whole block.
    d.setActiveLayer(d.layers().item("0"));
    d.layers().item("HGL").setOn(false);
    EXPECT_EQ(shownLines(d), std::vector<std::string>{"FIXED 2 - 103,0"});
    d.layers().item("HGL").setOn(true);
    d.layers().item("HGL").setFrozen(true);
    EXPECT_TRUE(shownLines(d).empty());
}

// A reference inside a block: SYM at (5, 2) in OUTER, turned by the angle whose cosine is 0.8;
// OUTER at (100, 50), scaled 2 by 3, turned the same. Each line's start goes through both.
TEST_F(CadWalk, NestedReferencesComposeTheirPlacements) {
    const double turn = std::atan2(0.6, 0.8);
    d.blocks().add("OUTER", {0, 0, 0}).insertBlock({5, 2, 0}, "SYM", 1, 1, 1, turn);
    d.modelSpace().insertBlock({100, 50, 0}, "OUTER", 2, 3, 1, turn);
    EXPECT_EQ(shownLines(d),
              (std::vector<std::string>{"HGL 6 HIDDEN 104.6,63.2", "FIXED 2 - 105,68"}));
}

TEST_F(CadWalk, ExtentsFollowReferencesAndLeaveOutHiddenLayers) {
    d.modelSpace().insertBlock({10, 10, 0}, "SYM", 2, 2, 1, kPi / 2);
    const auto shown = [&] {
        const Extents e = modelSpaceExtents(d);
        return generalForm(roundOff(e.minX, 9)) + ".." + generalForm(roundOff(e.maxX, 9)) + " " +
               generalForm(roundOff(e.minY, 9)) + ".." + generalForm(roundOff(e.maxY, 9));
    };
    // The block's lines from x 1 to 4, scaled 2 and turned a quarter, reach y 12 to 18 at x 10.
    EXPECT_EQ(shown(), "10..10 12..18");
    d.layers().item("FIXED").setOn(false);
    EXPECT_EQ(shown(), "10..10 12..14");
    EXPECT_TRUE(modelSpaceExtents(Drawing()).empty());
}

TEST(CadExtents, TextBoxesStandOnTheirAlignment) {
    Drawing d;
    CadText& right = d.modelSpace().addText("12345", {0, 0, 0}, 2);
    right.setAlignment(TextAlignment::MiddleRight);
    right.setTextAlignmentPoint({50, 10, 0});
    const auto box = estimatedTextBox(right);
    const double w = estimatedTextWidth("12345", 2, 1);
    EXPECT_DOUBLE_EQ(w, 8.0);
    EXPECT_DOUBLE_EQ(box[1].x, 50);  // right edge on the alignment point
    EXPECT_DOUBLE_EQ(box[0].x, 50 - w);
    EXPECT_NEAR((box[0].y + box[3].y) / 2, 10 - 0.33, 1e-9);  // capitals centred on y 10
    EXPECT_DOUBLE_EQ(estimatedTextWidth("Ø63", 1, 1), 2.4);   // characters, not bytes
}

// Opening files and scripted picks are exercised by the profile, ground-profile and sample
// drawing tests, which run their commands against this host.
TEST(CadHost, AttachFailsUntilStartedAndObtainingADrawingAddsOneOnlyWhenNoneIsOpen) {
    ScriptedCadUtility utility;
    MemoryCadHost stopped(utility, /*running=*/false);
    EXPECT_THROW(obtainDrawing(stopped), HostError);
    stopped.start();  // with a drawing of its own
    EXPECT_EQ(&obtainDrawing(stopped), &stopped.activeDocument());
    EXPECT_EQ(stopped.documentCount(), 1);
    EXPECT_TRUE(stopped.visible());

    MemoryCadHost host(utility);
    EXPECT_THROW(host.activeDocument(), HostError);
    Drawing& first = obtainDrawing(host);
    EXPECT_EQ(first.name(), "Drawing1.dwg");
    EXPECT_EQ(&obtainDrawing(host), &first);
    EXPECT_EQ(host.documentCount(), 1);
    EXPECT_NE(host.caption().find("Drawing1.dwg"), std::string::npos);
    EXPECT_THROW(host.open("/x.dxf"), HostError);  // no file reader
}

}  // namespace
}  // namespace plovis
