// The menu tree of Form1 and its command table: each entry's status caption, the routines it runs
// in order, and the entries that start switched off.
#include <QMenuBar>

#include <map>
#include <string>

#include "commands/command_table.h"
#include "commands/open_commands.h"
#include "commands/schematic_command.h"
#include "shell/desktop.h"
#include "shell/drawing_window.h"
#include "shell/form1.h"
#include "shell/recent_files.h"
#include "shell/workbook_host.h"

namespace plovis {
namespace {

// What the template brought: the symbols the drawing commands insert by name.
void showTemplateBlocks(DrawingHost& host) {
    if (host.activeIndex() < 0) return;
    const Drawing& drawing = host.activeDocument();
    QStringList names;
    for (int i = 0; i < drawing.blocks().count(); ++i) {
        const std::string& name = drawing.blocks().at(i).name();
        if (!name.starts_with('*')) names << QString::fromStdString(name);  // not model space
    }
    host.window().showNote(names.isEmpty() ? QString("The template brought no blocks into ") +
                                                 QString::fromStdString(drawing.name())
                                           : QString("Template loaded into %1: %2 blocks (%3)")
                                                 .arg(QString::fromStdString(drawing.name()))
                                                 .arg(names.size())
                                                 .arg(names.join(", ")));
}

}  // namespace

QMenu* Form1::named(QMenu* menu, const char* name, bool enabled) {
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    // The menu widget is switched off with its action: a menu hands its own enabled state to its
    // action whenever the window it lies in is switched back on (the About box from the emblem
    // switches the main window off and on), which would switch an entry laid out off on.
    menu->setEnabled(enabled);
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

// The handler of a command table entry: what the entry's button or menu runs in this window.
std::function<void()> Form1::handlerOf(const CommandEntry& entry) {
    Desktop& d = desktop_;
    switch (entry.kind) {
        case CommandKind::Workbook:
        case CommandKind::DesignCheck: {
            const auto body = entry.workbookBody;
            const CommandRun run{entry.caption};
            return [&d, body, run] {
                d.runCommand([&d, body] { body(d.workbooks(), d.ui(), CommandSettings{}); }, run);
            };
        }
        case CommandKind::Profile:
            return [this] { readData(); };
        case CommandKind::Schematic:
            return [this] { schematic(); };
        case CommandKind::GroundProfile:
            return [this] { existingGround(); };
        case CommandKind::OpenSample:
            return [&d] { d.runCommand([&d] { openSampleCommand(d.workbooks(), d.ui()); }); };
        case CommandKind::TemplateDrawing: {
            const CommandRun run{entry.caption, false, true};
            return [&d, run] {
                d.runCommand([&d] { templateDrawingCommand(d.drawings(), d.ui()); }, run);
                showTemplateBlocks(d.drawings());
            };
        }
    }
    return [] {};
}

// The menus come from the command table: each menu is made when its first entry comes, so the
// table's order is the menus' order.
void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
    std::map<std::string, QMenu*> menus;
    const auto menuOf = [&](const std::string& path) -> QMenu* {
        if (const auto found = menus.find(path); found != menus.end()) return found->second;
        const MenuEntry* menu = nullptr;
        for (const MenuEntry& m : menuTable()) {
            if (m.path == path) menu = &m;
        }
        const std::size_t slash = path.rfind('/');
        QMenu* made = nullptr;
        if (slash == std::string::npos) {
            made = bar->addMenu(QString::fromStdString(path));
        } else {
            QMenu* parent = menus.at(path.substr(0, slash));
            if (menu && menu->separatorBefore) addSeparator(parent, menu->separatorBefore);
            made = parent->addMenu(QString::fromStdString(path.substr(slash + 1)));
        }
        const bool enabled = !(menu && menu->startsOff) || offEntryEnabled();
        return menus[path] = named(made, menu ? menu->objectName : "", enabled);
    };
    for (const CommandEntry& entry : commandTable()) {
        if (!entry.menuPath) continue;
        QMenu* menu = menuOf(entry.menuPath);
        if (entry.separatorBefore) addSeparator(menu, entry.separatorBefore);
        addEntry(menu, entry.menuObject, entry.caption, handlerOf(entry),
                 !entry.startsOff || offEntryEnabled());
    }

    addWorkbookEntries(menus.at("Open"));

    QAction* about = bar->addAction("About");
    about->setObjectName("mnuAbout");
    about->setEnabled(offEntryEnabled());
    connect(about, &QAction::triggered, this, [this] { aboutOwned(); });
}

// The user's own workbook, from the Open menu above the sample: a file, or one opened lately.
void Form1::addWorkbookEntries(QMenu* open) {
    QAction* first = open->actions().value(0);
    auto* workbook = new QAction("Workbook...", open);
    workbook->setObjectName("mnuOpenWorkbook");
    workbook->setShortcut(QKeySequence::Open);
    connect(workbook, &QAction::triggered, this,
            [this] { desktop_.workbooks().openChosenFile(this); });
    auto* recent = new QMenu("Recent Workbooks", open);
    recent->setObjectName("mnuRecentWorkbooks");
    recent->menuAction()->setObjectName("mnuRecentWorkbooks");
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        fillRecentMenu(recent,
                       [this](const QString& f) { desktop_.workbooks().openFile(f, this); });
    });
    open->insertAction(first, workbook);
    open->insertMenu(first, recent);
    open->insertSeparator(first)->setObjectName("SpaceOpen");
}

void Form1::schematic() {
    Desktop& d = desktop_;
    d.runCommand([&d] { schematicCommand(d.workbooks(), d.drawings(), d.ui()); },
                 {"Schematic", true});
}

}  // namespace plovis
