#pragma once
// The main dimensions of the stage (TForm_qyr7geo): pressure and helix
// angle, normal module or diametral pitch, number of planet pairs and per
// gear S, Pi, Pe, H tooth number, profile shift, tip reduction, face width
// and bore, with the tooth alignment. The effective face widths of the three
// meshes follow the face width edits; tooth numbers step under the assembly
// condition of the planets, the module steps through the standard series.

#include "dialogs/stagedialog.h"

class TForm_qyr7geo final : public TStageDialogModel
{
  public:
    TForm_qyr7geo();

    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // zS, zPi, zPe, zH as last read from the tooth-number edits.
    TArray<int, 1, 4> WorkingTeeth{};

  private:
    // False, with a message naming the field, for an entered module of 0 or
    // below or a tooth number of 0.
    bool CheckDimensions();
    void AfterLoadFields();
    void AfterStoreFields();
    void UpdateEffectiveFaceWidths();
    bool ReadTeethNumbers();
    void StepTeeth(int gear, char direction);
    void ProposeTeeth();
    void ShowMinimumShift(int gear);
    void StepModule(int direction);
};

// Opens the dimensions dialog; true on OK.
bool ShowGearDimensionsDialog();
