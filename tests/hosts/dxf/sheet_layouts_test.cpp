// The sheets of a drawing saved as paper-space layouts: ezdxf reads one layout per sheet with a
// viewport showing the sheet's rectangle at 1:1, and our reader reads the same sheets back.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

#include "hosts/dxf/dxf_file.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

std::string layoutsOf(const std::filesystem::path& file) {
    const std::string command = "/usr/bin/python3 " +
                                (test::sourceDir() / "tests/hosts/dxf/ezdxf_layouts.py").string() +
                                " '" + file.string() + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string out;
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
        out.append(buffer.data(), n);
    return out;
}

TEST(SheetLayouts, OneLayoutPerSheetWithItsViewportAtOneToOne) {
    Drawing d("sheets.dwg");
    d.modelSpace().addLine({0, 0, 0}, {2000, 300, 0});
    d.sheets().add("Main line 1", *isoPaper("A3"), -10, 20);
    d.sheets().add("Main/line: 2", *isoPaper("A3"), 500, 20);  // characters layouts refuse
    d.sheets().add("Main line 1", paperFitting(1500, 100), 1000.5, -40);
    test::ScratchDir dir("sheet-layouts");
    saveDxfFile(d, dir / "sheets.dxf");
    EXPECT_EQ(layoutsOf(dir / "sheets.dxf"),
              "audit errors=0 fixes=0\n"
              "Main line 1 paper=420x297 viewports=1 at=(210,148.5) size=420x297 "
              "view=(200,168.5) h=297 scale=1\n"
              "Main_line_ 2 paper=420x297 viewports=1 at=(210,148.5) size=420x297 "
              "view=(710,168.5) h=297 scale=1\n"
              "Main line 1 (2) paper=1500x100 viewports=1 at=(750,50) size=1500x100 "
              "view=(1750.5,10) h=100 scale=1\n");

    const auto back = readDxfFile(dir / "sheets.dxf");
    ASSERT_EQ(back->sheets().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const DrawingSheet& want = d.sheets().list()[i];
        const DrawingSheet& got = back->sheets().list()[i];
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.paper.name, want.paper.name);
        EXPECT_DOUBLE_EQ(got.minX, want.minX);
        EXPECT_DOUBLE_EQ(got.minY, want.minY);
        EXPECT_DOUBLE_EQ(got.paper.widthMm, want.paper.widthMm);
    }
}

// A drawing without sheets keeps its one empty layout and reads back without sheets.
TEST(SheetLayouts, ADrawingWithoutSheetsHasTheUsualLayout) {
    Drawing d("plain.dwg");
    d.modelSpace().addLine({0, 0, 0}, {10, 10, 0});
    test::ScratchDir dir("sheet-layouts");
    saveDxfFile(d, dir / "plain.dxf");
    EXPECT_EQ(layoutsOf(dir / "plain.dxf"),
              "audit errors=0 fixes=0\nLayout1 paper=420x297 viewports=0\n");
    EXPECT_TRUE(readDxfFile(dir / "plain.dxf")->sheets().empty());
}

}  // namespace
}  // namespace plovis
