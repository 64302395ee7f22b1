#pragma once
// A window's menu bar as plain data: the application builds it from its
// command table and hands it to the window whole, after every change of a
// caption, enabling or visibility. The Qt back end makes one QAction per
// item, named as the item; the headless window keeps the description so that a test
// can read what the user would see and click an item by its name.

#include <string>
#include <vector>

namespace platform
{

// The "code page" of a caption that holds a file name as the file system has
// it (a recent file): shown through the toolkit's file-name conversion.
inline constexpr int FileSystemCodePage = 65001;

enum class MenuEntryKind { Item, Submenu, Separator };

struct MenuEntrySpec {
    MenuEntryKind Kind = MenuEntryKind::Item;
    std::string Name;     // the command's name, unique in the bar (a separator
                          // is named only when it is shown or hidden)
    std::string Caption;  // bytes in CodePage, "&" before the accelerator
    int CodePage = 1252;  // 1252, 949 (Korean), 936 (Chinese) or FileSystemCodePage
    std::string Shortcut; // "Ctrl+N", "Shift+F1"; empty for none
    bool Enabled = true;
    bool Visible = true;
    std::vector<MenuEntrySpec> Children; // a submenu's entries
};

struct MenuBarSpec {
    std::vector<MenuEntrySpec> Menus; // the top menus, each a Submenu
    std::string ExitItem;             // the item that closes the window
};

// The entry of that name anywhere in the bar, or nullptr.
const MenuEntrySpec* FindMenuEntry(const MenuBarSpec& bar, const std::string& name);

} // namespace platform
