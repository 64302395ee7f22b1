// Every help entry the gear forms name (their hints, help and picture
// buttons) is in the shipped help files with a text.
#include "common/askedboxes.h"
#include "dialogs/gear/cutterform.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/facewidthform.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/measurementform.h"
#include "dialogs/helptext.h"
#include "dialogs/stage/viscosityform.h"
#include "graphics/graphfacade.h"
#include "stageforms_fixture.h"

#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace
{

class GearHelp : public StageForms
{
};

TEST_F(GearHelp, EveryEntryTheFormsUseIsShipped)
{
    const std::vector<std::function<std::unique_ptr<TStageDialogModel>()>> forms = {
        [] { return std::make_unique<TForm_qyr7geo>(); },  [] { return std::make_unique<TForm_qyr7beff>(); },
        [] { return std::make_unique<TForm_qyr7wst>(); },  [] { return std::make_unique<TForm_qyr7mes>(); },
        [] { return std::make_unique<TForm_qyr1schn>(); },
    };
    // The "?" picture buttons of the dimensions form.
    std::set<uint16_t> inUse = {5160, 5120, 5150, 5090, 8655, 8250, 9025};
    for (const auto& make : forms) {
        const std::unique_ptr<TStageDialogModel> f = make();
        inUse.insert(f->HelpTextNumber);
        if (f->HelpPictureNumber != 0) inUse.insert(f->HelpPictureNumber);
        for (const platform::DialogControl& c : f->Controls())
            if (c.HintNumber != 0) inUse.insert(static_cast<uint16_t>(c.HintNumber));
    }
    telmvar.PltDir = QYR7_DATA_DIR;
    telmvar.ProgramFileStem = "qyr7";
    for (uint16_t n : inUse) {
        const THelpEntry e = ReadHelpEntry(n);
        EXPECT_TRUE(e.Found) << n;
        EXPECT_FALSE(e.Lines[1].empty()) << n;
    }
}

// The "?" buttons of the dimensions dialog name entries without a picture:
// each shows its own text and the graphics window keeps its drawing. The
// tooth number's hint and "?" speak of teeth, the viscosity converter's help
// of viscosity.
TEST_F(GearHelp, DimensionQuestionMarksShowTheirText)
{
    telmvar.PltDir = QYR7_DATA_DIR;
    telmvar.ProgramFileStem = "qyr7";
    const struct {
        const char* button;
        const char* text;
    } rows[] = {{"Button_hbz", "teeth"},          {"Button_hbx", "Profile shift"},
                {"Button_hbbeta", "Helix angle"}, {"Button_hbq", "planet pairs"},
                {"Button_hbflank", "alignment"},  {"Button_hbkmn", "Tip reduction"}};
    TForm_qyr7geo form;
    EXPECT_NE(form.Control("Label_z").Hint.find("teeth"), std::string::npos) << form.Control("Label_z").Hint;
    DisplayList.Records = {"4;1;1;2;2"};
    for (const auto& r : rows) {
        const std::size_t before = hp.HeadlessMessages().AskedQuestions().size();
        form.Press(r.button);
        ASSERT_EQ(hp.HeadlessMessages().AskedQuestions().size(), before + 1) << r.button;
        const std::string text = AskedAt(hp.HeadlessMessages().AskedQuestions()).Request.Text;
        EXPECT_NE(text.find(r.text), std::string::npos) << r.button << ": " << text;
        EXPECT_EQ(DisplayList.Records, std::vector<std::string>{"4;1;1;2;2"}) << r.button;
    }
    TForm_viskot converter;
    converter.Press("Button_htvisko");
    const std::string text = AskedAt(hp.HeadlessMessages().AskedQuestions()).Request.Text;
    EXPECT_NE(text.find("viscosity"), std::string::npos) << text;
    EXPECT_EQ(text.find("teeth"), std::string::npos) << text;
    DisplayList.Clear();
}

} // namespace
