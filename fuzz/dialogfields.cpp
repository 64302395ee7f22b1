// Fuzz target for the stage input forms: the input is split into lines,
// which are typed one after another into every edit of every form (each
// change handler runs), check marks and radio buttons follow the bits of
// the first byte, the forms' own buttons are pressed, and OK stores.
//
// Besides not crashing, no form may store a value that is not a finite
// number: the stage calculation would take it for data.
#include "dialogs/calculatorwindow.h"
#include "dialogs/dialogservices.h"
#include "dialogs/gear/cadconfigform.h"
#include "dialogs/gear/cutterform.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/drawingconfigform.h"
#include "dialogs/gear/facewidthform.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/measurementform.h"
#include "dialogs/gear/qualityform.h"
#include "dialogs/gear/toolprofileform.h"
#include "dialogs/messageboxes.h"
#include "dialogs/stage/basicrackconverter.h"
#include "dialogs/stage/carrierform.h"
#include "dialogs/stage/driveform.h"
#include "dialogs/stage/hardness.h"
#include "dialogs/stage/lubricantform.h"
#include "dialogs/stage/predimform.h"
#include "dialogs/stage/textsform.h"
#include "dialogs/stage/viscosityform.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "dialogs/strength/optionforms.h"
#include "dialogs/strength/strengthforms.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "platform/headless/platform_headless.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

// The table's grid takes the typed texts: Edit_cell1..6 stand for the
// torque and load-cycle cells of three rows; the first is also pasted.
class LoadSpectrumTable final : public TForm_qyrlk1
{
  public:
    LoadSpectrumTable()
    {
        GearPair.LoadSpectrumCount = 3;
        GearPair.LoadSpectrum[1] = {1e6L, 500};
        GearPair.LoadSpectrum[2] = {2e5L, 250};
        GearPair.LoadSpectrum[3] = {1e3L, 125};
        LoadGrid();
        for (int k = 1; k <= 6; ++k)
            Control("Edit_cell" + std::to_string(k));
    }
    void Changed(const std::string& Name) override
    {
        TForm_qyrlk1::Changed(Name);
        if (Name.rfind("Edit_cell", 0) != 0) return;
        const int k = Name.back() - '1';
        Grid.SetCell(1 + k % 2, 1 + k / 2, Control(Name).Text);
        if (k == 0) platform::CurrentPlatform().Clip().SetText(Control(Name).Text);
    }
};

// The item dialog on the second of two items, its editor made first.
struct ItemEditor {
    ItemEditor()
    {
        GearPair.LoadSpectrumCount = 2;
        GearPair.LoadSpectrum[1] = {1e6L, 500};
        GearPair.LoadSpectrum[2] = {2e5L, 250};
        editor.BeginModify(2);
    }
    TLoadSpectrumEditor editor;
};

class LoadSpectrumItem final : private ItemEditor, public TForm_lki
{
  public:
    LoadSpectrumItem() : ItemEditor(), TForm_lki(editor) {}
};

struct TFuzzForm {
    const char* Name;
    std::function<std::unique_ptr<platform::DialogModel>()> Make;
    // The form's own buttons, pressed before OK.
    std::vector<const char*> Buttons;
};

