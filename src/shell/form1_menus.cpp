// The menu tree of Form1 and its command table: each entry's status caption, the routines it runs
// in order, and the entries that start switched off.
#include <QMenuBar>

#include <map>
#include <string>

#include "commands/command_table.h"
#include "commands/open_commands.h"
#include "commands/schematic_command.h"
#include "shell/desktop.h"
#include "shell/form1.h"

namespace plovis {
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

// The handler of a command table entry: what the entry's button or menu runs in this window.
std::function<void()> Form1::handlerOf(const CommandEntry& entry) {
    Desktop& d = desktop_;
    switch (entry.kind) {
        case CommandKind::Workbook: {
            const auto body = entry.workbookBody;
            return [&d, body] {
                d.runCommand([&d, body] { body(d.workbooks(), d.ui(), CommandSettings{}); });
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
        case CommandKind::TemplateDrawing:
            return [&d] { d.runCommand([&d] { templateDrawingCommand(d.drawings(), d.ui()); }); };
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
