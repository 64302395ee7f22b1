// The stage animation: the members' angles per driving shaft, the teeth
// that keep meshing from frame to frame, the step logic and the records the
// run leaves for the graphics window, and the settings it must put back.
//
// Default stage: zS 21, zPi 15, zPe 15, zH -63, three sets, nS 100 with the
// carrier held: nH = nS / 3 (i0 = 3), the planets turn at -1.4 nS and
// 1.4 nS (nPi = -nS zS / zPi, nPe = -nPi zPi / zPe... with the carrier held
// the inner planet runs against the sun: -21/15 = -1.4).
#include "meshphasesupport.h"
#include "productiontestsupport.h"

#include "drawings/stage/animfront.h"
#include "drawings/stage/planetanimation.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "reports/messages/messagelist.h"

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace
{

constexpr double Deg = 3.14159265358979323846 / 180;

class StageAnimation : public DefaultStageCad
{
  protected:
    void SetUp() override
    {
        DefaultStageCad::SetUp();
        uhelperr.MessageListAsText = [this](const std::string& Text) { MessageList += Text; };
    }
    void TearDown() override { DefaultStageCad::TearDown(); }
    // Drive: input, output and fixed shaft, recalculated.
    static void Drive(int In, int Out, int Fixed)
    {
        PlanetaryShafts.InputShaft = In;
        PlanetaryShafts.OutputShaft = Out;
        PlanetaryShafts.FixedShaft = Fixed;
        CalcPlanetaryStage();
        ClearErrorMessages();
    }
    // The calls of the run recorded (device 5), from the entities on.
    static std::vector<TCadCall> Record(int16_t Kind, int Steps, double AngleDeg)
    {
        TStageAnimationRun run;
        run.Steps = Steps;
        run.TotalAngle = AngleDeg * Deg;
        RecordStageAnimation(Kind, run, 5);
        return CadCallLog();
    }
    static int CountRecords(const std::string& Record)
    {
        int n = 0;
        for (std::string_view r : DisplayList.Records)
            n += r == Record;
        return n;
    }
    // The wheel inserts of the frames in the order drawn (erase passes
    // included): groups of ring, sets, sun.
    static std::vector<TStageInserts> FrameInserts(const std::vector<TCadCall>& Log)
    {
        std::vector<TStageInserts> f;
        for (const TCadCall& c : Log) {
            if (c.Kind != "insert") continue;
            if (c.Text == "RADH") {
                f.emplace_back();
                f.back().Ring = c;
            } else if (!f.empty() && c.Text == "RADPE") {
                f.back().Pe.push_back(c);
            } else if (!f.empty() && c.Text == "RADPI") {
                f.back().Pi.push_back(c);
            } else if (!f.empty() && c.Text == "RADSI") {
                f.back().Sun = c;
            }
        }
        return f;
    }
    std::string MessageList;
};

// The last frame's angles of the schematic picture, from its lines: the
// sun's diameter line ends at phiS, the ring's mark starts at phiH, each
// planet's diameter line runs along its angle, the carrier's first arm
// points to phiC - pi.
struct TFrameAngles {
    double S, Pi, Pe, H, C;
};

TFrameAngles LastSchematicAngles(const std::vector<TCadCall>& Log)
{
    size_t sun = Log.size();
    for (size_t i = 0; i < Log.size(); ++i)
        if (Log[i].Kind == "line" && Log[i].Layer == 21) sun = i;
    const auto after = [&](int Layer) -> const TCadCall& {
        for (size_t i = sun; i < Log.size(); ++i)
            if (Log[i].Kind == "line" && Log[i].Layer == Layer) return Log[i];
        ADD_FAILURE() << "no line on layer " << Layer;
        return Log[sun];
    };
    const auto dir = [](const TCadCall& l) { return std::atan2(l.V[3] - l.V[1], l.V[2] - l.V[0]); };
    TFrameAngles a{};
    a.S = std::atan2(Log[sun].V[3], Log[sun].V[2]);
    a.H = std::atan2(after(19).V[1], after(19).V[0]);
    a.Pi = dir(after(18));
    a.Pe = dir(after(17));
    a.C = std::atan2(after(5).V[3], after(5).V[2]) + 3.14159265358979323846;
    return a;
}

double Wrap(double x)
{
    return std::remainder(x, 2 * 3.14159265358979323846);
}

// Driven at S with the carrier held: the hand-worked ratios of the default
// stage. 90 degrees of the sun in the last frame.
TEST_F(StageAnimation, DrivenAtTheSunTheMembersTurnAtTheStageRatios)
{
    ASSERT_EQ(PlanetaryShafts.InputShaft, shaftS);
    const TFrameAngles a = LastSchematicAngles(Record(1, 4, 90));
    const double phi = 90 * Deg;
    EXPECT_NEAR(Wrap(a.S - phi), 0, 1e-9);
    EXPECT_NEAR(Wrap(a.H - phi / 3), 0, 1e-9);
    EXPECT_NEAR(Wrap(a.Pi + 1.4 * phi), 0, 1e-9);
    EXPECT_NEAR(Wrap(a.Pe - 1.4 * phi), 0, 1e-9);
    EXPECT_NEAR(Wrap(a.C), 0, 1e-9);
}

// Driven at H (sun held) and at C (ring held): every member turns by its
// speed over the driver's times the driver's angle; the driving carrier's
// arm blocks turn by exactly the angle entered.
TEST_F(StageAnimation, DrivenAtRingOrCarrierEveryAngleFollowsItsSpeedRatio)
{
    struct {
        const char* Name;
        int In, Out, Fixed;
    } drives[] = {{"H", shaftH, shaftC, shaftS}, {"C", shaftC, shaftS, shaftH}};
    for (const auto& d : drives) {
        SCOPED_TRACE(d.Name);
        Drive(d.In, d.Out, d.Fixed);
        ASSERT_FALSE(telmvar.FatalCalcError);
        const auto& st = PlanetaryStage;
        const double nDrive = static_cast<double>(st.n[d.In]);
        ASSERT_NE(nDrive, 0);
        const double phi = 30 * Deg;
        CadCallLog().clear();
        const TFrameAngles a = LastSchematicAngles(Record(1, 3, 30));
        EXPECT_NEAR(Wrap(a.S - phi * static_cast<double>(st.n[shaftS]) / nDrive), 0, 1e-9);
        EXPECT_NEAR(Wrap(a.C - phi * static_cast<double>(st.n[shaftC]) / nDrive), 0, 1e-9);
        EXPECT_NEAR(Wrap(a.H - phi * static_cast<double>(st.n[shaftH]) / nDrive), 0, 1e-9);
        EXPECT_NEAR(Wrap(a.Pi - phi * static_cast<double>(st.np0[1]) / nDrive), 0, 1e-9);
        EXPECT_NEAR(Wrap(a.Pe - phi * static_cast<double>(st.np0[2]) / nDrive), 0, 1e-9);
    }
    // The gear wheels driven at the carrier: the arms of the last frame
    // stand exactly 73.5 degrees on from those of the first.
    Drive(shaftC, shaftS, shaftH);
    CadCallLog().clear();
    const auto log = Record(2, 5, 73.5);
    std::vector<TCadCall> arms;
    for (const TCadCall& c : log)
        if (c.Kind == "insert" && c.Text == "CARRIER") arms.push_back(c);
    const int q = GearPair.qp;
    ASSERT_EQ(PlanetaryStage.nThird, 0) << "the ring held";
    ASSERT_EQ(arms.size(), static_cast<size_t>(q * 12)) << "the rest picture, 6 frames and 5 erase passes";
    for (int k = 0; k < q; ++k)
        EXPECT_NEAR(arms[arms.size() - q + k].V[2] - arms[k].V[2], 73.5, 1e-12);
}

// The teeth keep meshing: in frames 0, 1, N/2 and N the mesh sums of every
// set stay what they were in frame 0, where they are a half pitch (tooth
// faces gap). The carrier held and the ring held (nC = -50).
TEST_F(StageAnimation, TeethKeepMeshingFromFrameToFrame)
{
    struct {
        const char* Name;
        int In, Out, Fixed;
    } drives[] = {{"carrier held", shaftS, shaftH, shaftC}, {"ring held", shaftS, shaftC, shaftH}};
    const int N = 8;
    for (const auto& d : drives) {
        SCOPED_TRACE(d.Name);
        Drive(d.In, d.Out, d.Fixed);
        if (d.Fixed == shaftH) {
            EXPECT_NEAR(static_cast<double>(PlanetaryStage.n[shaftC]), -50, 1e-9);
        }
        CadCallLog().clear();
        const auto all = FrameInserts(Record(2, N, 97));
        // The third shaft stands: the stage at rest lies under the frames.
        ASSERT_EQ(PlanetaryStage.nThird, 0);
        const size_t rest = 1;
        ASSERT_EQ(all.size(), rest + 2 * N + 1);
        const auto frame = [&](int i) { return all[rest + 2 * i]; };
        const auto first = MeshPhaseSums(frame(0), 21, 15, 15, -63);
        ASSERT_EQ(first.size(), 3u);
        for (const auto& set : first)
            for (double sum : set)
                EXPECT_LT(FromHalf(sum), 1e-9) << "frame 0 meshes";
        for (int i : {1, N / 2, N}) {
            const auto sums = MeshPhaseSums(frame(i), 21, 15, 15, -63);
            for (int k = 0; k < 3; ++k)
                for (int m = 0; m < 3; ++m)
                    EXPECT_LT(FractionDistance(sums[k][m], first[k][m]), 1e-9)
                        << "frame " << i << " set " << k << " mesh " << m;
        }
    }
}

TEST_F(StageAnimation, ProposedStepsFollowTheRingTeeth)
{
    const std::pair<int, const char*> cases[] = {{20, "360"}, {21, "180"}, {50, "180"}, {51, "120"},
                                                 {63, "120"}, {99, "120"}, {100, "72"}};
    for (const auto& [z, steps] : cases)
        EXPECT_EQ(ProposedAnimationSteps(z), steps) << z;
    // The command's proposals: the pause by kind, the steps for the wheels.
    std::vector<TStageAnimationTexts> asked;
    stageanimationhooks.AskSettings = [&](TStageAnimationTexts& t) {
        asked.push_back(t);
        return false;
    };
    PlanetAnimation(1);
    PlanetAnimation(2);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].Pause, "40");
    EXPECT_EQ(asked[0].Steps, "");
    EXPECT_EQ(asked[1].Pause, "0");
    EXPECT_EQ(asked[1].Steps, "120");
    EXPECT_TRUE(DisplayList.Records.empty()) << "Cancel draws nothing";
}

