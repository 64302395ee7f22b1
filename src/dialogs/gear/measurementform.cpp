#include "dialogs/gear/measurementform.h"

#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/measuring.h"
#include "planetary/meshtransfer.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "platform/platform.h"

#include <cfenv>
#include <climits>
#include <cmath>

namespace
{

std::string G(const char* stem, int g)
{
    return std::string(stem) + std::to_string(g);
}

void ProposeMesh(int mesh, bool k, bool dm)
{
    LoadMesh(mesh);
    CalcGeometry();
    TGearPairData& p = GearPair;
    const MeshOrder order = MeshGearOrder(mesh);
    for (int i = 1; i <= 2; ++i) {
        // Taken over as entered: the mesh stores back only what it derived.
        if (k) PlanetaryGears.SpanTeeth[order[i]] = kmess(p.z[i], p.beta_rad, p.alpha_rad, p.xemin[i], p.mn);
        if (dm) p.DM[i] = DmMess(p.z[i], p.beta_rad, p.alpha_rad, p.xemin[i], p.mn);
    }
    StoreMesh(mesh);
}

} // namespace

bool TextToSpanTeeth(const std::string& Text, int& K)
{
    Extended x = 0;
    if (!ReadFieldFloat(Text, x)) return false;
    if (!(x > INT_MIN && x < INT_MAX)) return false;
    // Halves go to the even neighbour, as the rounding of the calculation.
    const int keep = std::fegetround();
    std::fesetround(FE_TONEAREST);
    K = static_cast<int>(std::nearbyint(static_cast<long double>(x)));
    std::fesetround(keep);
    return true;
}

void ProposeMeasuringData(bool SpanTeeth, bool BallDiameter)
{
    ProposeMesh(mSPi, SpanTeeth, BallDiameter);
    ProposeMesh(mPeH, SpanTeeth, BallDiameter);
}

TForm_qyr7mes::TForm_qyr7mes()
    : TStageDialogModel("TForm_qyr7mes", " No. of teeth measured, Ball and pin diameters")
{
    SetStandardCaptions();
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 9020;
    Control("Button_metric").Caption = "mm <--> inch";
    Control("Button_calc").Caption = "Calc";
    Control("Button_k").Caption = "<";
    Control("Button_dm").Caption = "<";
    Control("Button_hbk").Caption = "?";
    Control("Button_hbdm").Caption = "?";
    Control("Label_k").Caption = DisplayText("No. of teeth measured k");
    Control("Label_dm").Caption = DisplayText("Ball and pin diameters DM");
    SetHint("Label_k", 9020);
    SetHint("Label_dm", 9020);
    const char* const heads[] = {"gear S", "gear Pi", "gear Pe", "gear H"};
    const uint16_t help[] = {4800, 4805, 4815, 4810};
    for (int g = 1; g <= 4; ++g) {
        Control(G("Label_rad", g)).Caption = heads[g - 1];
        SetHint(G("Label_rad", g), help[g - 1]);
        Bind(G("Edit_dm", g), TFieldKind::Length, &PlanetaryGears.DM[g]);
        Control(G("Edit_k", g));
    }
    AfterLoad = [this] { AfterLoadFields(); };
    AfterStore = [this] { AfterStoreFields(); };
    // The entered values count from now on.
    AfterOk = [] {
        GearPair.AutoBallDiameter = 0;
        CalcPlanetaryStage();
    };
    LoadFields();
}

void TForm_qyr7mes::AfterLoadFields()
{
    Control("Label_dmu").Caption = LengthUnitLabel();
    for (int g = 1; g <= 4; ++g) {
        // None entered shows the one calculated; left so, it stays unentered.
        const auto& s = PlanetaryGears;
        loadedSpan_[g] = IntToText(s.SpanTeeth[g] != 0 ? s.SpanTeeth[g] : s.SpanTeethInUse[g]);
        Control(G("Edit_k", g)).Text = loadedSpan_[g];
    }
}

bool TForm_qyr7mes::CheckSpanTexts()
{
    for (int g = 1; g <= 4; ++g) {
        const std::string& t = Control(G("Edit_k", g)).Text;
        int k = 0;
        if (t != loadedSpan_[g] && !TextToSpanTeeth(t, k)) {
            platform::CurrentPlatform().Bell().Beep();
            ShowErrorBox(InvalidInputText(AnsiTextToOem(t)));
            return false;
        }
        // What the project file cannot hold is refused here, as in the
        // bound fields.
        const std::optional<TProjectField> f = ProjectFieldOf(&PlanetaryGears.SpanTeeth[g]);
        const TFieldRange range{f ? f->Lo : 0, f ? f->Hi : 0};
        if (t != loadedSpan_[g] && f && !range.Holds(k)) {
            RefuseRange(TFieldKind::Integer, t, range);
            return false;
        }
    }
    return true;
}

void TForm_qyr7mes::AfterStoreFields()
{
    for (int g = 1; g <= 4; ++g) {
        const std::string& t = Control(G("Edit_k", g)).Text;
        int k = 0;
        if (t == loadedSpan_[g] || !TextToSpanTeeth(t, k)) continue;
        PlanetaryGears.SpanTeeth[g] = k;
        loadedSpan_[g] = t;
    }
}

platform::DialogAction TForm_qyr7mes::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name == "Button_k" || Name == "Button_dm") {
        telmvar.FatalCalcError = false;
        ProposeMeasuringData(Name == "Button_k", Name == "Button_dm");
        LoadFields();
        return DialogAction::None;
    }
    if (Name == "Button_ok" || Name == "Button_calc" || Name == "Button_metric" || Name == "Button_hbk" ||
        Name == "Button_hbdm") {
        if (!CheckSpanTexts()) return DialogAction::None;
    }
    if (Name == "Button_calc") {
        telmvar.Aborted = false;
        if (!StoreFields()) return DialogAction::None;
        GearPair.AutoBallDiameter = 0;
        return TStageDialogModel::Press("Button_calc");
    }
    if (Name == "Button_hbk" || Name == "Button_hbdm") {
        if (!StoreFields()) return DialogAction::None;
        HelpPictureNumber = Name == "Button_hbk" ? 9020 : 9025;
        return TStageDialogModel::Press("Button_hilfebild");
    }
    return TStageDialogModel::Press(Name);
}

bool ShowGearMeasurementDialog()
{
    TForm_qyr7mes form;
    return RunModalDialog(form) == platform::DialogResult::Ok;
}
