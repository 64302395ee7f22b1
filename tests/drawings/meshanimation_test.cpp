// The meshing animation of mesh S-Pi of the default stage (z1 15, z2 21)
// on the screen device, its display list read back as text. With n frames
// the step is (end - start)/(n + 1): for n = 2 three frames at start,
// start + (end - start)/3, start + 2 (end - start)/3, each followed by its
// pause and drawn again in colour 0, then the last position at the end.
#include "stagekinematicssupport.h"

#include "drawings/tooth/meshanimation.h"
#include "foundation/messagecollector.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "planetary/meshtransfer.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using TRecords = std::vector<std::string>;

bool Geometric(const std::string& R)
{
    const int k = ParseDisplayRecord(R).Kind;
    return k == 3 || k == 4 || k == 5 || k == 7;
}

TRecords Geometry(const TRecords& L, std::size_t From, std::size_t To)
{
    TRecords r;
    for (std::size_t i = From; i < To && i < L.size(); ++i)
        if (Geometric(L[i])) r.push_back(L[i]);
    return r;
}

// Same records within the display list's eight digits.
bool SamePicture(const TRecords& A, const TRecords& B)
{
    if (A.size() != B.size() || A.empty()) return false;
    for (std::size_t i = 0; i < A.size(); ++i) {
        const TDisplayRecord a = ParseDisplayRecord(A[i]), b = ParseDisplayRecord(B[i]);
        if (a.Kind != b.Kind) return false;
        for (int f = 0; f < 8; ++f)
            if (std::fabs(double(a.F[f] - b.F[f])) > 1e-4 * (1 + std::fabs(double(a.F[f])))) return false;
    }
    return true;
}

// The frames of one run: drawn and erased pictures in order, and the last.
struct TFrames {
    std::vector<TRecords> Drawn, Erased;
    TRecords Last;
    std::vector<long long> Pauses;
};

TFrames SplitFrames(const TRecords& L)
{
    TFrames f;
    std::vector<std::size_t> pauses, erases, restores;
    for (std::size_t i = 0; i < L.size(); ++i) {
        const TDisplayRecord r = ParseDisplayRecord(L[i]);
        if (r.Kind == 13) {
            pauses.push_back(i);
            f.Pauses.push_back(r.N);
        }
        if (r.Kind == 8 && !pauses.empty() && i > pauses.back()) {
            if (erases.size() < pauses.size())
                erases.push_back(i);
            else if (restores.size() < erases.size())
                restores.push_back(i);
        }
    }
    if (pauses.empty() || erases.size() != pauses.size() || restores.size() != pauses.size()) return f;
    // A frame follows the fixed picture without a mark: as long as its
    // erasure, just before its pause; the last position ends the list.
    const auto tail = [&](std::size_t From, std::size_t To, std::size_t n) {
        const TRecords g = Geometry(L, From, To);
        return TRecords(g.end() - std::min(n, g.size()), g.end());
    };
    for (std::size_t k = 0; k < pauses.size(); ++k) {
        f.Erased.push_back(Geometry(L, erases[k], restores[k]));
        f.Drawn.push_back(tail(k > 0 ? restores[k - 1] : 0, pauses[k], f.Erased[k].size()));
    }
    f.Last = tail(restores.back(), L.size(), f.Erased.back().size());
    return f;
}

class MeshAnimation : public DefaultStageDrawing
{
  protected:
    void SetUp() override
    {
        DefaultStageDrawing::SetUp();
        LoadMesh(mSPi);
        CalcGearPair();
        GearPair.InvolutePoints = 20;
        GearPair.FilletResolution = 30;
        reportservices.ShowMessageIfEnabled = [this](const std::string& T) { messages_.push_back(T); };
        reportservices.ShowMessageBox = [this](const std::string& T) { messages_.push_back(T); };
    }
    void TearDown() override { DefaultStageDrawing::TearDown(); }
    // Runs with the given answers; the form's proposal is kept in asked_.
    TRecords Run(int Steps, int PauseMs, Extended Start, Extended End, bool Ok = true)
    {
        meshanimationservices.AskSettings = [=, this](TMeshAnimationRequest& R) {
            asked_ = R;
            pointsDuringForm_ = GearPair.InvolutePoints;
            R.Steps = Steps;
            R.PauseMs = PauseMs;
            R.StartDeg = Start;
            R.EndDeg = End;
            return Ok;
        };
        DisplayList.Records.clear();
        AnimateMeshing();
        const auto& list = DisplayList.Records;
        return TRecords(list.begin(), list.end());
    }
    TMeshAnimationRequest asked_;
    int pointsDuringForm_ = 0;
    std::vector<std::string> messages_;
};

