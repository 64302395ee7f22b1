#pragma once
// What a screen reader is told of a menu item: its caption as the menu draws
// it. The toolkit's own menu items leave out only the first accelerator
// marker and keep "&&" doubled, so "&Animation Tooth &contact" was read
// with an "&" and a recent file "A&&B.qy7" with two.

#include <QString>

namespace platform
{

// The caption as drawn: every accelerator marker "&" left out, "&&" one
// "&"; a lone "&" at the end is drawn as nothing.
QString MenuCaptionAsDrawn(const QString& caption);

// Lets every menu and menu bar item name itself by MenuCaptionAsDrawn (once
// a process; an application object must exist).
void InstallMenuAccessibility();

} // namespace platform
