#pragma once
// Material data of the four gears (TForm_qyr7wst): name, kind, heat
// treatment, allowable stress numbers of root and flank, Brinell hardness,
// modulus of elasticity, Poisson ratio and density. A gear's data can be
// taken from the material table, its hardness converted from another scale.

#include "dialogs/stagedialog.h"

class TForm_qyr7wst final : public TStageDialogModel
{
  public:
    TForm_qyr7wst();

    platform::DialogAction Press(const std::string& Name) override;

  private:
    void AfterLoadFields();
    void AfterStoreFields();
    void SelectMaterialForGear(int g);
    void ConvertHardnessOfGear(int g);
};

// Opens the material dialog; true on OK.
bool ShowGearMaterialDialog();
