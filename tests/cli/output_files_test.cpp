// The command line never writes over what the user did not ask for.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <numeric>
#include <set>

#include "cli/drawing_output.h"
#include "cli/render_command.h"
#include "cli/workbook_command.h"
#include "command_table.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/golden_table.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// "demo" writes a cell and saves; "draw" writes an empty drawing where --out and the rest say.
std::vector<CliCommand> commands() {
    WorkbookCommandDefinition demo, draw;
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

// Every file of the folder, its permissions and content (a pipe's content is not read): a refused
// command leaves them as they were.
std::string folderState(const std::filesystem::path& dir) {
    std::set<std::string> files;
    for (const auto& f : std::filesystem::directory_iterator(dir)) {
        const auto mode = static_cast<int>(f.status().permissions());
        files.insert(f.path().string() + " " + std::to_string(mode) +
                     (f.is_regular_file() ? test::readBytes(f.path()) : ""));
    }
    return std::accumulate(files.begin(), files.end(), std::string());
}

// Each line of the table: a command whose file names are in the scratch folder ('' an empty
// name); its exit status and message, and whether it changed a file of the folder.
TEST(OutputFiles, TargetsThatAreInputsMisnamedOrReadOnlyAreRefusedAndLeftAsTheyWere) {
    test::ScratchDir dir("output-files");
    const std::string w = (dir / "w.xlsx").string(), d = (dir / "d.dxf").string();
    XlsxWorkbook::create("w.xlsx", {"S"})->save(w);
    std::filesystem::copy_file(w, dir / "ro.xlsx");
    Drawing drawing;
    for (const char* f : {"d.dxf", "ro.dxf"})
        saveDxfFile(drawing, dir / f);
    for (const char* f : {"ro.xlsx", "ro.dxf"})
        std::filesystem::permissions(dir / f, std::filesystem::perms(0444));
    std::filesystem::create_symlink(w, dir / "link.dxf");
    std::filesystem::create_hard_link(w, dir / "hard.dxf");
    std::filesystem::create_hard_link(d, dir / "d.png");
    // Inputs named as the second sheet of a picture by sheets would be: by name, through a link.
    std::filesystem::copy_file(d, dir / "p-2.png");
    std::filesystem::copy_file(w, dir / "s-2.png");
    std::filesystem::create_symlink(dir / "s-2.png", dir / "sl.xlsx");
    ::mkfifo((dir / "pipe.xlsx").c_str(), 0644);
    test::expectGoldenTable("cli", "output_refusals", [&](const std::string& line) {
        const std::string before = folderState(dir.path());
        const auto r = test::runCliOn(test::commandWords(line, dir.path()), commands());
        return "status " + std::to_string(r.status) +
               (folderState(dir.path()) == before ? ": " : ", files changed: ") +
               test::withoutDir(r.err, dir.path());
    });
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
