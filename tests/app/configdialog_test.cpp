// The configuration dialog headless: the store rules and their limits, the
// edge cases of the window sizes and the text window, the colour and font
// dialogs of the platform, the colour number picker, the plot command
// lines, Import and Export with ConfigDir and the file stem put back, and a
// settled configuration that load and store leave byte-identical.
#include "app/colournumberpicker.h"
#include "app/configdialog.h"
#include "appfixture.h"
#include "common/statereset.h"

#include "common/askedboxes.h"
#include "foundation/textfile.h"
#include "graphics/cadsettings.h"
#include "graphics/plotprogram.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{

using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;

std::string ReadAll(const fs::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

class ConfigDialog : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        telmvar.ProgramName = "QYR7";
        telmvar.HelpLevel = 0;
    }
    void Radio(Tconfig& f, const std::string& Group, int Index)
    {
        for (std::size_t i = 0; i < Tconfig::Items(Group).size(); ++i) {
            const std::string name = Group + "_" + std::to_string(i);
            f.Control(name).Checked = static_cast<int>(i) == Index;
            if (static_cast<int>(i) == Index) f.Changed(name);
        }
    }
};

TEST_F(ConfigDialog, StoreRulesAndLimits)
{
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> texts;
        std::function<bool()> holds;
    };
    const Case cases[] = {
        {"x 0 is the screen less the frame",
         {{"Edit_x", "0"}},
         [] { return telmvar.ScreenPixelsX == 1024 - 16; }},
        {"x 6000 is limited to 5000", {{"Edit_x", "6000"}}, [] { return telmvar.ScreenPixelsX == 5000; }},
        {"y shown as size + 1", {{"Edit_y", "481"}}, [] { return telmvar.ScreenPixelsY == 480; }},
        {"text window top 500", {{"Edit_top", "500"}}, [] { return printsettings.TextWindowRect[1] == 40; }},
        {"text window left -1", {{"Edit_left", "-1"}}, [] { return printsettings.TextWindowRect[0] == 10; }},
        {"text window width 20",
         {{"Edit_width", "20"}},
         [] { return printsettings.TextWindowRect[2] == 700; }},
        {"text window height 0",
         {{"Edit_height", "0"}, {"Edit_y", "600"}},
         [] { return printsettings.TextWindowRect[3] == 580; }},
        {"height 0 with window size 99999: the stored window's 5001 less 20",
         {{"Edit_height", "0"}, {"Edit_y", "99999"}},
         [] { return printsettings.TextWindowRect[3] == 4981; }},
        {"height 0 with window size 0",
         {{"Edit_height", "0"}, {"Edit_y", "0"}},
         [] { return printsettings.TextWindowRect[3] == 50; }},
        {"zero factors",
         {{"Edit_textbreitenfaktor", "0"}, {"Edit_texthoehenfaktor", "0"}, {"Edit_zoomfaktor", "x"}},
         [] {
             return graphsettings.GraphTextWidthFactor == 1 && graphsettings.TextHeightFactor == 1 &&
                    graphsettings.ZoomIncrement == 1;
         }},
        {"percent 0",
         {{"SpinEdit_dialogfenster", "0"}, {"SpinEdit_dialogelemente", "0"}},
         [] { return wtelmvar.ScreenPercent == 100 && wtelmvar.FontPercent == 100; }},
        {"dimension scale below 0.01",
         {{"Edit_massfaktorconfig", "0.005"}},
         [] { return cadsettings.CadDimScale == 1.0L; }},
        {"arc precision below 0.01 mm",
         {{"Edit_resolutionArcToLines", "0.000001"}},
         [] { return cadsettings.CadArcResolution == 0.01L; }},
        {"arc precision 0",
         {{"Edit_resolutionArcToLines", "0"}},
         [] { return cadsettings.CadArcResolution == 0.5L; }},
        {"arc precision no number",
         {{"Edit_resolutionArcToLines", "x"}},
         [] { return cadsettings.CadArcResolution == 0.5L; }},
        {"3D angles in degrees",
         {{"Edit_3dx", "90"}},
         [] {
             return std::fabs(static_cast<double>(cadsettings.View3DAngles[1]) - 1.5707963267948966) < 1e-15;
         }},
        {"DXF digits 3..16", {{"SpinEdit_dxfdec", "40"}}, [] { return cadsettings.DxfDecimals == 16; }},
        {"release label to the DOS code page",
         {{"Edit_freigabefeld", "Gepr\xFC"
                                "ft"}},
         [] {
             return cadsettings.ReleaseFieldLabel == "Gepr\x81"
                                                     "ft";
         }},
    };
    for (const Case& c : cases) {
        if (&c != &cases[0]) {
            TearDown();
            ResetProgramState();
            SetUp();
        }
        Tconfig f;
        for (const auto& [name, text] : c.texts)
            f.Control(name).Text = text;
        ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
        EXPECT_TRUE(c.holds()) << c.name;
    }
}

