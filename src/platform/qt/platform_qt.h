#pragma once
// The platform on Qt 6 Widgets. Create it after the QApplication; it owns
// the main window shell and every implementation.

#include "platform/platform.h"
#include "platform/posix/launcher_posix.h"
#include "platform/qt/desktop_qt.h"
#include "platform/qt/dialoghost_qt.h"
#include "platform/qt/filedialog_qt.h"
#include "platform/qt/mainwindow_qt.h"
#include "platform/qt/messagebox_qt.h"
#include "platform/qt/notewindow_qt.h"
#include "platform/qt/printer_qt.h"
#include "platform/qt/prompts_qt.h"

namespace platform
{

namespace detail
{
struct QtParts {
    MessageBoxesImplQt MessagesImpl;
    FileDialogsImplQt FilesImpl;
    PromptsImplQt PromptsImpl;
    DialogHostImplQt DialogsImpl{MessagesImpl};
    MainWindowImplQt WindowImpl;
    PrinterImplQt PrinterImpl;
    ClipboardImplQt ClipboardImpl;
    LauncherImplPosix LauncherImpl;
    CursorImplQt CursorImpl;
    SoundImplQt SoundImpl;
};
} // namespace detail

class PlatformQt final : private detail::QtParts, public Platform
{
  public:
    PlatformQt()
        : Platform(MessagesImpl, FilesImpl, PromptsImpl, DialogsImpl, WindowImpl, PrinterImpl, ClipboardImpl,
                   LauncherImpl, CursorImpl, SoundImpl),
          previousNotes_(SetNoteWindowFactory(QtNoteWindowFactory()))
    {
    }
    ~PlatformQt() override { SetNoteWindowFactory(previousNotes_); }
    MainWindowImplQt& QtMainWindow() { return WindowImpl; }
    DialogHostImplQt& QtDialogs() { return DialogsImpl; }
    PrinterImplQt& QtPrinter() { return PrinterImpl; }

  private:
    NoteWindowFactory previousNotes_;
};

} // namespace platform
