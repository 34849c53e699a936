// Rendered drawings checked pixel by pixel: paper, colours, dashes, text placement, references.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <numbers>

#include "hosts/cad_drawing.h"
#include "hosts/host_error.h"
#include "render/drawing_painter.h"
#include "render/render_files.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

constexpr int kDpi = 254;  // 10 pixels per millimetre
constexpr double kPxPerMm = 10;

struct Rendered {
    QImage image;
    PageLayout page;
    QPoint px(double x, double y) const {
        return QPoint(static_cast<int>(page.pageX(x) * kPxPerMm),
                      static_cast<int>(page.pageY(y) * kPxPerMm));
    }
    bool dark(int x, int y) const { return qGray(image.pixel(x, y)) < 160; }
    bool dark(double x, double y) const {
        const QPoint p = px(x, y);
        return dark(p.x(), p.y());
    }
    // The box around the non-white pixels of the image, in drawing units.
    struct Box {
        double left, right, low, high;
        double width() const { return right - left; }
        double height() const { return high - low; }
        double midX() const { return (left + right) / 2; }
        double midY() const { return (low + high) / 2; }
    };
    Box inkBox() const {
        int left = image.width(), right = -1, top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!dark(x, y)) continue;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
        const double x0 = left / kPxPerMm / page.scale + page.originX;
        const double x1 = (right + 1) / kPxPerMm / page.scale + page.originX;
        const double y0 = page.originY + (page.heightMm - (bottom + 1) / kPxPerMm) / page.scale;
        const double y1 = page.originY + (page.heightMm - top / kPxPerMm) / page.scale;
        return {x0, x1, y0, y1};
    }
};

Rendered render(const Drawing& d) {
    test::ScratchDir dir("render");
    RenderOptions options;
    options.dotsPerInch = kDpi;
    const RenderResult result = renderDrawing(d, dir / "out.png", options);
    Rendered r{QImage(QString::fromStdString((dir / "out.png").string())),
               fitPage(modelSpaceExtents(d))};
    EXPECT_EQ(result.widthPixels, r.image.width());
    return r;
}

TEST(Render, WhitePaperColoursAndColourSevenInBlack) {
    Drawing d;
    CadLayer& red = d.layers().add("GL");
    red.setColor(1);
    d.modelSpace().addLine({0, 0, 0}, {100, 0, 0});
    d.setActiveLayer(red);
    d.modelSpace().addLine({0, 20, 0}, {100, 20, 0});
    const Rendered r = render(d);
    EXPECT_EQ(r.image.pixel(2, 2), qRgb(255, 255, 255));
    const QPoint black = r.px(50, 0);
    EXPECT_LT(qGray(r.image.pixel(black)), 60);
    const QRgb red1 = r.image.pixel(r.px(50, 20));
    EXPECT_GT(qRed(red1), 200);
    EXPECT_LT(qGreen(red1), 80);
    EXPECT_FALSE(r.dark(50.0, 10.0));
}

// Runs of ink and paper along a horizontal line, in millimetres.
std::vector<double> runsAlong(const Rendered& r, double y, double from, double to) {
    std::vector<double> runs;
    const QPoint a = r.px(from, y), b = r.px(to, y);
    bool ink = r.dark(a.x(), a.y());
    int length = 0;
    for (int x = a.x(); x <= b.x(); ++x) {
        if (r.dark(x, a.y()) != ink) {
            runs.push_back(length / kPxPerMm);
            ink = !ink;
            length = 0;
        }
        ++length;
    }
    runs.push_back(length / kPxPerMm);
    return runs;
}

TEST(Render, HiddenLinesAreDashedContinuousOnesAreNot) {
    Drawing d;
    d.linetypes().add({"HIDDEN", "", {6.35, -3.175}});
    CadLayer& hgl = d.layers().add("HGL");
    hgl.setLinetype("HIDDEN");
    d.modelSpace().addLine({0, 0, 0}, {100, 0, 0});
    d.setActiveLayer(hgl);
    d.modelSpace().addLine({0, 10, 0}, {100, 10, 0});
    const Rendered r = render(d);
    EXPECT_EQ(runsAlong(r, 0, 1, 99).size(), 1u);
    const auto dashes = runsAlong(r, 10, 0.05, 99);
    ASSERT_GE(dashes.size(), 19u);  // ten and a half dash-gap periods over 100 mm
    EXPECT_NEAR(dashes[0], 6.35, 0.3);
    EXPECT_NEAR(dashes[1], 3.175, 0.3);
    EXPECT_NEAR(dashes[2], 6.35, 0.3);
}

