#include "planetary/predimensioning.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "gearpair/allowances.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/measuring.h"
#include "planetary/kinematics.h"
#include "planetary/meshtransfer.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"

#include <cmath>
#include <optional>
#include <tuple>

namespace
{

bool Refuse(const std::string& Text)
{
    AddFatalMessage(Text);
    return false;
}

Extended BToMn()
{
    return PlanetaryStage.PredimBToMn > 0 ? PlanetaryStage.PredimBToMn : 15.0L;
}

// Sun diameter of the pair S-Pi from the flank-strength estimate.
Extended SunDiameter(Extended Tp, Extended u, Extended mn)
{
    return 0.35L * std::sqrt(std::fabs((u + 1) * (Tp * 2000 / (mn * BToMn())) / u));
}

int Nearest(Extended x)
{
    return static_cast<int>(Round(x));
}

// The field of the project file that would refuse the tooth number X of
// the gear counted in Z; null when a stage can have it.
std::optional<TProjectField> TeethFault(Extended X, const int& Z)
{
    std::optional<TProjectField> f = ProjectFieldOf(&Z);
    return f && !f->InRange(X) ? f : std::nullopt;
}

void MeasureMesh(int m)
{
    auto& p = GearPair;
    LoadMesh(m);
    CalcGeometry();
    for (int j = 1; j <= 2; ++j) {
        // Entered in the stage records: the mesh stores back only what it derived.
        const int g = MeshGearOrder(m)[j];
        PlanetaryGears.SpanTeeth[g] = kmess(p.z[j], p.beta_rad, p.alpha_rad, p.xemin[j], p.mn);
        p.DM[j] = DmMess(p.z[j], p.beta_rad, p.alpha_rad, p.xemin[j], p.mn);
    }
    StoreMesh(m);
}

} // namespace

Extended PredimModule(Extended Tp, Extended u, Extended a)
{
    return std::sqrt(std::fabs(Tp * 1000 * (u + 1) * 6 / (BToMn() * 750 * a)));
}

bool SetPredimDriveData(Extended k)
{
    auto& st = PlanetaryStage;
    auto& sh = PlanetaryShafts;
    const int in = sh.InputShaft, out = sh.OutputShaft;
    if (in < 1 || in > 3 || out < 1 || out > 3 || in == out)
        return Refuse("Fatal  : input shaft = output shaft !");
    if (st.nIn == 0) return Refuse("Fatal  : n input = 0 !");
    if (st.nOut == 0) return Refuse("Fatal  : n output = 0 !");

    TArray<Extended, 1, 3> n{};
    n[in] = st.nIn;
    n[out] = st.nOut;
    const int fixed = 6 - in - out;
    n[fixed] = 0;
    const Extended nS = n[shaftS], nC = n[shaftC], nH = n[shaftH];
    // Sun, carrier and ring at one speed, or carrier and ring together with
    // the sun elsewhere: no stationary ratio exists.
    if (nC == nH) return Refuse("Fatal  : i0 = 1 !");
    const Extended i0 = -(nS - nC) / (nC - nH);
    // A plus stage with double planets needs a ring larger than the sun: the
    // stationary ratio zH/zS must exceed 1. At 1 the planets would have no
    // teeth and the Willis equation no solution.
    if (std::fabs(i0 - 1) < 1e-9L) return Refuse("Fatal  : i0 = 1 !");
    if (i0 < 1) return Refuse("Fatal  : i0 < 1 !");

    st.n = n;
    sh.FixedShaft = fixed;
    st.i0 = i0;
    st.i = std::fabs(st.nIn / st.nOut);
    st.npC[1] = k * (nC - nS) / (i0 - 1);
    st.npC[2] = -st.npC[1];
    st.nBearing[1] = st.npC[1];
    st.nBearing[2] = st.npC[2];
    return true;
}

void SetPredimDefaults()
{
    auto& g = PlanetaryGears;
    const Extended mn = GearPair.mn;
    for (int m = 1; m <= 3; ++m) {
        g.ck[1][m] = 0.12L * mn;
        g.ck[2][m] = 0.12L * mn;
    }
    for (int k = 1; k <= 4; ++k)
        g.kmn[k] = 0;
    auto& st = PlanetaryStage;
    st.PredimFlags[1] = 2;
    st.PredimFlags[2] = 0;
    st.PredimFlags[3] = 3;
    st.PredimFlags[4] = 0;
    st.PredimWords[1] = 2;
    st.PredimWords[2] = 2;
}

void PredimMeasuringData()
{
    telmvar.FatalCalcError = false;
    MeasureMesh(mSPi);
    MeasureMesh(mPeH);
}

