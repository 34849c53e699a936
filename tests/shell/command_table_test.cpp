// The command table: every command reached from its menu entry or button.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <regex>

#include "desktop_fixture.h"
#include "shell/drawing_host.h"
#include "shell/help_window.h"
#include "shell/workbook_window.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

using CommandTable = test::DesktopTest;

QAction* entry(Form1& form, const char* name) {
    return form.findChild<QAction*>(name);
}

// With no workbook open, each computation's attach reports "Excel application is not open" while
// the entry's caption shows, and clears it after; the spreadsheet host was started, empty.
// Entries switched off run nothing until switched on.
TEST_F(CommandTable, EachComputationShowsItsCaptionBeforeTheWorkAndClearsItAfter) {
    for (const char* name :
         {"mnuBranchPoints", "mnuRiseFall", "mnuTransferToGP", "mnuSurveyDataProcess", "mnuAbout"})
        entry(form(), name)->trigger();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(desktop->workbooks().windows().empty());
    EXPECT_EQ(form().aboutBox(), nullptr);
    const char* const reading = "Reading data from excel.Please wait...";
    const char* const demand = "Processing for water demand calculation.Please wait...";
    const std::pair<const char*, const char*> computations[] = {
        // clang-format off
        {"mnuWaterDemand", demand}, {"mnuBranchPoints", reading}, {"mnuPipeLength", reading},
        {"mnuBranchControlPointsAndRL", "processing data from excel.Please wait..."},
        {"mnuPipeLineData", ""}, {"mnuRiseFall", reading}, {"mnuTransferToGP", demand},
        {"mnuRLandData", reading}, {"mnuAbneyRL", reading}, {"mnuSurveyDataProcess", reading},
        // clang-format on
    };
    start(withAllCommands());
    for (const auto& [name, caption] : computations) {
        SCOPED_TRACE(name);
        dialogs->shown.clear();
        entry(form(), name)->trigger();
        ASSERT_FALSE(dialogs->shown.empty());
        EXPECT_EQ(dialogs->shown[0].message.text, "Excel application is not open");
        EXPECT_EQ(dialogs->shown[0].mainStatus, caption);
        EXPECT_EQ(mainStatus(), "");
        EXPECT_FALSE(ended);
    }
    ASSERT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_EQ(desktop->workbooks().windows()[0]->workbook(), nullptr);
}

