// The workbook window: a tab per sheet, the selection the drawing commands read, cells shown as
// commands write them, save and save as with the modified marker, and a reload when the file
// changes on disk.
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "desktop_fixture.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "shell/sheet_model.h"
#include "shell/workbook_window.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class WorkbookWindowTest : public test::DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        test::writeScheme(book);
        desktop->workbooks().open(book);
        window = desktop->workbooks().windows().front();
    }
    int tabOf(const QString& name) {
        for (int i = 0; i < window->sheetTabs()->count(); ++i) {
            if (window->sheetTabs()->tabText(i) == name) return i;
        }
        return -1;
    }
    QString shown(int tab, int row, int column) {
        SheetModel* m = window->sheetModel(tab);
        return m->data(m->index(row - 1, column - 1), Qt::DisplayRole).toString();
    }
    void select(int tab, const char* a1) {
        window->sheetTabs()->setCurrentIndex(tab);
        QTableView* view = window->sheetView(tab);
        const CellRange r = parseA1(a1);
        const QModelIndex from = view->model()->index(r.firstRow - 1, r.firstColumn - 1);
        const QModelIndex to = view->model()->index(r.lastRow - 1, r.lastColumn - 1);
        view->selectionModel()->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
        view->selectionModel()->select(QItemSelection(from, to),
                                       QItemSelectionModel::ClearAndSelect);
    }
    // Runs events until the condition holds or 5 seconds pass.
    template <class Condition>
    bool eventually(Condition done) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < 5000)
            QTest::qWait(20);
        return done();
    }

    test::ScratchDir dir{"shell-workbook"};
    std::filesystem::path book = dir / "scheme.xlsx";
    WorkbookWindow* window = nullptr;
};

TEST_F(WorkbookWindowTest, ATabPerSheetInOrderWithTheActiveSheetInFront) {
    QStringList tabs;
    for (int i = 0; i < window->sheetTabs()->count(); ++i)
        tabs << window->sheetTabs()->tabText(i);
    EXPECT_EQ(tabs, QStringList({"PD-CW-Sample", "KELDRAN", "DATA INPUT", "GroundProfile"}));
    EXPECT_EQ(window->sheetTabs()->currentIndex(), 0);
    EXPECT_EQ(shown(0, 15, 3), "Main line");
    EXPECT_EQ(shown(0, 16, 5), "250");
    EXPECT_EQ(window->windowTitle(), "scheme.xlsx[*] - PLOVIS workbook");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WorkbookWindowTest, TheSelectedRangeIsWhatTheCommandsRead) {
    select(tabOf("GroundProfile"), "B4:D9");
    Workbook& wb = desktop->workbooks().activeWorkbook();
    EXPECT_EQ(wb.activeSheet().name(), "GroundProfile");
    EXPECT_EQ(selectionAddressR1C1(wb), "R4C2:R9C4");
    EXPECT_TRUE(window->selectionText().startsWith("GroundProfile!B4:D9"));
    select(0, "B15:B22");
    EXPECT_EQ(wb.activeSheet().name(), "PD-CW-Sample");
    EXPECT_EQ(selectionAddressR1C1(wb), "R15C2:R22C2");
}

TEST_F(WorkbookWindowTest, SelectingWithTheKeyboard) {
    QTableView* view = window->sheetView(0);
    view->setCurrentIndex(view->model()->index(14, 1));  // B15
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectionAddressR1C1(desktop->workbooks().activeWorkbook()), "R15C2:R17C2");
}

