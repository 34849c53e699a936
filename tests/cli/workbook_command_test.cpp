#include "cli/workbook_command.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <fstream>

#include "hosts/xlsx/xlsx_workbook.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// The command line and its exit statuses, through a workbook command that does what --do says.
struct Script {
    std::string action = "write";
    std::string seenSheet, seenSelection;
};

CliCommand testCommand(const std::shared_ptr<Script>& script, bool takesRange = true,
                       bool asksQuestions = false) {
    WorkbookCommandSpec settings;
    settings.name = "demo";
    settings.summary = "A command for the tests";
    settings.description = "Writes, fails, ends or throws, as asked.";
    settings.takesRange = takesRange;
    settings.asksQuestions = asksQuestions;
    settings.addOptions = [script](CLI::App& sub) { sub.add_option("--do", script->action); };
    return workbookCommand(settings, [script](SpreadsheetHost& host, UserInterface& ui) {
        Worksheet* sheet = attachSpreadsheet(host, ui);
        if (!sheet) return false;
        script->seenSheet = sheet->name();
        script->seenSelection = selectionAddressR1C1(host.activeWorkbook());
        const std::string& a = script->action;
        if (a == "nothing") return true;
        sheet->setCell(16, 2, 123.0);
        if (a == "write") return true;
        if (a == "fail") {
            ui.showMessage(criticalMessage("Error in row 16"));
            return false;
        }
        if (a == "end") endApplication(ui);
        if (a == "ask")
            return ui.showMessage({"Go on?", Buttons::YesNo, Icon::None, {}}) == Answer::Yes;
        throw HostError("an unexpected failure");
    });
}

struct WorkbookCommand : ::testing::Test {
    void SetUp() override {
        auto wb = XlsxWorkbook::create("scheme.xlsx", {"DATA INPUT", "PD-CW-Sample"});
        wb->sheet("PD-CW-Sample").setCell(16, 2, 1.0);
        wb->save(book);
        original = test::readBytes(book);
    }
    test::CliRun run(std::vector<std::string> args, bool takesRange = true, bool asks = false,
                     const std::string& typed = "") {
        script->action = "write";  // unless --do says otherwise
        return test::runCliOn(args, {testCommand(script, takesRange, asks)}, typed, !typed.empty());
    }
    // The cell the command writes, in the sheet it wrote to.
    CellValue savedCell(const std::filesystem::path& file) {
        return XlsxWorkbook::open(file)->sheet(script->seenSheet).cell(16, 2);
    }
    test::ScratchDir dir{"workbook-command"};
    std::filesystem::path book = dir / "scheme.xlsx";
    std::string original;
    std::shared_ptr<Script> script = std::make_shared<Script>();
};

// Nothing written leaves the file untouched; --save-as writes the copy only, and no copy when
// nothing was written; cells written are saved in place.
TEST_F(WorkbookCommand, SavesWhereAndOnlyWhenCellsWereWritten) {
    auto r = run({"demo", book.string(), "--do", "nothing", "--quiet"});
    EXPECT_EQ(r.status, kExitDone);
    EXPECT_EQ(script->seenSheet, "DATA INPUT");  // the file's active sheet
    EXPECT_EQ(r.err, "");
    const auto copy = dir / "copy.xlsx", none = dir / "none.xlsx";
    EXPECT_EQ(run({"demo", book.string(), "--save-as", copy.string(), "--quiet"}).status,
              kExitDone);
    EXPECT_EQ(savedCell(copy), CellValue(123.0));
    r = run({"demo", book.string(), "--do", "nothing", "--save-as", none.string()});
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_EQ(r.err, "No cell was written, so " + none.string() + " was not made.\n");
    EXPECT_EQ(test::readBytes(book), original);
    r = run({"demo", book.string(), "--range", "PD-CW-Sample!B16:B40"});
    EXPECT_EQ(r.status, kExitDone) << r.err;
    EXPECT_EQ(script->seenSheet, "PD-CW-Sample");
    EXPECT_EQ(script->seenSelection, "R16C2:R40C2");
    EXPECT_EQ(savedCell(book), CellValue(123.0));
    EXPECT_EQ(r.err, "Saved " + book.string() + "\n");
}

