#include "cli/render_command.h"

#include <gtest/gtest.h>

#include <QImage>
#include <fstream>

#include "hosts/dxf/dxf_file.h"
#include "support/cli_run.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

test::CliRun run(const std::vector<std::string>& args) {
    return test::runCliOn(args, {renderCommand()});
}

TEST(RenderCommand, WritesThePngAndPdfAskedFor) {
    test::ScratchDir dir("render-command");
    Drawing d;
    d.modelSpace().addLine({0, 0, 0}, {100, 50, 0});
    d.modelSpace().addText("BPC2", {10, 10, 0}, 3);
    saveDxfFile(d, dir / "sheet.dxf");
    const auto r =
        run({"render", (dir / "sheet.dxf").string(), "--png", (dir / "sheet.png").string(), "--pdf",
             (dir / "sheet.pdf").string(), "--dpi", "100"});
    EXPECT_EQ(r.status, kExitDone) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "sheet.pdf"));
    const QImage png(QString::fromStdString((dir / "sheet.png").string()));
    EXPECT_EQ(png.width(), 473);  // 120 mm at 100 dpi
    EXPECT_NE(r.out.find("sheet.png (473 x 276 pixels, 100 dpi)"), std::string::npos) << r.out;
}

TEST(RenderCommand, ABrokenDrawingFailsNamingItsLine) {
    test::ScratchDir dir("render-broken");
    std::ofstream(dir / "broken.dxf") << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnan\n";
    const auto r =
        run({"render", (dir / "broken.dxf").string(), "--png", (dir / "x.png").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("broken.dxf, line 7"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

TEST(RenderCommand, WithoutAnOutputOrAnExistingDrawingItIsAUsageError) {
    test::ScratchDir dir("render-usage");
    Drawing d;
    saveDxfFile(d, dir / "a.dxf");
    EXPECT_EQ(run({"render", (dir / "a.dxf").string()}).status, kExitUsage);
    EXPECT_EQ(run({"render", (dir / "none.dxf").string(), "--png", "x.png"}).status, kExitUsage);
    EXPECT_EQ(run({"render", (dir / "a.dxf").string(), "--png", "x.png", "--dpi", "5"}).status,
              kExitUsage);
}

}  // namespace
}  // namespace plovis