TEST_F(WorkbookWindowTest, CellsACommandWritesShowWithTheModifiedMarker) {
    desktop->runCommand([this] {
        Worksheet& s = desktop->workbooks().activeWorkbook().sheet("DATA INPUT");
        s.setCell(8, 5, std::string("New title"));
        s.setCell(120000, 30, 42.5);  // far beyond the rows shown so far
    });
    const int data = tabOf("DATA INPUT");
    EXPECT_EQ(shown(data, 8, 5), "New title");
    EXPECT_GE(window->sheetModel(data)->rowCount(), 120000);
    EXPECT_GE(window->sheetModel(data)->columnCount(), 30);
    EXPECT_EQ(shown(data, 120000, 30), "42.5");
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(WorkbookWindowTest, SaveWritesTheFileAndClearsTheMarker) {
    desktop->runCommand([this] {
        desktop->workbooks().activeWorkbook().sheet("DATA INPUT").setCell(8, 5, 2026.0);
    });
    ASSERT_TRUE(window->save());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(cellNumber(XlsxWorkbook::open(book)->sheet("DATA INPUT").cell(8, 5)), 2026);
}

TEST_F(WorkbookWindowTest, SaveAsMovesTheWorkbookToTheNewFileAndLeavesTheOldOne) {
    desktop->runCommand(
        [this] { desktop->workbooks().activeWorkbook().sheet("DATA INPUT").setCell(8, 5, 7.0); });
    const auto copy = dir / "copy.xlsx";
    ASSERT_TRUE(window->saveAs(QString::fromStdString(copy.string())));
    EXPECT_EQ(window->workbook()->file(), copy);
    EXPECT_EQ(window->windowTitle(), "copy.xlsx[*] - PLOVIS workbook");
    EXPECT_EQ(cellNumber(XlsxWorkbook::open(copy)->sheet("DATA INPUT").cell(8, 5)), 7);
    EXPECT_EQ(cellText(XlsxWorkbook::open(book)->sheet("DATA INPUT").cell(8, 5)),
              "Kalika Water Supply Scheme");
}

TEST_F(WorkbookWindowTest, AFileChangedOnDiskIsReadAgainWhenNothingIsUnsaved) {
    select(0, "B15:B22");
    {
        auto other = XlsxWorkbook::open(book);
        other->sheet("PD-CW-Sample").setCell(15, 3, std::string("Main line (revised)"));
        other->save(book);
    }
    EXPECT_TRUE(eventually([&] { return shown(0, 15, 3) == "Main line (revised)"; }));
    // The user keeps the sheet and range in front.
    EXPECT_EQ(selectionAddressR1C1(desktop->workbooks().activeWorkbook()), "R15C2:R22C2");
}

TEST_F(WorkbookWindowTest, UnsavedChangesAreNeverReplacedFromDisk) {
    desktop->runCommand(
        [this] { desktop->workbooks().activeWorkbook().sheet("DATA INPUT").setCell(8, 5, 1.0); });
    {
        auto other = XlsxWorkbook::open(book);
        other->sheet("PD-CW-Sample").setCell(15, 3, std::string("Changed elsewhere"));
        other->save(book);
    }
    EXPECT_TRUE(eventually([&] { return window->statusBar()->currentMessage().contains("disk"); }));
    EXPECT_EQ(shown(0, 15, 3), "Main line");
    EXPECT_EQ(shown(tabOf("DATA INPUT"), 8, 5), "1");
}

TEST_F(WorkbookWindowTest, ASecondOpenOfTheSameFileBringsItsWindowToTheFront) {
    desktop->workbooks().open(book);
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);
    const auto other = dir / "other.xlsx";
    test::writeScheme(other);
    desktop->workbooks().open(other);
    ASSERT_EQ(desktop->workbooks().windows().size(), 2u);
    EXPECT_EQ(desktop->workbooks().activeWorkbook().name(), "other.xlsx");
}

TEST_F(WorkbookWindowTest, AFileThatIsNoWorkbookIsReportedByName) {
    const auto bad = dir / "notes.xlsx";
    std::ofstream(bad) << "not a zip";
    desktop->workbooks().openFile(QString::fromStdString(bad.string()), window);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_NE(dialogs->shown[0].message.text.find("notes.xlsx"), std::string::npos);
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);
}

TEST_F(WorkbookWindowTest, TheUserConfirmsOrGivesUpANewSelection) {
    for (const auto& [button, confirmed] :
         {std::pair{"selectionOk", true}, std::pair{"selectionCancel", false}}) {
        QTimer::singleShot(20, window, [this, b = button] {
            select(0, "B15:B22");
            window->findChild<QPushButton*>(b)->click();
        });
        EXPECT_EQ(desktop->workbooks().askForSelection(), confirmed) << button;
    }
    EXPECT_EQ(selectionAddressR1C1(desktop->workbooks().activeWorkbook()), "R15C2:R22C2");
}

}  // namespace
}  // namespace plovis
