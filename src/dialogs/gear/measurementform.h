#pragma once
// Measuring data of the four gears (TForm_qyr7mes): teeth spanned k and
// ball or pin diameter DM, each with a proposal from the gear geometry.
// OK and Calc switch the program to the entered values and calculate.

#include "dialogs/stagedialog.h"

class TForm_qyr7mes final : public TStageDialogModel
{
  public:
    TForm_qyr7mes();

    platform::DialogAction Press(const std::string& Name) override;

  private:
    void AfterLoadFields();
    void AfterStoreFields();
    // False (message shown) when a changed k text is not a number.
    bool CheckSpanTexts();
    TArray<std::string, 1, 4> loadedSpan_{};
};

// k or DM (or both) of the four gears from the geometry of meshes S-Pi and
// Pe-H as last stored.
void ProposeMeasuringData(bool SpanTeeth, bool BallDiameter);

// The typed number of teeth spanned, rounded to the nearest whole number
// (halves to even); an empty text is 0; false when the text is not a number
// in the int range.
bool TextToSpanTeeth(const std::string& Text, int& K);

// Opens the measurement dialog; true on OK.
bool ShowGearMeasurementDialog();
