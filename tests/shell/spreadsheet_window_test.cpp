// The workbook window as a spreadsheet: numbers shown through their formats, cells typed and
// pasted through real keys, dependents recalculated, every edit and a whole command's writes
// undone and redone.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "desktop_fixture.h"
#include "shell/number_display.h"
#include "shell/sheet_model.h"
#include "shell/workbook_window.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

TEST(NumberDisplay, GeneralFitsElevenCharactersAndCodesFormatAsSpreadsheetsDo) {
    const std::tuple<double, int, const char*> general[] = {
        {-3.26999999999998, 11, "-3.27"},
        {1234567.875, 11, "1234567.875"},
        {0.1 + 0.2, 11, "0.3"},
        {123456789012.0, 11, "1.23457E+11"},
        {2.0 / 3, 11, "0.666666667"},
        {-2.0 / 3, 11, "-0.66666667"},
        {1e-12, 11, "1E-12"},
        {99999999999.6, 11, "1E+11"},
        {0.0770498, 6, "0.077"},
        {-1234.5678, 6, "-1235"},
        {123456789, 5, "1E+08"},
        {123456789, 4, "####"},
    };
    for (const auto& [value, width, shown] : general)
        EXPECT_EQ(generalDisplay(value, width), shown) << value << " in " << width;
    const std::tuple<double, const char*, const char*> coded[] = {
        {3.14159, "0.00", "3.14"},
        {1234567.5, "#,##0.00", "1,234,567.50"},
        {-1234.5, "#,##0", "-1,235"},
        {0.125, "0.0%", "12.5%"},
        {12345.678, "0.00E+00", "1.23E+04"},
        {2.5, "0.0\" m\"", "2.5 m"},
        {-2, "0.0;(0.0)", "(2.0)"},
        {0, "0.0;-0.0;\"nil\"", "nil"},
        {45658, "yyyy-mm-dd", "2025-01-01"},
        {7, "General", "7"},
        {-0.0001, "0.00", "0.00"},
        // Dates and times as their codes show them; "m" after an hour or before seconds is the
        // minute.
        {45658, "dd/mm/yyyy", "01/01/2025"},
        {45000.75, "d mmm yy h:mm AM/PM", "15 Mar 23 6:00 PM"},
        {45000, "dddd, mmmm d", "Wednesday, March 15"},
        {45000.5123, "hh:mm:ss", "12:17:43"},
        {45658.25, "[$-409]mmm-yy h:mm a/p", "Jan-25 6:00 A"},
        {45000.75, "\"data/plot \"d/m/yyyy h:mm", "data/plot 15/3/2023 18:00"},
        {45000.999999, "yyyy-mm-dd hh:mm", "2023-03-16 00:00"},
        {1.5, "[h]:mm", "36:00"},
        {0.25, "h:mm", "6:00"},
        {-45000, "dd/mm/yyyy", "-45000"},
    };
    for (const auto& [value, code, shown] : coded)
        EXPECT_EQ(formatNumberCode(value, code), shown) << code;
}

class SpreadsheetWindow : public test::DesktopTest {
  protected:
    // Sheet "S": A1 2, B1 =A1*3 shown "0.00", A2 -3.26999999999998, C1 a long text; column B
    // 20 characters wide and column D hidden.
    void SetUp() override {
        DesktopTest::SetUp();
        const char* script = R"(import sys
from openpyxl import Workbook
wb = Workbook(); ws = wb.active; ws.title = "S"
ws["A1"] = 2; ws["B1"] = "=A1*3"; ws["B1"].number_format = "0.00"
ws["A2"] = -3.26999999999998; ws["C1"] = "a text longer than its cell"
ws.column_dimensions["B"].width = 20; ws.column_dimensions["D"].hidden = True
wb.save(sys.argv[1]))";
        ASSERT_EQ(test::runProgram("/usr/bin/python3", {"-c", script, book.string()}).status, 0);
        desktop->workbooks().open(book);
        window = desktop->workbooks().windows().front();
        view = window->sheetView(0);
        QApplication::setActiveWindow(window);  // its shortcuts (undo, paste) answer keys
    }
    QString shown(int row, int column) {
        return view->model()->index(row - 1, column - 1).data().toString();
    }
    // F2 on the cell, the text typed into its editor, Enter.
    void type(int row, int column, const QString& text) {
        view->setCurrentIndex(view->model()->index(row - 1, column - 1));
        QTest::keyClick(view, Qt::Key_F2);
        QLineEdit* editor = nullptr;  // the open one: closed editors linger until deleted
        for (auto* e : view->findChildren<QLineEdit*>())
            editor = e->isVisible() ? e : editor;
        ASSERT_NE(editor, nullptr);
        editor->clear();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the delegate commits an Enter once the editor had it
    }
    test::ScratchDir dir{"shell-spreadsheet"};
    std::filesystem::path book = dir / "book.xlsx";
    WorkbookWindow* window = nullptr;
    QTableView* view = nullptr;
};