TEST_F(MeshAnimation, TwoStepsGiveThreeFramesAndTheLastPosition)
{
    ASSERT_EQ(GearPair.z[1], 15);
    const TFrames run = SplitFrames(Run(2, 40, 24, -24));
    // The form was offered one pitch of gear 1 each way, 360/15 = 24 deg,
    // with the coarse outlines already set.
    EXPECT_DOUBLE_EQ(double(asked_.StartDeg), 24);
    EXPECT_DOUBLE_EQ(double(asked_.EndDeg), -24);
    EXPECT_EQ(pointsDuringForm_, 8);
    ASSERT_EQ(run.Pauses, (std::vector<long long>{40, 40, 40}));
    ASSERT_EQ(run.Drawn.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(SamePicture(run.Drawn[k], run.Erased[k])) << "frame " << k << " erased as drawn";
        // Frame k stands where the first frame of a run at that angle does.
        const Extended angle = 24 + k * (-48.0L / 3);
        const TFrames alone = SplitFrames(Run(2, 0, angle, angle));
        ASSERT_FALSE(alone.Drawn.empty());
        EXPECT_TRUE(SamePicture(run.Drawn[k], alone.Drawn[0])) << "frame " << k;
    }
    const TFrames atEnd = SplitFrames(Run(2, 0, -24, -24));
    EXPECT_TRUE(SamePicture(run.Last, atEnd.Drawn[0])) << "the last position is the end angle";
    EXPECT_FALSE(SamePicture(run.Last, run.Drawn[2]));
    // Both settings came back.
    EXPECT_EQ(GearPair.InvolutePoints, 20);
    EXPECT_EQ(GearPair.FilletResolution, 30);
}

// Each erasure draws the wheels in the background colour over what lies
// under them; after the last one the list still draws every record of the
// first picture's frame, data, circles and path of contact in its colour.
TEST_F(MeshAnimation, LastFrameStillHoldsTheFixedPicture)
{
    const TRecords L = Run(3, 0, 24, -24);
    const auto drawn = [&](std::size_t From, std::size_t To) {
        std::multiset<std::pair<long long, std::string>> d;
        long long colour = 1;
        for (std::size_t i = 0; i < To; ++i) {
            const TDisplayRecord r = ParseDisplayRecord(L[i]);
            if (r.Kind == 8) colour = r.N;
            if (i >= From && (Geometric(L[i]) || r.Kind == 6)) d.emplace(colour, L[i]);
        }
        return d;
    };
    std::vector<std::size_t> pauses, erases, restores;
    for (std::size_t i = 0; i < L.size(); ++i) {
        const TDisplayRecord r = ParseDisplayRecord(L[i]);
        if (r.Kind == 13) pauses.push_back(i);
        if (r.Kind == 8 && !pauses.empty()) (r.N == 0 ? erases : restores).push_back(i);
    }
    ASSERT_EQ(pauses.size(), 4u);
    ASSERT_GE(restores.size(), 4u);
    // The first picture (from its first line on, after the window's own
    // header) without its wheels, which the first erasure draws.
    std::multiset<std::pair<long long, std::string>> fixed;
    const auto wheels = drawn(erases[0], restores[0]);
    const auto first =
        std::find_if(L.begin(), L.end(), [](const std::string& R) { return R.rfind("4;", 0) == 0; });
    for (const auto& d : drawn(first - L.begin(), pauses[0]))
        if (wheels.count({0, d.second}) == 0) fixed.insert(d);
    const auto last = drawn(*std::upper_bound(restores.begin(), restores.end(), erases.back()), L.size());
    EXPECT_FALSE(fixed.empty());
    EXPECT_TRUE(std::includes(last.begin(), last.end(), fixed.begin(), fixed.end()));
}

// Escape while recording: the run ends after frame 2 of 1000, its pause last,
// nothing drawn in colour 0, the frame where a run from its angle starts.
TEST_F(MeshAnimation, EscapeWhileRecordingLeavesTheLastFrame)
{
    int asked = 0;
    FTelmgra.OnStopAsked = [&] { return ++asked == 2; };
    const TRecords L = Run(1000, 40, 24, -24);
    FTelmgra.OnStopAsked = nullptr;
    EXPECT_EQ(asked, 2);
    const TFrames alone = SplitFrames(Run(2, 0, 24 - 48.0L / 1001, 0));
    long long colour = 1, pauses = 0;
    for (const std::string& R : L) {
        const TDisplayRecord r = ParseDisplayRecord(R);
        colour = r.Kind == 8 ? r.N : colour;
        pauses += r.Kind == 13;
        EXPECT_FALSE(colour == 0 && Geometric(R)) << R;
    }
    EXPECT_TRUE(pauses == 1 && ParseDisplayRecord(L.back()).Kind == 13);
    const TRecords g = Geometry(L, 0, L.size());
    ASSERT_TRUE(!alone.Drawn.empty() && g.size() > alone.Drawn[0].size());
    EXPECT_TRUE(SamePicture(TRecords(g.end() - alone.Drawn[0].size(), g.end()), alone.Drawn[0]));
}