TEST_F(StageAnimation, TextsAreReadAndClamped)
{
    struct {
        const char *Steps, *Angle, *Pause;
        int N;
        double AngleDeg;
        int Ms;
    } cases[] = {{"100001", "360", "30", 100000, 360, 30},
                 {"abc", "x", "?", 2, 0, 0},
                 {"1", "-90", "-5", 2, -90, 0},
                 {"120", "720,5", "0", 120, 720.5, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Steps);
        const TStageAnimationRun r = StageAnimationRunFromTexts({c.Steps, c.Angle, c.Pause, false});
        EXPECT_EQ(r.Steps, c.N);
        EXPECT_NEAR(static_cast<double>(r.TotalAngle), c.AngleDeg * Deg, 1e-14);
        EXPECT_EQ(r.PauseMs, c.Ms);
    }
}

// On the screen: N + 1 frames, each followed by its pause record, and N
// erase passes in colour 0; the single-step switch as asked; the tooth
// resolution back as the user had it.
TEST_F(StageAnimation, ScreenRecordsOnePausePerFrameAndErasesAllButTheLast)
{
    GearPair.InvolutePoints = 33;
    GearPair.FilletResolution = 44;
    GearPair.DrawingConfiguration = 2;
    struct {
        int16_t Kind;
        const char* Steps;
        int N;
    } cases[] = {{1, "7", 7}, {2, "3", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        GraphFacade.Clear();
        stageanimationhooks.AskSettings = [&](TStageAnimationTexts& t) {
            t.Steps = c.Steps;
            t.Angle = "90";
            t.Pause = "25";
            t.SingleStep = c.Kind == 2;
            return true;
        };
        PlanetAnimation(c.Kind);
        EXPECT_EQ(CountRecords(MakeIntRecord(TRecordKind::Pause, 25)), c.N + 1);
        int pauses = 0;
        for (std::string_view r : DisplayList.Records)
            pauses += ParseDisplayRecord(r).Kind == static_cast<int>(TRecordKind::Pause);
        EXPECT_EQ(pauses, c.N + 1);
        EXPECT_EQ(CountRecords(MakeIntRecord(TRecordKind::Colour, 0)), c.N);
        EXPECT_EQ(FTelmgra.StepMode, c.Kind == 2);
        EXPECT_EQ(GearPair.InvolutePoints, 33);
        EXPECT_EQ(GearPair.FilletResolution, 44);
        EXPECT_EQ(GearPair.DrawingConfiguration, 2);
    }
}

// N = 1: two frames, at 0 and at the full angle; only the first is erased.
TEST_F(StageAnimation, OneStepDrawsTwoFramesAndErasesTheFirst)
{
    TStageAnimationRun run;
    run.Steps = 1;
    run.TotalAngle = 60 * Deg;
    run.PauseMs = 10;
    RecordStageAnimation(1, run, 3);
    const auto& list = DisplayList.Records;
    std::vector<size_t> pauses, erases;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == MakeIntRecord(TRecordKind::Pause, 10)) pauses.push_back(i);
        if (list[i] == MakeIntRecord(TRecordKind::Colour, 0)) erases.push_back(i);
    }
    ASSERT_EQ(pauses.size(), 2u);
    ASSERT_EQ(erases.size(), 1u);
    EXPECT_TRUE(pauses[0] < erases[0] && erases[0] < pauses[1]) << "frame, pause, erase, frame, pause";
    // Nothing is erased after the last pause.
    EXPECT_EQ(std::count(list.begin() + static_cast<long>(pauses[1]), list.end(),
                         MakeIntRecord(TRecordKind::Colour, 0)),
              0);
}