Rendered::Box textInk(TextAlignment alignment, double rotation = 0) {
    Drawing d;
    CadText& t = d.modelSpace().addText("HHHH", {50, 50, 0}, 5);
    if (alignment != TextAlignment::Left) {
        t.setAlignment(alignment);
        t.setTextAlignmentPoint({50, 50, 0});
    }
    t.setRotation(rotation);
    return render(d).inkBox();
}

// Capitals without descenders show where CAD programs place the text: the anchor (50, 50).
// Left and right, the letters keep their side bearing (well under a sixth of the height).
TEST(Render, TextsStandOnTheirAlignmentPoint) {
    const auto left = textInk(TextAlignment::Left);
    EXPECT_NEAR(left.left, 50, 0.8);
    EXPECT_GT(left.left, 50);
    EXPECT_NEAR(left.low, 50, 0.15);      // the baseline
    EXPECT_NEAR(left.height(), 5, 0.25);  // capitals are as tall as the text height
    const auto centre = textInk(TextAlignment::MiddleCenter);
    EXPECT_NEAR(centre.midX(), 50, 0.2);
    EXPECT_NEAR(centre.midY(), 50, 0.2);
    const auto right = textInk(TextAlignment::Right);
    EXPECT_NEAR(right.right, 50, 0.8);
    EXPECT_LT(right.right, 50);
    EXPECT_NEAR(right.low, 50, 0.15);
    const auto top = textInk(TextAlignment::TopCenter);
    EXPECT_NEAR(top.high, 50, 0.15);
    EXPECT_NEAR(top.midX(), 50, 0.2);
    EXPECT_NEAR(left.width(), right.width(), 0.2);
}

TEST(Render, UprightTextsReadUpwardsFromTheirPoint) {
    const auto upright = textInk(TextAlignment::MiddleLeft, std::numbers::pi / 2);
    EXPECT_NEAR(upright.midX(), 50, 0.2);
    EXPECT_NEAR(upright.low, 50, 0.8);
    EXPECT_GT(upright.low, 50);
    EXPECT_GT(upright.height(), upright.width());
}

// A reference shows its block and its visible attributes; entities on layers that are off or
// frozen do not show.
TEST(Render, ReferencesShowTheirBlockAndVisibleAttributes) {
    Drawing d;
    CadBlock& b = d.blocks().add("NODE", {0, 0, 0});
    b.addCircle({0, 0, 0}, 3);
    CadAttributeDefinition& name = b.addAttribute(3, 0, "", {5, 0, 0}, "NAME", "?");
    name.setAlignment(TextAlignment::MiddleLeft);
    name.setTextAlignmentPoint({5, 0, 0});
    b.addAttribute(3, kAttributeInvisible, "", {5, -10, 0}, "HIDDEN", "HIDDEN TEXT");
    d.modelSpace().insertBlock({20, 20, 0}, "NODE", 1, 1, 1, 0).attribute(0).setTextString("JN1");
    d.setActiveLayer(d.layers().add("OFF"));
    d.modelSpace().addLine({20, 40, 0}, {60, 40, 0});
    d.setActiveLayer(d.layers().add("COLD"));
    d.modelSpace().addLine({20, 45, 0}, {60, 45, 0});
    d.setActiveLayer(d.layers().item("0"));
    d.layers().item("OFF").setOn(false);
    d.layers().item("COLD").setFrozen(true);
    d.modelSpace().addLine({0, 50, 0}, {0, 51, 0});  // keeps the page the same size
    const Rendered r = render(d);
    EXPECT_TRUE(r.dark(23.0, 20.0) || r.dark(22.95, 20.0));  // the circle's right side
    int attributeInk = 0, hiddenInk = 0;
    for (double x = 25; x < 32; x += 0.1) {
        for (double y = 18.5; y < 21.5; y += 0.1)
            attributeInk += r.dark(x, y);
        for (double y = 8.5; y < 11.5; y += 0.1)
            hiddenInk += r.dark(x, y);
    }
    EXPECT_GT(attributeInk, 50);
    EXPECT_EQ(hiddenInk, 0);
    EXPECT_FALSE(r.dark(40.0, 40.0));
    EXPECT_FALSE(r.dark(40.0, 45.0));
}

