#include "dialogs/stage/drivevalues.h"

#include "foundation/numbertext.h"
#include "foundation/textutil.h"

#include <cmath>

TDriveValueEdits::TDriveValueEdits(TStageDialogModel& Model, std::string EditN, std::string EditP,
                                   std::string EditT)
    : model_(Model), edit_{std::move(EditN), std::move(EditP), std::move(EditT)}
{
}

void TDriveValueEdits::Loaded(Extended N, Extended P, Extended T)
{
    const Extended v[3] = {N, P, T};
    for (int i = 0; i < 3; ++i) {
        exact_[i] = v[i];
        shown_[i] = model_.Control(edit_[i]).Text;
    }
}

Extended TDriveValueEdits::ValueOf(int I) const
{
    const platform::DialogControl* c = model_.FindControl(edit_[I]);
    if (!c) return 0;
    if (c->Text == shown_[I]) return exact_[I];
    return TextToFloat(TrimBlanks(c->Text));
}

void TDriveValueEdits::Show(int I, Extended X, bool SixDigits)
{
    if (!std::isfinite(static_cast<long double>(X))) return;
    exact_[I] = X;
    shown_[I] = TrimBlanks(SixDigits ? FloatToSignificant6(X) : FloatToSignificant(X));
    model_.Control(edit_[I]).Text = shown_[I];
}

void TDriveValueEdits::Compute(int Row)
{
    const Extended n = SpeedValue();
    const Extended P = PowerValue();
    const Extended T = TorqueValue();
    switch (Row) {
    case SpeedComputed:
        if (T != 0) Show(0, P * 60000 / (T * DriveTwoPi), false);
        break;
    case TorqueComputed:
        if (n != 0) Show(2, P * 60000 / (n * DriveTwoPi), false);
        break;
    case PowerComputed:
        Show(1, T * DriveTwoPi * n / 60000, true);
        break;
    default:
        break;
    }
    model_.Control(edit_[0]).Enabled = Row != SpeedComputed;
    model_.Control(edit_[2]).Enabled = Row != TorqueComputed;
    model_.Control(edit_[1]).Enabled = Row != PowerComputed;
    // The computed value is refused as what it is: the user typed the
    // other two, and a box quoting a number they never typed, with no name
    // and no unit, tells them nothing.
    static const TStageDialogModel::TComputedField computed[3] = {
        {"The speed n", "1/min", "the power and torque give"},
        {"The power P", "kW", "the torque and speed give"},
        {"The torque T", "Nm", "the power and speed give"}};
    const int edit[3] = {SpeedComputed, PowerComputed, TorqueComputed}; // edit index -> row
    for (int i = 0; i < 3; ++i)
        model_.MarkComputed(edit_[i], edit[i] == Row ? computed[i] : TStageDialogModel::TComputedField{});
}

void TDriveValueEdits::Store(Extended& N, Extended& P, Extended& T) const
{
    N = SpeedValue();
    P = PowerValue();
    T = TorqueValue();
}
