// The load spectrum editor: the loop over the list dialog, insert and
// delete, the scaling factors' range, the file of an empty spectrum, and
// the item dialog's second mode (load cycles from speed and time, torque
// from power and speed).
#include "dialogs/stage/radiogroup.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "foundation/messagecollector.h"
#include "planetary/filenames.h"
#include "stageforms_fixture.h"

#include "common/tempdir.h"

#include <fstream>
#include <iterator>

namespace
{

using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;

class Editor : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        dir_ = testdirs::MakeTempDir("editor");
    }
    void TearDown() override
    {
        testdirs::RemoveTempDir(dir_);
        StageForms::TearDown();
    }
    void Items(std::initializer_list<TLoadSpectrumItem> items)
    {
        GearPair.LoadSpectrumCount = 0;
        for (const auto& it : items)
            GearPair.LoadSpectrum[++GearPair.LoadSpectrumCount] = it;
    }
    // The list dialog closed by Button with line Selected chosen.
    void List(const char* Button, int Selected = 0)
    {
        hp.HeadlessDialogs().QueueScript([Button, Selected](DialogModel& m) {
            auto& list = dynamic_cast<TForm_einarray&>(m);
            list.Selected = Selected;
            return list.Press(Button) == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
        });
    }
    void Item(std::function<void(TForm_lki&)> Fill, const char* Button = "Button_ok")
    {
        hp.HeadlessDialogs().QueueScript([Fill, Button](DialogModel& m) {
            auto& item = dynamic_cast<TForm_lki&>(m);
            if (Fill) Fill(item);
            return item.Press(Button) == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
        });
    }
    std::string dir_;
};

TEST_F(Editor, InsertAtOneOfThreeThenDelete)
{
    Items({{100, 10}, {200, 20}, {300, 30}});
    List("Button_insert", 1);
    Item(nullptr); // OK without a change: a copy of the old first item
    List("Button_delete", 3);
    List("Button_cancel");
    EditLoadSpectrum();
    EXPECT_TRUE(telmvar.Aborted) << "the list dialog was cancelled";
    ASSERT_EQ(GearPair.LoadSpectrumCount, 3);
    EXPECT_EQ(GearPair.LoadSpectrum[1], (TLoadSpectrumItem{100, 10}));
    EXPECT_EQ(GearPair.LoadSpectrum[2], (TLoadSpectrumItem{100, 10}));
    EXPECT_EQ(GearPair.LoadSpectrum[3], (TLoadSpectrumItem{300, 30})) << "the third of four was deleted";
    const auto& shown = hp.HeadlessDialogs().ShownDialogs();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0].Caption, "load spectrum QYR7");
    EXPECT_EQ(shown[1].Caption, "item 1");
}

TEST_F(Editor, CancelledNewItemIsNotKept)
{
    Items({{100, 10}});
    List("Button_new");
    Item([](TForm_lki& f) { f.Control("Edit_ti").Text = "99"; }, "Button_cancel");
    EditLoadSpectrum();
    EXPECT_FALSE(telmvar.Aborted) << "a cancelled item dialog ends the editor as left";
    EXPECT_EQ(GearPair.LoadSpectrumCount, 1);
}

TEST_F(Editor, ConfirmedItemKeepsItsValueExactly)
{
    Items({{123456.789L, 123.456L}});
    List("Button_modify", 1);
    Item(nullptr);
    List("Button_cancel");
    EditLoadSpectrum();
    EXPECT_TRUE(SameBits(GearPair.LoadSpectrum[1].T, 123.456L));
    EXPECT_TRUE(SameBits(GearPair.LoadSpectrum[1].N, 123456.789L));
}

TEST_F(Editor, ScalingFactorsFromOneTrillionthToOneTrillion)
{
    Items({{1e6L, 100}});
    List("Button_156");
    for (const char* t : {"1e-13", "1e-12", "1e13", "1e12"})
        hp.HeadlessPrompts().QueueText(t);
    List("Button_cancel");
    EditLoadSpectrum();
    EXPECT_EQ(hp.HeadlessPrompts().TextPrompts().size(), 4u) << "each out-of-range factor is asked again";
    EXPECT_NEAR(static_cast<double>(GearPair.LoadSpectrum[1].N), 1e-6, 1e-18);
    EXPECT_NEAR(static_cast<double>(GearPair.LoadSpectrum[1].T), 1e14, 1);
}

TEST_F(Editor, EmptySpectrumSavesFourLinesAndLeavesWithoutLifeMaterial)
{
    GearPair.LoadSpectrumCount = 0;
    GearPair.LoadSpectrumKind = 1;
    const std::string path = dir_ + "/empty.kol";
    filenamedialogs.SaveFileDialog = [path](const std::string&, std::string& p) { p = path; };
    List("Button_delete"); // nothing to delete: the next pass
    List("Button_158");
    List("Button_ok"); // a saved list stays in the editor
    EditLoadSpectrum();
    EXPECT_FALSE(telmvar.Aborted);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "Load Spectrum\r\n-------------\r\n1\r\n0\r\n");
    EXPECT_EQ(hp.HeadlessDialogs().PendingAnswers(), 0u);
    EXPECT_EQ(hp.Unscripted(), 0) << "no life material asked for an empty spectrum";
}

TEST_F(Editor, FailedSaveIsAMessageNotACrash)
{
    Items({{100, 10}});
    const std::string path = dir_ + "/taken.kol";
    std::filesystem::create_directory(path);
    filenamedialogs.SaveFileDialog = [path](const std::string&, std::string& p) { p = path; };
    List("Button_158");
    EditLoadSpectrum();
    EXPECT_FALSE(telmvar.Aborted) << "the editor ends as after a cancelled save";
    EXPECT_EQ(GearPair.LoadSpectrumCount, 1);
    EXPECT_GT(error0.ErrorCount, 0);
}