// The forms under test; a new form adds its line here.
const std::vector<TFuzzForm>& Forms()
{
    static const std::vector<TFuzzForm> forms = {
        {"drive", [] { return std::make_unique<TForm_qyr7antr>(); }, {"Button_update"}},
        {"predim", [] { return std::make_unique<TForm_qyr7vor>(); }, {"Button_sicherheit", "Button_b_mn"}},
        {"texts", [] { return std::make_unique<TForm_qyr7text>(); }, {}},
        {"carrier",
         [] { return std::make_unique<TForm_qyr7carr>(); },
         {"Button_dshs", "Button_hcarrier", "Button_dcarrier", "Button_lcarrier", "Button_metric"}},
        {"lubricant",
         [] { return std::make_unique<TForm_qyr1visk>(); },
         {"Button_visko40", "Button_visko50", "Button_visko100"}},
        {"viscosity", [] { return std::make_unique<TForm_viskot>(); }, {}},
        {"dimensions",
         [] { return std::make_unique<TForm_qyr7geo>(); },
         {"Button_zp", "SpinButton1Down", "SpinButton2Up", "SpinButton3Down", "SpinButton4Up",
          "SpinButton_mnUp", "SpinButton_mnDown", "Button_a0", "Button_kmn", "Button_b12", "Button_bohr",
          "Button_alpha", "Button_q"}},
        {"face widths", [] { return std::make_unique<TForm_qyr7beff>(); }, {"Button_b", "Button_fase"}},
        {"material", [] { return std::make_unique<TForm_qyr7wst>(); }, {"Button_metric"}},
        {"measurement", [] { return std::make_unique<TForm_qyr7mes>(); }, {"Button_metric"}},
        {"quality",
         [] { return std::make_unique<TForm_qyr7qual>(); },
         {"Button_2gleich1", "Button_3gleich1", "Button_4gleich1", "Button_q1", "Button_q2", "Button_q3",
          "Button_q4"}},
        {"tool",
         [] { return std::make_unique<TForm_qyr7prof>(); },
         {"Button_2gleich1", "Button_3gleich1", "Button_4gleich1"}},
        {"pinion cutter", [] { return std::make_unique<TForm_qyr1schn>(); }, {"Button_z0", "Button_x0"}},
        {"strength",
         [] { return std::make_unique<TForm_qyr7fs0>(); },
         {"Button1", "Button_nlastw", "Button_kah", "Button_kgamma", "Button_dshvs", "Button_l1vp",
          "Button_s1vh", "Button_bi442vs", "Button_metric", "Button_calc"}},
        {"strength 1",
         [] { return std::make_unique<TForm_qyr7fs1>(); },
         {"Button1", "Button_lnt", "Button_metric"}},
        {"strength 2", [] { return std::make_unique<TForm_qyr7fs2>(); }, {"Button_dshvp", "Button_bi443vh"}},
        {"dimension options", [] { return std::make_unique<TForm_qyr5con2>(); }, {"Button_reset"}},
        {"strength options", [] { return std::make_unique<TForm_qyr5con3>(); }, {"Button_yfs"}},
        {"load spectrum table",
         [] { return std::make_unique<LoadSpectrumTable>(); },
         {"Button_add1", "mi_editPaste", "Button_add", "Button_metric", "Button_del"}},
        {"load spectrum item",
         [] { return std::make_unique<LoadSpectrumItem>(); },
         {"RadioButton2", "Button_ti", "Button_ni", "SpinButton1Down", "SpinButton1Up"}},
        {"drawing settings",
         [] { return std::make_unique<TForm_qyr1conf>(); },
         {"SpinButton_wdrehUp", "SpinButton_wdrehDown", "Button_wdrehc", "Button_wdreha", "Button_wdrehe"}},
        {"CAD settings",
         [] { return std::make_unique<TForm_qyrconf>(2); },
         {"Button_xe", "Button_xemax", "Button_xemin", "Button1", "Button_dbohr", "Button_anzbohr"}},
    };
    return forms;
}

void Fail(const char* form, const char* what)
{
    std::fprintf(stderr, "dialogfields: %s: %s is not a finite number\n", form, what);
    std::abort();
}

void CheckFinite(const char* form)
{
    const TPlanetaryStage& st = PlanetaryStage;
    const TGearPairData& p = GearPair;
    const struct {
        const char* name;
        Extended value;
    } fields[] = {
        {"nIn", st.nIn},
        {"nOut", st.nOut},
        {"nThird", st.nThird},
        {"DriveValue", st.DriveValue},
        {"TN", st.TN},
        {"PredimSafety", st.PredimSafety},
        {"PredimBToMn", st.PredimBToMn},
        {"dshPi", st.dshPi},
        {"dshPe", st.dshPe},
        {"hcarrier", st.hcarrier},
        {"dcarrier", st.dcarrier},
        {"lcarrier", st.lcarrier},
        {"dshS", PlanetaryGears.dshS},
        {"v40", p.v40},
        {"v50", p.v50},
        {"v100", p.v100},
        {"rho15", p.rho15},
        {"TOil", p.TOil},
    };
    for (const auto& f : fields)
        if (!std::isfinite(static_cast<long double>(f.value))) Fail(form, f.name);
    if (st.CarrierForm < 0 || st.CarrierForm > 3) Fail(form, "CarrierForm");
    for (Extended x : {p.KA_H, p.KA_F, st.Kgamma})
        if (!std::isfinite(static_cast<long double>(x))) Fail(form, "an application or mesh load factor");
    if (p.LoadSpectrumCount < 0 || p.LoadSpectrumCount > LoadSpectrumMax)
        Fail(form, "the load spectrum count");
    for (int k = 1; k <= p.LoadSpectrumCount; ++k) {
        const TLoadSpectrumItem& it = p.LoadSpectrum[k];
        if (!std::isfinite(static_cast<long double>(it.T)) ||
            !std::isfinite(static_cast<long double>(it.N)) || it.T < 0 || it.N < 0)
            Fail(form, "a load spectrum item");
    }
    if (p.CalcMethod < 0 || p.CalcMethod > 4) Fail(form, "CalcMethod");
    const TPlanetaryGears& g = PlanetaryGears;
    for (Extended x : {p.alpha, p.beta, p.mn, p.x0})
        if (!std::isfinite(static_cast<long double>(x))) Fail(form, "an angle or the module");
    for (int i = 1; i <= 4; ++i)
        for (Extended x : {g.b[i], g.x[i], g.kmn[i], g.dB[i], g.bcha[i], g.Sigma_FE[i], g.SigmaHlim[i],
                           g.HB[i], g.E[i], g.nu[i], g.rho[i], g.DM[i]})
            if (!std::isfinite(static_cast<long double>(x))) Fail(form, "a gear dimension");
    for (int i = 1; i <= 4; ++i)
        for (Extended x : {g.di[i], g.e[i], g.Np[i], g.RzZ[i], g.RzY[i], g.ZNT[i], g.YNT[i], g.tg_rhog[i]})
            if (!std::isfinite(static_cast<long double>(x))) Fail(form, "a strength input of a gear");
    for (int i = 1; i <= 3; ++i)
        for (Extended x : {g.fsh[i], g.fma[i], g.l_bearing[i], g.s_bedding[i], g.dsh[i]})
            if (!std::isfinite(static_cast<long double>(x))) Fail(form, "a strength input of a mesh");
    for (int i = 1; i <= 3; ++i)
        for (Extended x : {g.bctr[i], g.b_effH[i], g.b_effF[1][i], g.b_effF[2][i]})
            if (!std::isfinite(static_cast<long double>(x))) Fail(form, "a face width of a mesh");
    if (g.z[4] > 0) Fail(form, "the ring's tooth number (stored positive)");
    for (int k = 1; k <= HardnessScaleCount; ++k)
        if (!std::isfinite(static_cast<long double>(GetHardnessValue(k)))) Fail(form, "a hardness value");
    for (int g = 1; g <= 2; ++g)
        for (Extended x : {p.hfP0_mn[g], p.haP0_mn[g], p.alphakP0[g], p.hFfP0_mn[g], p.alphaprP0[g],
                           p.prP0_mn[g], p.rhoaP0_mn[g], p.rhofP0_mn[g]})
            if (!std::isfinite(static_cast<long double>(x))) Fail(form, "a basic rack coefficient");
    for (Extended x : {p.a_pic, p.MeshRotationAngle, p.x_pic[1], p.x_pic[2], p.xv_pic[1], p.xv_pic[2],
                       p.RingFixingHoles.HoleDiameter, p.RingFixingHoles.PitchCircleDiameter})
        if (!std::isfinite(static_cast<long double>(x))) Fail(form, "a drawing setting");
}

