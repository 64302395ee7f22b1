#pragma once
// Menus that draw every caption whole, the Chinese and Korean ones too.

class QMenu;

namespace platform
{

// Gives the menu's items the room their captions take when drawn.
void FitMenuCaptions(QMenu& menu);

} // namespace platform
