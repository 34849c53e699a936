// The drawing window: drawings as tabs with their modified marker, save as DXF, export to PDF,
// SVG and PNG, zoom and fit, and the prompt line (a point clicked or typed, a typed answer, Esc).
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <fstream>

#include "desktop_fixture.h"
#include "hosts/cad_extents.h"
#include "hosts/dxf/dxf_file.h"
#include "prompt_answerer.h"
#include "shell/drawing_view.h"
#include "shell/drawing_window.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class DrawingWindowTest : public test::DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        Drawing& d = cad().addDocument();
        d.modelSpace().addLine({0, 0, 0}, {200, 100, 0});
        d.modelSpace().addCircle({100, 50, 0}, 20);
        cad().setVisible(true);
        window().resize(800, 600);
        settle();
    }
    DrawingHost& cad() { return desktop->drawings(); }
    DrawingWindow& window() { return cad().window(); }
    DrawingView& view() { return *window().view(); }

    test::ScratchDir dir{"shell-drawing"};
};

TEST_F(DrawingWindowTest, EachDrawingIsATabWithItsModifiedMarker) {
    cad().addDocument();
    QTabBar* tabs = window().documentTabs();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Drawing1.dxf *");
    EXPECT_EQ(tabs->tabText(1), "Drawing2.dxf");
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_FALSE(window().isWindowModified());
    tabs->setCurrentIndex(0);
    EXPECT_EQ(cad().activeIndex(), 0);
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(window().windowTitle(), "Drawing1.dxf[*] - PLOVIS drawing");
}

TEST_F(DrawingWindowTest, SaveAsDxfNamesTheDrawingAfterItsFile) {
    const auto file = dir / "network.dxf";
    ASSERT_TRUE(cad().saveAs(0, QString::fromStdString(file.string())));
    EXPECT_FALSE(cad().activeDocument().modified());
    EXPECT_EQ(window().documentTabs()->tabText(0), "network.dxf");
    EXPECT_EQ(readDxfFile(file)->modelSpace().entities().size(), 2u);
    // Saved again into the same file without asking.
    cad().activeDocument().modelSpace().addLine({0, 0, 0}, {0, 10, 0});
    ASSERT_TRUE(cad().save(0));
    EXPECT_EQ(readDxfFile(file)->modelSpace().entities().size(), 3u);
}

TEST_F(DrawingWindowTest, ExportsPictures) {
    const std::pair<const char*, std::string> formats[] = {
        {"p.pdf", "%PDF"}, {"p.png", "\x89PNG"}, {"p.svg", "<?xml"}};
    for (const auto& [name, magic] : formats) {
        const auto file = dir / name;
        ASSERT_TRUE(cad().exportTo(0, QString::fromStdString(file.string()))) << name;
        EXPECT_EQ(test::readBytes(file).substr(0, magic.size()), magic) << name;
    }
    EXPECT_TRUE(cad().activeDocument().modified());  // a picture is no save
    EXPECT_FALSE(cad().exportTo(0, QString::fromStdString((dir / "p.bmp").string())));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_NE(dialogs->shown[0].message.text.find("p.bmp"), std::string::npos);
}

TEST_F(DrawingWindowTest, FitShowsTheWholeDrawing) {
    view().fit();
    const QPointF lowerLeft = view().toPixel({0, 0});
    const QPointF upperRight = view().toPixel({200, 100});
    for (const QPointF& p : {lowerLeft, upperRight}) {
        EXPECT_GE(p.x(), 0);
        EXPECT_LE(p.x(), view().width());
        EXPECT_GE(p.y(), 0);
        EXPECT_LE(p.y(), view().height());
    }
    // The wider of the two directions fills the view but for its margins.
    EXPECT_NEAR(upperRight.x() - lowerLeft.x(), view().width() - 40, 1);
}

TEST_F(DrawingWindowTest, WheelZoomKeepsThePointUnderTheCursor) {
    const QPointF cursor(300, 200);
    const QPointF before = view().toDrawing(cursor);
    const double scale = view().state().pixelsPerUnit;
    QWheelEvent wheel(cursor, view().mapToGlobal(cursor), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view(), &wheel);
    EXPECT_NEAR(view().state().pixelsPerUnit, scale * DrawingView::kWheelStep, 1e-9);
    const QPointF after = view().toDrawing(cursor);
    EXPECT_NEAR(after.x(), before.x(), 1e-9);
    EXPECT_NEAR(after.y(), before.y(), 1e-9);
    EXPECT_FALSE(view().state().followsDrawing);
}

