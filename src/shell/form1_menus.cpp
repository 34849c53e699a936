// The menu tree of Form1 and its command table: each entry's status caption, the routines it runs
// in order, and the entries that start switched off.
#include <QMenuBar>

#include "commands/design_commands.h"
#include "commands/open_commands.h"
#include "commands/schematic_command.h"
#include "commands/survey_commands.h"
#include "shell/desktop.h"
#include "shell/form1.h"

namespace plovis {
namespace {

using Computation = bool (*)(SpreadsheetHost&, UserInterface&);

}  // namespace

QMenu* Form1::addMenu(QMenuBar* bar, const char* name, const char* caption, bool enabled) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->menuAction()->setEnabled(enabled);
    return menu;
}

QMenu* Form1::addMenu(QMenu* parent, const char* name, const char* caption, bool enabled) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->menuAction()->setEnabled(enabled);
    return menu;
}

void Form1::addEntry(QMenu* menu, const char* name, const char* caption,
                     const std::function<void()>& handler, bool enabled) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, handler);
}

void Form1::addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(name);
}

void Form1::buildMenus() {
    Desktop& d = desktop_;
    const auto computation = [&d](Computation command) {
        return [&d, command] { d.runCommand([&d, command] { command(d.workbooks(), d.ui()); }); };
    };
    QMenuBar* bar = menuBar();

    QMenu* open = addMenu(bar, "mnuOpen", "Open");
    addEntry(open, "mnuSampelData", "Sample data file",
             [&d] { d.runCommand([&d] { openSampleCommand(d.workbooks(), d.ui()); }); });
    addEntry(open, "mnuTemplateDwg", "Template dwg File",
             [&d] { d.runCommand([&d] { templateDrawingCommand(d.drawings(), d.ui()); }); });

    QMenu* compute = addMenu(bar, "mnuCompute", "Compute", on(false));
    addEntry(compute, "mnuWaterDemand", "Water Demand", computation(waterDemandCommand));
    addSeparator(compute, "Space2");
    QMenu* ground = addMenu(compute, "mnuGLProfile", "Get data from Ground Profile");
    addEntry(ground, "mnuBranchPoints", "Branch Control Points", computation(branchPointsCommand),
             on(false));
    addEntry(ground, "mnuPipeLength", "Pipe Length and RL", computation(pipeLengthCommand));
    addEntry(ground, "mnuBranchControlPointsAndRL", "Branch Points , Pipe Length and RL",
             computation(branchPointsAndLevelsCommand));
    addEntry(compute, "mnuPipeLineData", "Pipe head loss", computation(pipeHeadLossCommand));
    addSeparator(compute, "Space3");
    QMenu* level = addMenu(compute, "mnuLevelSurvey", "Level survey");
    addEntry(level, "mnuRiseFall", "RL by Rise/Fall", computation(riseFallCommand), on(false));
    addEntry(level, "mnuTransferToGP", "LevelSurvey to GroundProfile",
             computation(levelToGroundProfileCommand), on(false));
    addEntry(level, "mnuRLandData", "RL by Rise/Fall and data to GroundProfile",
             computation(riseFallToGroundProfileCommand));
    QMenu* abney = addMenu(compute, "mnuAbneySurvey", "Abney Survey");
    addEntry(abney, "mnuAbneyRL", "RL computation", computation(abneyCommand));
    addEntry(compute, "mnuSurveyDataProcess", "survey Data Process",
             computation(surveyDataProcessCommand), on(false));

    QMenu* drawing = addMenu(bar, "mnuDrawing", "Drawing", on(false));
    addEntry(drawing, "mnuExistingGround", "Existing Ground Profile", [this] { existingGround(); });
    addSeparator(drawing, "Space1");
    addEntry(drawing, "mnuProfile", "Pipe Line Profile", [this] { readData(); });
    addEntry(drawing, "mnuSchematic", "Schematic", [this] { schematic(); });

    QAction* about = bar->addAction("About");
    about->setObjectName("mnuAbout");
    about->setEnabled(on(false));
    connect(about, &QAction::triggered, this, [this] { aboutOwned(); });
}

void Form1::schematic() {
    Desktop& d = desktop_;
    d.runCommand([&d] { schematicCommand(d.workbooks(), d.drawings(), d.ui()); });
}

}  // namespace plovis