bool Predimension()
{
    auto& st = PlanetaryStage;
    auto& g = PlanetaryGears;
    auto& p = GearPair;

    telmvar.FatalCalcError = false;
    ResetErrorState();
    if (st.PredimBToMn <= 0) st.PredimBToMn = 15.0L;
    if (st.PredimSafety <= 0) st.PredimSafety = 1.0L;
    if (p.qp <= 0) return Refuse("Fatal  : q = 0 !");
    if (st.DriveValue == 0) return Refuse("Fatal  : power = 0 !");
    // Everything below writes the stage: refuse the drive data first. A
    // refusal further on leaves the stage as it was.
    const TPlanetaryStage stageBefore = st;
    const TPlanetaryShafts shaftsBefore = PlanetaryShafts;
    const TPlanetaryGears gearsBefore = g;
    const TGearPairData pairBefore = p;
    const auto restore = [&] {
        st = stageBefore;
        PlanetaryShafts = shaftsBefore;
        g = gearsBefore;
        p = pairBefore;
    };
    if (!SetPredimDriveData(PredimPlanetFactor)) return false;

    p.alpha = 20;
    p.beta = 0;
    p.alpha_rad = DegToRad(p.alpha);
    p.beta_rad = 0;
    for (int k = 1; k <= 4; ++k)
        g.MaterialKind[k] = 1;

    if (st.Kgamma == 0) st.Kgamma = 1.0L;
    // The input torque of the entered power, as the stage calculation takes it.
    st.TN = st.DriveValue * 60000 / (st.nIn * 2 * Pi);
    CalcShaftTorques();
    if (telmvar.FatalCalcError) {
        restore();
        return false;
    }
    CalcShaftPowers();

    const Extended psi = st.PredimBToMn;
    p.P = st.Kgamma * st.PW / p.qp;
    p.u = (st.i0 - 1) / PredimPlanetFactor;
    p.n[1] = p.u * std::fabs(st.npC[1]);
    if (p.n[1] == 0 || p.P == 0) {
        restore();
        return Refuse(p.n[1] == 0 ? "Fatal  : n = 0 !" : "Fatal  : power = 0 !");
    }
    p.T[1] = p.P * 60000 / (p.n[1] * 2 * Pi);
    const Extended Tp = st.PredimSafety * p.T[1];
    const Extended u = p.u;

    Extended d1 = 1.25L * SafePower("predim", Tp * 32 * 1000 / (300 * Pi), 1.0L / 3);
    Extended d2 = 0;
    for (int pass = 0; pass < 6; ++pass) {
        d2 = d1 * u;
        p.a = (d1 + d2) / 2;
        p.mn = PredimModule(Tp, u, p.a);
        d1 = SunDiameter(Tp, u, p.mn);
    }
    p.mn = GetStandardModule(1, PredimModule(Tp, u, p.a));
    p.mt = p.mn / std::cos(p.beta_rad);
    d1 = SunDiameter(Tp, u, p.mn);
    d2 = d1 * u;
    p.a = (d1 + d2) / 2;
    p.d[1] = d1;
    p.d[2] = d2;

    for (int m = 1; m <= 3; ++m) {
        g.b_effH[m] = p.mn * psi;
        g.bctr[m] = 0;
    }
    for (int k = 1; k <= 4; ++k) {
        g.b[k] = p.mn * psi;
        g.bcha[k] = 0;
    }

    // A sun or ring no stage can have (a drive whose torque gives a sun of
    // millions of teeth) is refused before its tooth number is made a whole
    // number, which could not hold it.
    const Extended zSExact = Round(d1 / p.mt);
    const Extended zHExact = -Round(zSExact * st.i0);
    for (const auto& [x, z, name] :
         {std::tuple{zSExact, &g.z[gS], "zS"}, std::tuple{zHExact, &g.z[gH], "zH"}})
        if (std::optional<TProjectField> f = TeethFault(x, *z)) {
            restore();
            f->Name = name;
            return Refuse("Fatal  : number of teeth " + f->RangeText(RangeBoundText(x)) + " !");
        }
    int zS = static_cast<int>(zSExact);
    int zH = static_cast<int>(zHExact);
    int zPi = Nearest((-zS - zH) / PredimPlanetFactor + 0.01L);
    int zPe = zPi;
    SetPredimDefaults();
    g.x[gS] = 0.5L;
    g.x[gPi] = 0.5L;
    g.x[gPe] = 0.5L;
    g.x[gH] = -0.5L;
    if (AssemblyConditionFails(zH, zS, p.qp, true)) {
        StepTeethNumbers('H', '<', p.qp, zS, zPi, zH);
        StepTeethNumbers('P', '0', p.qp, zS, zPi, zH);
        StepTeethNumbers('P', '0', p.qp, zS, zPe, zH);
        SetPredimDefaults();
    }
    g.z[gS] = zS;
    g.z[gPi] = zPi;
    g.z[gPe] = zPe;
    g.z[gH] = zH;

    const int q = p.qp;
    const int Np[] = {0, 2, 2, 0};
    const int contacts[] = {q, 2, 2, q};
    for (int k = 1; k <= 4; ++k) {
        g.Np[k] = Np[k - 1];
        g.e[k] = contacts[k - 1];
        g.di[k] = 0;
        g.dB[k] = 0;
    }
    // The centre distances follow from the new tooth numbers.
    for (int m = 1; m <= 3; ++m)
        g.a[m] = 0;

    PredimMeasuringData();
    CalcPlanetaryStage();
    return !telmvar.FatalCalcError;
}
