// Pictures by sheet: a PDF of one page per sheet on the sheet's paper, one PNG per sheet named
// NAME-1.png, ...; a drawing without sheets is refused with a message naming the file.
#include <gtest/gtest.h>

#include <QImage>
#include <regex>

#include "hosts/host_error.h"
#include "render/render_files.h"
#include "support/failure_text.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// The page sizes of a PDF in millimetres, from its pages' media boxes, in page order.
std::vector<std::pair<double, double>> pageSizes(const std::string& pdf) {
    std::vector<std::pair<double, double>> sizes;
    const std::regex box(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])");
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), box); it != std::sregex_iterator();
         ++it) {
        sizes.emplace_back(std::stod((*it)[1]) / kPointsPerMm, std::stod((*it)[2]) / kPointsPerMm);
    }
    return sizes;
}

struct SheetPages : ::testing::Test {
    RenderSession session;
    Drawing drawing{"sheets.dwg"};
    test::ScratchDir dir{"sheet-pages"};
    void SetUp() override {
        drawing.modelSpace().addLine({0, 0, 0}, {1000, 200, 0});
        drawing.sheets().add("Main 1", *isoPaper("A3"), 0, 0);
        drawing.sheets().add("Main 2", *isoPaper("A4"), 500, 0);
    }
};

TEST_F(SheetPages, APdfPageAndAPngPerSheetOnItsPaper) {
    renderSheets(drawing, dir / "p.pdf");
    const auto sizes = pageSizes(test::readBytes(dir / "p.pdf"));
    RenderOptions options;
    options.dotsPerInch = 127;  // five pixels a millimetre
    const auto written = renderSheets(drawing, dir / "p.png", options);
    ASSERT_EQ(sizes.size(), 2u);
    ASSERT_EQ(written.size(), 2u);
    const double halfPoint = 0.5 / kPointsPerMm;  // pages are whole points
    const std::pair<double, double> papers[] = {{420, 297}, {297, 210}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(sizes[i].first, papers[i].first, halfPoint) << i;
        EXPECT_NEAR(sizes[i].second, papers[i].second, halfPoint) << i;
        EXPECT_EQ(written[i].first, dir / ("p-" + std::to_string(i + 1) + ".png"));
        const QImage image(QString::fromStdString(written[i].first.string()));
        EXPECT_NEAR(image.width(), 5 * papers[i].first, 1) << i;
        EXPECT_NEAR(image.height(), 5 * papers[i].second, 1) << i;
    }
}

TEST_F(SheetPages, ADrawingWithoutSheetsIsRefused) {
    Drawing plain("plain.dwg");
    plain.modelSpace().addLine({0, 0, 0}, {10, 10, 0});
    const std::string said =
        test::failureText<HostError>([&] { renderSheets(plain, dir / "plain.pdf"); });
    EXPECT_NE(said.find("plain.pdf"), std::string::npos) << said;
    EXPECT_NE(said.find("no paper sheets"), std::string::npos) << said;
    EXPECT_FALSE(std::filesystem::exists(dir / "plain.pdf"));
}

}  // namespace
}  // namespace plovis
