#pragma once
// The main window's menu tree as data: the nine top menus with every item in
// order, its shortcut, separators and start state. Captions come from the
// menu texts of the current language (UpdateMenuCaptions); items whose
// captions no language sets keep the fixed captions given here. The window
// gets the tree as a platform::MenuBarSpec after every change.

#include "platform/menu.h"

#include <string>
#include <vector>

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

// Hands the menu bar to the main window of the current platform.
void PublishMainMenu();
