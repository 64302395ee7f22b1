#include "drawings/stage/planetanimation.h"

#include "drawings/stage/animfront.h"
#include "drawings/stage/kinematicstext.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TStageAnimationHooks stageanimationhooks;

void ResetStageAnimationHooks()
{
    stageanimationhooks = TStageAnimationHooks{};
}

namespace
{

constexpr int MaxAnimationSteps = 100000;

// The tooth drawing settings the run lowers, put back whatever way the run
// ends: the user's own resolution must survive an animation.
class TToothResolutionScope
{
  public:
    TToothResolutionScope()
        : involute_(GearPair.InvolutePoints), fillet_(GearPair.FilletResolution),
          config_(GearPair.DrawingConfiguration)
    {
    }
    ~TToothResolutionScope()
    {
        GearPair.InvolutePoints = involute_;
        GearPair.FilletResolution = fillet_;
        GearPair.DrawingConfiguration = config_;
    }
    TToothResolutionScope(const TToothResolutionScope&) = delete;
    TToothResolutionScope& operator=(const TToothResolutionScope&) = delete;

  private:
    int involute_, fillet_, config_;
};

void DrawFrame(int16_t Kind, const TMemberAngles& a)
{
    if (Kind == 1) {
        StageSchematicFrame(a.S, a.Pi, a.Pe, a.H, a.C, 0);
    } else {
        const Extended k = 180 / Pi;
        AnimFrontView(a.S * k, a.Pi * k, a.Pe * k, a.H * k, a.C * k, 0);
    }
}

} // namespace

std::string ProposedAnimationSteps(int AbsZH)
{
    if (AbsZH >= 1 && AbsZH <= 20) return "360";
    if (AbsZH >= 21 && AbsZH <= 50) return "180";
    if (AbsZH >= 51 && AbsZH <= 99) return "120";
    return "72";
}

TStageAnimationRun StageAnimationRunFromTexts(const TStageAnimationTexts& Texts)
{
    TStageAnimationRun r;
    r.Steps = ClampInt(2, MaxAnimationSteps, TextToInt(Texts.Steps));
    r.TotalAngle = DegToRad(TextToFloat(Texts.Angle));
    r.PauseMs = std::max<int32_t>(0, TextToInt(Texts.Pause));
    return r;
}

TMemberAngles StageMemberAngles(Extended Phi)
{
    const auto& st = PlanetaryStage;
    const Extended nS = st.n[shaftS], nC = st.n[shaftC], nH = st.n[shaftH];
    const Extended nPi = st.np0[1], nPe = st.np0[2];
    TMemberAngles a;
    Extended nDrive = 0;
    switch (PlanetaryShafts.InputShaft) {
    case shaftS:
        nDrive = nS;
        break;
    case shaftC:
        nDrive = nC;
        break;
    case shaftH:
        nDrive = nH;
        break;
    default:
        return a;
    }
    // A standing driver has no ratios: the stage stays at rest.
    if (nDrive == 0) return a;
    const Extended k = Phi / nDrive;
    a.S = k * nS;
    a.C = k * nC;
    a.H = k * nH;
    a.Pi = k * nPi;
    a.Pe = k * nPe;
    // The driver turns by exactly the angle asked, not by Phi n / n.
    if (PlanetaryShafts.InputShaft == shaftS) a.S = Phi;
    if (PlanetaryShafts.InputShaft == shaftC) a.C = Phi;
    if (PlanetaryShafts.InputShaft == shaftH) a.H = Phi;
    return a;
}

void RecordStageAnimation(int16_t Kind, const TStageAnimationRun& Run, int Device)
{
    if (Kind != 1 && Kind != 2) return;
    const int N = std::max(1, Run.Steps);
    TToothResolutionScope resolution;
    const bool manyTeeth = std::abs(PlanetaryGears.z[gH]) > 20;
    GearPair.InvolutePoints = manyTeeth ? 8 : 12;
    GearPair.FilletResolution = manyTeeth ? 12 : 18;
    GearPair.DrawingConfiguration = 1;

    CalcPlanetaryStage();
    // A stage that no longer calculates has nothing to turn.
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }

    TCadOutputScope scope;
    telmvar.Aborted = false;
    CadOpenOutput(Device, "PLANET");
    if (telmvar.Aborted) return;

    const auto& g = PlanetaryGears;
    const Extended e = Kind == 1 ? std::fabs(g.d[gH]) / 2 + GearPair.mn : 0.55L * std::fabs(g.df[gH]);
    CadSetLayer(0);
    CadBeginDrawing(-e, -e, e, e, g.b[gH]);
    CadWriteTables(Kind == 2 ? 0 : 2);
    if (Kind == 2) {
        CadBeginBlocks();
        PlanetFrontView();
        CadEndSection();
    }
    CadBeginEntities();
    CadMoveTo(1.2L * e, 0.8L * e);
    CadSetTextStyle(0, 0, 0.03L * e, 0.02L * e);
    KinematicsTextBlock();

    // With the third shaft standing the stage at rest stays underneath as
    // a picture that is never erased.
    if (Kind == 2 && PlanetaryStage.nThird == 0) {
        CadSetLayer(0);
        AnimFrontView(0, 0, 0, 0, 0, 0);
    }
    const Extended delta = Run.TotalAngle / N;
    TCadAnimationFrames frames;
    for (int i = 0; i <= N; ++i) {
        const TMemberAngles a = StageMemberAngles(i * delta);
        frames.FrameStarts();
        DrawFrame(Kind, a);
        CadPause(Run.PauseMs);
        // Escape ends the run on the frame just drawn.
        if (i < N && frames.StopAsked()) break;
        if (i < N) {
            SetCadLayerMode(2);
            CadSetLayer(0);
            DrawFrame(Kind, a);
        }
        SetCadLayerMode(0);
        CadSetLayer(0);
    }
    CadDeviceReady();
    CadEndSection();
    CadCloseOutput(1);
}

void PlanetAnimation(int16_t Kind)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    GraphFacade.Clear();
    TStageAnimationTexts t;
    t.Pause = Kind == 1 ? "40" : "0";
    if (Kind == 2) t.Steps = ProposedAnimationSteps(std::abs(PlanetaryGears.z[gH]));
    if (!stageanimationhooks.AskSettings || !stageanimationhooks.AskSettings(t)) return;
    FTelmgra.StepMode = t.SingleStep;
    RecordStageAnimation(Kind, StageAnimationRunFromTexts(t));
}
