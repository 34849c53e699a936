// The main window as the commands and the user reach it: the controls and menu entries by the
// names the commands find them by, the entries that start switched off, the paper list and the
// tab order.
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>

#include "desktop_fixture.h"

namespace plovis {
namespace {

using FormLayout = test::DesktopTest;

TEST_F(FormLayout, ControlsBelowTheClientAreaAreNotShownAndTheGroundButtonIsOff) {
    for (const char* name : {"cmdHelp", "cmdExistingGL", "Label10"})
        EXPECT_FALSE(child<QWidget>(name)->isVisible()) << name;
    for (const char* name : {"Read_data", "cmdSchematic", "Command2", "hscale", "vscale", "Combo1",
                             "lblStatus", "Label6", "Image1"})
        EXPECT_TRUE(child<QWidget>(name)->isVisible()) << name;
    EXPECT_FALSE(child<QWidget>("cmdExistingGL")->isEnabled());
}

TEST_F(FormLayout, TheInputsStartAtTheirDefaultsWithThePapersA1ToA4) {
    EXPECT_EQ(child<QLineEdit>("hscale")->text(), "5000");
    EXPECT_EQ(child<QLineEdit>("vscale")->text(), "1000");
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
