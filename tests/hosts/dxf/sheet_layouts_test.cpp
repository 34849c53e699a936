// The sheets of a drawing saved as paper-space layouts: ezdxf reads one layout per sheet with a
// viewport showing the sheet's rectangle at 1:1 (a drawing without sheets keeps its one empty
// layout), compared with tests/hosts/dxf/golden/sheet_layouts.txt; our reader reads the same
// sheets back.
#include <gtest/gtest.h>

#include <tuple>

#include "dxf_test_support.h"
#include "hosts/dxf/dxf_file.h"
#include "support/snapshot.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

TEST(SheetLayouts, OneLayoutPerSheetWithItsViewportAtOneToOne) {
    Drawing d("sheets.dwg"), plain("plain.dwg");
    d.modelSpace().addLine({0, 0, 0}, {2000, 300, 0});
    d.sheets().add("Main line 1", *isoPaper("A3"), -10, 20);
    d.sheets().add("Main/line: 2", *isoPaper("A3"), 500, 20);  // characters layouts refuse
    d.sheets().add("Main line 1", paperFitting(1500, 100), 1000.5, -40);
    plain.modelSpace().addLine({0, 0, 0}, {10, 10, 0});
    test::ScratchDir dir("sheet-layouts");
    saveDxfFile(d, dir / "sheets.dxf");
    saveDxfFile(plain, dir / "plain.dxf");
    test::expectGolden(test::ezdxfDump({dir / "sheets.dxf", dir / "plain.dxf"}), "hosts/dxf",
                       "sheet_layouts");
    EXPECT_TRUE(readDxfFile(dir / "plain.dxf")->sheets().empty());
    const auto back = readDxfFile(dir / "sheets.dxf");
    ASSERT_EQ(back->sheets().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const DrawingSheet& want = d.sheets().list()[i];
        const DrawingSheet& got = back->sheets().list()[i];
        EXPECT_EQ(got.name + " " + got.paper.name, want.name + " " + want.paper.name);
        EXPECT_EQ(std::tuple(got.minX, got.minY, got.paper.widthMm),
                  std::tuple(want.minX, want.minY, want.paper.widthMm));
    }
}

}  // namespace
}  // namespace plovis
