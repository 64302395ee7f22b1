#include "gearpair/geometry/calcgearpair.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/geometry/tolerances.h"
#include "gearpair/geometry/warnings.h"
#include "gearpair/measuring.h"
#include "gearpair/strength/calcstrength.h"
#include "gearpair/strength/facewidth.h"
#include "gearpair/strength/limitload.h"
#include "gearpair/strength/loadfreememo.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <vector>

TLoadSpectrumRoutines loadspectrumroutines;

namespace
{

// The messages the list holds that Before does not, appended to To. By
// text rather than by count: an error that came to a full list stands in
// the place of a warning, not after the texts held before it.
void AppendMessagesNotIn(const std::vector<TCollectedMessage>& Before, std::vector<TCollectedMessage>& To)
{
    VisitCollectedMessages([&](std::string_view Text, bool Judgement) {
        for (const TCollectedMessage& m : Before)
            if (m.Text == Text) return;
        To.push_back({std::string(Text), Judgement});
    });
}
} // namespace

void SetLoadSpectrumFactorsProc(TLoadSpectrumFactorsProc proc)
{
    loadspectrumroutines.Factors = proc;
}
void SetLoadSpectrumLifeProc(TLoadSpectrumLifeProc proc)
{
    loadspectrumroutines.Life = proc;
}
void ResetLoadSpectrumRoutines()
{
    loadspectrumroutines = TLoadSpectrumRoutines{};
}

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
        default:
            break;
        }
    }
}

void SetDefaultCentreDistance()
{
    auto& g = GearPair;
    if (g.a == 0) g.a = (g.z[1] + g.z[2]) * g.mn / 2;
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
        if (g.b[i] <= 0) g.b[i] = g.b_effH;
    CalcEffectiveFaceWidth();
    // Two faces that do not overlap axially carry no common width.
    if (g.b[1] > 0 && g.b[2] > 0 && !(g.b_effH > 0)) AddFatalMessage("Fatal  : beff=0!");
}

void CalcGeometry()
{
    if (telmvar.FatalCalcError) return;
    FormEffectiveFaceWidth();
    Unit0();
    if (telmvar.FatalCalcError) return;
    // The functions of the helix and normal pressure angles Unit0 set, for
    // every step after it: nothing in the chain changes those angles. Unit1
    // adds those of alpha_t and beta_b, which stay as it leaves them.
    TGeometryAngles angles{ProfileAnglesOf(GearPair.beta_rad, GearPair.alpha_rad), {}, {}};
    // A centre distance not given is the one the profile shifts give, the
    // one the chain ends with. Taken from the start, the first calculation
    // has the working angles, allowances and profile-shift sum of every
    // later one.
    if (GearPair.a == 0) GearPair.a = ProfileShiftCentreDistance();
    CalcProfileShiftSum(angles.Profile);
    if (telmvar.FatalCalcError) return;
    Unit1(angles);
    // Unit1 aborts when the working pressure angle cannot be formed.
    if (telmvar.Aborted || telmvar.FatalCalcError) return;
    ResolveDimensionInputMode();
    Unit2(angles);
    if (telmvar.FatalCalcError) return;
    CalcTolerances(angles);
    if (telmvar.FatalCalcError) return;
    GearPairWarnings();
    // Neither step changed stw or dw since Unit2 formed stw_angle from them.
    SetAnimationAngles(angles, GearPair.stw_angle[1]);
}

