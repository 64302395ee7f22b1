// How a writer registered for a device code slots into the CAD layer: its
// output file, the calls it gets in drawing order, the base class's chords
// for arcs it does not draw itself, and the block section, whose entities
// go to block files on the STL device. Also the plot program's questions
// in the device menu.
#include "cadtestsupport.h"

#include "foundation/programstate.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/igesdevice.h"
#include "graphics/cad/stldevice.h"
#include "graphics/cad/textcaddevice.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "graphics/graphicsstate.h"
#include "graphics/graphservices.h"

#include <filesystem>
#include <sstream>

namespace
{

// A device that writes one line per call it overrides.
class TLogDevice final : public TCadDevice
{
  public:
    explicit TLogDevice(std::ostream& Out) : out_(Out) {}
    void BeginDrawing(Extended, Extended, Extended X2, Extended Y2, Extended Height) override
    {
        out_ << "begin " << static_cast<double>(X2) << " " << static_cast<double>(Y2) << " "
             << static_cast<double>(Height) << "\n";
    }
    void Tables(int Mode) override { out_ << "tables " << Mode << "\n"; }
    void SetLayer(int N) override { out_ << "layer " << N << "\n"; }
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override
    {
        out_ << "line " << Fmt(X1) << " " << Fmt(Y1) << " " << Fmt(X2) << " " << Fmt(Y2) << "\n";
    }
    void Insert(const std::string& Name, Extended, Extended, Extended, Extended, Extended) override
    {
        out_ << "insert " << Name << "\n";
    }
    void Finish() override { out_ << "end\n"; }

  private:
    std::ostream& out_;
};

class CadRoutingTest : public CadTest
{
  protected:
    void SetUp() override
    {
        CadTest::SetUp();
        for (int code : {2, 5, 6})
            RegisterCadDeviceFactory(code,
                                     [](std::ostream& Out) { return std::make_unique<TLogDevice>(Out); });
    }
};

TEST_F(CadRoutingTest, RegisteredWriterGetsTheDrawingInOrder)
{
    CadOpenOutput(5);
    ASSERT_FALSE(telmvar.Aborted);
    EXPECT_EQ(cadstate.CadFileName, Temp("drawing.txt"));
    CadBeginDrawing(0, 0, 100, 50, 0);
    CadWriteTables(2);
    CadBeginBlocks();
    CadBeginBlock("B");
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadSetLayer(40);
    CadLine(0, 0, 1, 0);
    cadsettings.CadArcResolution = 10;
    CadArc(0, 0, 0, 90, 10);
    CadInsertBlock("B", 0, 0, 0, 1, 1);
    CadEndSection();
    CadCloseOutput();
    // The quarter arc of 15.7 mm falls back to two chords; empty block B is not inserted.
    EXPECT_EQ(ReadFile(Temp("drawing.txt")), "begin 100 50 1\ntables 2\nlayer 24\n"
                                             "line 0.0000 0.0000 1.0000 0.0000\n"
                                             "line 10.0000 0.0000 7.0711 7.0711\n"
                                             "line 7.0711 7.0711 0.0000 10.0000\n"
                                             "end\n");
}

// The fixture's screen, stand-in writers and a fixed date give way to the
// program's own.
TEST_F(CadRoutingTest, GraphicsResetPutsBackTheScreenAndTheWriters)
{
    cadwriters.Today = [] { return TCadWriterDate{1999, 1, 1}; };
    ResetGraphicsState();
    EXPECT_EQ(&CadScreen(), static_cast<TCadScreen*>(&GraphFacade));
    EXPECT_NE(IgesOptionsFromSettings().Year, 1999) << "the system's date";
    std::ostringstream out;
    EXPECT_NE(dynamic_cast<TCadIgesDevice*>((*FindCadDeviceFactory(2))(out).get()), nullptr);
    EXPECT_NE(dynamic_cast<TCadTextCadDevice*>((*FindCadDeviceFactory(5))(out).get()), nullptr);
    EXPECT_NE(dynamic_cast<TCadStlDevice*>((*FindCadDeviceFactory(6))(out).get()), nullptr);
}

TEST_F(CadRoutingTest, StlBlocksGoToBlockFilesAndHeightIsAsked)
{
    Extended proposed = -1;
    graphservices.AskLengthInRange = [&proposed](const std::string& Prompt, Extended& Value, Extended,
                                                 Extended) {
        EXPECT_EQ(Prompt, "height");
        proposed = Value;
        Value = 12;
        telmvar.Aborted = true; // cleared again whatever the answer
    };
    CadOpenOutput(6);
    CadBeginDrawing(0, 0, 100, 50, 0);
    EXPECT_EQ(proposed, 1.0L) << "height 0 is proposed as 1";
    EXPECT_FALSE(telmvar.Aborted);
    Extended lo, hi;
    GetCadZRange(lo, hi);
    EXPECT_EQ(hi, 12);
    CadBeginBlocks();
    CadBeginBlock("TOOTH");
    CadLine(0, 0, 5, 0);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadInsertBlock("tooth", 10, 0, 0, 1, 1);
    CadCloseOutput();
    // The block's layer and line reached the writer only through the insert.
    EXPECT_EQ(ReadFile(Temp("drawing.stl")),
              "begin 100 50 12\nlayer 0\nline 10.0000 0.0000 15.0000 0.0000\nend\n");
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"drawing.stl"}))
        << "the block files went with the output";
}

TEST_F(CadRoutingTest, PlotChoiceAsksForTheCommandLine)
{
    cadsettings.PlotCmdCount = 2;
    cadsettings.PlotCmdLines[2] = "plot2 FILE";
    Platform->HeadlessPrompts().QueueSelection(3); // the plot program
    Platform->HeadlessPrompts().QueueSelection(1); // its second command line
    std::vector<std::string> asked;
    graphservices.AskText = [&asked](const std::string& Prompt, int MaxLength, std::string& Text) {
        asked.push_back(Prompt + "|" + std::to_string(MaxLength) + "|" + Text);
        Text = "0";
    };
    graphservices.EditPlotCommandLine = [](std::string& Line, int Mode) {
        EXPECT_EQ(Mode, 0);
        Line = "edited FILE";
    };
    CadOpenOutput(0);
    ASSERT_FALSE(telmvar.Aborted);
    EXPECT_EQ(cadstate.CadDevice, 4);
    EXPECT_EQ(cadsettings.PlotCmdIndex, 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"KORVILT command line (0=Parameter)|60|plot2 FILE"}));
    EXPECT_EQ(cadsettings.PlotCmdLines[2], "edited FILE");
    CadAbandonOutput();
    EXPECT_FALSE(std::filesystem::exists(Temp("korvilt.dxf")));
}

} // namespace
