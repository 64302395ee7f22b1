#pragma once
// The drive of the stage (TForm_qyr7antr): input and output shaft, the
// control shaft locked or at a speed, input speed, power and torque (the
// third computed while the user types) and, on "Calc. n, np", the output
// and planet speeds of the stage kinematics before the dialog is left.

#include "dialogs/stage/drivevalues.h"
#include "dialogs/stagedialog.h"

class TForm_qyr7antr final : public TStageDialogModel
{
  public:
    // FormCreate: captions, hints, bindings, then the fields loaded.
    TForm_qyr7antr();

    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // The shaft groups' indexes (0 S, 1 C, 2 H; -1 none).
    int InputIndex() const;
    int OutputIndex() const;

  private:
    void AfterLoadFields();
    void AfterStoreFields();
    void LiveValues();
    void OkRule();
    void ControlLabel();
    void HideResults();

    TDriveValueEdits values_;
};

// The follow-up of the drive form's OK and of its "Calc. n, np" button: the
// stage kinematics, which shows the output and planet speeds.
void RunDriveKinematics();
