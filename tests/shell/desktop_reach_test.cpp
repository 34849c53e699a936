// What a newcomer meets: menus that stay as they are, a workbook dropped on the main window, the
// sample opened as a copy, old workbooks converted beside themselves, a selection asked for on the
// command's own sheet.
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "desktop_fixture.h"
#include "shell/about_box.h"
#include "shell/workbook_window.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class DesktopReach : public test::DesktopTest {
  protected:
    std::string menuStates() {
        std::string out;
        for (QAction* a : form().menuBar()->findChildren<QAction*>())
            out += a->objectName().toStdString() + (a->isEnabled() ? " on\n" : " off\n");
        return out;
    }
    WorkbookWindow* front() { return desktop->workbooks().windows().front(); }
    bool shownMessageHas(const std::string& part) {
        for (const std::string& text : dialogs->texts())
            if (text.find(part) != std::string::npos) return true;
        return false;
    }
    test::ScratchDir dir{"shell-reach"};
};

TEST_F(DesktopReach, TheAboutRoundTripChangesNoMenuInEitherMode) {
    for (const DesktopOptions& options : {asLaidOut(), withAllCommands()}) {
        start(options);
        const std::string before = menuStates();
        QTest::mouseClick(child<QWidget>("Image1"), Qt::LeftButton);
        QTest::keyClick(form().aboutBox(), Qt::Key_Escape);
        EXPECT_EQ(menuStates(), before);
        QTest::mouseClick(child<QWidget>("Image1"), Qt::LeftButton);
        form().aboutBox()->findChild<QPushButton*>("Command1")->click();
        EXPECT_EQ(menuStates(), before);
        EXPECT_TRUE(form().isEnabled());
    }
}

TEST_F(DesktopReach, AWorkbookDroppedOnTheMainWindowOpens) {
    test::writeScheme(dir / "dropped.xlsx");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir / "dropped.xlsx").string()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form(), &drop);
    ASSERT_EQ(desktop->workbooks().windows().size(), 1u);
    EXPECT_EQ(front()->workbook()->file(), dir / "dropped.xlsx");
}

TEST_F(DesktopReach, TheSampleOpensAsACopyThatSaveAsksANameFor) {
    const auto sample = test::sourceDir() / "data/Pipe_Design_Sample.xlsx";
    const std::string shipped = test::readBytes(sample);
    form().findChild<QAction*>("mnuSampelData")->trigger();
    EXPECT_TRUE(front()->workbook()->file().empty());
    desktop->runCommand([this] {
        desktop->workbooks().activeWorkbook().sheet("DATA INPUT").setCell(8, 5, 2030.0);
    });
    dialogs->fileNames = {QString::fromStdString((dir / "mine.xlsx").string())};
    QApplication::setActiveWindow(front());
    QTest::keyClick(front(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(front()->workbook()->file(), dir / "mine.xlsx");
    EXPECT_TRUE(std::filesystem::exists(dir / "mine.xlsx"));
    EXPECT_EQ(test::readBytes(sample), shipped);
}

// .ods and .xls go through the converter into an .xlsx beside them; the original is not
// written; without the converter the message names the package to install.
TEST_F(DesktopReach, OldWorkbooksAreConvertedBesideThemselves) {
    test::writeScheme(dir / "source.xlsx");
    const auto converter = dir / "soffice";
    std::ofstream(converter) << "#!/bin/sh\n# -env --headless --convert-to xlsx --outdir DIR FILE\n"
                             << "name=$(basename \"$7\"); cp '" << (dir / "source.xlsx").string()
                             << "' \"$6/${name%.*}.xlsx\"\n";
    std::filesystem::permissions(converter, std::filesystem::perms::owner_all);
    std::ofstream(dir / "old.ods") << "an old scheme";
    desktop->workbooks().setConverter(converter);
    desktop->workbooks().openFile(QString::fromStdString((dir / "old.ods").string()), &form());
    ASSERT_FALSE(desktop->workbooks().windows().empty());
    EXPECT_EQ(front()->workbook()->file(), dir / "old.xlsx");
    EXPECT_TRUE(shownMessageHas("was converted to \"old.xlsx\""));
    EXPECT_EQ(test::readBytes(dir / "old.ods"), "an old scheme");
    desktop->workbooks().setConverter(dir / "missing");
    std::ofstream(dir / "other.xls") << "older";
    desktop->workbooks().openFile(QString::fromStdString((dir / "other.xls").string()), &form());
    EXPECT_TRUE(shownMessageHas("libreoffice-calc-nogui"));
    EXPECT_FALSE(std::filesystem::exists(dir / "other.xlsx"));
}

// The selection is asked for on the sheet the command reads, the other tabs closed meanwhile;
// giving up ends the program without a blank drawing to save.
TEST_F(DesktopReach, ReselectionStaysOnTheCommandsSheetAndLeavesNoBlankDrawing) {
    test::writeScheme(dir / "scheme.xlsx");
    Workbook& book = desktop->workbooks().open(dir / "scheme.xlsx");
    book.setSelection(parseA1("B15:C22"));  // two columns: not a design range
    dialogs->answers = {Answer::Ok};
    QString prompt;
    bool otherTabOpen = true;
    QTimer::singleShot(20, front(), [&] {
        prompt = front()->findChild<QLabel*>("selectionPrompt")->text();
        otherTabOpen = front()->sheetTabs()->isTabEnabled(1);
        front()->findChild<QPushButton*>("selectionCancel")->click();
    });
    child<QPushButton>("Read_data")->click();
    EXPECT_TRUE(prompt.startsWith("Select on PD-CW-Sample: one column")) << prompt.toStdString();
    EXPECT_FALSE(otherTabOpen);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(dialogs->saveQuestions.empty());
}

}  // namespace
}  // namespace plovis
