#pragma once
// Starting another program (word processor, browser, plot program, table
// editor) or opening a document with the desktop's program for its type. The
// program is started and left running; the result only says whether it could
// be started, with a message fit for the user when it could not. A desktop
// opener is waited for a few seconds at most, to hear whether it failed.

#include <string>
#include <vector>

namespace platform
{

struct LaunchResult {
    bool Started = false;
    int ErrorCode = 0; // errno of the failed step, 0 when started
    // Why it failed, empty when started: plain words with the program's or
    // the document's name as the file system has it, so a text of the
    // program takes it whole as it takes a name (FileNameToOem); where a
    // desktop helper failed, its exit status and the lines it printed, all
    // on one line.
    std::string Message;
};

class Launcher
{
  public:
    virtual ~Launcher() = default;
    // Starts the program with the arguments as they are (no shell, no
    // splitting or quoting). A program name without "/" is looked up on PATH.
    virtual LaunchResult StartProgram(const std::string& program,
                                      const std::vector<std::string>& arguments) = 0;
    // Opens a file or a URL with the desktop's program for it.
    virtual LaunchResult OpenDocument(const std::string& document) = 0;
    // Whether the desktop names a program for documents of the MIME type
    // ("text/csv"), so that OpenDocument on such a file can succeed: Started
    // when it does, else the Message says why not.
    virtual LaunchResult FindApplicationFor(const std::string& mimeType)
    {
        return {false, 0, "no program known for " + mimeType + " documents"};
    }
};

} // namespace platform
