// Rendering drawings to paper: colours, a reviewed picture of a scene, file formats, limits,
// and the render command.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <fstream>
#include <numbers>

#include "cli/render_command.h"
#include "hosts/cad_drawing.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/host_error.h"
#include "render/aci_colors.h"
#include "render/drawing_painter.h"
#include "render/render_files.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/snapshot.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

struct QtEnvironment : ::testing::Environment {  // one Qt application, offscreen
    void SetUp() override { session = std::make_unique<RenderSession>(); }
    void TearDown() override { session.reset(); }
    std::unique_ptr<RenderSession> session;
};
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Named colours with white printing black, the hue wheel in shades, the greys, and numbers
// outside the index in black; control codes shown as their signs. Compared with
// tests/render/golden/colours_and_codes.txt.
TEST(PaperColors, ColoursAndControlCodesLikeTheirReviewedSnapshot) {
    std::string report;
    for (const int aci : {1, 3, 5, 6, 7, 8, 10, 11, 12, 50, 90, 170, 250, 255, -1, 0, 256, 1000}) {
        const Rgb c = paperColor(aci);
        report += "colour " + std::to_string(aci) + ": " + std::to_string(c.r) + "," +
                  std::to_string(c.g) + "," + std::to_string(c.b) + "\n";
    }
    for (const char* code : {"%%c63", "45%%d", "%%p0.5", "100%%%", "%%uTitle%%u", "50%"})
        report += std::string(code) + " shows " + displayText(code).toStdString() + "\n";
    test::expectGolden(report, "render", "colours_and_codes");
}

// The picture at 254 dpi as a character per half millimetre (5 x 5 pixels), by its darkest
// pixel: '.' paper, 'r' red ink, '#' other ink. Cell edges fall on whole millimetres of the
// drawing, so a baseline or an edge moved by a fraction of a millimetre shows.
std::string inkGrid(const Drawing& d) {
    test::ScratchDir dir("render");
    RenderOptions options;
    options.dotsPerInch = 254;
    renderDrawing(d, dir / "out.png", options);
    const QImage image(QString::fromStdString((dir / "out.png").string()));
    std::string grid;
    for (int y = 0; y + 5 <= image.height(); y += 5, grid += '\n') {
        for (int x = 0; x + 5 <= image.width(); x += 5) {
            QRgb ink = qRgb(255, 255, 255);
            for (int j = 0; j < 25; ++j)
                if (qGray(image.pixel(x + j % 5, y + j / 5)) < qGray(ink))
                    ink = image.pixel(x + j % 5, y + j / 5);
            grid += qGray(ink) >= 160 ? '.' : qRed(ink) > 200 && qGreen(ink) < 80 ? 'r' : '#';
        }
    }
    return grid;
}

// Colour 7 in black and layer colours; a hidden line dashed 6.35 / 3.175; a reference with its
// visible attribute only; nothing of layers that are off or frozen; texts standing on their
// alignment points as CAD programs place them (left at (0, 35), right at (60, 35), middle centre
// at (30, 45), top centre at (30, 60), upright middle left at (70, 35)).
TEST(Render, ASceneMatchesItsReviewedPicture) {
    Drawing d;
    d.linetypes().add({"HIDDEN", "", {6.35, -3.175}});
    d.modelSpace().addLine({0, 0, 0}, {60, 0, 0});
    for (const auto& [layer, y] : {std::pair{"HGL", -5}, {"GL", -10}, {"OFF", 25}, {"COLD", 27}}) {
        d.setActiveLayer(d.layers().add(layer));
        d.modelSpace().addLine({20.0 * (y > 0), double(y), 0}, {60, double(y), 0});
    }
    d.layers().item("HGL").setLinetype("HIDDEN");
    d.layers().item("GL").setColor(1);
    d.setActiveLayer(d.layers().item("0"));
    d.layers().item("OFF").setOn(false);
    d.layers().item("COLD").setFrozen(true);
    CadBlock& b = d.blocks().add("NODE", {0, 0, 0});
    b.addCircle({0, 0, 0}, 3);
    CadAttributeDefinition& name = b.addAttribute(3, 0, "", {5, 0, 0}, "NAME", "?");
    name.setAlignment(TextAlignment::MiddleLeft);
    name.setTextAlignmentPoint({5, 0, 0});
    b.addAttribute(3, kAttributeInvisible, "", {5, -8, 0}, "HIDDEN", "HIDDEN TEXT");
    d.modelSpace().insertBlock({10, 15, 0}, "NODE", 1, 1, 1, 0).attribute(0).setTextString("JN1");
    // clang-format off
    const struct { TextAlignment alignment; double x, y, rotation; } texts[] = {
        {TextAlignment::Left, 0, 35, 0}, {TextAlignment::Right, 60, 35, 0},
        {TextAlignment::MiddleCenter, 30, 45, 0}, {TextAlignment::TopCenter, 30, 60, 0},
        {TextAlignment::MiddleLeft, 70, 35, std::numbers::pi / 2}};
    // clang-format on
    for (const auto& t : texts) {
        CadText& text = d.modelSpace().addText("HHHH", {t.x, t.y, 0}, 5);
        text.setRotation(t.rotation);
        if (t.alignment == TextAlignment::Left) continue;  // its insertion point places it
        text.setAlignment(t.alignment);
        text.setTextAlignmentPoint({t.x, t.y, 0});
    }
    test::expectGolden(inkGrid(d), "render", "scene");
}

