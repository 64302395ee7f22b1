#pragma once
// The main window's menu as one command table: the nine top menus with every
// item in order, its shortcut, separators, start state, the key of its
// caption and its command. Captions come from the menu texts of the current
// language (UpdateMenuCaptions); items whose captions no language sets keep
// the fixed captions given here. The window gets the tree as a
// platform::MenuBarSpec after every change.

#include "platform/menu.h"

#include <functional>
#include <string>
#include <vector>

class Thh;

// The command of an item, run on the main window's commands object.
struct TMenuCommandInfo {
    std::function<void(Thh&)> Handler;
    // The command leaves Aborted as it is (the language switch, the items
    // that only start the browser or the mail program).
    bool KeepsAborted = false;
};

// The command of the item of that name; nullptr for an item without one.
const TMenuCommandInfo* FindMenuCommand(const std::string& Name);
// Names of the items that have a command, sorted.
std::vector<std::string> MenuHandlerNames();

struct TMainMenu {
    platform::MenuBarSpec Bar;

    // The item (or named separator) of that name; nullptr when there is none.
    platform::MenuEntrySpec* Find(const std::string& Name);
    const platform::MenuEntrySpec* Find(const std::string& Name) const;
};

extern TMainMenu mainmenu;

// The tree as the form declares it: English captions, the export and import
// items of the OLE menu disabled, the recent-file items hidden.
TMainMenu BuildMainMenu();
void ResetMainMenu();

// Names of every item that runs a command, in menu order (no submenus, no
// separators).
std::vector<std::string> MenuCommandNames(const TMainMenu& Menu);

// The caption of every item from the current menu texts.
void UpdateMenuCaptions();

// The File menu's separator before Exit, shown while recent file 1 exists.
inline constexpr const char* RecentSeparatorName = "mi_fileRecentSeparator";

// The enabling rule after a calculation: the message count, the load
// spectrum and bearing items; true when an item's state or caption changed.
bool ApplyMainMenuEnabling();

// Hands the menu bar to the main window of the current platform.
void PublishMainMenu();
