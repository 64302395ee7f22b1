// Every help entry the gear forms name (their hints, help and picture
// buttons) is in the shipped help files with a text.
#include "dialogs/gear/cutterform.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/facewidthform.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/measurementform.h"
#include "dialogs/helptext.h"
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

} // namespace