TEST_F(MeshAnimation, EqualAnglesDrawEveryFrameInOnePlace)
{
    const TFrames run = SplitFrames(Run(3, 0, 5, 5));
    // A pause of 0 still records one pause per frame.
    ASSERT_EQ(run.Pauses, (std::vector<long long>{0, 0, 0, 0}));
    for (const auto& d : run.Drawn)
        EXPECT_TRUE(SamePicture(d, run.Drawn[0]));
    EXPECT_TRUE(SamePicture(run.Last, run.Drawn[0]));
}

TEST_F(MeshAnimation, FormValuesAreBroughtIntoRange)
{
    struct {
        int Steps, Pause, WantSteps, WantPause;
    } cases[] = {{0, -5, 2, 0}, {1, 0, 2, 0}, {2, 50, 2, 50}, {1000, 1, 1000, 1}, {5000, 7, 1000, 7}};
    for (const auto& c : cases) {
        TMeshAnimationRequest r;
        r.Steps = c.Steps;
        r.PauseMs = c.Pause;
        const TMeshAnimationRequest s = SaneMeshAnimationRequest(r);
        EXPECT_EQ(s.Steps, c.WantSteps) << c.Steps;
        EXPECT_EQ(s.PauseMs, c.WantPause) << c.Pause;
    }
    // A negative pause reaches the display list as 0.
    const TFrames run = SplitFrames(Run(2, -30, 1, 0));
    EXPECT_EQ(run.Pauses, (std::vector<long long>{0, 0, 0}));
}

TEST_F(MeshAnimation, EveryWayOutRestoresTheOutlineSettings)
{
    // Cancelled form: nothing drawn.
    EXPECT_TRUE(Run(2, 10, 1, 0, false).empty());
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.InvolutePoints, 20);
    EXPECT_EQ(GearPair.FilletResolution, 30);
    // A form that throws.
    meshanimationservices.AskSettings = [](TMeshAnimationRequest&) -> bool {
        throw std::runtime_error("gone");
    };
    EXPECT_THROW(AnimateMeshing(), std::runtime_error);
    EXPECT_EQ(GearPair.InvolutePoints, 20);
    EXPECT_EQ(GearPair.FilletResolution, 30);
    // Block files that cannot be written: said in a box and in the list.
    telmvar.TempDir = dir_ + "/missing/deeper";
    ResetUhelperr();
    Run(2, 10, 1, 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "file write error  -  temporary path !");
    bool listed = false;
    for (const auto& m : CollectedMessages())
        listed = listed || m.Text == "file write error  -  temporary path !";
    EXPECT_TRUE(listed);
    EXPECT_FALSE(CadOutputIsOpen());
    EXPECT_EQ(GearPair.InvolutePoints, 20);
    EXPECT_EQ(GearPair.FilletResolution, 30);
}

TEST_F(MeshAnimation, WithoutTheSettingsFormItSaysSo)
{
    AnimateMeshing();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "The animation settings are not available in this version");
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(MeshAnimation, SingleStepSwitchReachesTheWindow)
{
    meshanimationservices.AskSettings = [](TMeshAnimationRequest& R) {
        R.Steps = 2;
        R.SingleStep = true;
        return true;
    };
    AnimateMeshing();
    EXPECT_TRUE(FTelmgra.StepMode);
}

// z 20/100, the sun's tip above the window's top: the animation's window (world x1, y1, x2, y2 of
// its window record) holds every mark and letter A to E.
TEST_F(MeshAnimation, ToothContactPathInsideTheAnimationWindow)
{
    PlanetaryGears.z[1] = 20;
    PlanetaryGears.z[2] = 100;
    CalcPlanetaryStage();
    LoadMesh(mSPi);
    CalcGearPair();
    std::string letters;
    TDisplayRecord w;
    for (const auto& r : Run(2, 0, 0, 0)) {
        const TDisplayRecord d = ParseDisplayRecord(r);
        const Extended e = d.Kind == 3 ? d.F[2] : 0;
        if (d.Kind == 10 && w.Kind == 0) w = d;
        if (d.Kind == 6 && d.Text.size() == 1 && letters.size() < 5) letters += d.Text;
        if (d.Kind == 3 || (d.Kind == 6 && d.Text.size() == 1)) {
            EXPECT_TRUE(d.F[0] - e >= w.F[4] && d.F[0] + e <= w.F[6] && d.F[1] - e >= w.F[5] &&
                        d.F[1] + e <= w.F[7])
                << r;
        }
    }
    EXPECT_EQ(letters, "CEABD");
}

} // namespace