namespace
{

// The message list as the geometry left it, for a strength run that starts
// again after it.
void RestartAfterGeometry(const std::vector<TCollectedMessage>& GeometryMessages)
{
    ResetErrorState();
    for (const TCollectedMessage& message : GeometryMessages)
        AddCollectedMessage(message);
}

// A pair with a load spectrum: the spectrum's application factors, the
// limit torques, the spectrum's life, and the pair at its nominal torque.
// Its messages: the spectrum's own, then the geometry's and the final
// run's; those of the limit-load trials are dropped.
//
// The geometry is formed once, before: nothing after it changes what it
// reads. The strength at the nominal torque with the entered application
// factors is only a gate: where it ends in a fatal error or finds no torque,
// that run and its messages are the pair's result, as they are where the
// spectrum cannot be read. The searches leave the pair as their last trial
// left it; one run at the nominal torque ends the calculation.
void CalcWithLoadSpectrum()
{
    auto& g = GearPair;
    const std::vector<TCollectedMessage> geometryMessages = CollectedMessages();
    // The gate and the limit load searches change nothing but the load and
    // the application factors: what does not move with them is formed by the
    // gate and taken by the searches' trials. The runs whose results stand
    // are made without it.
    std::optional<TLoadFreeMemo> loadFree(std::in_place);
    {
        const TMutedMessages gate;
        CalcStrength();
    }
    const TNominalSafeties gateSafeties{MinExt(g.SF[2], g.SF[1]), MinExt(g.SH[2], g.SH[1])};
    // A torque of 0 (nor a power to form it from) gives no spectrum.
    if (telmvar.FatalCalcError || g.T[1] == 0) {
        loadFree.reset();
        RestartAfterGeometry(geometryMessages);
        CalcStrength();
        return;
    }

    // The spectrum's application factors rest on the spectrum and the
    // nominal torque alone, not on the limit torques. Formed first, they are
    // in force for the limit torque search as well as for the final run, so
    // one calculation gives the final values; the entered KA_H and KA_F stay
    // as the user gave them.
    const auto& routines = loadspectrumroutines;
    const bool formed = routines.Factors && routines.Factors();
    if (telmvar.FatalCalcError) {
        loadFree.reset();
        RestartAfterGeometry(geometryMessages);
        CalcStrength();
        routines.Factors();
        return;
    }
    std::vector<TCollectedMessage> spectrumMessages;
    // The gate added nothing: the list held the geometry's messages.
    AppendMessagesNotIn(geometryMessages, spectrumMessages);
    g.SpectrumFactorsInForce = formed && g.KaFromLoadSpectrum == 1;

    // The gate's safeties are those of a trial at the nominal torque while
    // the trials keep the entered application factors.
    Extended rootLimit = 0, pittingLimit = 0;
    FindLimitLoads(rootLimit, pittingLimit, g.SpectrumFactorsInForce ? nullptr : &gateSafeties);
    loadFree.reset();
    if (formed && routines.Life) routines.Life(rootLimit, pittingLimit);

    // Keep only the messages of the final run at the nominal torque, not
    // those of the limit-load trials; the spectrum's own messages (a
    // falling spectrum, a material row the table lacks) stay.
    AppendMessagesNotIn({}, spectrumMessages);
    ResetErrorState();
    for (const TCollectedMessage& message : spectrumMessages)
        AddErrorMessage(message.Text);
    for (const TCollectedMessage& message : geometryMessages)
        AddCollectedMessage(message);
    CalcStrength();
    if (telmvar.FatalCalcError) {
        // Fatal at the nominal torque with the spectrum's factors, though
        // not with the entered ones: the message list of that run, the
        // failed pitting search and the spectrum's life.
        ResetErrorState();
        CalcStrength();
        AddLimitLoadNotFoundMessage(2);
        if (formed && routines.Life) routines.Life(rootLimit, pittingLimit);
        return;
    }
    // A failed limit torque search must stay visible after the reset above.
    AddLimitLoadNotFoundMessage(1);
    AddLimitLoadNotFoundMessage(2);
}

} // namespace

void CalcGearPair()
{
    auto& g = GearPair;
    // A stage's calculation has its memo already, which this one would only
    // join: it is made only for a pair calculated on its own.
    std::optional<TArcInvoluteMemo> involuteInverses;
    if (TArcInvoluteMemo::Active() == nullptr) involuteInverses.emplace();
    telmvar.Aborted = false;
    ResetErrorState();
    // Whatever an earlier pair put in force is no input of this one.
    g.SpectrumFactorsInForce = false;
    CalcGeometry();
    if (telmvar.FatalCalcError) return;
    if (g.LoadSpectrumCount < 1)
        CalcStrength();
    else
        CalcWithLoadSpectrum();
}
