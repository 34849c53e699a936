#include "cli/workbook_command.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <set>

#include "command_table.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/golden_table.h"
#include "support/sheet_rows.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// The command line and its exit statuses, through a workbook command that does what --do says.
struct Script {
    std::string action = "write";  // unless --do says otherwise
    std::string seenSheet, seenSelection;
};

CliCommand testCommand(const std::shared_ptr<Script>& script, bool takesRange = true,
                       bool asksQuestions = false) {
    WorkbookCommandDefinition settings;
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

// Each line of the table: the command line (files in the scratch folder; before it "asks" for a
// command that asks questions, "no-range" for one that takes no --range, "typed:y" for an answer
// typed at a terminal), and its exit status, the workbooks it saved (with the cell it writes), the
// sheet and selection it worked on, and what it printed. Nothing written leaves the file untouched
// and makes no copy; cells written are saved in place or, with --save-as, in the copy only.
// Questions are answered by --yes / --no or at a terminal, refused otherwise. The application
// ending (2), an unexpected failure, a refused question, a bad file or range (1) save nothing;
// misuse is a usage error (64) with the usage; a reported failure (1) still saves what it wrote.
TEST(WorkbookCommand, RunsAsTheReviewedTableSays) {
    test::ScratchDir dir{"workbook-command"};
    const auto book = dir / "scheme.xlsx";
    auto wb = XlsxWorkbook::create("scheme.xlsx", {"DATA INPUT", "PD-CW-Sample"});
    wb->sheet("PD-CW-Sample").setCell(16, 2, 1.0);
    wb->save(book);
    const std::string original = test::readBytes(book);
    std::ofstream(dir / "text.xlsx") << "not a workbook";
    test::expectGoldenTable("cli", "workbook_command_runs", [&](const std::string& line) {
        std::vector<std::string> args;
        bool asks = false, takesRange = true;
        std::string typed;
        for (const std::string& w : test::commandWords(line, dir.path())) {
            if (w == "asks" || w == "no-range" || w.starts_with("typed:")) {
                asks |= w == "asks";
                takesRange &= w != "no-range";
                typed = w.starts_with("typed:") ? w.substr(6) + "\n" : typed;
            } else {
                args.push_back(w);
            }
        }
        const auto script = std::make_shared<Script>();
        const auto r =
            test::runCliOn(args, {testCommand(script, takesRange, asks)}, typed, !typed.empty());
        std::string said = test::withoutDir(r.out + r.err, dir.path()), saved;
        if (const auto at = said.find(PLOVIS_VERSION); at != said.npos)
            said.replace(at, std::string(PLOVIS_VERSION).size(), "<version>");
        const std::set<std::filesystem::path> files(std::filesystem::directory_iterator(dir.path()),
                                                    {});
        for (const auto& file : files) {
            if (file.filename() == "text.xlsx" || test::readBytes(file) == original) continue;
            const auto back = XlsxWorkbook::open(file);
            saved += ", saved " + file.filename().string() + " B16 " +
                     test::rowText(back->sheet(script->seenSheet), 16, {2});
            std::filesystem::remove(file);
        }
        std::ofstream(book, std::ios::binary) << original;  // each case on the same file
        return "status " + std::to_string(r.status) + saved + " (" + script->seenSheet + " " +
               script->seenSelection + "): " + said;
    });
}

}  // namespace
}  // namespace plovis