// The file's formats and widths show; a value typed recalculates its dependents, Enter goes
// down, the formula shows in the address line; undo and redo go through the same recalculation.
TEST_F(SpreadsheetWindow, EditRecalculatesDependentsAndUndoes) {
    EXPECT_EQ(shown(1, 2) + " " + shown(2, 1), "6.00 -3.27");
    EXPECT_GT(view->columnWidth(1), 2 * view->columnWidth(0));
    EXPECT_TRUE(view->isColumnHidden(3));
    type(1, 1, "5");
    EXPECT_EQ(shown(1, 2), "15.00");
    EXPECT_EQ(view->currentIndex().row(), 1);  // Enter went down
    type(3, 1, "=B1+1");
    EXPECT_EQ(shown(3, 1), "16");
    view->setCurrentIndex(view->model()->index(2, 0));
    EXPECT_TRUE(window->selectionText().endsWith("A3: =B1+1"))
        << window->selectionText().toStdString();
    EXPECT_TRUE(window->isWindowModified());
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(1, 2) + "|" + shown(3, 1), "6.00|");
    QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(shown(1, 2), "15.00");
}

// A tab-separated block pastes from the current cell as one edit; Delete clears the selection.
// C1's long text runs on over the hidden D into E without the grid's line across it; the row
// below keeps its line.
TEST_F(SpreadsheetWindow, ATextRunningOnHasNoGridLineAcrossIt) {
    const QImage image = view->viewport()->grab().toImage();
    const int line = view->columnViewportPosition(2) + view->columnWidth(2) - 1;  // right of C
    const QColor base = view->palette().color(QPalette::Base);
    EXPECT_EQ(image.pixelColor(line, view->rowViewportPosition(0) + 1), base);
    EXPECT_NE(image.pixelColor(line, view->rowViewportPosition(1) + 1), base);
}

TEST_F(SpreadsheetWindow, PasteABlockAndClearIt) {
    QApplication::clipboard()->setText("1\t2\r\n3\t=E5+F5\r\n");
    view->setCurrentIndex(view->model()->index(4, 4));  // E5
    QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(shown(5, 5) + shown(5, 6) + shown(6, 5) + shown(6, 6), "1233");
    EXPECT_EQ(window->undoStack()->count(), 1);
    view->selectionModel()->select(
        QItemSelection(view->model()->index(4, 4), view->model()->index(5, 5)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(shown(5, 5) + shown(6, 6), "");
    window->undoStack()->undo();
    EXPECT_EQ(shown(6, 6), "3");
}

// What a command writes is one edit, its cells highlighted until the next edit.
TEST_F(SpreadsheetWindow, ACommandsWritesUndoAsOneAndStayHighlightedUntilTheNextEdit) {
    desktop->runCommand(
        [this] {
            Worksheet& s = desktop->workbooks().activeWorkbook().sheet("S");
            s.setCell(1, 1, 10.0);
            s.setCell(7, 1, std::string("written"));
        },
        {"Water Demand"});
    EXPECT_EQ(shown(1, 2), "30.00");
    EXPECT_EQ(window->undoStack()->undoText(), "Water Demand");
    const auto lit = [this](int row) {
        return view->model()->index(row - 1, 0).data(Qt::BackgroundRole).isValid();
    };
    EXPECT_TRUE(lit(1) && lit(7) && !lit(2));
    type(9, 1, "x");
    EXPECT_FALSE(lit(1));
    window->undoStack()->undo();
    window->undoStack()->undo();
    EXPECT_EQ(shown(1, 2) + shown(7, 1), "6.00");
}

}  // namespace
}  // namespace plovis