// Settings whose controls the user left alone keep their values bit for
// bit, also where the control shows them rounded; changed ones are read.
TEST_F(ConfigDialog, UntouchedSettingsKeepTheirValues)
{
    graphsettings.ZoomIncrement = 1.23456789L;
    cadsettings.View3DAngles[2] = 0.123456789L;
    printsettings.DefPrintScaleX = 0.333333;
    Tconfig f;
    EXPECT_EQ(f.Control("Edit_zoomfaktor").Text, "1.235");
    f.Control("RadioGroup_trenn_0").Checked = false;
    f.Control("RadioGroup_trenn_2").Checked = true;
    f.Control("ComboBox_lpt").Text = "LPT3";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(graphsettings.ZoomIncrement, 1.23456789L);
    EXPECT_EQ(cadsettings.View3DAngles[2], 0.123456789L);
    EXPECT_EQ(printsettings.DefPrintScaleX, 0.333333);
    EXPECT_EQ(telmvar.PrintSeparatorMode, 3) << "the third line type";
    EXPECT_EQ(telmvar.PrinterPort, 3) << "LPT3";
}

TEST_F(ConfigDialog, CheckBoxesGridsAndVisibility)
{
    cadsettings.SheetShowProtectionNotice = false;
    Tconfig f;
    EXPECT_EQ(f.Caption(), "QYR7 Configuration");
    EXPECT_EQ(f.LayerCell(1, 0), cadsettings.LayerNames[5]) << "layer 5 is the first row";
    f.SetLayerCell(2, 0, "x");
    f.Press("Button_layer4");
    EXPECT_EQ(f.LayerCell(2, 0), "4");
    EXPECT_EQ(f.LayerCell(2, 1), "3");
    EXPECT_EQ(f.LayerCell(2, 2), "2");
    EXPECT_TRUE(f.Control("CheckBox_copyrightvermerk").Checked) << "ticked: the notice is drawn";
    f.Control("CheckBox_copyrightvermerk").Checked = false;
    // Title blocks: the ISO types hide the index and approval field.
    f.Control("ComboBox_zeichnkopf").Text = "ISO 7200 Fig.1";
    f.Changed("ComboBox_zeichnkopf");
    EXPECT_FALSE(f.Control("ComboBox_index").Visible);
    EXPECT_TRUE(f.Control("ComboBox_7200rand").Enabled);
    EXPECT_TRUE(f.Control("CheckBox_aenderungen").Visible);
    f.Control("ComboBox_7200rand").Text = "10 mm";
    f.Changed("ComboBox_7200rand");
    EXPECT_TRUE(f.Control("CheckBox_abc123").Visible);
    f.Control("ComboBox_zeichnkopf").Text = "DIN 6771";
    f.Changed("ComboBox_zeichnkopf");
    EXPECT_EQ(f.Control("ComboBox_7200rand").Text, "5 mm");
    EXPECT_FALSE(f.Control("ComboBox_7200rand").Enabled);
    EXPECT_FALSE(f.Control("CheckBox_abc123").Visible);
    f.Control("ComboBox_screensizecode").Text = "max";
    f.Changed("ComboBox_screensizecode");
    EXPECT_FALSE(f.Control("Edit_x").Visible);
    f.Control("ComboBox_textwindowsizecode").Text = "Auto";
    f.Changed("ComboBox_textwindowsizecode");
    EXPECT_EQ(f.Control("Edit_height").Text, "690") << "768 x 0.95 - 40";
    EXPECT_FALSE(f.Control("Edit_left").Enabled);
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(cadsettings.SheetShowProtectionNotice) << "cleared box: the notice is left off";
    EXPECT_EQ(cadsettings.LayerColours[4], 3);
    EXPECT_EQ(cadsettings.LayerLineWidths[4], 2);
    EXPECT_EQ(wtelmvar.TitleBlockType, 3);
}

