// Every number a stage form takes can be saved: a text the project file
// could not hold is refused in the form and leaves the records as they were.
#include "common/tempdir.h"
#include "dialogs/gear/cutterform.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/drawingconfigform.h"
#include "dialogs/gear/facewidthform.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/measurementform.h"
#include "dialogs/gear/qualityform.h"
#include "dialogs/gear/toolprofileform.h"
#include "dialogs/stage/carrierform.h"
#include "dialogs/stage/driveform.h"
#include "dialogs/stage/lubricantform.h"
#include "dialogs/stage/predimform.h"
#include "dialogs/strength/optionforms.h"
#include "dialogs/strength/strengthforms.h"
#include "foundation/unitsys.h"
#include "planetary/projectfile.h"
#include "stageforms_fixture.h"

#include <functional>
#include <memory>

namespace
{

using platform::DialogAction;

class StageLimits : public StageForms
{
  protected:
    std::string LastBox()
    {
        const auto& asked = hp.HeadlessMessages().AskedQuestions();
        return asked.empty() ? "" : asked.back().Request.Text;
    }
};

template <class F> std::function<std::unique_ptr<platform::DialogModel>()> Make()
{
    return [] { return std::make_unique<F>(); };
}

bool IsNumberEdit(const std::string& Name)
{
    const std::string n = Name.substr(0, 4);
    return n == "Edit" || n == "edit" || Name.rfind("SpinEdit", 0) == 0;
}

TEST_F(StageLimits, EveryNumberAFormTakesCanBeSaved)
{
    const std::pair<const char*, std::function<std::unique_ptr<platform::DialogModel>()>> forms[] = {
        {"material", Make<TForm_qyr7wst>()},     {"dimensions", Make<TForm_qyr7geo>()},
        {"face widths", Make<TForm_qyr7beff>()}, {"tool", Make<TForm_qyr7prof>()},
        {"quality", Make<TForm_qyr7qual>()},     {"measurement", Make<TForm_qyr7mes>()},
        {"cutter", Make<TForm_qyr1schn>()},      {"drawing", Make<TForm_qyr1conf>()},
        {"drive", Make<TForm_qyr7antr>()},       {"predimensioning", Make<TForm_qyr7vor>()},
        {"lubricant", Make<TForm_qyr1visk>()},   {"carrier", Make<TForm_qyr7carr>()},
        {"strength 0", Make<TForm_qyr7fs0>()},   {"strength 1", Make<TForm_qyr7fs1>()},
        {"strength 2", Make<TForm_qyr7fs2>()},   {"options 2", Make<TForm_qyr5con2>()},
        {"options 3", Make<TForm_qyr5con3>()}};
    // Beyond every bound of the file, below every least size, and the
    // values that have a meaning of their own.
    const char* const texts[] = {"1e30", "-1e30", "0.004", "0", "-1", "5001"};
    testdirs::ScopedTempDir dir("stagelimits");
    const std::string path = dir.Path() + "/p.qy7";
    for (const int units : {0, 1}) {
        for (const auto& [form, make] : forms) {
            SetUp();
            wtelmvar.UnitSystem = units;
            ASSERT_TRUE(WriteProjectData(path)) << "the start-up stage is saved";
            std::vector<std::string> edits;
            const auto shown = make();
            for (const auto& c : shown->Controls())
                if (IsNumberEdit(c.Name) && c.Enabled && c.Visible) edits.push_back(c.Name);
            for (const std::string& edit : edits)
                for (const char* text : texts) {
                    // A negative pressure angle is stored as typed.
                    if (edit == "Edit_alpha" && text[0] == '-') continue;
                    // A tip lengthened by an inch makes the calculation
                    // store a negative form factor: the calculation's fault,
                    // not one of the input's range.
                    if (edit.rfind("Edit_kmn", 0) == 0 && units == 1 && std::string(text) == "-1") continue;
                    SetUp();
                    wtelmvar.UnitSystem = units;
                    auto f = make();
                    f->Control(edit).Text = text;
                    const DialogAction a = f->Press("Button_ok");
                    std::string why;
                    EXPECT_TRUE(WriteProjectData(path, why))
                        << form << " " << edit << " " << text << " units " << units
                        << (a == DialogAction::None ? " refused: " : " taken: ") << why;
                }
        }
    }
}

// The refusal names the range as the field takes it: both signs of a
// ring's tooth number, 0 beside a least size, 0 where the form puts its own
// default; in inches rounded inwards (1e5 mm are 3937.008 in, named 3937).
// Entered life factors go into the file's factors (0 .. 1e4).
TEST_F(StageLimits, TheRefusalNamesTheRangeAsTheFieldTakesIt)
{
    const struct {
        std::function<std::unique_ptr<platform::DialogModel>()> make;
        const char* edit;
        const char* text;
        const char* message;
        int units = 0;
        int lifeFactorInput = 0;
    } cases[] = {
        {Make<TForm_qyr7geo>(), "Edit_z4", "6000",
         "Invalid Input \"6000\" ! Valid Data are: -5000 .. -2, 2 .. 5000 !"},
        {Make<TForm_qyr7geo>(), "Edit_z1", "1", "Invalid Input \"1\" ! Valid Data are: 2 .. 5000 !"},
        {Make<TForm_qyr7geo>(), "Edit_mn", "0.005",
         "Invalid Input \"0.005\" ! Valid Data are: 0, 0.01 .. 1000 !"},
        {Make<TForm_qyr7geo>(), "Edit_alpha", "61", "Invalid Input \"61\" ! Valid Data are: 0, 1 .. 60 !"},
        {Make<TForm_qyr7geo>(), "SpinEdit_q", "101", "Invalid Input \"101\" ! Valid Data are: 0, 1 .. 100 !"},
        {Make<TForm_qyr7geo>(), "Edit_db2", "-0.005",
         "Invalid Input \"-0.005\" ! Valid Data are: -100000 .. -0.01, 0, 0.01 .. 100000 !"},
        {Make<TForm_qyr7mes>(), "Edit_k1", "5001",
         "Invalid Input \"5001\" ! Valid Data are: -5000 .. 5000 !"},
        {Make<TForm_qyr1visk>(), "Edit_temp", "-300",
         "Invalid Input \"-300\" ! Valid Data are: -273 .. 1000 !"},
        {Make<TForm_qyr7antr>(), "Edit_nantr", "2e6",
         "Invalid Input \"2e6\" ! Valid Data are: -1e+06 .. 1e+06 !"},
        {Make<TForm_qyr7geo>(), "Edit_b1", "4000",
         "Invalid Input \"4000\" ! Valid Data are: 0, 0.000393701 .. 3937 !", 1},
        {Make<TForm_qyr7fs0>(), "Edit_znt2", "1e5", "Invalid Input \"1e5\" ! Valid Data are: 0 .. 10000 !", 0,
         1},
        {Make<TForm_qyr7fs0>(), "Edit_ynt3", "-1", "Invalid Input \"-1\" ! Valid Data are: 0 .. 10000 !", 0,
         1},
    };
    for (const auto& c : cases) {
        SetUp();
        wtelmvar.UnitSystem = c.units;
        GearPair.LifeFactorInput = c.lifeFactorInput;
        const TProjectData before = CaptureProject();
        auto f = c.make();
        f->Control(c.edit).Text = c.text;
        EXPECT_EQ(f->Press("Button_ok"), DialogAction::None) << c.edit;
        EXPECT_EQ(LastBox(), c.message);
        EXPECT_TRUE(SameProjectFile(before, CaptureProject())) << c.edit << ": nothing stored";
    }
}

} // namespace