TEST_F(DrawingWindowTest, DraggingPansTheView) {
    const QPointF before = view().toDrawing({100, 100});
    QTest::mousePress(&view(), Qt::LeftButton, {}, {100, 100});
    QTest::mouseMove(&view(), {150, 80});
    QTest::mouseRelease(&view(), Qt::LeftButton, {}, {150, 80});
    const QPointF after = view().toDrawing({150, 80});
    EXPECT_NEAR(after.x(), before.x(), 1e-6);
    EXPECT_NEAR(after.y(), before.y(), 1e-6);
}

TEST_F(DrawingWindowTest, APointIsPickedWhereTheUserClicks) {
    const QPointF expected = view().toDrawing({120, 340});
    test::PromptAnswerer user(window());
    user.then(test::PromptAnswerer::clickAt({120, 340}));
    const Point p = window().getPoint("Pick a point as reference for drawing:");
    EXPECT_NEAR(p.x, expected.x(), 1e-9);
    EXPECT_NEAR(p.y, expected.y(), 1e-9);
    EXPECT_TRUE(window().promptHistory().contains("Pick a point as reference for drawing:"));
    EXPECT_FALSE(window().asking());
}

TEST_F(DrawingWindowTest, APointCanBeTypedAsXY) {
    test::PromptAnswerer user(window());
    user.then(test::PromptAnswerer::type("oops"));  // not a point: the same question goes on
    QTimer::singleShot(200, &window(), [&] {
        QTest::keyClicks(window().promptInput(), " 12.5, -30");
        QTest::keyClick(window().promptInput(), Qt::Key_Return);
    });
    const Point p = window().getPoint("Point:");
    EXPECT_EQ(window().questionsAsked(), 1);
    EXPECT_DOUBLE_EQ(p.x, 12.5);
    EXPECT_DOUBLE_EQ(p.y, -30);
}

TEST_F(DrawingWindowTest, EscapeCancelsAPickAndAnAnswer) {
    test::PromptAnswerer user(window());
    user.then(test::PromptAnswerer::pressEscape());
    EXPECT_THROW(window().getPoint("Point:"), HostError);
    user.then([](DrawingWindow& w) { QTest::keyClick(w.promptInput(), Qt::Key_Escape); });
    EXPECT_THROW(window().getString("Answer:"), HostError);
    EXPECT_TRUE(window().promptHistory().contains("*Cancel*"));
    EXPECT_FALSE(window().promptInput()->isEnabled());
}

TEST_F(DrawingWindowTest, AnAnswerEndsAtASpace) {
    test::PromptAnswerer user(window());
    user.then([](DrawingWindow& w) { QTest::keyClicks(w.promptInput(), "yes please"); });
    EXPECT_EQ(window().getString("Do you want to re-pick.[Y/N]<N>:"), "yes");
}

TEST_F(DrawingWindowTest, PromptWritesOnThePromptLine) {
    window().prompt("Not valid point. ");
    EXPECT_TRUE(window().promptHistory().endsWith("Not valid point. "));
}

TEST_F(DrawingWindowTest, ClosingAModifiedDrawingAsksFirst) {
    dialogs->saveChoices = {SaveChoice::Cancel};
    EXPECT_FALSE(cad().closeDocument(0));
    EXPECT_EQ(cad().documentCount(), 1);
    dialogs->saveChoices = {SaveChoice::Discard};
    EXPECT_TRUE(cad().closeDocument(0));
    EXPECT_EQ(cad().documentCount(), 0);
    EXPECT_THROW(cad().activeDocument(), HostError);
    EXPECT_EQ(window().documentTabs()->count(), 0);
}

TEST_F(DrawingWindowTest, OpensADxfFileInATabOfItsOwn) {
    const auto file = dir / "saved.dxf";
    saveDxfFile(cad().activeDocument(), file);
    cad().open(file);
    EXPECT_EQ(cad().documentCount(), 2);
    EXPECT_EQ(cad().activeDocument().name(), "saved.dxf");
    EXPECT_EQ(cad().activeDocument().modelSpace().entities().size(), 2u);
    std::ofstream(dir / "broken.dxf") << "0\nSECTION\n";
    EXPECT_THROW(cad().open(dir / "broken.dxf"), HostError);
}

TEST_F(DrawingWindowTest, TheViewPaintsTheDrawingInItsColours) {
    cad().activeDocument().modelSpace().entities()[0]->setColor(1);  // red
    view().fit();
    const QImage shot = view().grab().toImage();
    const QPoint onLine = view().toPixel({100, 50}).toPoint();
    bool red = false;
    for (int dx = -2; dx <= 2 && !red; ++dx) {
        for (int dy = -2; dy <= 2 && !red; ++dy) {
            const QColor c = shot.pixelColor(onLine + QPoint(dx, dy));
            red = c.red() > 200 && c.green() < 120 && c.blue() < 120;
        }
    }
    EXPECT_TRUE(red);
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::white));
}

}  // namespace
}  // namespace plovis
