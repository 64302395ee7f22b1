#include "drawings/tooth/meshanimation.h"

#include "drawings/tooth/meshpicture.h"
#include "drawings/tooth/toothcontour.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/graphwindow.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

TMeshAnimationServices meshanimationservices;

void ResetMeshAnimationServices()
{
    meshanimationservices = TMeshAnimationServices{};
}

namespace
{

TGearPairData& G = GearPair;

constexpr int MinSteps = 2;
constexpr int MaxSteps = 1000;

// The outline resolution and the layer mode as they were before the run,
// put back however it ends (a cancelled form, a failed block file, an
// exception from a file write).
class TAnimationSettingsRestore
{
  public:
    TAnimationSettingsRestore() : points_(G.InvolutePoints), fillet_(G.FilletResolution) {}
    ~TAnimationSettingsRestore()
    {
        G.InvolutePoints = points_;
        G.FilletResolution = fillet_;
        SetCadLayerMode(0);
    }
    TAnimationSettingsRestore(const TAnimationSettingsRestore&) = delete;
    TAnimationSettingsRestore& operator=(const TAnimationSettingsRestore&) = delete;

  private:
    int points_;
    int fillet_;
};

bool DefinePairBlock(const std::string& Name, int Gear)
{
    CadBeginBlock(Name);
    bool ok = !telmvar.Aborted;
    if (ok) GenerateToothContour(Gear, false);
    ok = ok && !telmvar.Aborted;
    CadEndBlock();
    return ok;
}

void RestoreCursor()
{
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
}

// The run itself, after the form.
void RecordMeshAnimation(const TMeshAnimationRequest& Request, int Device)
{
    TCadOutputScope scope;
    CadOpenOutput(Device);
    if (telmvar.Aborted) return;
    const auto [W, B, T] = MeshPictureFrame();
    CadSetLayer(0);
    CadBeginDrawing(-W - 1, B - 0.48L * W, W + 1, T, G.b[1]);
    CadWriteTables(0);
    CadBeginBlocks();
    const bool ok = DefinePairBlock("EVOLV1", 1) && DefinePairBlock("EVOLV2", 2);
    if (!ok) {
        CadEndSection();
        CadAbandonOutput();
        RestoreCursor();
        const std::string text = "file write error  -  temporary path !";
        if (reportservices.ShowMessageIfEnabled) reportservices.ShowMessageIfEnabled(text);
        AddErrorMessage(text);
        telmvar.Aborted = true;
        return;
    }
    CadEndSection();
    const int n = Request.Steps;
    const Extended step = (Request.EndDeg - Request.StartDeg) / (n + 1);
    // Turned by a whole pitch the wheels look the same: each frame is drawn
    // within half a pitch of the line of centres, where the frame holds
    // their teeth.
    const int z1 = std::abs(G.z[1]);
    const Extended pitch = z1 != 0 ? 360.0L / z1 : 0;
    const auto frameAngle = [&](int k) {
        const Extended a = Request.StartDeg + k * step;
        return pitch != 0 ? a - pitch * std::nearbyint(a / pitch) : a;
    };
    CadBeginEntities();
    TCadAnimationFrames frames;
    DrawMeshPicture(false, W, B, T, frameAngle(0));
    DrawMeshPictureFrame(W, B, T, Request.StartDeg);
    int k = 0;
    bool stopped = false;
    for (; k <= n; ++k) {
        const Extended angle = frameAngle(k);
        DrawMeshPicture(false, W, B, T, angle);
        CadPause(Request.PauseMs);
        // Escape ends the run on the frame just drawn.
        stopped = frames.StopAsked();
        if (stopped) break;
        SetCadLayerMode(2);
        CadSetLayer(0);
        DrawMeshPicture(false, W, B, T, angle);
        SetCadLayerMode(0);
        // Erasing the wheels took what lay under them: the fixed picture
        // is drawn again for the next frame.
        frames.FrameStarts();
        DrawMeshPictureFrame(W, B, T, Request.StartDeg);
        if (telmvar.Aborted) {
            ++k;
            break;
        }
    }
    // The last position stays: the end angle after a full run.
    if (!stopped) DrawMeshPicture(false, W, B, T, frameAngle(k));
    CadDeviceReady();
    CadEndSection();
    CadCloseOutput(1);
    RestoreCursor();
}

} // namespace

TMeshAnimationRequest SaneMeshAnimationRequest(TMeshAnimationRequest Request)
{
    Request.Steps = std::clamp(Request.Steps, MinSteps, MaxSteps);
    Request.PauseMs = std::max(Request.PauseMs, 0);
    return Request;
}

void AnimateMeshing()
{
    AnimateMeshingOn(3);
}

void AnimateMeshingOn(int Device)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    TAnimationSettingsRestore restore;
    G.InvolutePoints = 8;

    TMeshAnimationRequest request;
    const int z1 = std::abs(G.z[1]);
    request.StartDeg = z1 != 0 ? 360.0L / z1 : 0;
    request.EndDeg = -request.StartDeg;
    telmvar.Aborted = false;
    if (!meshanimationservices.AskSettings) {
        // Never a silently dead menu item.
        if (reportservices.ShowMessageBox)
            reportservices.ShowMessageBox("The animation settings are not available in this version");
        telmvar.Aborted = true;
        return;
    }
    if (!meshanimationservices.AskSettings(request)) {
        telmvar.Aborted = true;
        return;
    }
    telmvar.Aborted = false;
    request = SaneMeshAnimationRequest(request);
    FTelmgra.StepMode = request.SingleStep;
    G.FilletResolution = G.InvolutePoints + 8;

    // Mean backlash: the middle of the finished and of the pre-machining
    // tolerance of both gears, at the pair's own centre distance.
    for (int i = 1; i <= 2; ++i) {
        G.x_pic[i] = (G.xemin[i] + G.xemax[i]) / 2;
        G.xv_pic[i] = (G.xevmin[i] + G.xevmax[i]) / 2;
    }
    G.a_pic = G.a;
    confgraf(G.x_pic);

    RecordMeshAnimation(request, Device);
    RestoreCursor();
}
