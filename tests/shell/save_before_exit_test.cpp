// Ending the program never loses work: every modified workbook and drawing is offered for saving
// (Save, Discard or Cancel), whether the user ends it or a command does.
#include <QPushButton>

#include "desktop_fixture.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "shell/drawing_window.h"
#include "shell/workbook_window.h"
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

TEST_F(SaveBeforeExit, EveryModifiedDocumentIsOfferedInTurn) {
    dialogs->saveChoices = {SaveChoice::Save, SaveChoice::Discard};
    pressCancel();
    EXPECT_EQ(dialogs->saveQuestions, (std::vector<QString>{"scheme.xlsx", "Drawing1.dxf"}));
    EXPECT_TRUE(ended);
    EXPECT_EQ(titleOnDisk(), "Changed title");
    EXPECT_TRUE(desktop->workbooks().windows().empty());
    EXPECT_EQ(desktop->drawings().documentCount(), 0);
}

TEST_F(SaveBeforeExit, CancelKeepsTheProgramAndEverythingInIt) {
    dialogs->saveChoices = {SaveChoice::Discard, SaveChoice::Cancel};
    pressCancel();
    EXPECT_FALSE(ended);
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_TRUE(desktop->drawings().activeDocument().modified());
    EXPECT_EQ(titleOnDisk(), "Kalika Water Supply Scheme");  // discarded: the file as it was
    // Asked again the next time.
    dialogs->saveChoices = {SaveChoice::Discard, SaveChoice::Discard};
    form().close();
    EXPECT_TRUE(ended);
    EXPECT_EQ(dialogs->saveQuestions.size(), 4u);
}

TEST_F(SaveBeforeExit, ANewDrawingIsSavedWhereTheUserSays) {
    const auto dxf = dir / "profile.dxf";
    dialogs->saveChoices = {SaveChoice::Discard, SaveChoice::Save};
    dialogs->fileNames = {QString::fromStdString(dxf.string())};
    pressCancel();
    EXPECT_TRUE(ended);
    const auto read = readDxfFile(dxf);
    EXPECT_EQ(read->modelSpace().entities().size(), 1u);
}

TEST_F(SaveBeforeExit, ASaveThatFailsKeepsTheProgramRunning) {
    dialogs->saveChoices = {SaveChoice::Discard, SaveChoice::Save};
    dialogs->fileNames = {"/nonexistent-folder/profile.dxf"};
    pressCancel();
    EXPECT_FALSE(ended);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].message.icon, Icon::Critical);
    EXPECT_NE(dialogs->shown[0].message.text.find("/nonexistent-folder/profile.dxf"),
              std::string::npos);
}

TEST_F(SaveBeforeExit, ACommandThatEndsTheApplicationOffersTheSameFirst) {
    // The selection (one cell) is no design range; Cancel at "First Select the Correct Range
    // and Then Click OK!" ends the application.
    dialogs->answers = {Answer::Cancel};
    dialogs->saveChoices = {SaveChoice::Discard, SaveChoice::Discard};
    child<QPushButton>("Read_data")->click();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].message.text, "First Select the Correct Range and Then Click OK!");
    EXPECT_EQ(dialogs->saveQuestions, (std::vector<QString>{"scheme.xlsx", "Drawing1.dxf"}));
    EXPECT_TRUE(ended);
    EXPECT_FALSE(form().isVisible());
}

TEST_F(SaveBeforeExit, NothingClosesWhileACommandRuns) {
    desktop->runCommand([this] {
        form().close();
        desktop->workbooks().windows()[0]->close();
        desktop->drawings().window().close();
    });
    EXPECT_FALSE(ended);
    EXPECT_TRUE(dialogs->saveQuestions.empty());
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_EQ(desktop->drawings().documentCount(), 1);
}

TEST_F(SaveBeforeExit, ClosingTheWorkbookWindowAsksForItsWorkbook) {
    dialogs->saveChoices = {SaveChoice::Save};
    desktop->workbooks().windows()[0]->close();
    EXPECT_TRUE(desktop->workbooks().windows().empty());
    EXPECT_EQ(titleOnDisk(), "Changed title");
    EXPECT_FALSE(ended);
}

TEST_F(SaveBeforeExit, ClosingTheDrawingWindowAsksForItsDrawings) {
    dialogs->saveChoices = {SaveChoice::Cancel};
    desktop->drawings().window().close();
    EXPECT_EQ(desktop->drawings().documentCount(), 1);
    dialogs->saveChoices = {SaveChoice::Discard};
    desktop->drawings().window().close();
    EXPECT_EQ(desktop->drawings().documentCount(), 0);
    EXPECT_FALSE(ended);
}

}  // namespace
}  // namespace plovis
