// Every help entry that the drive, predimensioning, carrier and lubricant
// forms and the two online calculators use is in the shipped help files,
// with a text and, where it names one, a picture that is shipped too.
#include "dialogs/calculatorwindow.h"
#include "dialogs/helptext.h"
#include "dialogs/stage/basicrackconverter.h"
#include "stageforms_fixture.h"

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace
{

class StageHelp : public StageForms
{
};

TEST_F(StageHelp, EveryEntryTheFormsUseIsShipped)
{
    telmvar.PltDir = QYR7_DATA_DIR;
    telmvar.ProgramFileStem = "qyr7";
    std::vector<uint16_t> inUse = {
        6710, 8700, 8705, 8710, 8715, 8720,       // drive
        6700, 8725, 8740, 8750,                   // predimensioning
        1000, 9550, 6150, 6155, 6160, 6165, 6170, // carrier
        9155, 5120,                               // lubricant, viscosity converter
    };
    // The online window's hints: input line i at base + 5 (i - 1), output
    // line i at base + 70 + 2 (i - 1).
    TForm_online window;
    for (uint16_t base : {BasicRackHelpBase, uint16_t{7000}}) {
        window.HelpBase = base;
        const int inputs = base == BasicRackHelpBase ? 8 : 11;
        const int outputs = base == BasicRackHelpBase ? 9 : 11;
        for (int i = 1; i <= inputs; ++i)
            inUse.push_back(window.HintNumberOf("lb_" + std::to_string(i)));
        for (int i = 1; i <= outputs; ++i)
            inUse.push_back(window.HintNumberOf("lbaz_" + std::to_string(i)));
    }
    for (uint16_t n : inUse) {
        const THelpEntry e = ReadHelpEntry(n);
        EXPECT_TRUE(e.Found) << n;
        EXPECT_FALSE(e.Lines[1].empty()) << n;
        if (e.Picture != "NULL") {
            EXPECT_TRUE(fs::exists(fs::path(QYR7_DATA_DIR) / (e.Picture + ".plt"))) << n;
        }
    }
}

} // namespace
