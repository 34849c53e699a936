// The three drawings made from the sample scheme workbook, in memory, with the template drawing
// shipped in data/: each completes without a message and shows the scheme; a copy of the sample
// resaved by a second writer (openpyxl) draws the same profile.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "commands/ground_profile_dialog.h"
#include "commands/profile_command.h"
#include "commands/schematic_command.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"
#include "sample_fixture.h"
#include "support/drawn_entities.h"
#include "support/snapshot.h"

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
    ProfileCommand profile;

    explicit DrawingFixture(const std::filesystem::path& file = test::samplePath())
        : SampleFixture(file) {
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
    // The profile of the selection on A3 at 1:5000 and 1:1000.
    bool drawProfile() {
        profile.templateFile = templateFile;
        return runProfileCommand(profile, {"5000", "1000", "A3"}, host, cad, ui);
    }
};

// Each drawing completes without a message and shows the scheme: the profile of every branch
// (a title line on every sheet, the static pressure line restarting at the main line's break
// pressure tank, the nine tap stands, some at both ends of a sheet); the schematic with its title
// block and symbols, every branch drawn from a node already placed (nothing far below the network
// at the spacing of a separate one); the existing ground profile on a sheet or more per branch.
TEST(SampleDrawings, TheProfileTheSchematicAndTheGroundProfile) {
    DrawingFixture f;
    ASSERT_TRUE(f.drawProfile());
    EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Drawing in AutoCAD is completed.");
    const auto count = [](const std::vector<std::string>& texts, auto matches) {
        return std::count_if(texts.begin(), texts.end(), matches);
    };
    const auto symbols = [](const Drawing& d) {
        std::vector<std::string> out;
        for (const CadBlockReference* r : test::drawn<CadBlockReference>(d))
            out.push_back(
                r->name() + " " +
                (r->attributes().empty() ? "" : r->attributes()[0].textString().substr(0, 4)));
        return out;
    };
    std::vector<std::string> texts = test::textsOf(*f.profile.cad.document);
    ASSERT_EQ(f.branchTitles.size(), 4u);
    for (const std::string& text : f.branchTitles)
        EXPECT_TRUE(holds(texts, text)) << text;
    EXPECT_TRUE(holds(texts, "SPL(1862.4)") && holds(texts, "SPL(1794.2)"));
    EXPECT_GE(count(texts,
                    [](const std::string& t) {
                        return t.ends_with(" of Sundarpur Gravity Water Supply Scheme");
                    }),
              4);
    EXPECT_GE(count(symbols(*f.profile.cad.document),
                    [](const std::string& s) { return s.starts_with("TAP "); }),
              9);
    EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{});
    // A copy whose formulas carry no values (as a script writes it) draws the same profile.
    test::ScratchDir dir("openpyxl-sample");
    const std::string copy = (dir / "resaved.xlsx").string(),
                      script =
                          "/usr/bin/python3 -c \"import openpyxl, sys; "
                          "openpyxl.load_workbook(sys.argv[1]).save(sys.argv[2])\" '" +
                          test::samplePath().string() + "' '" + copy + "'";
    ASSERT_EQ(std::system(script.c_str()), 0);
    DrawingFixture resaved(copy);
    ASSERT_TRUE(resaved.drawProfile());
    EXPECT_EQ(test::drawingSnapshot(*resaved.profile.cad.document),
              test::drawingSnapshot(*f.profile.cad.document));
    DrawingFixture g;
    ASSERT_TRUE(schematicCommand(g.host, g.cad, g.ui, g.templateFile));
    EXPECT_EQ(g.ui.messageTexts(), std::vector<std::string>{});
    const Drawing& d = g.cad.activeDocument();
    texts = test::textsOf(d);
    for (const char* text : {"Scheme Name: Sundarpur Gravity Water Supply Scheme",
                             "Source: Sim Dhara spring", "Safe Yield = 1.200 lps"})
        EXPECT_TRUE(holds(texts, text)) << text;
    const auto drawn = symbols(d);
    for (const auto& [prefix, n] : {std::pair{"INTAKE IN1", 1}, {"TNO T", 9}, {"RVT RVT1", 1}})
        EXPECT_EQ(count(drawn, [p = std::string(prefix)](
                                   const std::string& s) { return s.starts_with(p); }),
                  n)
            << prefix;
    for (const CadLine* l : test::drawn<CadLine>(d))
        EXPECT_LT(std::abs(l->startPoint().y), 400) << "a stroke far below the network";
    DrawingFixture h;
    GroundProfileDialog dialog;
    dialog.selectPaper("A3");
    h.utility.pickPoint({0, 0, 0});
    const GroundProfileResult r = dialog.draw(h.cad, h.host, h.ui);
    EXPECT_EQ(r.outcome, GroundProfileOutcome::Drawn) << r.failure;
    EXPECT_GE(r.sheetsDrawn, 4);
    EXPECT_TRUE(dialog.closeRequested);
    EXPECT_EQ(h.ui.messageTexts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace plovis
