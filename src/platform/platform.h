#pragma once
// Everything the program asks of the desktop, in one place. A back end (Qt
// for the GUI, headless for tests and batch runs) owns the implementations;
// Platform only refers to them.
//
// The program's procedural code asks questions from deep inside routines that
// know nothing of windows, so one Platform is current for the whole program.
// Until a back end installs its own, the current one is the headless batch
// platform: nothing ever waits for a user that is not there.

#include "platform/canvas.h"
#include "platform/clipboard.h"
#include "platform/cursor.h"
#include "platform/dialoghost.h"
#include "platform/filedialog.h"
#include "platform/launcher.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/prompts.h"
#include "platform/window.h"

namespace platform
{

class Platform
{
  public:
    Platform(MessageBoxes& messages, FileDialogs& fileDialogs, Prompts& prompts, DialogHost& dialogs,
             Window& mainWindow, Printer& printer, Clipboard& clipboard, Launcher& launcher, Cursor& cursor,
             Sound& sound)
        : messages_(messages), fileDialogs_(fileDialogs), prompts_(prompts), dialogs_(dialogs),
          mainWindow_(mainWindow), printer_(printer), clipboard_(clipboard), launcher_(launcher),
          cursor_(cursor), sound_(sound)
    {
    }
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;
    virtual ~Platform() = default;

    MessageBoxes& Messages() const { return messages_; }
    FileDialogs& Files() const { return fileDialogs_; }
    Prompts& Prompt() const { return prompts_; }
    DialogHost& Dialogs() const { return dialogs_; }
    Window& MainWindow() const { return mainWindow_; }
    Printer& Print() const { return printer_; }
    Clipboard& Clip() const { return clipboard_; }
    Launcher& Launch() const { return launcher_; }
    Cursor& ScreenCursor() const { return cursor_; }
    Sound& Bell() const { return sound_; }

  private:
    MessageBoxes& messages_;
    FileDialogs& fileDialogs_;
    Prompts& prompts_;
    DialogHost& dialogs_;
    Window& mainWindow_;
    Printer& printer_;
    Clipboard& clipboard_;
    Launcher& launcher_;
    Cursor& cursor_;
    Sound& sound_;
};

// The platform the program talks to. Defaults to the headless batch platform
// (defined in the platform_headless library, which every program links).
Platform& CurrentPlatform();
// Installs a platform (not owned; it must outlive its use). nullptr goes back
// to the headless batch platform. Returns the previous one.
Platform* SetCurrentPlatform(Platform* platform);

// Installs a platform for the life of a scope (a test, the GUI run) and puts
// the previous one back afterwards.
class ScopedPlatform
{
  public:
    explicit ScopedPlatform(Platform& platform) : previous_(SetCurrentPlatform(&platform)) {}
    ~ScopedPlatform() { SetCurrentPlatform(previous_); }
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

  private:
    Platform* previous_;
};

} // namespace platform
