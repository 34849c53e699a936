// Ending the program never loses work: every modified workbook and drawing is offered for saving
// (Save, Discard or Cancel), whether the user ends it or a command does; and the drawing window
// saving, exporting, opening and closing its drawings.
#include <QPushButton>
#include <QTabBar>
#include <fstream>

#include "desktop_fixture.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "shell/drawing_window.h"
#include "shell/workbook_window.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class SaveBeforeExit : public test::DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        test::writeScheme(book);
        Workbook& wb = desktop->workbooks().open(book);
        wb.sheet("DATA INPUT").setCell(8, 5, std::string("Changed title"));
        Drawing& d = desktop->drawings().addDocument();
        d.modelSpace().addLine({0, 0, 0}, {100, 50, 0});
        desktop->workbooks().refresh();
        desktop->drawings().refresh();
    }
    std::string titleOnDisk() {
        return cellText(XlsxWorkbook::open(book)->sheet("DATA INPUT").cell(8, 5));
    }
    void pressCancel() { child<QPushButton>("Command2")->click(); }

    test::ScratchDir dir{"shell-exit"};
    std::filesystem::path book = dir / "scheme.xlsx";
};

// Cancel at a save question keeps the program and everything in it (a workbook discarded first is
// as it was on disk), and the question comes again the next time; Save then Discard ends it with
// the workbook saved and everything closed.
TEST_F(SaveBeforeExit, EveryModifiedDocumentIsOfferedInTurnCancelKeepsEverything) {
    dialogs->saveChoices = {SaveChoice::Discard, SaveChoice::Cancel};
    pressCancel();
    EXPECT_FALSE(ended);
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_TRUE(desktop->drawings().activeDocument().modified());
    EXPECT_EQ(titleOnDisk(), "Kalika Water Supply Scheme");
    dialogs->saveChoices = {SaveChoice::Save, SaveChoice::Discard};
    form().close();
    EXPECT_EQ(dialogs->saveQuestions,
              (std::vector<QString>{"scheme.xlsx", "Drawing1.dxf", "scheme.xlsx", "Drawing1.dxf"}));
    EXPECT_TRUE(ended);
    EXPECT_EQ(titleOnDisk(), "Changed title");
    EXPECT_TRUE(desktop->workbooks().windows().empty());
    EXPECT_EQ(desktop->drawings().documentCount(), 0);
}

// A new drawing is saved where the user says; a save that fails is reported and keeps the
// program running.
TEST_F(SaveBeforeExit, ANewDrawingIsSavedWhereTheUserSaysOrTheProgramStays) {
    const auto dxf = dir / "profile.dxf";
    dialogs->saveChoices = {SaveChoice::Discard, SaveChoice::Save, SaveChoice::Discard,
                            SaveChoice::Save};
    dialogs->fileNames = {"/nonexistent-folder/profile.dxf", QString::fromStdString(dxf.string())};
    pressCancel();
    EXPECT_FALSE(ended);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].message.icon, Icon::Critical);
    EXPECT_NE(dialogs->shown[0].message.text.find("/nonexistent-folder/profile.dxf"),
              std::string::npos);
    pressCancel();
    EXPECT_TRUE(ended);
    EXPECT_EQ(readDxfFile(dxf)->modelSpace().entities().size(), 1u);
}

// A command that ends the application offers the same first: the selection (one cell) is no
// design range, and Cancel at "First Select the Correct Range and Then Click OK!" ends it.
TEST_F(SaveBeforeExit, ACommandThatEndsTheApplicationOffersTheSameFirst) {
    dialogs->answers = {Answer::Cancel};
    dialogs->saveChoices = {SaveChoice::Discard, SaveChoice::Discard};
    child<QPushButton>("Read_data")->click();
    EXPECT_EQ(dialogs->texts(),
              std::vector<std::string>{"First Select the Correct Range and Then Click OK!"});
    EXPECT_EQ(dialogs->saveQuestions, (std::vector<QString>{"scheme.xlsx", "Drawing1.dxf"}));
    EXPECT_TRUE(ended);
    EXPECT_FALSE(form().isVisible());
}

