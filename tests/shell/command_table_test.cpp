// The command table: every enabled command reached from its menu entry or button, the status
// protocol (the caption shows before the work and is cleared after), and the entries that start
// switched off doing nothing until switched on.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "desktop_fixture.h"
#include "hosts/dxf/dxf_file.h"
#include "shell/drawing_host.h"
#include "shell/workbook_window.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

using CommandTable = test::DesktopTest;

QAction* entry(Form1& form, const char* name) {
    return form.findChild<QAction*>(name);
}

struct Captioned {
    const char* entry;
    const char* caption;  // shown while the first message shows; "" for none
};

// With no workbook open, each computation's attach reports "Excel application is not open"
// while the entry's caption shows.
const Captioned kComputations[] = {
    {"mnuWaterDemand", "Processing for water demand calculation.Please wait..."},
    {"mnuBranchPoints", "Reading data from excel.Please wait..."},
    {"mnuPipeLength", "Reading data from excel.Please wait..."},
    {"mnuBranchControlPointsAndRL", "processing data from excel.Please wait..."},
    {"mnuPipeLineData", ""},
    {"mnuRiseFall", "Reading data from excel.Please wait..."},
    {"mnuTransferToGP", "Processing for water demand calculation.Please wait..."},
    {"mnuRLandData", "Reading data from excel.Please wait..."},
    {"mnuAbneyRL", "Reading data from excel.Please wait..."},
    {"mnuSurveyDataProcess", "Reading data from excel.Please wait..."},
};

TEST_F(CommandTable, EachComputationShowsItsCaptionBeforeTheWorkAndClearsItAfter) {
    start(withAllCommands());
    for (const Captioned& c : kComputations) {
        dialogs->shown.clear();
        entry(form(), c.entry)->trigger();
        ASSERT_FALSE(dialogs->shown.empty()) << c.entry;
        EXPECT_EQ(dialogs->shown[0].message.text, "Excel application is not open") << c.entry;
        EXPECT_EQ(dialogs->shown[0].mainStatus, c.caption) << c.entry;
        EXPECT_EQ(mainStatus(), "") << c.entry;
        EXPECT_FALSE(ended) << c.entry;
    }
    // Attaching started the spreadsheet host: its window opened, empty.
    ASSERT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_EQ(desktop->workbooks().windows()[0]->workbook(), nullptr);
}

TEST_F(CommandTable, EntriesSwitchedOffRunNothing) {
    for (const char* name :
         {"mnuBranchPoints", "mnuRiseFall", "mnuTransferToGP", "mnuSurveyDataProcess", "mnuAbout"})
        entry(form(), name)->trigger();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(desktop->workbooks().windows().empty());
    EXPECT_EQ(form().aboutBox(), nullptr);
}

TEST_F(CommandTable, SampleDataFileOpensTheShippedSampleAndItsRangeDraws) {
    entry(form(), "mnuSampelData")->trigger();
    EXPECT_TRUE(dialogs->shown.empty());
    ASSERT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_TRUE(desktop->workbooks().windows()[0]->isVisible());
    Workbook& book = desktop->workbooks().activeWorkbook();
    EXPECT_EQ(book.name(), "Pipe_Design_Sample.xlsx");
    EXPECT_EQ(mainStatus(), "");
    // The road of a profile: the design range selected, the button pressed.
    book.setActiveSheet("PD-CW-Sample");
    book.setSelection(parseA1("B15:B37"));
    child<QComboBox>("Combo1")->setCurrentText("A3");
    child<QPushButton>("Read_data")->click();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(drawingStatus(), "Drawing in AutoCAD is completed.");
    EXPECT_GT(desktop->drawings().activeDocument().modelSpace().entities().size(), 500u);
    EXPECT_FALSE(book.modified());  // drawing reads the workbook, never writes it
}

