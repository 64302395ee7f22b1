#pragma once
// How the tooth forms of the loaded gear pair are drawn (TForm_qyr1conf):
// involute and fillet resolution, tooth shapes shown, the profile shifts and
// centre distance of the picture, the angle of rotation of gear 1 and the
// extras (root curve, diameters, bore, polyline output). The values live in
// the gear-pair variables and take effect at the next tooth drawing; the
// calculation of the pair resets them.

#include "dialogs/stagedialog.h"

#include <string>
#include <vector>

class TForm_qyr1conf final : public TStageDialogModel
{
  public:
    TForm_qyr1conf();

    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // The items of the two profile-shift choices and of the centre distance
    // choice; item 0 is free input.
    static const std::vector<std::string>& XeItems();
    static const std::vector<std::string>& AItems();

  private:
    // Row "xee" (involute) or "xeh" (tooth shape) after its choice changed.
    void ApplyXeChoice(const std::string& Row);
    void ApplyAChoice();
    void StepRotation(int Direction);
    void LoadExtras();
    bool StoreExtras();
    std::string loadedA_;
};

// Opens the gear drawing settings of the loaded pair; true on OK.
bool ShowGearDrawingConfigDialog();
