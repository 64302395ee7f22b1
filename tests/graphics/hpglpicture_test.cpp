// HP-GL pictures read into the display list: the plotter examples, the
// commands' parameter handling and the damaged-file cases, checked on the
// records the graphics window replays.
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglreader.h"
#include "graphics/hpgl/hpglstate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "hpgltesthelpers.h"

namespace
{

struct PictureCase {
    const char* name;
    std::string input;
    std::vector<std::string> records; // drawing records expected, in order
};

const std::string Eot = "\x03";

const PictureCase kCases[] = {
    // --- the plotter language as the pictures use it ---
    {"PenUpThenTwoLines", "SP1;PU100,200;PD300,200,300,400;", {"8;12", "4;2.5;5;7.5;5", "4;7.5;5;7.5;10"}},
    {"PenUpAloneOnlyLifts", "SP1;PU100,100;PD;PU;PA200,100;", {}},
    {"LoneCoordinateMovesNowhere", "SP1;PU100,100;PD;PA40;PA200,100;", {"8;12", "4;2.5;2.5;5;2.5"}},
    {"Pen2DrawsYellow", "SP2;PU0,0;PD40,0;", {"8;14", "4;0;0;1;0"}},
    {"Pen9KeepsItsNumber", "SP9;PU0,0;PD40,0;", {"8;9", "4;0;0;1;0"}},
    {"LabelSizeInMillimetres", "SP1;PU0,0;SI0.2,0.3;LBTEXT" + Eot, {"8;12", "9;3;2;2;0", "6;0;0;TEXT"}},
    {"LabelSizeBeforeAnyMove", "SI0.2,0.3;LBTEXT" + Eot, {"8;0", "9;3;2;2;0", "6;0;0;TEXT"}},
    {"UmlautUnderCharacterSet3", "SP1;CS3;PU0,0;LBGru}n" + Eot, {"8;12", "9;50;50;2;0", "6;0;0;Gr\xFCn"}},
    {"AllSixUmlauts",
     "SP1;CS3;PU0,0;LBa}o}u}A}O}U}x}" + Eot,
     {"8;12", "9;50;50;2;0", "6;0;0;\xE4\xF6\xFC\xC4\xD6\xDCx"}},
    {"BraceKeptUnderCharacterSet1", "SP1;CS1;PU0,0;LBGru}n" + Eot, {"8;12", "9;50;50;2;0", "6;0;0;Gru}n"}},
    {"DirectionUpIs90", "SP1;DI0,1;PU0,0;LBA" + Eot, {"8;12", "9;50;50;2;90", "6;0;0;A"}},
    {"DirectionLeftIs180", "SP1;DI-1,0;PU0,0;LBA" + Eot, {"8;12", "9;50;50;2;180", "6;0;0;A"}},
    {"Encoded191IsZero", "SP1;PU0,0;PE\xBF\xBF;", {"8;12", "4;0;0;0;0"}},
    {"Encoded192IsZero", "SP1;PU0,0;PE\xC0\xBF;", {"8;12", "4;0;0;0;0"}},
    {"Encoded193IsOneUnit", "SP1;PU0,0;PE\xC1\xBF;", {"8;12", "4;0;0;0.025;0"}},
    {"EncodedQuestionMark193Is1Point6", "SP1;PU0,0;PE?\xC1\xBF;", {"8;12", "4;0;0;1.6;0"}},
    {"EncodedSevenBit", "SP1;PU0,0;PE7a_;", {"8;12", "4;0;0;0.025;0"}},
    {"EncodedAbsoluteAndPenUp", "SP1;PU0,0;PE<=\xC1\xC1=\xC3\xC1;", {"8;12", "4;0.025;0.025;0.05;0.025"}},
    {"EncodedFractionBitsHalveUnits", "SP1;PU0,0;PE>\xC1\xC3\xBF;", {"8;12", "4;0;0;0.025;0"}},
    {"CircleAboutThePen", "SP3;PU400,400;CI200;", {"8;10", "3;10;10;5"}},
    {"ArcCounterclockwise", "SP1;PU400,0;PD;AA0,0,90;", {"8;12", "5;-10;-10;10;10;10;0;0;10"}},
    {"SkippedCommands", "IN;IP0,0,100,100;SC;RO90;IW;DF;VS10;LT;SP1;PU0,0;PD40,0;", {"8;12", "4;0;0;1;0"}},
    {"EscapeSequenceSkipped", "\x1B.(;SP1;PU0,0;PD40,0;", {"8;12", "4;0;0;1;0"}},
    {"LowerCaseCommands", "sp1;pu0,0;pd40,0;", {"8;12", "4;0;0;1;0"}},

    // --- damaged or unusual pictures ---
    {"LongLabelDrawnWhole",
     "SP1;PU0,0;LB" + std::string(300, 'X') + Eot + "PU40,0;PD80,0;",
     {"8;12", "9;50;50;2;0", "6;0;0;" + std::string(300, 'X'), "4;1;0;2;0"}},
    {"SurplusCircleParameterIsNoCommand", "SP1;PU0,0;CI100,5;PD40,40;", {"8;12", "3;0;0;2.5", "4;0;0;1;1"}},
    {"SurplusSizeParameterIsNoCommand", "SP1;SI0.2,0.3,9;PU0,0;PD40,0;", {"8;12", "4;0;0;1;0"}},
    {"EmptySizeKeepsSize", "SP1;SI0.2,0.3;SI;PU0,0;LBA" + Eot, {"8;12", "9;3;2;2;0", "6;0;0;A"}},
    {"EmptyDirectionKeepsDirection", "SP1;DI0,1;DI;PU0,0;LBA" + Eot, {"8;12", "9;50;50;2;90", "6;0;0;A"}},
    {"EmptySizeLeavesNextCommand", "SP1;SI;PU0,0;PD40,0;", {"8;12", "4;0;0;1;0"}},
    {"FirstPointOfPictureOnlyMoves", "SP1;PD40,40,80,40;", {"8;12", "4;1;1;2;1"}},
    {"ArcClockwiseForNegativeSweep", "SP1;PU400,0;PD;AA0,0,-90;", {"8;12", "5;-10;-10;10;10;0;-10;10;0"}},
    {"ArcFullTurnIsCircle", "SP1;PU400,0;PD;AA0,0,360;", {"8;12", "3;0;0;10"}},
    {"ArcFullTurnBackIsCircle", "SP1;PU400,0;PD;AA0,0,-360;", {"8;12", "3;0;0;10"}},
    {"PenStandsAtArcEnd",
     "SP1;PU400,0;PD;AA0,0,90;PD0,800;",
     {"8;12", "5;-10;-10;10;10;10;0;0;10", "4;0;10;0;20"}},
    {"PenUpArcMovesToItsEnd", "SP1;PU400,0;AA0,0,90;PD0,800;", {"8;12", "4;0;10;0;20"}},
    {"EncodedPenIsANumber", "SP1;PU0,0;PE:\xC3\xC1\xBF;", {"8;14", "4;0;0;0.025;0"}},
    {"NonFiniteParameterIsZero", "SP1;PU0,0;PD1e5000,40;", {"8;12", "4;0;0;0;1"}},
    {"LeadingBraceDropped", "SP1;CS3;PU0,0;LB}ab" + Eot, {"8;12", "9;50;50;2;0", "6;0;0;ab"}},
    {"EmptyCommandsKeepTheNext", "SP1;PU0,0;;;PD40,0;", {"8;12", "4;0;0;1;0"}},
    {"UnplacedPenStandsAtOrigin",
     "SP1;CI100;LBA" + Eot + "PD;AA400,0,90;PD40,0;",
     {"8;12", "3;0;0;2.5", "9;50;50;2;0", "6;0;0;A", "5;0;-10;20;10;0;0;10;-10", "4;10;-10;1;0"}},
    {"RelativePolylineFromUnknownStartsAtOrigin",
     "SP1;PE<\xC1\xC1\xC1\xBF;",
     {"8;12", "4;0.025;0.025;0.05;0.025"}},
    {"TruncatedCommandDrawsWhatWasComplete", "SP1;PU0,0;PD40,0,80", {"8;12", "4;0;0;1;0"}},
    {"TruncatedLabelIsNotDrawn", "SP1;PU0,0;PD40,0;LBAB", {"8;12", "4;0;0;1;0"}},
    {"NumberCutBySemicolonEndsPolyline", "SP1;PU0,0;PE\xC1?;PD0,40;", {"8;12", "4;0;0;0;1"}},
};

class HpglPictures : public HpglDisplayListTest, public ::testing::WithParamInterface<PictureCase>
{
};

TEST_P(HpglPictures, DrawTheExpectedRecords)
{
    RunHpglText(GetParam().input);
    EXPECT_FALSE(telmvar.Aborted);
    ExpectRecords(DrawingRecords(), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(Commands, HpglPictures, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Pen, size, direction and character set carry over to the next picture;
// the pen position does not.
TEST_F(HpglDisplayListTest, StateCarriesOverButPositionIsNew)
{
    RunHpglText("SP2;SI0.2,0.3;DI0,1;CS3;PU0,0;PD40,0;");
    GraphFacade.Clear();
    RunHpglText("PD80,0,120,0;LBu}" + Eot);
    ExpectRecords(DrawingRecords({3, 4, 5, 6, 9}), {"4;2;0;3;0", "9;3;2;2;90", "6;3;0;\xFC"});
}

} // namespace
