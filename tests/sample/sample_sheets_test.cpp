// The sample's profile at A3 laid out on paper: one A3 sheet per paper drawn, named after its
// branch and sheet number, side by side without overlapping, each sheet's scale text on its own
// paper and clear of the next sheet's title lines.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "commands/profile_command.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"
#include "sample_fixture.h"
#include "support/drawn_entities.h"

namespace plovis {
namespace {

TEST(SampleSheets, TheProfileAtA3HasOnePaperPerSheetDrawn) {
    test::SampleFixture f;
    ::setenv("PLOVIS_DATA_DIR", (test::sourceDir() / "data").c_str(), 1);
    ScriptedCadUtility utility;
    MemoryCadHost cad{utility, true, dxfFileReader()};
    f.workbook->setActiveSheet("PD-CW-Sample");
    f.workbook->setSelection({15, 2, test::lastDesignRow(f.workbook->sheet("PD-CW-Sample")), 2});
    ProfileCommand command;
    command.templateFile = templateDrawingPath();
    ASSERT_TRUE(runProfileCommand(command, {"5000", "1000", "A3"}, f.host, cad, f.ui));
    const Drawing& d = *command.cad.document;

    const struct {
        const char* name;
        double minX;
    } expected[] = {{"Main Line_ Intake to Reservoir 1", 268.5},
                    {"Main Line_ Intake to Reservoir 2", 850.3},
                    {"Branch A_ Thulo Gaun 1", 1270.3},
                    {"Branch B_ Sano Gaun 1", 1810.8}};
    const auto& sheets = d.sheets().list();
    ASSERT_EQ(sheets.size(), std::size(expected));
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        EXPECT_EQ(sheets[i].name, expected[i].name);
        EXPECT_EQ(sheets[i].paper.name, "A3");
        EXPECT_NEAR(sheets[i].minX, expected[i].minX, 1e-6) << i;
        EXPECT_NEAR(sheets[i].minY, 20, 1e-6) << i;  // 75 under the table's top line
        if (i > 0) {
            EXPECT_LE(sheets[i - 1].maxX(), sheets[i].minX + 1e-9) << i;
        }
    }

    // The short last sheet of the main line: its scale text ends at 1246.8 on its own paper;
    // the next paper's sheet line starts at 1278.8 (it started at 1224, under the scale text).
    std::vector<double> scaleEnds, sheetLineStarts;
    for (const CadText* t : test::drawn<CadText>(d)) {
        if (t->textString().starts_with("Scale:")) scaleEnds.push_back(t->textAlignmentPoint().x);
        if (t->textString().starts_with("( Sheet No:"))
            sheetLineStarts.push_back(t->textAlignmentPoint().x);
    }
    ASSERT_GE(scaleEnds.size(), 2u);
    ASSERT_GE(sheetLineStarts.size(), 3u);
    EXPECT_NEAR(scaleEnds[1], 1246.8, 1e-6);
    EXPECT_LE(scaleEnds[1], sheets[1].maxX());
    EXPECT_NEAR(sheetLineStarts[2], 1278.8, 1e-6);
}

}  // namespace
}  // namespace plovis
