#include "dialogs/stage/predimform.h"

#include "dialogs/stage/radiogroup.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "planetary/predimensioning.h"
#include "planetary/stage.h"

#include <cmath>

namespace
{

const char* const ShaftNames[3] = {"sun wheel", "planet carrier", "ring gear"};

Extended RoundNearest(Extended X)
{
    return std::round(X);
}

} // namespace

Extended PredimRangeRatio(int qp)
{
    if (qp <= 0) return 0;
    return -ChordLimitFactor(DriveTwoPi / qp, PredimPlanetFactor);
}

TForm_qyr7vor::TForm_qyr7vor()
    : TStageDialogModel("TForm_qyr7vor", "drive"), values_(*this, "Edit_nantr", "Edit_pantr", "Edit_tantr")
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help Text";
    HelpTextNumber = 6700;
    const std::string names[3] = {ShaftNames[0], ShaftNames[1], ShaftNames[2]};
    AddShaftGroups(*this, names);
    Control("RadioGroup_npt").Caption = "Input n, T, P";
    Control("Label_nantr").Caption = "n";
    Control("Label_Pantr").Caption = "P";
    Control("Label_Tantr").Caption = "T";
    Control("Label_nabtr").Caption = "n ";
    Control("Label_sicherheit").Caption = "safety";
    Control("Label_b_mn").Caption = "b/mn";
    Control("Button_sicherheit").Caption = "<";
    Control("Button_b_mn").Caption = "<";
    SetHint("Label_nantr", 8700);
    SetHint("Label_Pantr", 8705);
    SetHint("Label_Tantr", 8725);
    SetHint("Label_nabtr", 8710);
    SetHint("Label_sicherheit", 8740);
    SetHint("Label_b_mn", 8750);
    Bind("Edit_nantr", TFieldKind::Sig3, &PlanetaryStage.nIn);
    Bind("Edit_nabtr", TFieldKind::Sig3, &PlanetaryStage.nOut);
    Bind("Edit_pantr", TFieldKind::Sig3, &PlanetaryStage.DriveValue);
    Bind("Edit_tantr", TFieldKind::Sig3, &PlanetaryStage.TN);
    Bind("Edit_sicherheit", TFieldKind::Sig3, &PlanetaryStage.PredimSafety);
    Bind("Edit_b_mn", TFieldKind::Sig3, &PlanetaryStage.PredimBToMn);
    // No stage is sized for more than a hundred times its torque, nor given
    // a face width under one or over a hundred modules; 0 stands for the
    // rules' 1 and 15.
    LimitTo("Edit_sicherheit", TFieldRange{0, 100, 0, false, true});
    LimitTo("Edit_b_mn", TFieldRange{0, 100, 1, false, true});
    AfterLoad = [this] { AfterLoadFields(); };
    AfterStore = [this] { AfterStoreFields(); };
    AfterOk = [] { SetPredimDriveData(PredimPlanetFactor); };
    LoadFields();
}

int TForm_qyr7vor::InputIndex() const
{
    return RadioIndex(*this, "RadioGroup_antrieb", 3);
}

int TForm_qyr7vor::OutputIndex() const
{
    return RadioIndex(*this, "RadioGroup_abtrieb", 3);
}

void TForm_qyr7vor::AfterLoadFields()
{
    const TPlanetaryStage& st = PlanetaryStage;
    SetRadioIndex(*this, "RadioGroup_antrieb", 3, PlanetaryShafts.InputShaft - 1);
    SetRadioIndex(*this, "RadioGroup_abtrieb", 3, PlanetaryShafts.OutputShaft - 1);
    // No stored choice yet: power computed, as the drive form opens.
    SetRadioIndex(*this, "RadioGroup_npt", 3, st.DriveInputMode == 0 ? 2 : st.DriveInputMode - 1);
    values_.Loaded(st.nIn, st.DriveValue, st.TN);
    nOutExact_ = st.nOut;
    nOutShown_ = Control("Edit_nabtr").Text;
    // Filling the edits sets up the live value, the range and OK at once.
    values_.Compute(RadioIndex(*this, "RadioGroup_npt", 3));
    SpeedRange();
    OkRule();
}

void TForm_qyr7vor::AfterStoreFields()
{
    TPlanetaryStage& st = PlanetaryStage;
    if (InputIndex() >= 0) PlanetaryShafts.InputShaft = InputIndex() + 1;
    if (OutputIndex() >= 0) PlanetaryShafts.OutputShaft = OutputIndex() + 1;
    const int row = RadioIndex(*this, "RadioGroup_npt", 3);
    if (row >= 0) st.DriveInputMode = row + 1;
    values_.Store(st.nIn, st.DriveValue, st.TN);
}

