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

QMenu* Form1::named(QMenu* menu, const char* name, bool enabled) {
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

    QMenu* open = named(bar->addMenu("Open"), "mnuOpen");
    addEntry(open, "mnuSampelData", "Sample data file",
             [&d] { d.runCommand([&d] { openSampleCommand(d.workbooks(), d.ui()); }); });
    addEntry(open, "mnuTemplateDwg", "Template dwg File",
             [&d] { d.runCommand([&d] { templateDrawingCommand(d.drawings(), d.ui()); }); });

    QMenu* compute = named(bar->addMenu("Compute"), "mnuCompute", offEntryEnabled());
    addEntry(compute, "mnuWaterDemand", "Water Demand", computation(waterDemandCommand));
    addSeparator(compute, "Space2");
    QMenu* ground = named(compute->addMenu("Get data from Ground Profile"), "mnuGLProfile");
    addEntry(ground, "mnuBranchPoints", "Branch Control Points", computation(branchPointsCommand),
             offEntryEnabled());
    addEntry(ground, "mnuPipeLength", "Pipe Length and RL", computation(pipeLengthCommand));
    addEntry(ground, "mnuBranchControlPointsAndRL", "Branch Points , Pipe Length and RL",
             computation(branchPointsAndLevelsCommand));
    addEntry(compute, "mnuPipeLineData", "Pipe head loss", computation(pipeHeadLossCommand));
    addSeparator(compute, "Space3");
    QMenu* level = named(compute->addMenu("Level survey"), "mnuLevelSurvey");
    addEntry(level, "mnuRiseFall", "RL by Rise/Fall", computation(riseFallCommand),
             offEntryEnabled());
    addEntry(level, "mnuTransferToGP", "LevelSurvey to GroundProfile",
             computation(levelToGroundProfileCommand), offEntryEnabled());
    addEntry(level, "mnuRLandData", "RL by Rise/Fall and data to GroundProfile",
             computation(riseFallToGroundProfileCommand));
    QMenu* abney = named(compute->addMenu("Abney Survey"), "mnuAbneySurvey");
    addEntry(abney, "mnuAbneyRL", "RL computation", computation(abneyCommand));
    addEntry(compute, "mnuSurveyDataProcess", "survey Data Process",
             computation(surveyDataProcessCommand), offEntryEnabled());

    QMenu* drawing = named(bar->addMenu("Drawing"), "mnuDrawing", offEntryEnabled());
    addEntry(drawing, "mnuExistingGround", "Existing Ground Profile", [this] { existingGround(); });
    addSeparator(drawing, "Space1");
    addEntry(drawing, "mnuProfile", "Pipe Line Profile", [this] { readData(); });
    addEntry(drawing, "mnuSchematic", "Schematic", [this] { schematic(); });

    QAction* about = bar->addAction("About");
    about->setObjectName("mnuAbout");
    about->setEnabled(offEntryEnabled());
    connect(about, &QAction::triggered, this, [this] { aboutOwned(); });
}

void Form1::schematic() {
    Desktop& d = desktop_;
    d.runCommand([&d] { schematicCommand(d.workbooks(), d.drawings(), d.ui()); });
}

}  // namespace plovis
