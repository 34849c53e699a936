// The main window as laid out: its controls, captions, places, fonts and colours, the paper list,
// the menu tree with the entries that start switched off, and the tab order.
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "desktop_fixture.h"

namespace plovis {
namespace {

using FormLayout = test::DesktopTest;

struct Placed {
    const char* name;
    const char* caption;
    int left, top, width, height;  // twips
};

// Every control with its caption and place as laid out.
const Placed kControls[] = {
    {"Read_data", "&Pipe Line Profile", 2760, 2760, 2250, 325},
    {"cmdSchematic", "Schematic", 2760, 3120, 2250, 325},
    {"Command2", "&Cancel", 2760, 3480, 2250, 325},
    {"cmdHelp", "&Help", 2850, 5700, 1080, 325},
    {"cmdExistingGL", "&Existing Ground Profile", 1440, 5400, 2190, 325},
    {"Label1", "Horizontal Scale", 75, 2760, 1410, 240},
    {"hscale", "5000", 1560, 2745, 825, 285},
    {"Label2", "Vertical Scale", 75, 3120, 1410, 240},
    {"vscale", "1000", 1560, 3090, 825, 315},
    {"Label4", "Paper Size", 75, 3480, 1410, 240},
    {"Combo1", "A4", 1560, 3480, 855, 330},
    {"Label6", "Select Data Range and Click 'Execute'or Schematic ...", 360, 4080, 4260, 315},
    {"lblStatus", "", 120, 4320, 4935, 255},
    {"Label10", "ABOUT", 3600, 5400, 615, 255},
    {"Image1", nullptr, 3360, 1440, 1590, 795},
    {"Image2", nullptr, 1560, 120, 2145, 255},
    {"Image3", nullptr, 1200, 480, 3135, 885},
};

QString captionOf(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    return {};
}

TEST_F(FormLayout, ControlsCarryTheirCaptionsAtTheirPlaces) {
    for (const Placed& p : kControls) {
        auto* w = child<QWidget>(p.name);
        ASSERT_NE(w, nullptr);
        if (p.caption) {
            EXPECT_EQ(captionOf(w), p.caption) << p.name;
        }
        // 15 twips to a pixel.
        EXPECT_NEAR(w->x(), p.left / 15.0, 0.5) << p.name;
        EXPECT_NEAR(w->y(), p.top / 15.0, 0.5) << p.name;
        EXPECT_NEAR(w->width(), p.width / 15.0, 0.5) << p.name;
        EXPECT_NEAR(w->height(), p.height / 15.0, 0.5) << p.name;
    }
    EXPECT_EQ(form().centralWidget()->size(), QSize(349, 313));
    EXPECT_EQ(form().windowTitle(), "PLOVIS");
}

TEST_F(FormLayout, ControlsBelowTheClientAreaAreNotShownAndTheGroundButtonIsOff) {
    for (const char* name : {"cmdHelp", "cmdExistingGL", "Label10"})
        EXPECT_FALSE(child<QWidget>(name)->isVisible()) << name;
    for (const char* name : {"Read_data", "cmdSchematic", "Command2", "hscale", "Combo1"})
        EXPECT_TRUE(child<QWidget>(name)->isVisible()) << name;
    EXPECT_FALSE(child<QWidget>("cmdExistingGL")->isEnabled());
}

TEST_F(FormLayout, ThePaperListOffersA1ToA4WithA4Selected) {
    auto* combo = child<QComboBox>("Combo1");
    ASSERT_EQ(combo->count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(combo->itemText(i), QString("A%1").arg(i + 1));
    EXPECT_EQ(combo->currentIndex(), 3);
    EXPECT_FALSE(combo->isEditable());  // a drop-down list: no free typing
}

TEST_F(FormLayout, ScaleBoxesAcceptAnyText) {
    auto* h = child<QLineEdit>("hscale");
    h->setText("1:2500 approx");
    EXPECT_EQ(h->text(), "1:2500 approx");
    EXPECT_EQ(h->validator(), nullptr);
}

TEST_F(FormLayout, FontsAndColours) {
    for (const char* name : {"Read_data", "cmdSchematic", "Command2"}) {
        const QFont f = child<QWidget>(name)->font();
        EXPECT_EQ(f.family(), "Arial") << name;
        EXPECT_TRUE(f.bold()) << name;
        EXPECT_DOUBLE_EQ(f.pointSizeF(), 9) << name;
    }
    for (const char* name : {"hscale", "vscale", "Combo1"}) {
        QWidget* w = child<QWidget>(name);
        w->ensurePolished();
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25) << name;
        EXPECT_TRUE(w->font().bold()) << name;
        const QPalette::ColorRole text =
            qobject_cast<QComboBox*>(w) ? QPalette::ButtonText : QPalette::Text;
        const QPalette::ColorRole back =
            qobject_cast<QComboBox*>(w) ? QPalette::Button : QPalette::Base;
        EXPECT_EQ(w->palette().color(text), QColor(Qt::green)) << name;
        EXPECT_EQ(w->palette().color(back), QColor(Qt::black)) << name;
    }
    for (const char* name : {"Label1", "Label2", "Label4", "Label6"}) {
        const QFont f = child<QWidget>(name)->font();
        EXPECT_EQ(f.family(), "Arial") << name;
        EXPECT_FALSE(f.bold()) << name;
        EXPECT_DOUBLE_EQ(f.pointSizeF(), 9) << name;
    }
    QLabel* status = child<QLabel>("lblStatus");
    status->ensurePolished();
    EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(status->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(child<QLabel>("Label6")->alignment() & Qt::AlignHCenter);
}

// The menu tree as lines "<indent><name> <caption> [off]", separators as "<indent><name> -".
void describeMenu(const QList<QAction*>& actions, int depth, std::vector<std::string>& out) {
    for (QAction* a : actions) {
        std::string line(static_cast<std::size_t>(depth) * 2, ' ');
        line += a->objectName().toStdString();
        line += a->isSeparator() ? " -" : " " + a->text().toStdString();
        if (!a->isEnabled()) line += " [off]";
        out.push_back(line);
        if (a->menu()) describeMenu(a->menu()->actions(), depth + 1, out);
    }
}

TEST_F(FormLayout, TheMenuTreeWithSevenEntriesSwitchedOff) {
    std::vector<std::string> tree;
    describeMenu(form().menuBar()->actions(), 0, tree);
    const std::vector<std::string> expected = {
        "mnuOpen Open",
        "  mnuSampelData Sample data file",
        "  mnuTemplateDwg Template dwg File",
        "mnuCompute Compute [off]",
        "  mnuWaterDemand Water Demand",
        "  Space2 -",
        "  mnuGLProfile Get data from Ground Profile",
        "    mnuBranchPoints Branch Control Points [off]",
        "    mnuPipeLength Pipe Length and RL",
        "    mnuBranchControlPointsAndRL Branch Points , Pipe Length and RL",
        "  mnuPipeLineData Pipe head loss",
        "  Space3 -",
        "  mnuLevelSurvey Level survey",
        "    mnuRiseFall RL by Rise/Fall [off]",
        "    mnuTransferToGP LevelSurvey to GroundProfile [off]",
        "    mnuRLandData RL by Rise/Fall and data to GroundProfile",
        "  mnuAbneySurvey Abney Survey",
        "    mnuAbneyRL RL computation",
        "  mnuSurveyDataProcess survey Data Process [off]",
        "mnuDrawing Drawing [off]",
        "  mnuExistingGround Existing Ground Profile",
        "  Space1 -",
        "  mnuProfile Pipe Line Profile",
        "  mnuSchematic Schematic",
        "mnuAbout About [off]",
    };
    EXPECT_EQ(tree, expected);
}

TEST_F(FormLayout, AllCommandsSwitchesEveryEntryOn) {
    start(withAllCommands());
    std::vector<std::string> tree;
    describeMenu(form().menuBar()->actions(), 0, tree);
    for (const std::string& line : tree)
        EXPECT_EQ(line.find("[off]"), std::string::npos) << line;
    EXPECT_TRUE(child<QWidget>("cmdExistingGL")->isEnabled());
}

TEST_F(FormLayout, TabOrderOfTheControlsShown) {
    std::vector<std::string> order;
    QWidget* w = child<QWidget>("Read_data");
    for (int i = 0; i < 40 && order.size() < 7; ++i, w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
            !w->objectName().isEmpty()) {
            if (!order.empty() && order.front() == w->objectName().toStdString()) break;
            order.push_back(w->objectName().toStdString());
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Read_data", "cmdSchematic", "Command2", "hscale",
                                               "vscale", "Combo1"}));
}

TEST_F(FormLayout, NothingIsTouchedAtStart) {
    EXPECT_TRUE(desktop->workbooks().windows().empty());
    EXPECT_EQ(desktop->drawings().documentCount(), 0);
    EXPECT_FALSE(desktop->drawings().visible());
    EXPECT_TRUE(dialogs->shown.empty());
}

}  // namespace
}  // namespace plovis
