#pragma once
// The program's main window on Qt: the shell of the platform, captioned with
// the program title. The commands of the menus come with the application.

namespace platform {
class PlatformQt;
}

// Captions and shows the main window; the caller runs the event loop.
void OpenMainForm(platform::PlatformQt& platform);
