#pragma once
// The main window's command table, written once: every command with its place in the menus, its
// command-line name and help, and what it runs. The desktop builds its menus from it and the
// command line its commands, so the two cannot drift apart.

#include <span>
#include <string_view>

#include "commands/command_settings.h"
#include "commands/status_protocol.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// A menu of the main window, in the order the menu bar and its submenus are built.
struct MenuEntry {
    const char* path;        // "Compute" or, for a submenu, "Compute/Level survey"
    const char* objectName;  // "mnuCompute"
    bool startsOff = false;  // switched off in the window as laid out
    // A submenu's separator in its parent menu above it (its object name), or nullptr.
    const char* separatorBefore = nullptr;
};

// What a command works on and so how each front end runs it.
enum class CommandKind {
    Workbook,        // a computation on the scheme workbook: `workbookBody`
    DesignCheck,     // a check of the scheme workbook that writes nothing: `workbookBody`
    Profile,         // the pipe line profile of the selected design range
    Schematic,       // the schematic of the selected network range
    GroundProfile,   // the existing ground profile (the Draw Ground Profile dialog)
    OpenSample,      // the sample workbook opened
    TemplateDrawing  // the template drawing loaded
};

// The limit of its checks a computing command takes on the command line.
enum class CheckOption {
    None,
    Allowance,       // --allowance: the level book's misclosure allowance, mm per √km
    AngleTolerance,  // --angle-tolerance: the Abney book's fore and back angles, minutes
};

struct CommandEntry {
    CommandKind kind;
    // The command line: its name (nullptr: the desktop only), one summary line and its help.
    const char* name;
    const char* summary;
    const char* help;
    // The menus: the menu's path, the entry's object name and caption (menuPath nullptr: the
    // command line only), a separator named separatorBefore above it, and whether the entry
    // starts switched off in the window as laid out.
    const char* menuPath;
    const char* menuObject;
    const char* caption;
    // The status caption the command shows while it runs, on its label; the body sets and clears
    // it (commandNamed, commandOfKind) in its own order.
    CommandStatus status;
    const char* separatorBefore = nullptr;
    bool startsOff = false;
    bool (*workbookBody)(SpreadsheetHost&, UserInterface&, const CommandSettings&) = nullptr;
    CheckOption checkOption = CheckOption::None;
};

// The menus, parents before their submenus.
std::span<const MenuEntry> menuTable();
// The commands in menu order.
std::span<const CommandEntry> commandTable();
// The entry of a kind that has exactly one (Profile, Schematic, GroundProfile, ...).
const CommandEntry& commandOfKind(CommandKind kind);
// The entry of the command line command `name`.
const CommandEntry& commandNamed(std::string_view name);

}  // namespace plovis
