// The workbook window: a tab per sheet, the selection the drawing commands read, cells shown as
// commands write them, save and save as.
#include <QPushButton>
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

// The scheme's sheets in their tab order: PD-CW-Sample, KELDRAN, DATA INPUT, GroundProfile.
constexpr int kData = 2, kGround = 3;

class WorkbookWindowTest : public test::DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        test::writeScheme(book);
        desktop->workbooks().open(book);
        window = desktop->workbooks().windows().front();
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
    test::ScratchDir dir{"shell-workbook"};
    std::filesystem::path book = dir / "scheme.xlsx";
    WorkbookWindow* window = nullptr;
};

// A tab per sheet with the active sheet in front; the range selected (by mouse or keyboard) is
// what the commands read; a second open of the same file brings its window to the front; a file
// that is no workbook is reported by name.
TEST_F(WorkbookWindowTest, TabsSelectionAndOpening) {
    QStringList tabs;
    for (int i = 0; i < window->sheetTabs()->count(); ++i)
        tabs << window->sheetTabs()->tabText(i);
    EXPECT_EQ(tabs, QStringList({"PD-CW-Sample", "KELDRAN", "DATA INPUT", "GroundProfile"}));
    EXPECT_EQ(window->sheetTabs()->currentIndex(), 0);
    EXPECT_EQ(shown(0, 15, 3) + shown(0, 16, 5), "Main line250");
    EXPECT_EQ(window->windowTitle(), "scheme.xlsx[*] - PLOVIS workbook");
    EXPECT_FALSE(window->isWindowModified());
    Workbook& wb = desktop->workbooks().activeWorkbook();
    select(kGround, "B4:D9");
    EXPECT_EQ(wb.activeSheet().name(), "GroundProfile");
    EXPECT_EQ(selectionAddressR1C1(wb), "R4C2:R9C4");
    EXPECT_TRUE(window->selectionText().startsWith("GroundProfile!B4:D9"));
    window->sheetTabs()->setCurrentIndex(0);
    QTableView* view = window->sheetView(0);
    view->setCurrentIndex(view->model()->index(14, 1));  // B15
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectionAddressR1C1(wb), "R15C2:R17C2");
    desktop->workbooks().open(book);
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);
    std::ofstream(dir / "notes.xlsx") << "not a zip";
    desktop->workbooks().openFile(QString::fromStdString((dir / "notes.xlsx").string()), window);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_NE(dialogs->shown[0].message.text.find("notes.xlsx"), std::string::npos);
    EXPECT_EQ(desktop->workbooks().windows().size(), 1u);
}

// Cells a command writes show (far beyond the rows shown so far too) with the modified marker;
// save writes the file and clears the marker; save as moves the workbook to the new file and
// leaves the old one.
TEST_F(WorkbookWindowTest, CellsWrittenShowAndAreSavedOrSavedAs) {
    desktop->runCommand([this] {
        Worksheet& s = desktop->workbooks().activeWorkbook().sheet("DATA INPUT");
        s.setCell(8, 5, 2026.0);
        s.setCell(120000, 30, 42.5);
    });
    EXPECT_EQ(shown(kData, 8, 5) + " " + shown(kData, 120000, 30), "2026 42.5");
    EXPECT_TRUE(window->isWindowModified());
    ASSERT_TRUE(window->save());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(cellNumber(XlsxWorkbook::open(book)->sheet("DATA INPUT").cell(8, 5)), 2026);
    desktop->runCommand(
        [this] { desktop->workbooks().activeWorkbook().sheet("DATA INPUT").setCell(8, 5, 7.0); });
    const auto copy = dir / "copy.xlsx";
    ASSERT_TRUE(window->saveAs(QString::fromStdString(copy.string())));
    EXPECT_EQ(window->workbook()->file(), copy);
    EXPECT_EQ(window->windowTitle(), "copy.xlsx[*] - PLOVIS workbook");
    EXPECT_EQ(cellNumber(XlsxWorkbook::open(copy)->sheet("DATA INPUT").cell(8, 5)), 7);
    EXPECT_EQ(cellNumber(XlsxWorkbook::open(book)->sheet("DATA INPUT").cell(8, 5)), 2026);
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