// Questions are answered by --yes / --no or at a terminal, refused otherwise. The application
// ending (2), an unexpected failure, a refused question, a bad file or range (1) save nothing;
// misuse is a usage error (64) with the usage; a reported failure (1) still saves what it wrote.
TEST_F(WorkbookCommand, FailuresQuestionsAndTheirExitStatuses) {
    const std::string missing = (dir / "missing.xlsx").string(), b = book.string(),
                      copy = (dir / "copy.xlsx").string();
    std::ofstream(dir / "text.xlsx") << "not a workbook";
    // clang-format off
    const struct { std::vector<std::string> args; int status; std::string said; bool asks = false,
        takesRange = true; std::string typed = ""; } cases[] = {  // said: a part of what it printed
        {{"demo", b, "--do", "end"}, kExitEnded, ""},
        {{"demo", b, "--do", "throw"}, kExitFailed, "plovis: an unexpected failure (" + b + " was not saved)\n"},
        {{"demo", b, "--do", "ask"}, kExitFailed, "--yes or --no", true},
        {{"demo", b, "--do", "ask", "--no"}, kExitFailed, "", true},
        {{"demo", b, "--do", "ask", "--yes", "--no"}, kExitUsage, "", true},
        {{"demo", b, "--do", "ask", "--yes", "--save-as", copy}, kExitDone, "", true},
        {{"demo", b, "--do", "ask", "--save-as", copy}, kExitDone, "", true, true, "y\n"},
        {{"demo", missing}, kExitFailed, "plovis: cannot open \"" + missing + "\": there is no such file\n"},
        {{"demo", b, "--range", "Nope!B16"}, kExitFailed, "plovis: the workbook scheme.xlsx has no sheet named \"Nope\"\n"},
        {{"demo", b, "--range", "PD-CW-Sample!B16:"}, kExitFailed, "plovis: \"B16:\" is not a cell address: a column letter is missing\n"},
        {{"demo", (dir / "text.xlsx").string()}, kExitFailed, ""},
        {{"demo", b, "--yes"}, kExitUsage, "Usage"},
        {{"demo", b, "--range", "A1"}, kExitUsage, "Usage", false, false},
        {{"frobnicate"}, kExitUsage, "Usage"}, {{"--bogus"}, kExitUsage, "Usage"}, {{"demo", "--bogus"}, kExitUsage, "Usage"},
        {{"help", "frobnicate"}, kExitUsage, "Usage"}, {{}, kExitUsage, "Usage"},
        {{"--help"}, kExitDone, "A command for the tests"}, {{"help"}, kExitDone, ""},
        {{"help", "demo"}, kExitDone, "Writes, fails, ends or throws, as asked."}, {{"help", "demo"}, kExitDone, "--save-as"},
        {{"help", "demo"}, kExitDone, "--range"},
        {{"demo", "--help"}, kExitDone, "--quiet"}, {{"--version"}, kExitDone, std::string("plovis ") + PLOVIS_VERSION + "\n"},
        {{"demo", b, "--do", "fail"}, kExitFailed, "PLOVIS [critical]: Error in row 16\n"},  // last: it saves
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string last = c.args.empty() ? "(nothing)" : c.args.back();
        SCOPED_TRACE(last);
        const auto r = run(c.args, c.takesRange, c.asks, c.typed);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE((r.out + r.err).find(c.said), std::string::npos) << r.out << r.err;
        if (last == "fail") {  // a reported failure: what was written is saved
            EXPECT_EQ(savedCell(book), CellValue(123.0));
        } else if (last != "--no") {
            EXPECT_TRUE(test::readBytes(book) == original) << "the file changed";
        }
        std::ofstream(book, std::ios::binary) << original;  // each case on the same file
    }
}

}  // namespace
}  // namespace plovis