TEST(Render, PdfPagesKeepTheSizeAndTextAndAreReproducibleSvgKeepsTexts) {
    Drawing d;
    d.modelSpace().addLine({0, 0, 0}, {277, 0, 0});
    d.modelSpace().addText("SPL(1290.0)", {0, 10, 0}, 2.5);
    d.modelSpace().addLine({0, 190, 0}, {1, 190, 0});
    test::ScratchDir dir("render-pdf");
    ::setenv("SOURCE_DATE_EPOCH", "315532800", 1);  // 1980-01-01
    renderDrawing(d, dir / "a.pdf");
    renderDrawing(d, dir / "b.pdf");
    ::unsetenv("SOURCE_DATE_EPOCH");
    const std::string pdf = test::readBytes(dir / "a.pdf");
    EXPECT_NE(pdf.find("/MediaBox [0 0 842.000000 595.000000]"), std::string::npos);  // A4
    EXPECT_NE(pdf.find("/FontFile"), std::string::npos) << "no embedded font: text not kept";
    EXPECT_EQ(pdf, test::readBytes(dir / "b.pdf"));
    EXPECT_NE(pdf.find("/CreationDate (D:19800101000000"), std::string::npos);
    renderDrawing(d, dir / "sheet.svg");
    const std::string svg = test::readBytes(dir / "sheet.svg");
    for (const char* part : {"<svg", "SPL(1290.0)", "viewBox"})
        EXPECT_NE(svg.find(part), std::string::npos) << part;
}

// Unknown formats, resolutions beyond the limit and missing folders fail and write nothing; a
// large drawing gets a lower resolution within the image limit, a huge one the largest page and
// an empty one a blank A4.
TEST(Render, BadRequestsFailLargeDrawingsGetALowerResolution) {
    Drawing d;
    d.modelSpace().addLine({0, 0, 0}, {2000, 1000, 0});
    test::ScratchDir dir("render-bad");
    RenderOptions options;
    options.dotsPerInch = 5000;
    EXPECT_THROW(renderDrawing(d, dir / "out.bmp"), HostError);
    EXPECT_THROW(renderDrawing(d, dir / "out.png", options), HostError);
    EXPECT_THROW(renderDrawing(d, "/no/such/folder/out.pdf"), HostError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
    options.dotsPerInch = 300;
    options.largestImagePixels = 1e6;
    const RenderResult r = renderDrawing(d, dir / "large.png", options);
    EXPECT_LT(r.dotsPerInch, 300);
    EXPECT_LE(static_cast<double>(r.widthPixels) * r.heightPixels, 1e6);
    EXPECT_EQ(QImage(QString::fromStdString((dir / "large.png").string())).width(), r.widthPixels);
    const Extents huge{0, 0, 1e6, 10};  // onto the largest page
    EXPECT_DOUBLE_EQ(fitPage(huge).widthMm, kLargestPageMm);
    EXPECT_NEAR(fitPage(huge).pageX(1e6), kLargestPageMm - kPageMarginMm, 1e-9);
    EXPECT_EQ(std::pair(fitPage({}).widthMm, fitPage({}).heightMm), std::pair(297.0, 210.0));
}

// The PNG and PDF asked for, at the drawing's size; a broken drawing fails naming its line and
// writes nothing; no output, a missing drawing or a silly resolution is a usage error.
TEST(RenderCommand, WritesWhatIsAskedForFailsOnBrokenDrawingsAndBadUse) {
    test::ScratchDir dir("render-command");
    Drawing d;
    d.modelSpace().addLine({0, 0, 0}, {100, 50, 0});
    saveDxfFile(d, dir / "sheet.dxf");
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "render");
        return test::runCliOn(args, {renderCommand()});
    };
    const std::string dxf = (dir / "sheet.dxf").string(), png = (dir / "sheet.png").string();
    const auto r = run({dxf, "--png", png, "--pdf", (dir / "sheet.pdf").string(), "--dpi", "100"});
    EXPECT_EQ(r.status, kExitDone) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "sheet.pdf"));
    EXPECT_EQ(QImage(QString::fromStdString(png)).width(), 473);  // 120 mm at 100 dpi
    EXPECT_NE(r.out.find("sheet.png (473 x 276 pixels, 100 dpi)"), std::string::npos) << r.out;
    std::ofstream(dir / "broken.dxf") << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnan\n";
    const auto broken = run({(dir / "broken.dxf").string(), "--png", (dir / "x.png").string()});
    EXPECT_EQ(broken.status, kExitFailed);
    EXPECT_NE(broken.err.find("broken.dxf, line 7"), std::string::npos) << broken.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
    EXPECT_EQ(run({dxf}).status, kExitUsage);
    EXPECT_EQ(run({(dir / "none.dxf").string(), "--png", "x.png"}).status, kExitUsage);
    EXPECT_EQ(run({dxf, "--png", "x.png", "--dpi", "5"}).status, kExitUsage);
}

}  // namespace
}  // namespace plovis