TEST(Render, PdfPagesAreTheDrawingsSizeWithTextKeptAsText) {
    Drawing d;
    d.modelSpace().addLine({0, 0, 0}, {277, 0, 0});
    d.modelSpace().addText("SPL(1290.0)", {0, 10, 0}, 2.5);
    d.modelSpace().addLine({0, 190, 0}, {1, 190, 0});
    test::ScratchDir dir("render-pdf");
    renderDrawing(d, dir / "sheet.pdf");
    const std::string pdf = test::readBytes(dir / "sheet.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    // 297 x 210 mm (the drawing plus 10 mm margins) in whole points.
    EXPECT_NE(pdf.find("/MediaBox [0 0 842.000000 595.000000]"), std::string::npos);
    EXPECT_NE(pdf.find("/FontFile"), std::string::npos) << "no embedded font: text not kept";
}

TEST(Render, APdfMadeTwiceIsTheSameWithASourceDateEpoch) {
    Drawing d;
    d.modelSpace().addText("H63(6)", {0, 0, 0}, 2);
    test::ScratchDir dir("render-pdf-date");
    ::setenv("SOURCE_DATE_EPOCH", "315532800", 1);  // 1980-01-01
    renderDrawing(d, dir / "a.pdf");
    renderDrawing(d, dir / "b.pdf");
    ::unsetenv("SOURCE_DATE_EPOCH");
    const std::string a = test::readBytes(dir / "a.pdf");
    EXPECT_EQ(a, test::readBytes(dir / "b.pdf"));
    EXPECT_NE(a.find("/CreationDate (D:19800101000000"), std::string::npos);
    renderDrawing(d, dir / "now.pdf");  // without it: today's date
    EXPECT_EQ(test::readBytes(dir / "now.pdf").find("/CreationDate (D:1980"), std::string::npos);
}

TEST(Render, SvgKeepsTheTexts) {
    Drawing d;
    d.modelSpace().addText("J4(RL=1012.5m)", {0, 0, 0}, 2);
    d.modelSpace().addCircle({0, 0, 0}, 1);
    test::ScratchDir dir("render-svg");
    renderDrawing(d, dir / "node.svg");
    const std::string svg = test::readBytes(dir / "node.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("J4(RL=1012.5m)"), std::string::npos);
    EXPECT_NE(svg.find("viewBox"), std::string::npos);
}

TEST(Render, BadRequestsFailAndWriteNothing) {
    Drawing d;
    d.modelSpace().addLine({0, 0, 0}, {1, 1, 0});
    test::ScratchDir dir("render-bad");
    EXPECT_THROW(renderDrawing(d, dir / "out.bmp"), HostError);
    RenderOptions tooFine;
    tooFine.dotsPerInch = 5000;
    EXPECT_THROW(renderDrawing(d, dir / "out.png", tooFine), HostError);
    EXPECT_THROW(renderDrawing(d, "/no/such/folder/out.pdf"), HostError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}

TEST(Render, ALargeDrawingGetsALowerResolutionWithinTheImageLimit) {
    Drawing d;
    d.modelSpace().addLine({0, 0, 0}, {2000, 1000, 0});
    test::ScratchDir dir("render-large");
    RenderOptions options;
    options.dotsPerInch = 300;
    options.largestImagePixels = 1e6;
    const RenderResult r = renderDrawing(d, dir / "large.png", options);
    EXPECT_LT(r.dotsPerInch, 300);
    EXPECT_LE(static_cast<double>(r.widthPixels) * r.heightPixels, 1e6);
    EXPECT_EQ(QImage(QString::fromStdString((dir / "large.png").string())).width(), r.widthPixels);
}

TEST(Render, ControlCodesShowAsTheirSigns) {
    EXPECT_EQ(displayText("%%c63"), QString::fromUtf8("Ø63"));
    EXPECT_EQ(displayText("45%%d"), QString::fromUtf8("45°"));
    EXPECT_EQ(displayText("%%p0.5"), QString::fromUtf8("±0.5"));
    EXPECT_EQ(displayText("100%%%"), "100%");
    EXPECT_EQ(displayText("%%uTitle%%u"), "Title");
    EXPECT_EQ(displayText("50%"), "50%");
}

}  // namespace
}  // namespace plovis
