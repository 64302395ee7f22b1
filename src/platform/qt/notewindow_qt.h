#pragma once
// Note windows on Qt: a small always-on-top tool window, yellow, with one
// centred line of text; borderless, or with a caption bar for progress.

#include "platform/notewindow.h"

namespace platform
{

// The factory that PlatformQt installs for the life of the GUI.
NoteWindowFactory QtNoteWindowFactory();

} // namespace platform
