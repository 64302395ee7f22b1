#pragma once
// Starting programs and documents on a POSIX desktop: fork and exec, the
// document through xdg-open, which is given a few seconds to say that it
// failed. Both the GUI and the headless platform use it.

#include "platform/launcher.h"

namespace platform
{

class LauncherImplPosix final : public Launcher
{
  public:
    LaunchResult StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    LaunchResult OpenDocument(const std::string& document) override;
    // Asks xdg-mime for the desktop's default program of the type.
    LaunchResult FindApplicationFor(const std::string& mimeType) override;
};

// The full path of an executable: the program itself when it holds a "/",
// else the first match on PATH. Empty when there is none.
std::string FindExecutable(const std::string& program);

} // namespace platform
