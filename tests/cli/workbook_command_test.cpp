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

// What the test command does, chosen by --do.
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

class WorkbookCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        auto wb = XlsxWorkbook::create("scheme.xlsx", {"DATA INPUT", "PD-CW-Sample"});
        wb->sheet("PD-CW-Sample").setCell(16, 2, 1.0);
        wb->save(book);
        original = test::readBytes(book);
    }

    test::CliRun run(std::vector<std::string> args, bool takesRange = true,
                     bool asksQuestions = false) {
        return test::runCliOn(args, {testCommand(script, takesRange, asksQuestions)});
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

TEST_F(WorkbookCommand, SavesInPlaceWhenCellsWereWritten) {
    auto r = run({"demo", book.string(), "--range", "PD-CW-Sample!B16:B40"});
    EXPECT_EQ(r.status, kExitDone) << r.err;
    EXPECT_EQ(script->seenSheet, "PD-CW-Sample");
    EXPECT_EQ(script->seenSelection, "R16C2:R40C2");
    EXPECT_EQ(savedCell(book), CellValue(123.0));
    EXPECT_EQ(r.err, "Saved " + book.string() + "\n");
}

TEST_F(WorkbookCommand, LeavesTheFileUntouchedWhenNothingWasWritten) {
    auto r = run({"demo", book.string(), "--do", "nothing", "--quiet"});
    EXPECT_EQ(r.status, kExitDone);
    EXPECT_EQ(script->seenSheet, "DATA INPUT");  // the file's active sheet
    EXPECT_EQ(test::readBytes(book), original);
    EXPECT_EQ(r.err, "");
}

TEST_F(WorkbookCommand, SaveAsLeavesTheInputByteIdentical) {
    const auto copy = dir / "copy.xlsx";
    auto r = run({"demo", book.string(), "--save-as", copy.string(), "--quiet"});
    EXPECT_EQ(r.status, kExitDone);
    EXPECT_EQ(test::readBytes(book), original);
    EXPECT_EQ(savedCell(copy), CellValue(123.0));

    const auto none = dir / "none.xlsx";
    auto nothing = run({"demo", book.string(), "--do", "nothing", "--save-as", none.string()});
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_EQ(nothing.err, "No cell was written, so " + none.string() + " was not made.\n");
}

TEST_F(WorkbookCommand, AReportedFailureStillSavesTheRowsWritten) {
    auto r = run({"demo", book.string(), "--do", "fail", "--quiet"});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.out, "PLOVIS [critical]: Error in row 16\n");
    EXPECT_EQ(savedCell(book), CellValue(123.0));
}

TEST_F(WorkbookCommand, TheApplicationEndingOrAnUnansweredFailureSavesNothing) {
    auto ended = run({"demo", book.string(), "--do", "end"});
    EXPECT_EQ(ended.status, kExitEnded);
    EXPECT_EQ(test::readBytes(book), original);

    auto thrown = run({"demo", book.string(), "--do", "throw"});
    EXPECT_EQ(thrown.status, kExitFailed);
    EXPECT_EQ(thrown.err, "plovis: an unexpected failure (" + book.string() + " was not saved)\n");
    EXPECT_EQ(test::readBytes(book), original);
}

TEST_F(WorkbookCommand, QuestionsAreAnsweredByFlagsWhereTheCommandAsks) {
    EXPECT_EQ(run({"demo", book.string(), "--do", "ask", "--yes", "--quiet"}, true, true).status,
              kExitDone);
    auto refused = run({"demo", book.string(), "--do", "ask"}, true, true);
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_NE(refused.err.find("was not saved"), std::string::npos) << refused.err;
    EXPECT_EQ(run({"demo", book.string(), "--yes"}).status, kExitUsage);
    EXPECT_EQ(run({"demo", book.string(), "--range", "A1"}, false).status, kExitUsage);
}

TEST_F(WorkbookCommand, BadFilesAndRangesGiveOneMessageAndTouchNothing) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"demo", (dir / "missing.xlsx").string()},
         "plovis: cannot open \"" + (dir / "missing.xlsx").string() +
             "\": there is no such file\n"},
        {{"demo", book.string(), "--range", "Nope!B16"},
         "plovis: the workbook scheme.xlsx has no sheet named \"Nope\"\n"},
        {{"demo", book.string(), "--range", "PD-CW-Sample!B16:"},
         "plovis: \"B16:\" is not a cell address: a column letter is missing\n"},
    };
    for (const auto& [args, message] : cases) {
        auto r = run(args);
        EXPECT_EQ(r.status, kExitFailed) << args.back();
        EXPECT_EQ(r.err, message);
        EXPECT_EQ(test::readBytes(book), original);
    }
    std::ofstream(dir / "text.xlsx") << "not a workbook";
    EXPECT_EQ(run({"demo", (dir / "text.xlsx").string()}).status, kExitFailed);
}

TEST_F(WorkbookCommand, HelpShowsTheDescription) {
    auto r = run({"help", "demo"});
    EXPECT_EQ(r.status, kExitDone);
    EXPECT_NE(r.out.find("Writes, fails, ends or throws, as asked."), std::string::npos);
    EXPECT_NE(r.out.find("--save-as"), std::string::npos);
    EXPECT_NE(r.out.find("--range"), std::string::npos);
}

}  // namespace
}  // namespace plovis
