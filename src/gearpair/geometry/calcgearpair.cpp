#include "gearpair/geometry/calcgearpair.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/geometry/tolerances.h"
#include "gearpair/geometry/warnings.h"
#include "gearpair/strength/calcstrength.h"
#include "gearpair/strength/facewidth.h"
#include "gearpair/strength/limitload.h"

#include <algorithm>
#include <cstddef>
#include <vector>

TLoadSpectrumRoutines loadspectrumroutines;

namespace {

// The messages added since the list held Count of them.
std::vector<TCollectedMessage> MessagesSince(std::size_t Count)
{
    const std::vector<TCollectedMessage>& all = CollectedMessages();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(Count, all.size())), all.end()};
}
}

void SetLoadSpectrumFactorsProc(TLoadSpectrumFactorsProc proc) { loadspectrumroutines.Factors = proc; }
void SetLoadSpectrumLifeProc(TLoadSpectrumLifeProc proc) { loadspectrumroutines.Life = proc; }
void ResetLoadSpectrumRoutines() { loadspectrumroutines = TLoadSpectrumRoutines{}; }

void ResolveDimensionInputMode()
{
    auto& g = GearPair;
    for (int i = 1; i <= 2; ++i) {
        const int j = 3 - i;
        switch (g.DimensionInputMode[i]) {
        case 1:
            g.da[i] = 2 * (g.a - g.ck[i]) - g.df[j];
            g.kmn[i] = (g.da0[i] - g.da[i]) / 2;
            break;
        case 2:
            g.da[i] = g.da0[i] - 2 * g.kmn[i];
            g.ck[i] = g.a - (g.da[i] + g.df[j]) / 2;
            break;
        case 3:
            g.kmn[i] = (g.da0[i] - g.da[i]) / 2;
            g.ck[i] = g.a - (g.da[i] + g.df[j]) / 2;
            break;
        default: break;
        }
    }
}

void SetDefaultCentreDistance()
{
    auto& g = GearPair;
    if (g.a == 0)
        g.a = (g.z[1] + g.z[2]) * g.mn / 2;
}

// The overlap ratio, the face width checks and the line loads all rest on
// the effective face width of this pair's own faces. It is formed here,
// before the geometry uses it: formed only in the strength step, as it
// once was, the geometry took whatever width the pair record held before,
// i.e. the previous mesh's of a stage or the start value.
void FormEffectiveFaceWidth()
{
    auto& g = GearPair;
    // A face width not entered is the effective one entered for the pair.
    for (int i = 1; i <= 2; ++i)
        if (g.b[i] <= 0)
            g.b[i] = g.b_effH;
    CalcEffectiveFaceWidth();
    // Two faces that do not overlap axially carry no common width.
    if (g.b[1] > 0 && g.b[2] > 0 && !(g.b_effH > 0))
        AddFatalMessage("Fatal  : beff=0!");
}

void CalcGeometry()
{
    if (telmvar.FatalCalcError)
        return;
    FormEffectiveFaceWidth();
    Unit0();
    if (telmvar.FatalCalcError)
        return;
    // A centre distance not given is the one the profile shifts give, the
    // one the chain ends with. Taken from the start, the first calculation
    // has the working angles, allowances and profile-shift sum of every
    // later one.
    if (GearPair.a == 0)
        GearPair.a = ProfileShiftCentreDistance();
    CalcProfileShiftSum();
    if (telmvar.FatalCalcError)
        return;
    Unit1();
    // Unit1 aborts when the working pressure angle cannot be formed.
    if (telmvar.Aborted || telmvar.FatalCalcError)
        return;
    ResolveDimensionInputMode();
    Unit2();
    if (telmvar.FatalCalcError)
        return;
    CalcTolerances();
    if (telmvar.FatalCalcError)
        return;
    GearPairWarnings();
    SetAnimationAngles();
}

void CalcGearPair()
{
    auto& g = GearPair;
    const TArcInvoluteMemo involuteInverses;
    telmvar.Aborted = false;
    ResetErrorState();
    // Whatever an earlier pair put in force is no input of this one.
    g.SpectrumFactorsInForce = false;
    // The geometry leaves the centre distance its profile shifts give; the
    // final run starts again from the entered one, so that it judges that
    // one as the first run did ("cent.distance corr. !").
    const Extended enteredA = g.a;
    CalcGeometry();
    if (telmvar.FatalCalcError)
        return;
    CalcStrength();
    if (telmvar.FatalCalcError || g.LoadSpectrumCount < 1 || g.T[1] == 0)
        return;

    // The spectrum's application factors rest on the spectrum and the
    // nominal torque alone, not on the limit torques. Formed first, they are
    // in force for the limit torque search as well as for the final run, so
    // one calculation gives the final values; the entered KA_H and KA_F stay
    // as the user gave them.
    std::size_t before = CollectedMessages().size();
    const auto& routines = loadspectrumroutines;
    const bool formed = routines.Factors && routines.Factors();
    if (telmvar.FatalCalcError)
        return;
    std::vector<TCollectedMessage> spectrumMessages = MessagesSince(before);
    g.SpectrumFactorsInForce = formed && g.KaFromLoadSpectrum == 1;

    Extended rootLimit = 0, pittingLimit = 0;
    FindLimitLoads(rootLimit, pittingLimit);
    before = CollectedMessages().size();
    if (formed && routines.Life)
        routines.Life(rootLimit, pittingLimit);
    if (telmvar.FatalCalcError)
        return;
    // Keep only the messages of the final run at the nominal torque, not
    // those of the limit-load trials; the spectrum's own messages (a
    // falling spectrum, a material row the table lacks) stay.
    if (!telmvar.Aborted) {
        const std::vector<TCollectedMessage> life = MessagesSince(before);
        spectrumMessages.insert(spectrumMessages.end(), life.begin(), life.end());
        ResetErrorState();
        for (const TCollectedMessage& message : spectrumMessages)
            AddErrorMessage(message.Text);
    }
    g.a = enteredA;
    CalcGeometry();
    CalcStrength();
    // A failed limit torque search must stay visible after the reset above.
    if (!g.LimitLoadFound[1])
        AddErrorMessage("Error  : limit torque not found (root) !");
    if (!g.LimitLoadFound[2])
        AddErrorMessage("Error  : limit torque not found (pitting) !");
}
