#include <gtest/gtest.h>
#include <stdlib.h>

#include "hosts/cad_drawing.h"
#include "hosts/host_error.h"
#include "support/failure_text.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

struct CadTables : ::testing::Test {
    void SetUp() override { ::setenv("PLOVIS_DATA_DIR", (test::sourceDir() / "data").c_str(), 1); }
    void TearDown() override { ::unsetenv("PLOVIS_DATA_DIR"); }
    Drawing drawing{"Profile.dwg"};
};

TEST_F(CadTables, NewDrawingHasLayerZeroStandardStyleAndTheThreeBuiltInLineTypes) {
    EXPECT_EQ(drawing.layers().count(), 1);
    EXPECT_EQ(drawing.activeLayer().name() + " " + std::to_string(drawing.activeLayer().color()),
              "0 7");
    EXPECT_EQ(drawing.activeTextStyle().name(), "Standard");
    ASSERT_EQ(drawing.linetypes().count(), 3);
    for (int i = 0; const char* name : {"ByBlock", "ByLayer", "Continuous"})
        EXPECT_EQ(drawing.linetypes().at(i++).name, name);
    EXPECT_FALSE(drawing.modified());
}

TEST_F(CadTables, AddingALayerTwiceGivesTheSameLayerIgnoringCase) {
    CadLayer& gl = drawing.layers().add("GL");
    gl.setColor(1);
    CadLayer& again = drawing.layers().add("gl");
    EXPECT_EQ(&gl, &again);
    EXPECT_EQ(again.color(), 1);
    EXPECT_EQ(drawing.layers().count(), 2);
    EXPECT_EQ(&drawing.layers().item("Gl"), &gl);
    EXPECT_TRUE(drawing.modified());
}

TEST_F(CadTables, BadLayerNamesAndColoursFail) {
    for (const char* bad : {"", "a/b", "x:y", "q?", "star*", "new\nline"}) {
        EXPECT_THROW(drawing.layers().add(bad), HostError) << bad;
    }
    CadLayer& spl = drawing.layers().add("SPL");
    EXPECT_THROW(spl.setColor(0), HostError);
    EXPECT_THROW(spl.setColor(256), HostError);
    spl.setColor(255);
    EXPECT_EQ(spl.color(), 255);
    EXPECT_THROW(drawing.layers().item("HGL"), HostError);
}

TEST_F(CadTables, ALayerTakesOnlyALoadedLineType) {
    CadLayer& hgl = drawing.layers().add("HGL");
    EXPECT_THROW(hgl.setLinetype("HIDDEN"), HostError);
    EXPECT_EQ(hgl.linetype(), "Continuous");
    drawing.linetypes().load("HIDDEN", "acad.lin");
    hgl.setLinetype("hidden");
    EXPECT_EQ(hgl.linetype(), "HIDDEN");
    hgl.setLinetype("CONTINUOUS");
    EXPECT_EQ(hgl.linetype(), "Continuous");
    EXPECT_THROW(hgl.setLinetype("ByLayer"), HostError);
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
    EXPECT_TRUE(grid.locked());
    EXPECT_FALSE(grid.on());
}

TEST_F(CadTables, LoadingHiddenFromAcadLinReadsOurOwnFile) {
    drawing.linetypes().load("HIDDEN", "acad.lin");
    const CadLinetype* hidden = drawing.linetypes().find("hidden");
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(hidden->name, "HIDDEN");
    EXPECT_EQ(hidden->pattern, (std::vector<double>{6.35, -3.175}));
    EXPECT_NE(hidden->description.find("Hidden"), std::string::npos);
    drawing.linetypes().load("DASHED", "acadiso.lin");
    EXPECT_EQ(drawing.linetypes().count(), 5);
}

TEST_F(CadTables, LoadingFailsForALoadedNameAnUnknownNameOrAMissingFile) {
    drawing.linetypes().load("HIDDEN", "acad.lin");
    EXPECT_THROW(drawing.linetypes().load("Hidden", "acad.lin"), HostError);
    const std::string unknown =
        test::failureText<HostError>([&] { drawing.linetypes().load("ZIGZAG", "acad.lin"); });
    EXPECT_NE(unknown.find("ZIGZAG"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("plovis.lin"), std::string::npos) << unknown;
    EXPECT_THROW(drawing.linetypes().load("HIDDEN2", "/no/such/file.lin"), HostError);
    EXPECT_EQ(drawing.linetypes().count(), 4);
}

TEST_F(CadTables, TextStylesAddItemFontAndCurrentStyle) {
    CadTextStyle& romans = drawing.textStyles().add("romans");
    romans.setFontFile("romans.shx");
    EXPECT_EQ(&drawing.textStyles().add("ROMANS"), &romans);
    EXPECT_EQ(drawing.textStyles().item("Romans").fontFile(), "romans.shx");
    drawing.setActiveTextStyle(drawing.textStyles().item("romans"));
    EXPECT_EQ(drawing.activeTextStyle().name(), "romans");
    EXPECT_THROW(drawing.textStyles().item("romand"), HostError);
    EXPECT_THROW(romans.setWidthFactor(0), HostError);
}

}  // namespace
}  // namespace plovis
