#pragma once
// The predimensioning inputs (TForm_qyr7vor): shafts, input speed, power
// and torque (the third computed live), the wanted output speed, a safety
// factor and b/mn. While the user types the form shows the output speeds
// that a stage with the current number of planets can reach with the chosen
// shafts, and OK is allowed only for one of them.

#include "dialogs/stage/drivevalues.h"
#include "dialogs/stagedialog.h"

class TForm_qyr7vor final : public TStageDialogModel
{
  public:
    TForm_qyr7vor();

    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // The reachable output speeds (1/min); both 0 while input and output
    // are one shaft or the number of planets is not known.
    Extended nOutMin = 0;
    Extended nOutMax = 0;

    int InputIndex() const;
    int OutputIndex() const;

  private:
    void AfterLoadFields();
    void AfterStoreFields();
    void SpeedRange();
    void OkRule();

    TDriveValueEdits values_;
    Extended nOutExact_ = 0;
    std::string nOutShown_;
};

// The stationary ratio the range assumes: the largest planets that still
// pass each other with qp planets, -ChordLimitFactor(2 pi / qp, 3.25);
// 0 when qp is not positive.
Extended PredimRangeRatio(int qp);
