#include "drawings/stage/stagetables.h"

#include "drawings/stage/drawingtable.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadtable.h"
#include "graphics/cadsettings.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/driveconfigurations.h"
#include "planetary/suggestions.h"

#include <algorithm>
#include <cmath>

namespace stagetables
{

namespace
{

// beta of "eps.beta" in the drawing texts' code page.
const std::string EpsBeta = "eps.\xE1";

using Cells4 = TArray<std::string, 1, 4>;

template <class F> Cells4 PerGearCells(F Format)
{
    Cells4 c;
    for (int g = gS; g <= gH; ++g)
        c[g] = Format(g);
    return c;
}

template <class F> TArray<std::string, 1, 3> PerMeshCells(F Format)
{
    TArray<std::string, 1, 3> c;
    for (int m = mSPi; m <= mPeH; ++m)
        c[m] = Format(m);
    return c;
}

// The four gear cells of entries K (slot 1) and K + 3 (slot 2) of mesh K:
// each value in its gear's column, the other two empty.
Cells4 MeshPairCells(const SlotArray& A, int M)
{
    Cells4 c;
    c[MeshSlotGear(M, 1)] = FormatFloatFixed(5, 2, MeshGearEntry(A, M));
    c[MeshSlotGear(M, 2)] = FormatFloatFixed(5, 2, MeshGearEntry(A, M + 3));
    return c;
}

std::string Len(int I, int D, Extended X)
{
    return FormatLengthFixed(I, D, X);
}
std::string Fix(int I, int D, Extended X)
{
    return FormatFloatFixed(I, D, X);
}

} // namespace

// --- accessors -----------------------------------------------------------------

Extended MeshGearEntry(const SlotArray& A, int K)
{
    if (K >= 1 && K <= 3) return A[1][K];
    if (K >= 4 && K <= 6) return A[2][K - 3];
    return 0;
}

int MeshSlotGear(int M, int Slot)
{
    return Slot == 1 ? M : M + 1;
}

Extended SpecificSlidingTip(int M, int Slot)
{
    return Slot == 1 ? PlanetaryGears.zeta_a1[M] : PlanetaryGears.zeta_a2[M];
}

Extended SpecificSlidingRoot(int M, int Slot)
{
    return Slot == 1 ? PlanetaryGears.zeta_f1[M] : PlanetaryGears.zeta_f2[M];
}

Extended PlanetBearingLoad(int N)
{
    return PlanetaryStage.FlPm[std::clamp(N, 1, 2)];
}

Extended PlanetBearingSpeed(int N)
{
    return PlanetaryStage.nBearing[std::clamp(N, 1, 2)];
}

Extended PlanetOffsetAngle()
{
    return PlanetaryStage.PhiSun;
}

bool PowerSharing()
{
    return PlanetaryStage.PowerSplit;
}

Extended FailureProbability(int ReliabilityIndex)
{
    static const TArray<Extended, 1, 14> percent = {
        {10, 5, 4, 3, 2, 1, 0.8L, 0.6L, 0.4L, 0.2L, 0.1L, 0.08L, 0.06L, 0.05L}};
    return percent[std::clamp(ReliabilityIndex, 1, 14)];
}

std::string LifeMethodSuffix(int LifeFactorMode)
{
    static const TArray<const char*, 0, 4> suffix = {{"0", "a", "a", "m", "m"}};
    return suffix[std::clamp(LifeFactorMode, 0, 4)];
}

std::string AdjustedLifeLabel(const WaelzLagerTyp& B)
{
    return "L" + FloatToSignificant(FailureProbability(B.ReliabilityIndex)) +
           LifeMethodSuffix(B.LifeFactorMode);
}

const TArray<const char*, 1, 6> DriveRolesS = {{"in", "in", "locked", "locked", "out", "out"}};
const TArray<const char*, 1, 6> DriveRolesC = {{"out", "locked", "in", "out", "locked", "in"}};
const TArray<const char*, 1, 6> DriveRolesH = {{"locked", "out", "out", "in", "in", "locked"}};

// --- the stage sheet ---------------------------------------------------------------

namespace
{

// The tables' text height; the strength table, the lowest, with its heading
// and eight rows.
constexpr Extended StageTextHeight = 1.9L, StrengthTableTop = 50;
constexpr int StrengthTableRows = 9;

} // namespace

Extended StageTablesBottom()
{
    return StrengthTableTop - StrengthTableRows * 2 * StageTextHeight;
}

void WriteStageTables()
{
    CadSetLayer(19);
    CadSetTextStyle(2, 0, 2.2L, 1.7L);
    CadMoveTo(5, 116);
    for (int k = 1; k <= 3; ++k)
        CadTextLine(telmvar.RemarkLines[k]);

    const auto& g = PlanetaryGears;
    const auto& st = PlanetaryStage;
    const auto& p = GearPair;
    const Extended h = StageTextHeight;
    const std::string len = LengthUnitLabel();
    const std::string deg = DegreeSign();

    {
        TCadTable t;
        t.Init(StageTablesLeft, StageTablesTop, h, {19, 3, 3, 6, 6, 6, 6},
               {"Dimensions", "  ", "  ", "   S", "   Pi", "   Pe", "    H"});
        auto row = [&](const char* Text, const char* Symbol, const std::string& Unit, const Cells4& c) {
            t.AddRow(Text, Symbol, Unit, c[1], c[2], c[3], c[4]);
        };
        row("no. of teeth", "z", "", PerGearCells([&](int k) { return IntToTextBlankPad(g.z[k], 5); }));
        row("profile shift coeff.", "x", "", PerGearCells([&](int k) { return Fix(2, 4, g.x[k]); }));
        row("face width", "b", len, PerGearCells([&](int k) { return Len(3, 2, g.b[k]); }));
        row("pitch circle diameter", "d", len, PerGearCells([&](int k) { return Len(3, 3, g.d[k]); }));
        row("root diameter", "df", len, PerGearCells([&](int k) { return Len(3, 3, g.df[k]); }));
        row("base diameter", "db", len, PerGearCells([&](int k) { return Len(3, 3, g.db[k]); }));
        row("tip dia.w.tip reduction", "da", len, PerGearCells([&](int k) { return Len(3, 3, g.da[k]); }));
    }
    {
        // Powers, speeds and torques of the shafts in kW, 1/min and N m,
        // whatever the unit system: the units are printed as they stand.
        TCadTable t;
        t.Init(2, 70, h, {19, 3, 6, 7, 7, 7, 0}, {"OPERATION DATA", "  ", "  ", "   S", "    C", "    H"});
        t.ApplyTextStyle(1.25L);
        t.AddRow("nominal power", "P", "kW", Fix(3, 3, st.P[shaftS]), Fix(3, 3, st.P[shaftC]),
                 Fix(3, 3, st.P[shaftH]));
        t.AddRow("rot. speed", "n", "1/min", FloatToField(8, st.n[shaftS]), FloatToField(8, st.n[shaftC]),
                 FloatToField(8, st.n[shaftH]));
        t.AddRow("torque", "T", "Nm", FloatToField(8, st.T[shaftS]), FloatToField(8, st.T[shaftC]),
                 FloatToField(8, st.T[shaftH]));
    }
    {
        TCadTable t;
        t.Init(2, StrengthTableTop, h, {19, 6, 4, 5, 5, 5, 5},
               {"strength", "  ", "  ", "   S", "    Pi", "    Pe", "    H"});
        const Cells4 hlim = PerGearCells([&](int k) { return Fix(8, 0, g.SigmaHlim[k]); });
        const Cells4 fe = PerGearCells([&](int k) { return Fix(8, 0, g.Sigma_FE[k]); });
        t.AddRow("allow.stress nr.(contact).", "S.Hlim", "MPa", hlim[1], hlim[2], hlim[3], hlim[4]);
        t.AddRow("allow.stress nr.(bend.)", "Sig.FE", "MPa", fe[1], fe[2], fe[3], fe[4]);
        static const char* const sh[] = {"SH-SPi", "SH-PiPe", "SH-PeH"};
        static const char* const sf[] = {"SF-SPi", "SF-PiPe", "SF-PeH"};
        for (int m = mSPi; m <= mPeH; ++m) {
            const Cells4 c = MeshPairCells(g.SH, m);
            t.AddRow("safety factor pitting", sh[m - 1], "", c[1], c[2], c[3], c[4]);
        }
        for (int m = mSPi; m <= mPeH; ++m) {
            const Cells4 c = MeshPairCells(g.SF, m);
            t.AddRow("safety factor tooth breakage", sf[m - 1], "", c[1], c[2], c[3], c[4]);
        }
    }
    {
        TCadTable t;
        t.Init(88, 106, h, {21, 5, 5, 9, 0, 0, 0}, {"Dimensions, strength", "  ", "  ", "", " ", " "});
        t.AddRow("pressure angle", "alpha", deg, Fix(2, 5, p.alpha));
        t.AddRow("helix angle", "beta", deg, Fix(2, 5, p.beta));
        t.AddRow("normal module", "mn", len, Len(2, 4, p.mn));
        t.AddRow("no. planet wheels", "qp", "", IntToTextBlankPad(p.qp, 5));
        t.AddRow("trans.press.ang,gen.pitchcyl.", "al.t", deg, Fix(4, 3, RadToDeg(p.alpha_t)));
        t.AddRow("rot. power", "PW", "kW", Fix(3, 3, st.PW));
        t.AddRow("gear ratio", "i", "", Fix(3, 3, st.i));
        // The table has one value column: a second cell for the outer
        // planets' load would never be drawn, so each planet kind gets its
        // own row.
        t.AddRow("bearing load planet wheel Pi", "FlP", "N", FloatToField(8, PlanetBearingLoad(1)));
        t.AddRow("bearing load planet wheel Pe", "FlP", "N", FloatToField(8, PlanetBearingLoad(2)));
    }
    {
        // Forces in N in every unit system, as the unit column says.
        TCadTable t;
        t.Init(88, 60, h, {19, 4, 3, 5, 5, 5, 0},
               {"Dimensions, strength", "  ", "  ", "  S-Pi", "  Pi-Pe", "  Pe-H"});
        t.ApplyTextStyle(1.25L);
        auto row = [&](const std::string& Text, const std::string& Symbol, const std::string& Unit,
                       const TArray<std::string, 1, 3>& c) {
            t.AddRow(Text, Symbol, Unit, c[1], c[2], c[3]);
        };
        row("pressure path", "g al.", len, PerMeshCells([&](int m) { return Len(4, 3, g.g_alpha[m]); }));
        row("transverse contact ratio", "eps.al.", "",
            PerMeshCells([&](int m) { return Fix(4, 3, g.eps_alpha[m]); }));
        row("face contact ratio", EpsBeta, "", PerMeshCells([&](int m) { return Fix(4, 3, g.eps_beta[m]); }));
        row("total contact ratio", "eps.g.", "",
            PerMeshCells([&](int m) { return Fix(4, 3, g.eps_gamma[m]); }));
        row("nom.transv.load gen.pt.cyl.", "Ft", "N",
            PerMeshCells([&](int m) { return Fix(8, 0, g.Ft[m]); }));
        row("nom.transv.load op.pt.cyl.", "Ftw", "N",
            PerMeshCells([&](int m) { return Fix(8, 0, g.Ftw[m]); }));
        row("nom.ax.load op.pt.cyl.", "Fxw", "N", PerMeshCells([&](int m) { return Fix(8, 0, g.Fxw[m]); }));
        row("nom.rad.load op.pt.cyl.", "Frw", "N", PerMeshCells([&](int m) { return Fix(8, 0, g.Frw[m]); }));
        row("nom.norm.load op.pt.cyl.", "Fnw", "N", PerMeshCells([&](int m) { return Fix(8, 0, g.Fnw[m]); }));
    }
}

// --- compact tables of the sheets ------------------------------------------------------

void WriteDimensionTable(int Mode, Extended X, Extended Y, Extended H)
{
    const auto& g = PlanetaryGears;
    const std::string len = LengthUnitLabel();
    TCadTable t;
    t.Init(X, Y, H, {Mode == 2 ? 7.0L : 4.0L, 4, 7, 7, 7, 7, 0},
           {"  ", " ", "   S", "   Pi", "   Pe", "     H"});
    auto row = [&](const std::string& Symbol, const std::string& Unit, const Cells4& c) {
        t.AddRow(Symbol, Unit, c[1], c[2], c[3], c[4]);
    };
    row("z", "", PerGearCells([&](int k) { return IntToTextBlankPad(g.z[k], 5); }));
    row("x", "", PerGearCells([&](int k) { return Fix(2, 4, g.x[k]); }));
    row("b", len, PerGearCells([&](int k) { return Len(3, 2, g.b[k]); }));
    row("d", len, PerGearCells([&](int k) { return Len(3, 3, g.d[k]); }));
    row("df", len, PerGearCells([&](int k) { return Len(3, 3, g.df[k]); }));
    row("db", len, PerGearCells([&](int k) { return Len(3, 3, g.db[k]); }));
    row("da", len, PerGearCells([&](int k) { return Len(3, 3, g.da[k]); }));
    if (Mode == 2) {
        row("Sig.Hlim", "MPa", PerGearCells([&](int k) { return Fix(8, 0, g.SigmaHlim[k]); }));
        row("Sig.FE", "MPa", PerGearCells([&](int k) { return Fix(8, 0, g.Sigma_FE[k]); }));
    }
    row("zn", "", PerGearCells([&](int k) { return Fix(4, 2, g.zn[k]); }));
}

void WriteOperationTable(Extended X, Extended Y, Extended H)
{
    const auto& st = PlanetaryStage;
    TCadTable t;
    t.Init(X, Y, H, {8, 5, 8, 8, 8, 0, 0},
           {PowerSharing() ? "Pout=Pin+Pcontrol" : "", "", "     S", "     C", "     H"});
    t.AddRow("P", "kW", Fix(3, 3, st.P[shaftS]), Fix(3, 3, st.P[shaftC]), Fix(3, 3, st.P[shaftH]));
    t.AddRow("n", "1/min", FloatToField(8, st.n[shaftS]), FloatToField(8, st.n[shaftC]),
             FloatToField(8, st.n[shaftH]));
    t.AddRow("T", "Nm", FloatToField(8, st.T[shaftS]), FloatToField(8, st.T[shaftC]),
             FloatToField(8, st.T[shaftH]));
}

void WriteStrengthTable(Extended X, Extended Y, Extended H)
{
    const auto& g = PlanetaryGears;
    TCadTable t;
    t.Init(X, Y, H, {8, 5, 7, 7, 7, 7, 0}, {"", "", "    S", "    Pi", "    Pe", "    H"});
    const Cells4 hlim = PerGearCells([&](int k) { return Fix(8, 0, g.SigmaHlim[k]); });
    const Cells4 fe = PerGearCells([&](int k) { return Fix(8, 0, g.Sigma_FE[k]); });
    t.AddRow("Sig.Hlim", "MPa", hlim[1], hlim[2], hlim[3], hlim[4]);
    t.AddRow("Sig.FE", "MPa", fe[1], fe[2], fe[3], fe[4]);
    static const char* const sh[] = {"SH-SPi", "SH-PiPe", "SH-PeH"};
    static const char* const sf[] = {"SF-SPi", "SF-PiPe", "SF-PeH"};
    for (int m = mSPi; m <= mPeH; ++m) {
        const Cells4 c = MeshPairCells(g.SH, m);
        t.AddRow(sh[m - 1], "", c[1], c[2], c[3], c[4]);
    }
    for (int m = mSPi; m <= mPeH; ++m) {
        const Cells4 c = MeshPairCells(g.SF, m);
        t.AddRow(sf[m - 1], "", c[1], c[2], c[3], c[4]);
    }
}

void WriteGeneralDataTable(int Mode, Extended X, Extended Y, Extended H)
{
    const auto& p = GearPair;
    const auto& st = PlanetaryStage;
    const std::string deg = DegreeSign();
    TCadTable t;
    t.Init(X, Y, H, {6, 5, 7, 0, 0, 0, 0}, {"  ", " ", " "});
    t.AddRow("alpha", deg, Fix(2, 3, p.alpha));
    t.AddRow("beta", deg, Fix(2, 3, p.beta));
    t.AddRow("mn", LengthUnitLabel(), Len(2, 3, p.mn));
    t.AddRow("qp", "", IntToTextBlankPad(p.qp, 5));
    if (Mode == 2) return;
    t.AddRow("Input", "", "  " + ShaftLetter(PlanetaryShafts.InputShaft));
    t.AddRow("Output", "", "  " + ShaftLetter(PlanetaryShafts.OutputShaft));
    t.AddRow("i", "out/in", Fix(3, 3, st.i));
    if (PlanetaryGears.z[gS] != 0) t.AddRow("i0", "-zh/zs", Fix(3, 3, st.i0));
}

void WriteMeshDataTable(Extended X, Extended Y, Extended H)
{
    const auto& g = PlanetaryGears;
    const std::string force = ForceUnitLabel();
    TCadTable t;
    t.Init(X, Y, H, {5, 2, 6, 6, 6, 0, 0}, {"  ", "  ", "  S-Pi", " Pi-Pe", " Pe-H"});
    auto row = [&](const std::string& Symbol, const std::string& Unit, const TArray<std::string, 1, 3>& c) {
        t.AddRow(Symbol, Unit, c[1], c[2], c[3]);
    };
    // The centre distances stay in mm without a unit on the metric sheets. The
    // inch sheet converts them and names the unit like its other lengths, on
    // purpose rather than keeping them in mm: one mm value among inches would
    // be read as inches.
    const bool inch = wtelmvar.UnitSystem == 1;
    row("a", inch ? LengthUnitLabel() : "", PerMeshCells([&](int m) { return Len(4, 2, g.aInUse[m]); }));
    row("eps.al.", "", PerMeshCells([&](int m) { return Fix(4, 3, g.eps_alpha[m]); }));
    row(EpsBeta, "", PerMeshCells([&](int m) { return Fix(4, 3, g.eps_beta[m]); }));
    row("eps.g.", "", PerMeshCells([&](int m) { return Fix(4, 3, g.eps_gamma[m]); }));
    row("Ftw", force, PerMeshCells([&](int m) { return FormatForceFixed(8, 0, g.Ftw[m]); }));
    row("Fxw", force, PerMeshCells([&](int m) { return FormatForceFixed(8, 0, g.Fxw[m]); }));
    row("Frw", force, PerMeshCells([&](int m) { return FormatForceFixed(8, 0, g.Frw[m]); }));
}

void WriteApplicationFactorTable(Extended X, Extended Y, Extended H)
{
    TCadTable t;
    t.Init(X, Y, H, {4, 5}, {});
    t.AddRow("KA F", Fix(2, 2, ApplicationFactorF(GearPair)));
    t.AddRow("KA H", Fix(2, 2, ApplicationFactorH(GearPair)));
}

void WriteBearingTable(int N, Extended X, Extended Y, Extended H)
{
    N = std::clamp(N, 1, 2);
    const WaelzLagerTyp& b = PlanetBearings[N];
    TCadTable t;
    t.Init(X, Y, H, {6, 5, 7}, {std::string(N == 1 ? "Pi" : "Pe") + ": " + b.Designation, "", ""});
    t.AddRow("FlP", "N", FloatToField(6, PlanetBearingLoad(N)));
    t.AddRow("nPC", "1/min", FloatToField(6, PlanetBearingSpeed(N)));
    if (WithoutBlanks(b.Designation).empty()) return;
    t.AddRow("L10", "Mill.", FloatToSignificant(b.L10));
    t.AddRow(AdjustedLifeLabel(b), "Mill.", FloatToSignificant(b.Lna));
}

void WriteSpecificSlidingTable(Extended X, Extended Y, Extended H)
{
    TCadTable t;
    t.Init(X, Y, H, {5, 5, 5, 5, 5, 0, 0}, {"  ", "  S", "  Pi", "  Pe", "  H"});
    for (int m = mSPi; m <= mPeH; ++m) {
        Cells4 tip, root;
        for (int s = 1; s <= 2; ++s) {
            tip[MeshSlotGear(m, s)] = Fix(3, 1, SpecificSlidingTip(m, s));
            root[MeshSlotGear(m, s)] = Fix(3, 1, SpecificSlidingRoot(m, s));
        }
        t.AddRow("zeta a", tip[1], tip[2], tip[3], tip[4]);
        t.AddRow("zeta f", root[1], root[2], root[3], root[4]);
    }
}

void WriteBacklashTable(Extended X, Extended Y, Extended H)
{
    const auto& st = PlanetaryStage;
    const std::string deg = DegreeSign();
    TCadTable t;
    t.Init(X, Y, H, {5, 3, 5, 5, 0, 0, 0},
           {"jt", "  ", "in (" + ShaftLetter(PlanetaryShafts.InputShaft) + ")",
            "out(" + ShaftLetter(PlanetaryShafts.OutputShaft) + ")"});
    t.AddRow("jtmin", deg, Fix(2, 2, st.BacklashAngleInMin), Fix(2, 2, st.BacklashAngleOutMin));
    t.AddRow("jtmax", deg, Fix(2, 2, st.BacklashAngleInMax), Fix(2, 2, st.BacklashAngleOutMax));
}

namespace
{
const char* const CarrierTableHeading = "coordinates planet carrier";
}

Extended CarrierTableHeadingLength()
{
    return static_cast<Extended>(std::string(CarrierTableHeading).size()) * 5.2L *
           cadsettings.CadTextWidthFactor;
}

void WriteCarrierCoordinatesTable(int RowsPerColumn)
{
    CadSetLayer(4);
    CadSetTextStyle(2, 0, 3.5L, 5.2L);
    CadMoveTo(0, 3);
    CadTextLine(CarrierTableHeading);
    const std::string len = LengthUnitLabel();
    TCadTable t;
    auto head = [&](Extended X) {
        t.Init(X, 0, 3.5L, {5, 10, 10, 10}, {"i", "phi " + DegreeSign(), "x  " + len, "y " + len});
    };
    head(0);
    int inColumn = 0;
    auto row = [&](const std::string& Label, Extended Phi, Extended R) {
        if (RowsPerColumn > 0 && inColumn == RowsPerColumn) {
            head(t.x[t.N] + CarrierTableColumnGap);
            inColumn = 0;
        }
        ++inColumn;
        t.AddRow(Label, Fix(6, 3, RadToDeg(Phi)), Len(6, 3, R * std::cos(Phi)), Len(6, 3, R * std::sin(Phi)));
    };
    const int qp = GearPair.qp;
    for (int k = 0; k < qp; ++k)
        row(" i" + IntToText(k + 1), PlanetAngle(k) + PlanetOffsetAngle(),
            std::fabs(PlanetaryGears.aInUse[mSPi]));
    for (int k = 0; k < qp; ++k)
        row(" e" + IntToText(k + 1), PlanetAngle(k), std::fabs(PlanetaryGears.aInUse[mPeH]));
}

// --- the six drive configurations ---------------------------------------------------------

void DriveConfigTable(Extended X, Extended Y, Extended H)
{
    TAusTabelle t = TableCreate(X, Y, H, {3, 6, 6, 6, 7, 7, 7, 7, 7},
                                {"", "   S", "   C", "   H", "n out /min", "T out " + TorqueUnitLabel(),
                                 "i=n out/in", "SH min", "SF min"});
    const TDriveConfigResults rows = CalcDriveConfigurations();
    for (int k = 1; k <= 6; ++k) {
        const std::string number = IntToText(k);
        const TDriveConfigResult& r = rows[k];
        if (!r.Calculated) {
            TableAddRow(t, {number, DriveRolesS[k], DriveRolesC[k], DriveRolesH[k], "-", "-", "-", "-", "-"});
            continue;
        }
        TableAddRow(t, {number, DriveRolesS[k], DriveRolesC[k], DriveRolesH[k], Fix(6, 0, r.nOut),
                        FormatTorqueFixed(7, 0, r.TOut), Fix(3, 3, r.Ratio), Fix(5, 1, r.SHmin),
                        Fix(5, 1, r.SFmin)});
    }
}

} // namespace stagetables
