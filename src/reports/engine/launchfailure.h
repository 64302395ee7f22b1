#pragma once
// Telling the user that another program or a document could not be
// started. Every command that hands a file to another program says so: a
// silent failure leaves the user waiting for a window that never comes.

#include "platform/launcher.h"

#include <string>

// Through the message box hook of the report side: What (the program's
// text naming the program or file, or saying what failed), a line break and
// the launcher's reason; nothing when it started.
void ShowLaunchFailure(const std::string& What, const platform::LaunchResult& Result);