// A stage that no longer calculates when the run recalculates it: the
// message list, no frame, the settings back.
TEST_F(StageAnimation, AStageThatFailsToCalculateRecordsNoFrame)
{
    GearPair.InvolutePoints = 5;
    GearPair.FilletResolution = 6;
    GearPair.DrawingConfiguration = 2;
    PlanetaryStage.nIn = 0;
    TStageAnimationRun run;
    run.Steps = 4;
    run.TotalAngle = 1;
    RecordStageAnimation(2, run, 3);
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_NE(MessageList.find("n input = 0"), std::string::npos) << MessageList;
    EXPECT_TRUE(DisplayList.Records.empty());
    EXPECT_EQ(GearPair.InvolutePoints, 5);
    EXPECT_EQ(GearPair.FilletResolution, 6);
    EXPECT_EQ(GearPair.DrawingConfiguration, 2);
    // Already failed before the command: the list, and no form.
    bool asked = false;
    stageanimationhooks.AskSettings = [&](TStageAnimationTexts&) { return asked = true; };
    MessageList.clear();
    PlanetAnimation(1);
    EXPECT_FALSE(asked);
    EXPECT_FALSE(MessageList.empty());
}

// Escape while the frames are recorded: asked after each frame, the run ends
// after the fifth of 720 and leaves on the screen what a full run over those
// five angles ends with (records drawn in a colour, less those drawn again
// in colour 0), with one pause and no erase pass left.
TEST_F(StageAnimation, EscapeWhileRecordingLeavesTheLastFrame)
{
    const auto left = [] {
        std::multiset<std::string> drawn, erased;
        long long colour = 1;
        for (std::string_view r : DisplayList.Records) {
            const TDisplayRecord d = ParseDisplayRecord(r);
            colour = d.Kind == 8 ? d.N : colour;
            if ((d.Kind >= 2 && d.Kind <= 7) || d.Kind == 13)
                (colour == 0 || d.Kind == 13 ? erased : drawn).emplace(r);
        }
        for (const auto& e : erased)
            if (const auto it = drawn.find(e); it != drawn.end()) drawn.erase(it);
        return std::pair{drawn, erased.size()};
    };
    for (int16_t kind : {1, 2}) {
        int asked = 0;
        FTelmgra.OnStopAsked = [&] { return ++asked == 5; };
        RecordStageAnimation(kind, {720, 720 * Deg, 0});
        const auto stopped = left();
        FTelmgra.OnStopAsked = nullptr;
        RecordStageAnimation(kind, {4, 4 * Deg, 0});
        EXPECT_TRUE(asked == 5 && stopped.second == 1 && stopped.first == left().first) << kind;
    }
}