TEST_F(Editor, ItemFromSpeedAndTime)
{
    GearPair.e[1] = 1;
    Items({{1000, 50}});
    TLoadSpectrumEditor editor;
    ASSERT_TRUE(editor.BeginModify(1));
    TForm_lki f(editor);
    f.Control("RadioButton2").Checked = true;
    f.Changed("RadioButton2");
    EXPECT_EQ(f.Mode(), 2);
    EXPECT_FALSE(f.Control("Edit_ti").Enabled);
    SetRadioIndex(f, "RadioGroup_ntp", 3, 2); // P computed
    SetRadioIndex(f, "RadioGroup_t", 3, 2);   // t in hours
    f.Changed("RadioGroup_t_2");
    EXPECT_FALSE(f.Control("Edit_p").Enabled);
    EXPECT_TRUE(f.Control("Edit_th").Enabled);
    f.Control("Edit_n").Text = "1500";
    f.Changed("Edit_n");
    f.Control("Edit_th").Text = "2";
    f.Changed("Edit_th");
    // 2 h = 120 min at 1500 1/min with one contact per turn.
    EXPECT_EQ(f.Control("Edit_ni").Text, "180000");
    EXPECT_EQ(f.Control("Edit_tmin").Text, "120");

    SetRadioIndex(f, "RadioGroup_ntp", 3, 1); // T computed
    f.Changed("RadioGroup_ntp_1");
    f.Control("Edit_p").Text = "10";
    f.Control("Edit_n").Text = "1000";
    f.Changed("Edit_n");
    // 10 kW at 1000 1/min: 10 * 60000 / (2 pi 1000) = 95.493 N m, shown
    // as the torques are.
    EXPECT_EQ(f.Control("Edit_T").Text, "95.49");
    EXPECT_EQ(f.Control("Edit_ti").Text, "95.49");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.LoadSpectrum[1].T, 95.49L);
    EXPECT_EQ(GearPair.LoadSpectrum[1].N, 120000) << "2 h at 1000 1/min";
}

TEST_F(Editor, ItemDialogRefusesWhatIsNoLoad)
{
    Items({{1000, 50}});
    TLoadSpectrumEditor editor;
    ASSERT_TRUE(editor.BeginModify(1));
    TForm_lki f(editor);
    f.Control("Edit_ti").Text = "-3";
    EXPECT_EQ(f.Press("Button_ok"), DialogAction::None);
    EXPECT_EQ(GearPair.LoadSpectrum[1].T, 50);
}

// The load spectrum file and the project file hold torques 0 .. 1e12 N m (8.85074e12 lbf in, rounded inwards
// from 1e12 / 0.112984788 = 8.8507490e12); a torque the item dialog computes is named as such: 1.2e8 kW at 1
// 1/min give 1.2e8 * 60000 / (2 pi) = 1145915590261.6 N m, named with six digits as the bounds are.
TEST_F(Editor, ItemTorqueOutsideWhatTheFilesHoldIsRefused)
{
    const struct {
        int Units, Computed; // Computed: -1 mode 1 (T, N typed), else the one of n, T, P computed in mode 2
        std::vector<std::pair<const char*, const char*>> Typed;
        const char *Said, *Range; // Said empty: taken
        double Stored;            // N m
    } cases[] = {
        {0, -1, {{"Edit_ti", "2e12"}}, "Invalid Input \"2e12\" !", "0 .. 1e+12", 50},
        {0, -1, {{"Edit_ti", "9.5e11"}}, "", "", 9.5e11},
        {1, -1, {{"Edit_ti", "9e12"}}, "Invalid Input \"9e12\" !", "0 .. 8.85074e+12", 50},
        {1, -1, {{"Edit_ti", "8.8e12"}}, "", "", 8.8e12 * 0.112984788},
        {0,
         1,
         {{"Edit_p", "1.2e8"}, {"Edit_n", "1"}},
         "The torque T1 = 1.14592e+12 Nm that the power and speed give is out of range !",
         "0 .. 1e+12",
         50},
        {0,
         0,
         {{"Edit_T", "2e12"}},
         "The torque T1 = 2e+12 Nm that the torque T gives is out of range !",
         "0 .. 1e+12",
         50},
    };
    const auto& asked = hp.HeadlessMessages().AskedQuestions();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed.back().second);
        wtelmvar.UnitSystem = static_cast<uint16_t>(c.Units);
        Items({{1000, 50}});
        TLoadSpectrumEditor editor;
        ASSERT_TRUE(editor.BeginModify(1));
        TForm_lki f(editor);
        if (c.Computed >= 0) {
            f.Control("RadioButton2").Checked = true;
            f.Changed("RadioButton2");
            SetRadioIndex(f, "RadioGroup_ntp", 3, c.Computed);
            f.Changed("RadioGroup_ntp_" + std::to_string(c.Computed));
        }
        for (const auto& [edit, text] : c.Typed) {
            f.Control(edit).Text = text;
            f.Changed(edit);
        }
        const std::size_t boxes = asked.size();
        EXPECT_EQ(f.Press("Button_ok"), *c.Said ? DialogAction::None : DialogAction::Accept);
        EXPECT_EQ(asked.size() > boxes ? asked.back().Request.Text : "",
                  *c.Said ? c.Said + std::string(" Valid Data are: ") + c.Range + " !" : "");
        EXPECT_NEAR(static_cast<double>(GearPair.LoadSpectrum[1].T), c.Stored, c.Stored * 1e-9);
    }
    wtelmvar.UnitSystem = 0;
}

} // namespace
