// Every help entry that the drive, predimensioning, carrier and lubricant
// forms and the two online calculators use is in the shipped help files,
// with a text and, where it names one, a picture that is shipped too.
#include "dialogs/calculatorwindow.h"
#include "dialogs/gear/cadconfigform.h"
#include "dialogs/helptext.h"
#include "dialogs/stage/basicrackconverter.h"
#include "dialogs/stage/carrierform.h"
#include "stageforms_fixture.h"

#include <filesystem>
#include <functional>
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

// The Help buttons of the planet carrier dialog, of the tooth drawing
// settings and of the online calculator show one entry: it says what each of
// the three dialogs does.
TEST_F(StageHelp, TheSharedHelpEntrySaysWhatEachOfItsDialogsDoes)
{
    telmvar.PltDir = QYR7_DATA_DIR;
    TForm_qyr7carr carrier;
    TForm_qyrconf tooth(2);
    TForm_online calculator;
    const struct {
        std::function<void()> Press;
        std::vector<const char*> Says;
    } rows[] = {
        {[&] { carrier.Press("Button_hilfetext"); }, {"Planet carrier", "coupling shaft", "carrier form"}},
        {[&] { tooth.Press("Button_help"); }, {"Tooth drawing settings", "involute", "bolt-hole circle"}},
        {[&] { calculator.Press("Button_help"); }, {"Online calculator", "Enter or an arrow key"}},
    };
    for (const auto& r : rows) {
        const std::size_t before = hp.HeadlessMessages().AskedQuestions().size();
        r.Press();
        ASSERT_EQ(hp.HeadlessMessages().AskedQuestions().size(), before + 1);
        const auto& shown = hp.HeadlessMessages().AskedQuestions().back().Request;
        EXPECT_EQ(shown.Caption, "HELP TEXT No.1000");
        for (const char* says : r.Says)
            EXPECT_NE(shown.Text.find(says), std::string::npos) << says << " in " << shown.Text;
    }
}

} // namespace
