#pragma once
// The table library's message box in the running GUI: its errors (and the
// Pack confirmation) are shown in a modal Qt box instead of on stderr. The
// shell calls this once after creating the application object.

void InstallXbaseErrorBox();