TEST_F(CommandTable, TemplateDwgFileBringsTheSymbolsIntoTheDrawingWindow) {
    entry(form(), "mnuTemplateDwg")->trigger();
    EXPECT_TRUE(dialogs->shown.empty());
    DrawingHost& cad = desktop->drawings();
    EXPECT_TRUE(cad.visible());
    ASSERT_EQ(cad.documentCount(), 1);
    for (const char* block : {"a4_paper", "BPC", "INTAKE_CC"})
        EXPECT_NE(cad.activeDocument().blocks().find(block), nullptr) << block;
    EXPECT_EQ(mainStatus(), "");
    entry(form(), "mnuTemplateDwg")->trigger();  // once more: still one drawing
    EXPECT_EQ(cad.documentCount(), 1);
}

// The profile and the schematic draw the selected range of a scheme into the drawing window.
TEST_F(CommandTable, TheDrawingButtonsDrawTheSelectedRangeInTheDrawingWindow) {
    const test::ScratchDir dir("shell-drawing-buttons");
    test::writeScheme(dir / "scheme.xlsx");
    Workbook& book = desktop->workbooks().open(dir / "scheme.xlsx");
    book.setActiveSheet("PD-CW-Sample");
    book.setSelection(parseA1("B15:B22"));
    for (const char* button : {"Read_data", "cmdSchematic"}) {
        desktop->drawings().closeAll();
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
        EXPECT_TRUE(dialogs->shown.empty()) << button;
        EXPECT_EQ(drawingStatus(), "Drawing in AutoCAD is completed.") << button;
        DrawingHost& cad = desktop->drawings();
        ASSERT_EQ(cad.documentCount(), 1) << button;
        EXPECT_TRUE(cad.visible());
        EXPECT_GT(cad.activeDocument().modelSpace().entities().size(), 20u) << button;
        EXPECT_TRUE(cad.activeDocument().modified()) << button;
    }
}

TEST_F(CommandTable, ProfileWithoutWorkbookOffersToStartTheSpreadsheet) {
    dialogs->answers = {Answer::Ok};
    child<QPushButton>("Read_data")->click();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].message.title, "Error!!!");
    EXPECT_EQ(dialogs->shown[0].message.buttons, Buttons::OkCancel);
    EXPECT_EQ(drawingStatus(), "Click Execute Once Again !");
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);  // started, empty
    EXPECT_EQ(desktop->ui().waitWindow(), nullptr);        // shown while starting, then gone
    EXPECT_FALSE(ended);
}

// Cancel ends the program, with nothing asked when nothing is modified, even while the ground
// profile dialog and the About box are open.
TEST_F(CommandTable, CancelEndsTheProgram) {
    start(withAllCommands());
    entry(form(), "mnuExistingGround")->trigger();
    entry(form(), "mnuAbout")->trigger();
    child<QPushButton>("Command2")->click();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(dialogs->saveQuestions.empty());
}

// F1 works in any window of the program.
void pressF1(QWidget& window) {
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_F1);
}

TEST_F(CommandTable, HelpOpensTheManualFromF1AndTheHelpButtonOrSaysItCannot) {
    pressF1(form());
    child<QPushButton>("cmdHelp")->click();
    ASSERT_EQ(dialogs->urls.size(), 2u);
    for (const QUrl& url : dialogs->urls) {
        EXPECT_EQ(url, QUrl::fromLocalFile(QString::fromStdString(
                           (test::sourceDir() / "data/help/index.html").string())));
    }
    EXPECT_TRUE(dialogs->shown.empty());
    dialogs->urlOpens = false;
    pressF1(form());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_NE(dialogs->shown[0].message.text.find("help/index.html"), std::string::npos);
}

TEST_F(CommandTable, ExistingGroundProfileOpensOneModelessDialogOwnedByTheMainWindow) {
    start(withAllCommands());
    child<QPushButton>("cmdExistingGL")->click();
    entry(form(), "mnuExistingGround")->trigger();
    QDialog* dialog = form().findChild<QDialog*>("frmProfile");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(form().findChildren<QDialog*>("frmProfile").size(), 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), &form());
    EXPECT_EQ(dialog->windowTitle(), "Draw Ground Profile");
}

}  // namespace
}  // namespace plovis
