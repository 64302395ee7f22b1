#pragma once
// The main window's menu tree as the window is given it: the items, their
// captions and states as the commands left them. The command table that
// builds it (mainmenu.h) sits above the commands object; what the commands
// and the File menu's recent list change on the tree lives here, below both.

#include "platform/menu.h"

#include <string>

struct TMainMenu {
    platform::MenuBarSpec Bar;

    // The item (or named separator) of that name; nullptr when there is none.
    platform::MenuEntrySpec* Find(const std::string& Name);
    const platform::MenuEntrySpec* Find(const std::string& Name) const;
};

extern TMainMenu mainmenu;

// The File menu's separator before Exit, shown while recent file 1 exists.
inline constexpr const char* RecentSeparatorName = "mi_fileRecentSeparator";

// The item of recent file I (1..4): "mi_file1" .. "mi_file4".
std::string RecentItemName(int I);

// The View menu's item that shows the message count.
inline constexpr const char* ErrorMessagesItem = "mi_viewErrorMessages";

// The enabling rule after a calculation: the message count, the load
// spectrum and bearing items; true when an item's state or caption changed.
bool ApplyMainMenuEnabling();

// Hands the menu bar to the main window of the current platform.
void PublishMainMenu();