void ResetAll(uint8_t flags)
{
    ResetFoundationState();
    ResetMessageboxes();
    ResetDialogServices();
    ResetVonline3();
    ResetHardnessValues();
    SetGearDefaults();
    InitGearPairData();
    InitPlanetaryData();
    GearPair.qp = 3;
    telmvar.ProgramName = "QYR7";
    telmvar.PltDir = "/nonexistent-qyr7-help";
    wtelmvar.UnitSystem = flags & 1 ? 1 : 0;
}

void TypeInto(platform::DialogModel& m, const std::vector<std::string>& lines, std::size_t& next,
              uint8_t flags)
{
    // The names first: typing may add no controls, but a copy keeps the
    // loop independent of the model's own bookkeeping.
    std::vector<std::string> names;
    for (const platform::DialogControl& c : m.Controls())
        names.push_back(c.Name);
    int bit = 1;
    for (const std::string& name : names) {
        if (name.rfind("Edit_", 0) == 0 || name.rfind("edit_", 0) == 0 || name.rfind("SpinEdit_", 0) == 0 ||
            name.rfind("ComboBox_", 0) == 0) {
            if (lines.empty()) continue;
            m.Control(name).Text = lines[next++ % lines.size()];
            m.Changed(name);
        } else if (name.rfind("CheckBox_", 0) == 0 || name.rfind("RadioGroup_", 0) == 0) {
            m.Control(name).Checked = (flags >> (bit++ % 8)) & 1;
            m.Changed(name);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const uint8_t flags = data[0];
    std::vector<std::string> lines(1);
    for (size_t i = 1; i < size && lines.size() < 64; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
    for (const TFuzzForm& f : Forms()) {
        ResetAll(flags);
        std::unique_ptr<platform::DialogModel> model = f.Make();
        std::size_t next = 0;
        TypeInto(*model, lines, next, flags);
        for (const char* b : f.Buttons)
            model->Press(b);
        TypeInto(*model, lines, next, static_cast<uint8_t>(flags >> 1));
        model->Press("Button_ok");
        model->Press("Button_OK");
        CheckFinite(f.Name);
    }
    // The calculators' input lines.
    ResetAll(flags);
    OnlineInit("fuzz", 11, 11);
    for (int i = 1; i <= 11; ++i)
        vonline3.OnlineInValue[i] = lines[static_cast<std::size_t>(i - 1) % lines.size()];
    HardnessConverterPass(static_cast<uint16_t>(1 + flags % 11));
    CheckFinite("hardness");
    if (flags & 0x80) {
        // The full pair calculation is slow; half of the inputs run it.
        BasicRackConverterInit(1 + (flags & 2 ? 1 : 0));
        for (int i = 1; i <= 8; ++i)
            vonline3.OnlineInValue[i] = lines[static_cast<std::size_t>(i - 1) % lines.size()];
        BasicRackConverterPass(1 + (flags & 2 ? 1 : 0));
        CheckFinite("basic rack");
    }
    OnlineEnd();
    return 0;
}
