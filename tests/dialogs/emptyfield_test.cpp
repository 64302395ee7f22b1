// A field left empty reads as 0; the dialog's rule for 0 decides what is stored.
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "stageforms_fixture.h"

namespace
{

class EmptyField : public StageForms
{
};
template <class F> TStageDialogModel* Open(TLoadSpectrumEditor&)
{
    return new F;
}
template <> TStageDialogModel* Open<TForm_lki>(TLoadSpectrumEditor& items)
{
    return new TForm_lki(items);
}

TEST_F(EmptyField, StoresWhatTheRuleOfZeroSays)
{
    auto& g = PlanetaryGears;
    const auto& item = GearPair.LoadSpectrum[1];
    const struct {
        TStageDialogModel* (*open)(TLoadSpectrumEditor&);
        const char* control; // "grid": the load spectrum's first torque cell
        const char* text;
        std::function<bool()> stored;
    } cases[] = {
        {Open<TForm_qyr7geo>, "Edit_alpha", "", [] { return GearPair.alpha == 20; }},
        {Open<TForm_qyr7geo>, "Edit_b2", "   ", [&] { return g.b[gPi] == 45; }},
        {Open<TForm_qyr7geo>, "SpinEdit_q", "\t", [] { return GearPair.qp == 3; }},
        {Open<TForm_qyrlk1>, "grid", "\t", [&] { return item.T == 0 && item.N == 1e6L; }},
        {Open<TForm_lki>, "Edit_ti", "", [&] { return item.T == 0 && item.N == 1e6L; }},
    };
    for (const auto& c : cases) {
        SetUp();
        GearPair.mn = 3;
        GearPair.qp = 4;
        GearPair.alpha = 0.3;
        g.b[gPi] = 30;
        GearPair.LoadSpectrumCount = 1;
        GearPair.LoadSpectrum[1] = {1e6L, 500};
        TLoadSpectrumEditor items;
        ASSERT_TRUE(items.BeginModify(1));
        std::unique_ptr<TStageDialogModel> f(c.open(items));
        if (std::string(c.control) == "grid")
            static_cast<TForm_qyrlk1&>(*f).Grid.SetCell(1, 1, c.text);
        else
            f->Control(c.control).Text = c.text;
        EXPECT_EQ(f->Press("Button_ok"), platform::DialogAction::Accept)
            << c.control << " \"" << c.text << "\"";
        EXPECT_TRUE(c.stored()) << c.control << " \"" << c.text << "\"";
    }
}

} // namespace
