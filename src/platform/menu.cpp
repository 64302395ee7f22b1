#include "platform/menu.h"

namespace platform
{

namespace
{

const MenuEntrySpec* FindIn(const std::vector<MenuEntrySpec>& entries, const std::string& name)
{
    for (const auto& entry : entries) {
        if (!entry.Name.empty() && entry.Name == name) return &entry;
        if (const MenuEntrySpec* found = FindIn(entry.Children, name)) return found;
    }
    return nullptr;
}

} // namespace

const MenuEntrySpec* FindMenuEntry(const MenuBarSpec& bar, const std::string& name)
{
    return FindIn(bar.Menus, name);
}

} // namespace platform
