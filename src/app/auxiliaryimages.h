#pragma once
// Auxiliary images: the HP-GL pictures of the picture directory that explain
// inputs, listed in the index file (auxiliaryindex.h). The Help menu, the
// online input window and the file-list preview browse them: show a picture,
// add, insert, change or delete index lines, and plot a picture as HP-GL/2 on
// a printer port.

#include "platform/dialoghost.h"

#include <cstdint>
#include <string>
#include <vector>

class TTextFile;

// The picture list window, a tool window placed where it was last left.
class TForm_hilfebild final : public platform::DialogModel
{
  public:
    // Commands the user chose.
    enum : uint16_t { CmdShow = 0, CmdNew = 1, CmdInsert = 2, CmdDelete = 3, CmdPlot = 5, CmdModify = 9 };

    TForm_hilfebild(); // FormCreate

    std::string FormName() const override { return "TForm_hilfebild"; }
    std::string Caption() const override;

    // Set by the caller before the window is shown.
    uint16_t ItemCount = 1;
    uint16_t Preselected = 1;
    // The user's answer.
    uint16_t Command = CmdShow;
    int ItemIndex = 0; // 0-based, -1 for none
    // The window's place, kept in SavedWindowLeft/Top when it is closed.
    // Until it was shown once the place is not Known: the window then opens
    // centred over the main window.
    int32_t Left = 0;
    int32_t Top = 0;
    bool Known = false;

    // The list's lines (display code page).
    const std::vector<std::string>& Items() const { return items_; }
    bool Busy() const { return busy_; }

    void FormShow();
    // The user picked line Index of the list (ignored while it is filled).
    platform::DialogAction ListBox1Change(int Index);
    platform::DialogAction SpinButton1UpClick();
    platform::DialogAction SpinButton1DownClick();
    platform::DialogAction Press(const std::string& Name) override;
    void FormDestroy();

  private:
    std::vector<std::string> items_;
    bool busy_ = false;
};

// The printer switching sequences of a PCL printer: reset and HP-GL/2 mode
// before the picture, back to PCL and reset after it.
bool SendHpgl2Start(TTextFile& Spool);
bool SendHpgl2End(TTextFile& Spool);

// Sends picture Name (PltDir + name + ".plt") to printer port Port (1..4)
// as one spool file: with Switching the start line, the picture's bytes and
// the two end lines; without, the picture alone. The port copies a whole
// file over its own, so the sequences must not be sent on their own.
bool PlotAuxiliaryImage(const std::string& Name, int Port, bool Switching);

// The browsing loop of the Help menu command.
void ShowAuxiliaryImages();