void TForm_qyr7vor::SpeedRange()
{
    const Extended n = values_.SpeedValue();
    const Extended i0 = PredimRangeRatio(GearPair.qp);
    const int in = InputIndex();
    const int out = OutputIndex();
    nOutMin = 0;
    nOutMax = 0;
    // Without planets there is no ratio, and i0 + 1 is never 0 for a
    // stage that has them (i0 < -1).
    if (i0 != 0 && in != out && in >= 0 && out >= 0) {
        switch (in * 3 + out) {
        case 0 * 3 + 1: // S -> C
            nOutMax = n / (i0 + 1);
            nOutMin = -5 * n;
            break;
        case 0 * 3 + 2: // S -> H
            nOutMax = RoundNearest(0.9L * n);
            nOutMin = RoundNearest(-(n / i0));
            break;
        case 1 * 3 + 0: // C -> S
            nOutMax = -n / 5;
            nOutMin = RoundNearest((i0 + 1) * n);
            break;
        case 1 * 3 + 2: // C -> H
            nOutMax = (i0 + 1) * n / i0;
            nOutMin = RoundNearest(n / 5);
            break;
        case 2 * 3 + 0: // H -> S
            nOutMax = -n * i0;
            nOutMin = RoundNearest(1.1L * n);
            break;
        case 2 * 3 + 1: // H -> C
            nOutMax = RoundNearest(5 * n);
            nOutMin = n * i0 / (i0 + 1);
            break;
        default:
            break;
        }
    }
    // A typed speed too large for the range arithmetic gives no range.
    if (!std::isfinite(static_cast<long double>(nOutMin)) ||
        !std::isfinite(static_cast<long double>(nOutMax))) {
        nOutMin = 0;
        nOutMax = 0;
    }
    Control("Label_nmax").Caption = TrimBlanks(FloatToFixedDecimals(0, nOutMin + 0.5L)) + " < n < " +
                                    TrimBlanks(FloatToFixedDecimals(0, nOutMax - 0.5L));
}

void TForm_qyr7vor::OkRule()
{
    const platform::DialogControl& e = Control("Edit_nabtr");
    const Extended nOut = e.Text == nOutShown_ ? nOutExact_ : TextToFloat(TrimBlanks(e.Text));
    const bool reachable = nOutMin <= nOut && nOut <= nOutMax;
    Control("Button_ok").Enabled = InputIndex() != OutputIndex() && nOut != 0 && values_.SpeedValue() != 0 &&
                                   values_.PowerValue() != 0 && values_.TorqueValue() != 0 && reachable &&
                                   GearPair.qp > 0;
}

void TForm_qyr7vor::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (Name == "Edit_nantr") {
        values_.Compute(RadioIndex(*this, "RadioGroup_npt", 3));
        SpeedRange();
    } else if (Name == "Edit_pantr" || Name == "Edit_tantr") {
        // With the speed row chosen these edits move the speed, and with it
        // the range.
        values_.Compute(RadioIndex(*this, "RadioGroup_npt", 3));
        SpeedRange();
    } else if (int i = RadioButtonIndex(Name, "RadioGroup_npt", 3); i >= 0) {
        SetRadioIndex(*this, "RadioGroup_npt", 3, i);
        values_.Compute(i);
        SpeedRange(); // a computed speed moves the range
    } else if (int a = RadioButtonIndex(Name, "RadioGroup_antrieb", 3); a >= 0) {
        SetRadioIndex(*this, "RadioGroup_antrieb", 3, a);
        SpeedRange();
    } else if (int b = RadioButtonIndex(Name, "RadioGroup_abtrieb", 3); b >= 0) {
        SetRadioIndex(*this, "RadioGroup_abtrieb", 3, b);
        SpeedRange();
    }
    OkRule();
    Touch();
}

platform::DialogAction TForm_qyr7vor::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name == "Button_ok" && !Control("Button_ok").Enabled) return DialogAction::None;
    if (Name == "Button_sicherheit") {
        Control("Edit_sicherheit").Text = "1";
        Touch();
        return DialogAction::None;
    }
    if (Name == "Button_b_mn") {
        Control("Edit_b_mn").Text = "15";
        Touch();
        return DialogAction::None;
    }
    return TStageDialogModel::Press(Name);
}
