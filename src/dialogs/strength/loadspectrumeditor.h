#pragma once
// The menu-driven load spectrum editor: a loop over the general list dialog
// TForm_einarray (new, insert, delete, modify, three free buttons) and the
// item dialog TForm_lki, over the editing operations of TLoadSpectrumEditor
// on the gear pair's working list.

#include "dialogs/stagedialog.h"
#include "planetary/loadspectrum/loadspectrum.h"

#include <string>
#include <vector>

// The general list dialog. It shows TextItems[1..Lines], closes with an
// action code and reports the selected line.
class TForm_einarray final : public platform::DialogModel
{
  public:
    TForm_einarray(std::string Caption, int Lines, int Selected);

    std::string FormName() const override { return "TForm_einarray"; }
    std::string Caption() const override { return caption_; }
    platform::DialogAction Press(const std::string& Name) override;

    // The list lines as shown (display code page).
    std::vector<std::string> Items;
    // The selected line, 1-based; 0 for none. The form sets it on a click.
    int Selected = 0;
    // 0 OK or Cancel, 1 new, 2 insert, 3 delete, 6..8 the free buttons,
    // 9 modify, 10 double click.
    int ActionCode = 0;

  private:
    std::string caption_;
};

// The item dialog on the item the editor has open. Mode 1 takes torque and
// load cycles as typed; mode 2 computes them from speed, torque or power
// and the time spent at the load.
class TForm_lki : public TStageDialogModel
{
  public:
    explicit TForm_lki(TLoadSpectrumEditor& Editor);

    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // Mode 1 or 2 (RadioButton1, RadioButton2).
    int Mode() const;
    void UpdateMode();
    void Recalculate();

  private:
    void Show();
    bool StoreItem();
    TLoadSpectrumEditor& editor_;
    bool updating_ = false;
    // A number was typed, or put by "Tn" or "<", since the item was shown;
    // the torque and cycles texts the dialog itself wrote last.
    bool entered_ = false;
    std::string computedTorque_, computedCycles_;
    std::string shownTorque_, shownCycles_;
    std::string caption_;
};

// The editor loop. Aborted afterwards: clear when the user left with OK, and
// when an item dialog was cancelled or a load or save failed (each ends the
// editor; a cancelled new item is not kept); set when the list dialog was
// cancelled, the item limit was hit, or a position choice, a factor or the
// life material was cancelled.
void EditLoadSpectrum();
