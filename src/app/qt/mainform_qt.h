#pragma once
// The program's main window on Qt: the shell of the platform, captioned with
// the program title. The commands of the menus come with the application.

namespace platform
{
class PlatformQt;
}

// Lets the window utilities ask the desktop for the screen and the main
// window's frame.
void InstallQtScreenInfo(platform::PlatformQt& platform);

// Shows the main window, sized and captioned by the start-up; the caller runs
// the event loop.
void OpenMainForm(platform::PlatformQt& platform);