// A driver standing still (or an unknown shaft code) has no ratios: the
// stage stays at rest instead of turning by a division by zero.
TEST_F(StageAnimation, AStandingDriverLeavesTheStageAtRest)
{
    for (int input : {int{shaftS}, 7}) {
        SCOPED_TRACE(input);
        PlanetaryShafts.InputShaft = input;
        PlanetaryStage.n[shaftS] = input == shaftS ? 0 : 100;
        const TMemberAngles a = StageMemberAngles(2);
        for (Extended x : {a.S, a.Pi, a.Pe, a.H, a.C})
            EXPECT_EQ(x, 0);
    }
}

// The wheel blocks of the animation: the sun is "RADSI", the wheels carry
// their marks but no bores, and the gear-wheel frame at rest puts the first
// outer planet straight below the centre.
TEST_F(StageAnimation, WheelBlocksAndTheFrameAtRest)
{
    Open();
    CadCallLog().clear();
    AnimFrontView(0, 0, 0, 0, 0, 0);
    Close();
    std::vector<std::string> names;
    for (const TCadCall& c : CadCallLog())
        if (c.Kind == "insert") names.push_back(c.Text);
    const std::vector<std::string> want = {"RADH",  "CARRIER", "RADPE", "RADPI", "CARRIER", "RADPE",
                                           "RADPI", "CARRIER", "RADPE", "RADPI", "RADSI"};
    EXPECT_EQ(names, want);
    EXPECT_NEAR(CadCallLog()[2].V[0], 0, 1e-9);
    EXPECT_NEAR(CadCallLog()[2].V[1], -156, 1e-9);
    const TCadCall& centre = CadCallLog().back();
    EXPECT_EQ(centre.Kind, "circle");
    EXPECT_NEAR(centre.V[2], 0.01 * static_cast<double>(PlanetaryGears.d[gS]), 1e-12);
}

} // namespace
