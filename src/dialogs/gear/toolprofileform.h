#pragma once
// Basic rack profile of the cutting tool of each gear (TForm_qyr7prof): one
// of three standard profiles or a self-defined one, typed in, taken from the
// tool table, converted in the basic-rack converter or appended to the
// table; protuberance and tip chamfer switched per gear. OK runs no
// calculation: the calling command calculates after an accepted dialog.

#include "dialogs/stagedialog.h"

#include <string>
#include <vector>

class TForm_qyr7prof final : public TStageDialogModel
{
  public:
    TForm_qyr7prof();

    platform::DialogAction Press(const std::string& Name) override;

    // The four items of the profile list of gear g (long texts for S), in
    // the window's code page.
    static const std::vector<std::string>& ProfileItems(int g);

    // Enables the inputs of self-defined profiles; shows the protuberance
    // and chamfer rows where their boxes are checked.
    void UpdateToolControls();

  private:
    // The group of gear g as shown: list, check boxes and edit texts.
    std::string GroupState(int g);
    void AfterLoadFields();
    void AfterStoreFields();
    void Preset(int g);
    void CopyGearS(int g);
    int ProfileIndex(int g);
    void FromTable(int g);
    void Converter(int g);
    // Per gear, the group as loaded when it held a tool picked from the
    // catalogue (kind 0); empty otherwise.
    std::string catalogueGroup_[5];
};

// Opens the tool dialog; true on OK.
bool ShowToolProfileDialog();