// Nothing closes, and no other command starts, while a command runs; closing the workbook window
// asks for its workbook, the drawing window for its drawings.
TEST_F(SaveBeforeExit, ClosingAWindowAsksForItsDocumentsButNotWhileACommandRuns) {
    int inner = 0;
    desktop->runCommand([&] {
        form().close();
        desktop->workbooks().windows()[0]->close();
        desktop->drawings().window().close();
        EXPECT_TRUE(desktop->guard().busy());
        desktop->runCommand([&] { ++inner; });  // one command at a time
        throw HostError("The disk is full");    // a failure no routine answered is shown
    });
    EXPECT_EQ(inner, 0);
    EXPECT_FALSE(desktop->guard().busy());
    EXPECT_EQ(dialogs->texts(), std::vector<std::string>{"The command stopped: The disk is full"});
    EXPECT_TRUE(dialogs->saveQuestions.empty());
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_EQ(desktop->drawings().documentCount(), 1);
    dialogs->saveChoices = {SaveChoice::Save, SaveChoice::Cancel, SaveChoice::Discard};
    desktop->workbooks().windows()[0]->close();
    EXPECT_TRUE(desktop->workbooks().windows().empty());
    EXPECT_EQ(titleOnDisk(), "Changed title");
    desktop->drawings().window().close();
    EXPECT_EQ(desktop->drawings().documentCount(), 1);
    desktop->drawings().window().close();
    EXPECT_EQ(desktop->drawings().documentCount(), 0);
    EXPECT_FALSE(ended);
}

// Each drawing is a tab with its modified marker; save as DXF names it after its file and save
// writes the same file again; a picture is exported (no save; each kind is tests/render's) and an
// unknown kind is reported; a DXF file opens in a tab of its own; closing a modified drawing asks
// first.
TEST_F(SaveBeforeExit, TheDrawingWindowTabsSavesExportsOpensAndCloses) {
    DrawingHost& cad = desktop->drawings();
    DrawingWindow& window = cad.window();
    cad.setVisible(true);
    cad.addDocument();
    QTabBar* tabs = window.documentTabs();
    EXPECT_EQ(tabs->tabText(0) + "|" + tabs->tabText(1), "Drawing1.dxf *|Drawing2.dxf");
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_FALSE(window.isWindowModified());
    tabs->setCurrentIndex(0);
    EXPECT_EQ(cad.activeIndex(), 0);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(window.windowTitle(), "Drawing1.dxf[*] - PLOVIS drawing");
    ASSERT_TRUE(cad.exportTo(0, QString::fromStdString((dir / "p.png").string())));
    EXPECT_EQ(test::readBytes(dir / "p.png").substr(0, 4), "\x89PNG");
    EXPECT_TRUE(cad.activeDocument().modified());  // a picture is no save
    EXPECT_FALSE(cad.exportTo(0, QString::fromStdString((dir / "p.bmp").string())));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_NE(dialogs->shown[0].message.text.find("p.bmp"), std::string::npos);
    const auto file = dir / "network.dxf";
    ASSERT_TRUE(cad.saveAs(0, QString::fromStdString(file.string())));
    EXPECT_FALSE(cad.activeDocument().modified());
    EXPECT_EQ(tabs->tabText(0), "network.dxf");
    cad.activeDocument().modelSpace().addLine({0, 0, 0}, {0, 10, 0});
    ASSERT_TRUE(cad.save(0));  // into the same file without asking
    EXPECT_EQ(readDxfFile(file)->modelSpace().entities().size(), 2u);
    cad.open(file);
    EXPECT_EQ(cad.documentCount(), 3);
    EXPECT_EQ(cad.activeDocument().modelSpace().entities().size(), 2u);
    std::ofstream(dir / "broken.dxf") << "0\nSECTION\n";
    EXPECT_THROW(cad.open(dir / "broken.dxf"), HostError);
    cad.closeAll();
    cad.addDocument().modelSpace().addLine({0, 0, 0}, {1, 1, 0});
    dialogs->saveChoices = {SaveChoice::Cancel, SaveChoice::Discard};
    EXPECT_FALSE(cad.closeDocument(0));
    EXPECT_EQ(cad.documentCount(), 1);
    EXPECT_TRUE(cad.closeDocument(0));
    EXPECT_THROW(cad.activeDocument(), HostError);
    EXPECT_EQ(tabs->count(), 0);
}

}  // namespace
}  // namespace plovis