// The road of a profile: the sample opened from the menu, its design range selected, the button
// pressed; the drawing reads the workbook and never writes it, undoes whole and exports a page a
// sheet. The template's symbols come into one drawing, however often asked.
TEST_F(CommandTable, TheSampleOpensItsRangeDrawsAndTheTemplateBringsItsSymbols) {
    entry(form(), "mnuSampelData")->trigger();
    ASSERT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_TRUE(desktop->workbooks().windows()[0]->isVisible());
    Workbook& book = desktop->workbooks().activeWorkbook();
    EXPECT_EQ(book.name(), "Pipe_Design_Sample.xlsx");
    book.setActiveSheet("PD-CW-Sample");
    book.setSelection(parseA1("B15:B37"));
    child<QComboBox>("Combo1")->setCurrentText("A3");
    QTest::mouseClick(child<QPushButton>("Read_data"), Qt::LeftButton);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(drawingStatus(), "Drawing in AutoCAD is completed.");
    DrawingHost& cad = desktop->drawings();
    EXPECT_TRUE(cad.visible());
    EXPECT_GT(cad.activeDocument().modelSpace().entities().size(), 500u);
    EXPECT_TRUE(cad.activeDocument().modified());
    EXPECT_FALSE(book.modified());
    // Undone and redone whole; exported as one A3 page per sheet.
    const std::size_t drawn = cad.activeDocument().modelSpace().count();
    const std::size_t sheets = cad.activeDocument().sheets().list().size();
    ASSERT_GT(sheets, 1u);
    cad.undo();
    EXPECT_EQ(cad.activeDocument().modelSpace().count(), 0u);
    cad.redo();
    EXPECT_EQ(cad.activeDocument().modelSpace().count(), drawn);
    const test::ScratchDir dir{"shell-commands"};
    ASSERT_TRUE(cad.exportTo(cad.activeIndex(), QString::fromStdString((dir / "p.pdf").string())));
    const std::string pdf = test::readBytes(dir / "p.pdf");
    const std::regex a3(R"(/MediaBox \[0 0 (842|1191)(\.0+)? (842|1191)(\.0+)?\])");
    const auto pages = std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), a3), {});
    EXPECT_EQ(static_cast<std::size_t>(pages), sheets);
    cad.closeAll();
    QTest::mouseClick(child<QPushButton>("cmdSchematic"), Qt::LeftButton);
    EXPECT_TRUE(dialogs->shown.empty());
    ASSERT_EQ(cad.documentCount(), 1);
    EXPECT_GT(cad.activeDocument().modelSpace().entities().size(), 20u);
    cad.closeAll();
    for (int twice = 0; twice < 2; ++twice)
        entry(form(), "mnuTemplateDwg")->trigger();
    EXPECT_TRUE(dialogs->shown.empty());
    ASSERT_EQ(cad.documentCount(), 1);
    for (const char* block : {"a4_paper", "BPC", "INTAKE_CC"})
        EXPECT_NE(cad.activeDocument().blocks().find(block), nullptr) << block;
    EXPECT_EQ(mainStatus(), "");
    // Loading the template is one step: undone, the symbols go; redone, they come back.
    EXPECT_EQ(cad.undoText(), "Template dwg File");
    cad.undo();
    EXPECT_EQ(cad.activeDocument().blocks().find("BPC"), nullptr);
    EXPECT_FALSE(cad.canUndo());
    cad.redo();
    EXPECT_NE(cad.activeDocument().blocks().find("BPC"), nullptr);
}

// Without a workbook the profile offers to start the spreadsheet (OK/Cancel), a wait window
// showing meanwhile; Cancel then ends the program, with nothing asked when nothing is modified,
// even while the ground profile dialog and the About box are open.
TEST_F(CommandTable, ProfileWithoutWorkbookOffersToStartTheSpreadsheetCancelEnds) {
    dialogs->answers = {Answer::Ok};
    child<QPushButton>("Read_data")->click();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].message.title, "Error!!!");
    EXPECT_EQ(dialogs->shown[0].message.buttons, Buttons::OkCancel);
    EXPECT_EQ(drawingStatus(), "Click Execute Once Again !");
    ASSERT_EQ(desktop->workbooks().windows().size(), 1u);  // started, empty
    desktop->runCommand([] {});                            // its hint stays through refreshes
    EXPECT_TRUE(desktop->workbooks()
                    .windows()[0]
                    ->findChild<QLabel*>("selectionAddress")
                    ->text()
                    .startsWith("No workbook is open here"));
    EXPECT_EQ(desktop->ui().waitWindow(), nullptr);  // shown while starting, then gone
    EXPECT_FALSE(ended);
    start(withAllCommands());
    entry(form(), "mnuExistingGround")->trigger();
    entry(form(), "mnuAbout")->trigger();
    child<QPushButton>("Command2")->click();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(dialogs->saveQuestions.empty());
}

// F1 and the help button open the manual in the browser, or without one in a window of ours.
TEST_F(CommandTable, HelpOpensTheManualInTheBrowserOrInAWindowOfItsOwn) {
    child<QPushButton>("cmdHelp")->click();
    for (bool opens : {true, false}) {
        dialogs->urlOpens = opens;
        QApplication::setActiveWindow(&form());
        QTest::keyClick(&form(), Qt::Key_F1);
    }
    const QUrl manual = QUrl::fromLocalFile(
        QString::fromStdString((test::sourceDir() / "data/help/index.html").string()));
    EXPECT_EQ(dialogs->urls, (std::vector<QUrl>{manual, manual, manual}));
    ASSERT_NE(form().helpWindow(), nullptr);
    EXPECT_TRUE(form().helpWindow()->isVisible());
    EXPECT_TRUE(dialogs->shown.empty());
}

}  // namespace
}  // namespace plovis
