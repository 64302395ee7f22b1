#pragma once
// The speed, power and torque edits of the drive and predimensioning forms:
// two are given, the third follows while the user types (n in 1/min, P in
// kW, T in Nm).
//
// The edits show 3 significant digits, but the stage keeps more. A value
// the user did not retype is therefore taken at the value it stands for,
// never at its rounded text: the computed third value of an untouched
// drive is the exact one, and storing it does not round the input speed or
// power to 3 digits either.

#include "dialogs/stagedialog.h"
#include "foundation/types.h"

#include <string>

class TDriveValueEdits
{
  public:
    // Rows of the "which is computed" choice, as the forms number them.
    enum : int { SpeedComputed = 0, TorqueComputed = 1, PowerComputed = 2 };

    TDriveValueEdits(TStageDialogModel& Model, std::string EditN, std::string EditP, std::string EditT);

    // After the edits were filled: their texts stand for these values.
    void Loaded(Extended N, Extended P, Extended T);
    // The value an edit stands for: the remembered one while its text is
    // the one shown, else the typed text (0 when it does not parse).
    Extended SpeedValue() const { return ValueOf(0); }
    Extended PowerValue() const { return ValueOf(1); }
    Extended TorqueValue() const { return ValueOf(2); }
    // Computes the row's value from the other two, shows it and disables
    // its edit; a zero divisor or a result that is no finite number leaves
    // the computed text as it is.
    void Compute(int Row);
    // The three values into the records.
    void Store(Extended& N, Extended& P, Extended& T) const;

  private:
    Extended ValueOf(int I) const;
    void Show(int I, Extended X, bool SixDigits);

    TStageDialogModel& model_;
    std::string edit_[3];
    Extended exact_[3] = {0, 0, 0};
    std::string shown_[3];
};

// 2 pi as the drive formulas use it.
inline constexpr Extended DriveTwoPi = 6.283185307179586476925286766559L;