TEST_F(ConfigDialog, MonochromeMakesADarkBackgroundWhite)
{
    const struct {
        int32_t before, after;
    } cases[] = {{0, 0xFFFFFF}, {1, 0xFFFFFF}, {5, 5}};
    for (const auto& c : cases) {
        graphsettings.BackgroundColour = c.before;
        Tconfig f;
        Radio(f, "RadioGroup_bildschirmgrafik", 1);
        EXPECT_EQ(graphsettings.BackgroundColour, c.after) << c.before << ": set at once, before OK";
        f.Press("Button_cancel");
    }
}

TEST_F(ConfigDialog, ColourFontAndColourNumberDialogs)
{
    auto& prompts = headless->HeadlessPrompts();
    prompts.QueueColour(0x123456u);
    prompts.QueueColour(std::nullopt);
    prompts.QueueFont(platform::FontChoice{"Mono", 12, 1});
    Tconfig f;
    f.Press("Button_hintergrundfarbe");
    EXPECT_EQ(graphsettings.BackgroundColour, 0x123456) << "the background is taken at once";
    const uint32_t before = f.PanelColour(12);
    f.Press("Panel_color12");
    EXPECT_EQ(f.PanelColour(12), before) << "cancelled colour dialog";
    EXPECT_EQ(prompts.ColourRequests().back().Caption, "Colour 1") << "entry 12 draws colour number 1";
    f.Press("Button_textfont");
    EXPECT_EQ(f.Control("Label_courier").Caption, "Mono");
    EXPECT_EQ(f.Control("Label_courierstyle").Caption, "bold");
    // The colour number of the selected layer row: line 3 is number 4.
    f.Control("StringGrid_layer").Text = "1,1";
    headless->HeadlessDialogs().QueueScript([](DialogModel& m) {
        EXPECT_EQ(m.FormName(), "TForm_selectcolor");
        m.Control("ListBox_colors").Text = "3";
        return m.Press("Button_ok") == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    f.Press("Button_selectlayercolor");
    EXPECT_EQ(f.LayerCell(2, 1), "4");
    headless->HeadlessDialogs().QueueScript([](DialogModel& m) {
        m.Control("ListBox_colors").Text = "9";
        return m.Press("Button_cancel") == DialogAction::Reject ? DialogResult::Cancel : DialogResult::Ok;
    });
    f.Press("Button_selectlayercolor");
    EXPECT_EQ(f.LayerCell(2, 1), "4");
    EXPECT_FALSE(telmvar.Aborted) << "a cancelled pick is no cancelled dialog";
    // Pen width buttons and the plot command lines.
    f.Press("Button_dick3");
    EXPECT_EQ(f.ColourCell(16, 1), "3");
    f.Control("ListBox_korvilt").Text = "1";
    prompts.QueueText(std::string("WKORVILT OUT.DXF /M2.0"));
    f.Press("Button_editkorviltcommandline");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(printsettings.PrintFontName, "Mono");
    EXPECT_EQ(printsettings.PrintFontSize, 12);
    EXPECT_EQ(cadsettings.LayerPenWidths16[31], 3);
    EXPECT_EQ(cadsettings.PlotCmdLines[2], "WKORVILT OUT.DXF /M2.0");
    EXPECT_EQ(cadsettings.PlotCmdCount, 1) << "the dialog does not change the count";
}

TEST_F(ConfigDialog, ImportExportKeepConfigDirAndStem)
{
    const std::string stem = telmvar.ProgramFileStem;
    const std::string cfgDir = wtelmvar.ConfigDir;
    auto& files = headless->HeadlessFiles();
    // Export to another file: written there, ConfigDir and stem come back.
    graphsettings.ZoomIncrement = 1.5L;
    {
        Tconfig f;
        files.QueueAnswer((dir / "other.cfg").string());
        f.Press("Button_export");
    }
    EXPECT_TRUE(fs::exists(dir / "other.cfg"));
    EXPECT_EQ(wtelmvar.ConfigDir, cfgDir);
    EXPECT_EQ(telmvar.ProgramFileStem, stem);
    // Export into a directory that is not there fails, and still restores.
    {
        Tconfig f;
        files.QueueAnswer((dir / "missing" / "x.cfg").string());
        f.Press("Button_export");
    }
    EXPECT_EQ(wtelmvar.ConfigDir, cfgDir);
    EXPECT_EQ(telmvar.ProgramFileStem, stem);
    // A file that is not a configuration changes nothing and says so.
    std::ofstream(dir / "junk.cfg") << "hello\r\n1\r\n";
    {
        Tconfig f;
        files.QueueAnswer((dir / "junk.cfg").string());
        const std::size_t boxes = Boxes().size();
        f.Press("Button_import");
        EXPECT_EQ(Boxes().size(), boxes + 1);
        EXPECT_EQ(f.Control("Edit_zoomfaktor").Text, "1.5");
    }
    EXPECT_EQ(wtelmvar.ConfigDir, cfgDir);
    // Import, then Cancel: the imported settings stay in the program.
    graphsettings.ZoomIncrement = 1.1L;
    {
        Tconfig f;
        files.QueueAnswer((dir / "other.cfg").string());
        f.Press("Button_import");
        EXPECT_EQ(f.Control("Edit_zoomfaktor").Text, "1.5") << "the dialog shows the imported value";
        EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    }
    EXPECT_EQ(graphsettings.ZoomIncrement, 1.5L);
    EXPECT_EQ(wtelmvar.ConfigDir, cfgDir);
    EXPECT_EQ(telmvar.ProgramFileStem, stem);
}

// A line break would move every later item of the file down a line: refused, the field named, nothing
// written.
TEST_F(ConfigDialog, ALineBreakInATextIsRefusedAndTheFileKept)
{
    const std::string kept = "qyr7 Configuration\r\nVersion 0.9\r\n";
    for (const std::string button : {"Button_save", "Button_export"}) {
        std::ofstream(dir / "qyr7.cfg", std::ios::binary) << kept;
        Tconfig f;
        headless->HeadlessFiles().QueueAnswer((dir / "n\nl" / "x").string()); // the folder n LF l
        f.Press("Button_dirtemp");
        if (button == "Button_export") headless->HeadlessFiles().QueueAnswer((dir / "qyr7.cfg").string());
        const std::size_t boxes = Boxes().size();
        f.Press(button);
        EXPECT_EQ(ReadAll(dir / "qyr7.cfg"), kept) << button;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "no file left beside it";
        ASSERT_EQ(Boxes().size(), boxes + 1) << button;
        EXPECT_EQ(AskedAt(Boxes()), "Temporary directory: a line break cannot be stored in the configuration "
                                    "file; nothing was written");
    }
}

TEST_F(ConfigDialog, LoadThenStoreRewritesASettledFileByteIdentical)
{
    const fs::path golden = fs::path(QYR7_TEST_DIR) / "golden" / "settled.cfg";
    fs::copy_file(golden, dir / (telmvar.ProgramFileStem + ".cfg"));
    ReadConfigFile();
    ASSERT_FALSE(telmvar.Aborted);
    fs::remove(dir / (telmvar.ProgramFileStem + ".cfg"));
    {
        Tconfig f;
        f.StoreStep();
    }
    WriteConfigFile();
    const fs::path written = dir / (telmvar.ProgramFileStem + ".cfg");
    const std::string out = ReadAll(written);
    if (out != ReadAll(golden)) {
        fs::copy_file(written, fs::path(golden).replace_extension(".out"),
                      fs::copy_options::overwrite_existing);
        FAIL() << "settled.cfg changed by load and store; see settled.out";
    }
}

namespace
{

// Leaving the window size fields applies them at once, each its own axis;
// a size that is not positive leaves the window as it is.
// "Config" opens the plot program's form for the chosen command line: OK
// stores the form's line in it, Cancel leaves it and does not cancel the
// configuration dialog.
TEST_F(ConfigDialog, ConfigButtonEditsThePlotCommandLineInItsForm)
{
    Tconfig f;
    f.Control("ListBox_korvilt").Text = "0";
    std::string shown;
    headless->HeadlessDialogs().QueueScript([&shown](DialogModel& m) {
        shown = m.FormName();
        static_cast<TConfKorviltModel&>(m).SetField("Edit_korviltPath", "/opt/plot/korvilt");
        m.Press("Button_ok");
        return DialogResult::Ok;
    });
    f.Press("Button_confkorvilt");
    EXPECT_EQ(shown, "TForm_confkorvilt");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(cadsettings.PlotCmdLines[1].rfind("/opt/plot/korvilt ", 0), 0u) << cadsettings.PlotCmdLines[1];

    const std::string kept = cadsettings.PlotCmdLines[1];
    Tconfig g;
    g.Control("ListBox_korvilt").Text = "0";
    headless->HeadlessDialogs().QueueScript([](DialogModel& m) {
        static_cast<TConfKorviltModel&>(m).SetField("Edit_korviltPath", "/elsewhere/korvilt");
        m.Press("Button_cancel");
        return DialogResult::Cancel;
    });
    g.Press("Button_confkorvilt");
    EXPECT_FALSE(telmvar.Aborted) << "a cancelled plot form is no cancelled configuration";
    ASSERT_EQ(g.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(cadsettings.PlotCmdLines[1], kept);
}

TEST_F(ConfigDialog, LeavingAWindowSizeFieldSizesTheMainWindow)
{
    auto& window = headless->HeadlessWindow();
    window.SetClientSize(641, 481);
    Tconfig f;
    f.Control("Edit_x").Text = "801";
    f.Control("Edit_y").Text = "601";
    f.Left("Edit_x");
    EXPECT_EQ(window.ClientWidth(), 801);
    EXPECT_EQ(window.ClientHeight(), 481) << "only the width on leaving x";
    f.Left("Edit_y");
    EXPECT_EQ(window.ClientHeight(), 601);
    f.Control("Edit_x").Text = "0";
    f.Left("Edit_x");
    EXPECT_EQ(window.ClientWidth(), 801);
    f.Left("Edit_dxfdec");
    EXPECT_EQ(window.ClientWidth(), 801);
    // What OK would store at most (5000 + 1), never more at once.
    for (const char* field : {"Edit_x", "Edit_y"}) {
        f.Control(field).Text = "99999";
        f.Left(field);
    }
    EXPECT_EQ(window.ClientWidth(), 5001);
    EXPECT_EQ(window.ClientHeight(), 5001);
}

} // namespace
