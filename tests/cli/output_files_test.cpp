// The command line never writes over what the user did not ask for.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <CLI/CLI.hpp>

#include "cli/drawing_output.h"
#include "cli/render_command.h"
#include "cli/workbook_command.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// "demo" writes a cell and saves; "draw" writes an empty drawing where --out and the rest say.
std::vector<CliCommand> commands() {
    WorkbookCommandSpec demo, draw;
    demo.name = "demo";
    draw.name = "draw";
    auto outputs = std::make_shared<DrawingOutputs>();
    draw.addOptions = [outputs](CLI::App& sub) { addDrawingOutputOptions(sub, outputs); };
    draw.files = [outputs] { return drawingCommandFiles(*outputs); };
    return {workbookCommand(demo,
                            [](SpreadsheetHost& host, UserInterface&) {
                                host.activeWorkbook().activeSheet().setCell(1, 1, 2.0);
                                return true;
                            }),
            workbookCommand(
                draw,
                [outputs](SpreadsheetHost&, ConsoleUserInterface&, const ConsoleStreams& streams) {
                    Drawing drawing;
                    writeDrawingOutputs(drawing, *outputs, streams.out);
                    return true;
                }),
            renderCommand()};
}

// A file's content and permissions, to see that a refused command left it as it was.
std::string state(const std::string& file) {
    std::error_code ec;
    const auto mode = std::filesystem::status(file, ec).permissions();
    return std::to_string(static_cast<int>(mode)) + (ec ? "" : test::readBytes(file));
}

TEST(OutputFiles, TargetsThatAreInputsMisnamedOrReadOnlyAreRefusedAndLeftAsTheyWere) {
    test::ScratchDir dir("output-files");
    const auto at = [&](const char* name) { return (dir / name).string(); };
    const std::string w = at("w.xlsx"), ro = at("ro.xlsx"), roDxf = at("ro.dxf"), d = at("d.dxf");
    XlsxWorkbook::create("w.xlsx", {"S"})->save(w);
    std::filesystem::copy_file(w, ro);
    Drawing drawing;
    for (const std::string& f : {d, roDxf})
        saveDxfFile(drawing, f);
    for (const std::string& f : {ro, roDxf})
        std::filesystem::permissions(f, std::filesystem::perms(0444));
    std::filesystem::create_symlink(w, at("link.dxf"));
    std::filesystem::create_hard_link(w, at("hard.dxf"));
    std::filesystem::create_hard_link(d, at("d.png"));
    ::mkfifo(at("pipe.xlsx").c_str(), 0644);
    const std::string same = " is the same file as ";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string said, target;
    } cases[] = {
        // clang-format off
        {{"draw", w, "--out", w}, kExitUsage, "--out: \"" + w + "\" is not a file name ending in .dxf", w},
        {{"draw", w, "--out", at("link.dxf")}, kExitUsage, "--out " + at("link.dxf") + same + "the workbook " + w, w},
        {{"draw", w, "--out", at("hard.dxf")}, kExitUsage, "--out " + at("hard.dxf") + same + "the workbook " + w, w},
        {{"draw", w, "--out", at("n.dxf"), "--png", at("n.pdf")}, kExitUsage, "ending in .png", at("n.dxf")},
        {{"draw", w, "--out", roDxf}, kExitFailed, "The drawing " + roDxf + " could not be saved: it is read-only", roDxf},
        {{"demo", ro}, kExitFailed, "cannot save \"" + ro + "\": it is read-only; save under another name", ro},
        {{"demo", w, "--save-as", ro}, kExitFailed, "cannot save \"" + ro + "\": it is read-only", ro},
        {{"demo", w, "--save-as", ""}, kExitUsage, "--save-as: a file name ending in .xlsx or .xlsm is needed", w},
        {{"demo", w, "--save-as", at("w.dxf")}, kExitUsage, "is not a file name ending in .xlsx or .xlsm", w},
        {{"demo", at("pipe.xlsx")}, kExitFailed, "\": it is not a regular file", w},
        {{"render", d, "--png", at("d.png")}, kExitUsage, "--png " + at("d.png") + same + "the drawing " + d, d},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        const auto before = state(c.target);
        const auto r = test::runCliOn(c.args, commands());
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
        EXPECT_TRUE(state(c.target) == before) << "the file changed";
    }
}

// Output lost to a full disk is a failure with a message, not a success with half a table.
TEST(OutputFiles, OutputThatCannotBeWrittenFailsTheCommand) {
    test::ScratchDir dir("output-full");
    auto wb = XlsxWorkbook::create("w.xlsx", {"S"});
    wb->sheet("S").setCell(1, 1, 1.0);
    wb->save(dir / "w.xlsx");
    const auto r = test::runProgram(
        "/bin/sh", {"-c", "\"$0\" cells \"$1\" A1:A1 > /dev/full",
                    (test::binaryDir() / "src/plovis").string(), (dir / "w.xlsx").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.errors, "plovis: the output could not be written\n");
}

}  // namespace
}  // namespace plovis
