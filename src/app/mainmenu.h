#pragma once
// The main window's menu as one command table: the nine top menus with every
// item in order, its shortcut, separators, start state, the key of its
// caption and its command. Captions come from the menu texts of the current
// language (UpdateMenuCaptions); items whose captions no language sets keep
// the fixed captions given here. The window gets the tree as a
// platform::MenuBarSpec after every change. The tree itself and what the
// commands change on it are in menutree.h; this table, whose commands run on
// the commands object, sits above it.

#include "app/menutree.h"

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

// The tree as the form declares it: English captions, the export and import
// items of the OLE menu disabled, the recent-file items hidden.
TMainMenu BuildMainMenu();
void ResetMainMenu();

// Names of every item that runs a command, in menu order (no submenus, no
// separators).
std::vector<std::string> MenuCommandNames(const TMainMenu& Menu);

// The caption of every item from the current menu texts.
void UpdateMenuCaptions();
