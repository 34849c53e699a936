// The three drawings made from the sample scheme workbook, in memory, with the template drawing
// shipped in data/: each completes without a message and shows the scheme.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "commands/schematic_command.h"
#include "commands/ground_profile_dialog.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"
#include "commands/profile_command.h"
#include "sample_fixture.h"
#include "support/drawn_entities.h"

namespace plovis {
namespace {

bool holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The sample with its design table selected from the first branch title down, and a drawing host
// that reads drawing files (the template among them) from the source tree's data/.
struct DrawingFixture : test::SampleFixture {
    ScriptedCadUtility utility;
    MemoryCadHost cad{utility, true, dxfFileReader()};
    std::filesystem::path templateFile;
    std::vector<std::string> branchTitles;

    DrawingFixture() {
        ::setenv("PLOVIS_DATA_DIR", (test::sourceDir() / "data").c_str(), 1);
        templateFile = templateDrawingPath();
        Worksheet& design = workbook->sheet("PD-CW-Sample");
        const int last = test::lastDesignRow(design);
        workbook->setActiveSheet("PD-CW-Sample");
        workbook->setSelection({15, 2, last, 2});
        for (int row = 15; row <= last; ++row) {
            if (isEmpty(design.cell(row, 2))) branchTitles.push_back(cellText(design.cell(row, 3)));
        }
    }
};

TEST(SampleDrawings, TheProfileOfEveryBranch) {
    DrawingFixture f;
    ProfileCommand command;
    command.templateFile = f.templateFile;
    const ProfileInputs a3{"5000", "1000", "A3"};
    ASSERT_TRUE(runProfileCommand(command, a3, f.host, f.cad, f.ui));
    EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{});
    EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Drawing in AutoCAD is completed.");
    const Drawing& d = *command.cad.document;
    const std::vector<std::string> texts = test::textsOf(d);
    ASSERT_EQ(f.branchTitles.size(), 4u);
    for (const std::string& title : f.branchTitles)
        EXPECT_TRUE(holds(texts, title)) << title;
    const auto titled = std::count_if(texts.begin(), texts.end(), [](const std::string& t) {
        return t.ends_with(" of Sundarpur Gravity Water Supply Scheme");
    });
    EXPECT_GE(titled, 4);  // a title line on every sheet
    // The main line's break pressure tank restarts the static pressure line.
    EXPECT_TRUE(holds(texts, "SPL(1862.4)"));
    EXPECT_TRUE(holds(texts, "SPL(1794.2)"));
    std::size_t structures = 0;
    for (const CadBlockReference* r : test::drawn<CadBlockReference>(d))
        structures += r->name() == "TAP";
    EXPECT_GE(structures, 9u);  // the nine tap stands, some shown at both ends of a sheet
}

TEST(SampleDrawings, TheSchematicOfTheNetwork) {
    DrawingFixture f;
    ASSERT_TRUE(schematicCommand(f.host, f.cad, f.ui, f.templateFile));
    EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{});
    const Drawing& d = f.cad.activeDocument();
    const std::vector<std::string> texts = test::textsOf(d);
    EXPECT_TRUE(holds(texts, "Scheme Name: Sundarpur Gravity Water Supply Scheme"));
    EXPECT_TRUE(holds(texts, "Source: Sim Dhara spring"));
    EXPECT_TRUE(holds(texts, "Safe Yield = 1.200 lps"));
    std::vector<std::string> symbols;
    for (const CadBlockReference* r : test::drawn<CadBlockReference>(d))
        symbols.push_back(r->name() + " " + r->attributes()[0].textString().substr(0, 4));
    EXPECT_EQ(std::count(symbols.begin(), symbols.end(), "INTAKE IN1"), 1);
    EXPECT_EQ(std::count_if(symbols.begin(), symbols.end(),
                            [](const std::string& s) { return s.starts_with("TNO T"); }),
              9);
    EXPECT_EQ(std::count_if(symbols.begin(), symbols.end(),
                            [](const std::string& s) { return s.starts_with("RVT RVT1"); }),
              1);
    // Every branch is drawn from a node already placed: nothing lands at the spacing of a
    // separate network.
    for (const CadLine* l : test::drawn<CadLine>(d)) {
        EXPECT_LT(std::abs(l->startPoint().y), 400) << "a stroke far below the network";
    }
}

TEST(SampleDrawings, TheExistingGroundProfile) {
    DrawingFixture f;
    GroundProfileDialog dialog;
    dialog.selectPaper("A3");
    f.utility.pickPoint({0, 0, 0});
    const GroundProfileResult r = dialog.draw(f.cad, f.host, f.ui);
    EXPECT_EQ(r.outcome, GroundProfileOutcome::Drawn) << r.failure;
    EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{});
    EXPECT_GE(r.sheetsDrawn, 4);  // a sheet or more for every branch
    EXPECT_TRUE(dialog.closeRequested);
}

}  // namespace
}  // namespace plovis
