#include "planetary/projectfile.h"

#include "foundation/codepage.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "planetary/filenames.h"
#include "planetary/loadspectrum/loadspectrum.h"

#include <cmath>
#include <cstdint>

namespace
{

TTextFile& Shared()
{
    return textfile.SharedTextFile;
}

const std::string HeaderRule(65, '-');

std::string Idx(const char* name, int i)
{
    return std::string(name) + "[" + std::to_string(i) + "]";
}

// Bounds no gearbox reaches, for the fields whose inputs are not checked
// where they are entered: lengths in mm (100 m), speeds in 1/min, torques in
// N m, powers in kW, stresses and moduli in MPa, factors.
constexpr Extended MaxLength = 1e5L;
constexpr Extended MaxAllowance = 1e3L;
constexpr Extended MaxSpeed = 1e6L;
constexpr Extended MaxTorque = 1e12L;
constexpr Extended MaxPower = 1e9L;
constexpr Extended MaxStress = 1e5L;
constexpr Extended MaxModulus = 1e7L;
constexpr Extended MaxFactor = 1e4L;
// Tooth numbers: enough for any ring gear, small enough that no product of
// tooth numbers overflows an integer.
constexpr int MaxTeeth = 5000;
// Planet sets that fit round a sun; beyond this the drawings and reports
// of each planet would run for minutes.
constexpr int MaxPlanets = 100;
// A stress or modulus must be positive; this is the smallest taken.
constexpr Extended Positive = 1e-3L;
// The smallest module, face width or diameter other than 0: the reports
// print these to two decimals, and a stage below it is no stage.
constexpr Extended LeastSize = 0.01L;

// Builds the table line by line; the helpers name each kind once.
struct TFieldList {
    std::vector<TProjectField> f;
    void Num(Extended& x, std::string n, Extended lo, Extended hi)
    {
        f.push_back({TProjectLineKind::Number, &x, std::move(n), lo, hi});
    }
    void Length(Extended& x, std::string n) { Num(x, std::move(n), -MaxLength, MaxLength); }
    // 0 (not given) or at least LeastSize across; diameters of the ring
    // gear carry its negative sign.
    void Size(Extended& x, std::string n, Extended lo, Extended hi)
    {
        Num(x, std::move(n), lo, hi);
        f.back().Least = LeastSize;
    }
    void Diameter(Extended& x, std::string n) { Size(x, std::move(n), -MaxLength, MaxLength); }
    void Factor(Extended& x, std::string n) { Num(x, std::move(n), 0, MaxFactor); }
    void Int(int& x, std::string n, int lo, int hi)
    {
        f.push_back({TProjectLineKind::Integer, &x, std::move(n), Extended(lo), Extended(hi)});
    }
    // A 16-bit field of the records; its range lies within 0 .. 65535.
    void Word(int& x, std::string n, int lo = 0, int hi = 65535)
    {
        f.push_back({TProjectLineKind::Word, &x, std::move(n), Extended(lo), Extended(hi)});
    }
    // A tooth number: external gears positive, the ring gear negative (a
    // positive one is turned round by the calculation). Two teeth are the
    // fewest the pair calculation takes.
    void Teeth(int& x, std::string n, bool ring)
    {
        f.push_back({TProjectLineKind::Integer, &x, std::move(n), 2, Extended(MaxTeeth), ring});
    }
    void Bool(bool& x, std::string n) { f.push_back({TProjectLineKind::Boolean, &x, std::move(n)}); }
    void Text(std::string& x, std::string n) { f.push_back({TProjectLineKind::Text, &x, std::move(n)}); }
    void Flag(char& x, std::string n) { f.push_back({TProjectLineKind::Flag, &x, std::move(n)}); }
};

// The flag letters: "J" (yes) and "N" (no); a hand-written "Y" reads as yes.
const char* const FlagLetters = "JNY";

// A flag line holds exactly one of the flag letters; anything but a yes is
// written as "N" (off).
char FlagChar(char c)
{
    return IsYesChar(c) ? 'J' : 'N';
}

// A value that is not a number (a calculation result stored back after a
// failed step) would make the file unreadable: it is written as 0, which the
// next calculation replaces, and the save says so.
void WriteFiniteNumber(Extended x, const std::string& name)
{
    if (!std::isfinite(x)) {
        AddErrorMessage("Project file: " + name + " is not a number, saved as 0 !");
        x = 0;
    }
    WriteNumberLine(x);
}

Extended FieldValue(const TProjectField& f)
{
    if (f.Kind == TProjectLineKind::Number) {
        const Extended x = *std::get<Extended*>(f.Target);
        return std::isfinite(x) ? x : 0; // written as 0, see WriteFiniteNumber
    }
    return *std::get<int*>(f.Target);
}

std::string FieldValueText(const TProjectField& f)
{
    if (f.Kind == TProjectLineKind::Number) return RangeBoundText(FieldValue(f));
    return std::to_string(*std::get<int*>(f.Target));
}

// The first field whose value lies outside its range, or null.
const TProjectField* FieldOutOfRange(const std::vector<TProjectField>& fields)
{
    for (const auto& f : fields)
        if (f.HasRange() && !f.InRange(FieldValue(f))) return &f;
    return nullptr;
}

void WriteField(const TProjectField& f)
{
    switch (f.Kind) {
    case TProjectLineKind::Number:
        WriteFiniteNumber(*std::get<Extended*>(f.Target), f.Name);
        break;
    case TProjectLineKind::Integer:
    case TProjectLineKind::Word:
        WriteIntLine(*std::get<int*>(f.Target));
        break;
    case TProjectLineKind::Boolean:
        WriteBoolLine(*std::get<bool*>(f.Target));
        break;
    case TProjectLineKind::Text:
        WriteTextLine(TextToLine(*std::get<std::string*>(f.Target)));
        break;
    case TProjectLineKind::Flag:
        WriteTextLine(std::string(1, FlagChar(*std::get<char*>(f.Target))));
        break;
    }
}

// The line a field puts into the file.
std::string FieldLineText(const TProjectField& f)
{
    switch (f.Kind) {
    case TProjectLineKind::Number: {
        const Extended x = *std::get<Extended*>(f.Target);
        return NumberLineText(std::isfinite(x) ? x : 0);
    }
    case TProjectLineKind::Integer:
    case TProjectLineKind::Word:
        return std::to_string(*std::get<int*>(f.Target));
    case TProjectLineKind::Boolean:
        return *std::get<bool*>(f.Target) ? "TRUE" : "FALSE";
    case TProjectLineKind::Text:
        return TextToLine(*std::get<std::string*>(f.Target));
    case TProjectLineKind::Flag:
        return std::string(1, FlagChar(*std::get<char*>(f.Target)));
    }
    return {};
}

bool SameLines(const std::vector<TProjectField>& A, const std::vector<TProjectField>& B)
{
    if (A.size() != B.size()) return false;
    for (std::size_t i = 0; i < A.size(); ++i)
        if (FieldLineText(A[i]) != FieldLineText(B[i])) return false;
    return true;
}

bool ReadField(TFileLineReader& r, const TProjectField& f)
{
    switch (f.Kind) {
    case TProjectLineKind::Number: {
        Extended& x = *std::get<Extended*>(f.Target);
        if (!r.NumberInRange(x, f.Lo, f.Hi, f.Name)) return false;
        if (!f.InRange(x)) {
            r.Fail(f.RangeText(RangeBoundText(x)));
            return false;
        }
        return true;
    }
    case TProjectLineKind::Integer:
    case TProjectLineKind::Word: {
        int n = 0;
        const int hi = static_cast<int>(f.Hi);
        if (!r.IntInRange(n, f.Magnitude ? -hi : static_cast<int>(f.Lo), hi, f.Name)) return false;
        if (!f.InRange(n)) {
            r.Fail(f.RangeText(std::to_string(n)));
            return false;
        }
        *std::get<int*>(f.Target) = n;
        return true;
    }
    case TProjectLineKind::Boolean:
        return r.Bool(*std::get<bool*>(f.Target));
    case TProjectLineKind::Text:
        return r.Text(*std::get<std::string*>(f.Target));
    case TProjectLineKind::Flag:
        return r.Flag(*std::get<char*>(f.Target), FlagLetters);
    }
    return false;
}

// The fields written after the title block and after the bearing blocks.
std::vector<TProjectField> CarrierNumbers(TProjectData& D)
{
    TFieldList l;
    l.Length(D.Stage.dcarrier, "dcarrier");
    l.Length(D.Stage.lcarrier, "lcarrier");
    l.Length(D.Stage.hcarrier, "hcarrier");
    return l.f;
}

std::vector<TProjectField> CarrierLines(TProjectData& D)
{
    TFieldList l;
    l.Int(D.Stage.CarrierForm, "CarrierForm", 1, 3);
    l.Bool(D.Stage.CarrierShaft, "CarrierShaft");
    return l.f;
}

void Refuse(const std::string& message)
{
    AddErrorMessage(message);
    telmvar.Aborted = true;
}

// A file not written: the refusal is also why (the box of a Save says it).
void Refuse(const std::string& message, std::string& Why)
{
    Refuse(message);
    Why = message;
}

} // namespace

bool TProjectField::InRange(Extended X) const
{
    if (!HasRange()) return true;
    if (Magnitude) X = X < 0 ? -X : X;
    if (Least > 0 && X != 0 && (X < 0 ? -X : X) < Least) return false;
    return X >= Lo && X <= Hi;
}

std::string TProjectField::RangeText(const std::string& Value) const
{
    const std::string lo = RangeBoundText(Lo), hi = RangeBoundText(Hi);
    if (Least > 0)
        return Name + " " + Value + " neither 0 nor at least " + RangeBoundText(Least) + " in size";
    if (Magnitude) return Name + " " + Value + " outside -" + hi + " .. -" + lo + " and " + lo + " .. " + hi;
    return Name + " " + Value + " outside " + lo + " .. " + hi;
}

TProjectData CaptureProject()
{
    TProjectData d;
    d.Stage = PlanetaryStage;
    d.Gears = PlanetaryGears;
    d.Shafts = PlanetaryShafts;
    d.Pair = GearPair;
    d.HideWarnings = wtelmvar.HideWarnings;
    d.GrindingNotch = GearPair.GrindingNotch[1] != 0 || GearPair.GrindingNotch[2] != 0;
    d.TitleBlockType = wtelmvar.TitleBlockType;
    d.Documentation = documentation;
    d.Bearings = PlanetBearings;
    d.RemarkLines = telmvar.RemarkLines;
    return d;
}

void CommitProject(const TProjectData& D)
{
    PlanetaryStage = D.Stage;
    PlanetaryGears = D.Gears;
    PlanetaryShafts = D.Shafts;
    const int in = D.Shafts.InputShaft, out = D.Shafts.OutputShaft;
    if (in != out && in >= 1 && in <= 3 && out >= 1 && out <= 3) PlanetaryShafts.FixedShaft = 6 - in - out;
    GearPair = D.Pair;
    GearPair.GrindingNotch[1] = D.GrindingNotch ? 1 : 0;
    GearPair.GrindingNotch[2] = D.GrindingNotch ? 1 : 0;
    // The working spectrum follows the stored one, count and items.
    GetStageLoadSpectrum();
    wtelmvar.HideWarnings = D.HideWarnings;
    wtelmvar.TitleBlockType = D.TitleBlockType;
    documentation = D.Documentation;
    PlanetBearings = D.Bearings;
    telmvar.RemarkLines = D.RemarkLines;
}

std::vector<TProjectField> ProjectStageFields(TProjectData& D)
{
    auto& st = D.Stage;
    auto& g = D.Gears;
    auto& p = D.Pair;
    TFieldList l;
    l.f.reserve(ProjectStageLines);

    // Lines 1 to 39: drive, names, basic geometry, centre distances.
    l.Num(st.nIn, "nIn", -MaxSpeed, MaxSpeed);
    l.Num(st.nThird, "nThird", -MaxSpeed, MaxSpeed);
    l.Num(st.DriveValue, "DriveValue", -MaxPower, MaxPower);
    for (int k = 0; k <= 4; ++k) {
        l.Text(g.GearName[k], Idx("GearName", k));
        l.Text(g.GearLongName[k], Idx("GearLongName", k));
        l.Text(g.PartNumber[k], Idx("PartNumber", k));
    }
    l.Num(p.alpha, "alpha", 1, 60);
    // Beyond 45 degrees the calculation goes on with a warning.
    l.Num(p.beta, "beta", -89.9L, 89.9L);
    l.Size(p.mn, "mn", 0, 1000);
    for (int m = 1; m <= 3; ++m) {
        l.Length(g.a[m], Idx("a", m));
        l.Int(g.AaField[m], Idx("AaField", m), 0, 9);
        l.Num(g.Aa[m], Idx("Aa", m), -MaxAllowance, MaxAllowance);
        l.Num(g.Aai[m], Idx("Aai", m), -MaxAllowance, MaxAllowance);
        l.Size(g.b_effH[m], Idx("b_effH", m), 0, MaxLength);
        l.Length(g.bctr[m], Idx("bctr", m));
    }

    // Lines 40 to 215: 44 lines per gear.
    for (int k = 1; k <= 4; ++k) {
        l.Num(g.hfP0_mn[k], Idx("hfP0_mn", k), 0, 100);
        l.Teeth(g.z[k], Idx("z", k), k == gH);
        l.Num(g.x[k], Idx("x", k), -100, 100);
        // Every kind of the standard profile table: 1 to 3 standard, 4 and 8
        // entered, 5 and 9 entered without protuberance, the others entered
        // as they stand.
        l.Word(g.ToolProfileNo[k], Idx("ToolProfileNo", k), 0, 10);
        l.Num(g.haP0_mn[k], Idx("haP0_mn", k), 0, 100);
        l.Num(g.rhoaP0_mn[k], Idx("rhoaP0_mn", k), 0, 100);
        l.Num(g.prP0_mn[k], Idx("prP0_mn", k), 0, 100);
        l.Num(g.alphaprP0[k], Idx("alphaprP0", k), -90, 90);
        l.Num(g.rhofP0_mn[k], Idx("rhofP0_mn", k), 0, 100);
        l.Size(g.b[k], Idx("b", k), 0, MaxLength);
        l.Length(g.da[k], Idx("da", k));
        l.Int(g.FlankToleranceClass[k], Idx("FlankToleranceClass", k), 1, 12);
        l.Word(g.AsneSeries[k], Idx("AsneSeries", k), 1, 11);
        // Series 0 takes the allowances of the table with no tolerance and
        // then counts as entered (11).
        l.Word(g.TsnSeries[k], Idx("TsnSeries", k), 0, 11);
        l.Num(g.q[k], Idx("q", k), -MaxAllowance, MaxAllowance);
        l.Num(g.DM[k], Idx("DM", k), 0, MaxLength);
        l.Num(g.hFfP0_mn[k], Idx("hFfP0_mn", k), 0, 100);
        l.Num(g.alphakP0[k], Idx("alphakP0", k), -90, 90);
        l.Num(g.RzZ[k], Idx("RzZ", k), 0, MaxFactor);
        l.Num(g.RzY[k], Idx("RzY", k), 0, MaxFactor);
        l.Num(g.Asne[k], Idx("Asne", k), -MaxAllowance, MaxAllowance);
        l.Num(g.Asni[k], Idx("Asni", k), -MaxAllowance, MaxAllowance);
        l.Text(g.MaterialName[k], Idx("MaterialName", k));
        l.Word(g.HeatTreatment[k], Idx("HeatTreatment", k), 0, 7);
        l.Num(g.Sigma_FE[k], Idx("SigmaFE", k), Positive, MaxStress);
        l.Num(g.SigmaHlim[k], Idx("SigmaHlim", k), Positive, MaxStress);
        l.Num(g.E[k], Idx("E", k), Positive, MaxModulus);
        l.Num(g.nu[k], Idx("nu", k), 0, 0.5L);
        l.Num(g.rho[k], Idx("rho", k), Positive, 30);
        l.Diameter(g.di[k], Idx("di", k));
        l.Num(g.HB[k], Idx("HB", k), 0, 2000);
        l.Word(g.MaterialKind[k], Idx("MaterialKind", k), 1, 8);
        l.Int(g.SpanTeeth[k], Idx("SpanTeeth", k), -MaxTeeth, MaxTeeth);
        l.Num(g.e[k], Idx("e", k), 0, 1000);
        l.Num(g.Np[k], Idx("Np", k), 0, 1000);
        l.Word(g.MaterialRecordNo[k], Idx("MaterialRecordNo", k));
        // One text of the stage in all four groups; the last reading stands.
        l.Text(g.StageText, "StageText");
        l.Word(g.ToolRecordNo[k], Idx("ToolRecordNo", k));
        l.Text(g.ProfileName[k], Idx("ProfileName", k));
        l.Num(g.q_tol[k], Idx("q_tol", k), -MaxAllowance, MaxAllowance);
        l.Word(g.GearCode[k], Idx("GearCode", k));
        l.Num(g.kmn[k], Idx("kmn", k), -MaxAllowance, MaxAllowance);
        l.Num(g.tg_rhog[k], Idx("tg_rhog", k), -MaxFactor, MaxFactor);
        l.Length(g.bcha[k], Idx("bcha", k));
    }

    // Lines 216 to 263: method, settings, lubricant, shafts and bearings of
    // the meshes.
    l.Word(p.CalcMethod, "CalcMethod", 0, 4);
    l.Num(p.v50, "v50", 0, 1e6L);
    l.Int(p.qp, "qp", 1, MaxPlanets);
    // The kinematics indexes the shaft arrays with these two.
    l.Word(D.Shafts.InputShaft, "InputShaft", 1, 3);
    l.Word(D.Shafts.OutputShaft, "OutputShaft", 1, 3);
    // Points and shapes of the drawings: each is a loop over the drawing.
    l.Int(p.InvolutePoints, "InvolutePoints", 0, 1000);
    l.Int(p.RingToothShapes, "RingToothShapes", 0, MaxTeeth);
    l.Int(p.GearToothShapes, "GearToothShapes", 0, MaxTeeth);
    l.Int(p.FilletResolution, "FilletResolution", 0, 1000);
    l.Bool(p.DrawRootCurve, "DrawRootCurve");
    l.Int(p.ToleranceStandard, "ToleranceStandard", 0, 1);
    l.Bool(D.HideWarnings, "HideWarnings");
    l.Int(p.KaFromLoadSpectrum, "KaFromLoadSpectrum", 0, 1);
    l.Int(p.AutoBallDiameter, "AutoBallDiameter", 0, 1);
    l.Int(p.YFYSShiftMode, "YFYSShiftMode", 0, 6);
    l.Bool(p.ShowFormulas, "ShowFormulas");
    l.Bool(p.FshEntered, "FshEntered");
    l.Bool(D.GrindingNotch, "GrindingNotch");
    l.Bool(p.FmaEntered, "FmaEntered");
    l.Num(p.fma, "fma", -MaxLength, MaxLength);
    l.Int(p.z0, "z0", 0, MaxTeeth);
    l.Num(p.x0, "x0", -100, 100);
    l.Text(p.LubricantName, "LubricantName");
    l.Num(p.v40, "v40", 0, 1e6L);
    l.Num(p.v100, "v100", 0, 1e6L);
    l.Num(p.rho15, "rho15", 0, 30);
    l.Num(p.TOil, "TOil", -273, 1000);
    for (int m = 1; m <= 3; ++m) {
        l.Length(g.fsh[m], Idx("fsh", m));
        l.Length(g.fma[m], Idx("fma", m));
        l.Word(g.ContactPatternNo[m], Idx("ContactPatternNo", m), 0, 6);
        l.Word(g.BearingArrangementNo[m], Idx("BearingArrangementNo", m), 0, 5);
        l.Length(g.l_bearing[m], Idx("l_bearing", m));
        l.Length(g.s_bedding[m], Idx("s_bedding", m));
        l.Diameter(g.dsh[m], Idx("dsh", m));
    }

    // Lines 264 to 367: load factors, entered factors, torque and shafts.
    l.Num(p.KA_H, "KA_H", 0, 100);
    l.Num(p.KA_F, "KA_F", 0, 100);
    l.Flag(p.DoubleHelical, "DoubleHelical");
    l.Flag(p.SupportingEffect, "SupportingEffect");
    l.Flag(p.LappingIn, "LappingIn");
    l.Flag(p.ToothTraceCorrection, "ToothTraceCorrection");
    l.Flag(p.Crowning, "Crowning");
    l.Flag(p.EndRelief, "EndRelief");
    l.Word(g.ToothAlignment[1], "ToothAlignment[1]", 0, 3);
    l.Int(p.LifeFactorInput, "LifeFactorInput", 0, 1);
    for (int k = 1; k <= 4; ++k) {
        l.Factor(g.ZNT[k], Idx("ZNT", k));
        l.Factor(g.YNT[k], Idx("YNT", k));
    }
    for (int m = 1; m <= 3; ++m) {
        l.Factor(g.Kv[m], Idx("Kv", m));
        l.Factor(g.KHbeta[m], Idx("KHbeta", m));
        l.Factor(g.KFbeta[m], Idx("KFbeta", m));
        l.Factor(g.KHalpha[m], Idx("KHalpha", m));
        l.Factor(g.KFalpha[m], Idx("KFalpha", m));
        l.Factor(g.ZH[m], Idx("ZH", m));
        l.Factor(g.ZB[m], Idx("ZB", m));
        l.Factor(g.Z_eps[m], Idx("Z_eps", m));
        l.Factor(g.Z_beta[m], Idx("Z_beta", m));
        l.Factor(g.ZW[m], Idx("ZW", m));
        l.Factor(g.ZL[m], Idx("ZL", m));
        l.Factor(g.Zv[m], Idx("Zv", m));
        l.Factor(g.ZR[m], Idx("ZR", m));
        l.Factor(g.Y_beta[m], Idx("Y_beta", m));
    }
    for (int k = 1; k <= 4; ++k) {
        l.Factor(g.ZX[k], Idx("ZX", k));
        l.Factor(g.YdrelT[k], Idx("YdrelT", k));
        l.Factor(g.YRrelT[k], Idx("YRrelT", k));
        l.Factor(g.YX[k], Idx("YX", k));
        l.Factor(g.YA[k], Idx("YA", k));
    }
    for (int k = 1; k <= 2; ++k)
        for (int m = 1; m <= 3; ++m) {
            l.Factor(g.YF[k][m], "YF[" + std::to_string(k) + "," + std::to_string(m) + "]");
            l.Factor(g.YS[k][m], "YS[" + std::to_string(k) + "," + std::to_string(m) + "]");
        }
    l.Num(st.TN, "TN", -MaxTorque, MaxTorque);
    l.Word(st.DriveInputMode, "DriveInputMode", 0, 3);
    l.Bool(st.PowerSplit, "PowerSplit");
    l.Bool(st.ControlShaftBlocked, "ControlShaftBlocked");
    l.Num(st.Kgamma, "Kgamma", 0, 100);
    for (int k = 1; k <= 4; ++k)
        l.Diameter(g.dB[k], Idx("dB", k));
    l.Diameter(st.dshPi, "dshPi");
    l.Diameter(st.dshPe, "dshPe");
    l.Diameter(g.dshS, "dshS");
    return l.f;
}

std::optional<TProjectField> ProjectFieldOf(const void* Variable)
{
    // The fields are bound to a copy of the records; the variable's place in
    // its record is its place in the copy.
    static TProjectData copy;
    const auto at = reinterpret_cast<std::uintptr_t>(Variable);
    const void* inCopy = nullptr;
    const auto within = [&](const auto& Record, auto& Copy) {
        const auto start = reinterpret_cast<std::uintptr_t>(&Record);
        if (at >= start && at < start + sizeof Record)
            inCopy = reinterpret_cast<const char*>(&Copy) + (at - start);
    };
    within(PlanetaryStage, copy.Stage);
    within(PlanetaryGears, copy.Gears);
    within(PlanetaryShafts, copy.Shafts);
    within(GearPair, copy.Pair);
    if (!inCopy) return std::nullopt;
    auto fields = ProjectStageFields(copy);
    for (auto& f : CarrierNumbers(copy))
        fields.push_back(f);
    for (auto& f : CarrierLines(copy))
        fields.push_back(f);
    for (TProjectField& f : fields) {
        const void* target = std::visit([](auto* p) -> const void* { return p; }, f.Target);
        if (target != inCopy || !f.HasRange()) continue;
        f.Target = static_cast<Extended*>(nullptr);
        return f;
    }
    return std::nullopt;
}

bool WriteProjectData(const std::string& Path)
{
    std::string why;
    return WriteProjectData(Path, why);
}

bool WriteProjectData(const std::string& Path, std::string& Why)
{
    Why.clear();
    TProjectData d = CaptureProject();
    // Counts the reader would refuse are refused here, before anything is
    // written: a file must never hold what cannot be read back.
    const int count = d.Stage.LoadSpectrumCount;
    if (count < 0 || count > LoadSpectrumMax) {
        Refuse("Load spectrum: " + std::to_string(count) + " items, 0 .. " + std::to_string(LoadSpectrumMax) +
                   " allowed !",
               Why);
        return false;
    }
    if (d.Documentation.ChangeCount < 0 || d.Documentation.ChangeCount > MaxChanges ||
        d.Documentation.SheetTextCount < 0 || d.Documentation.SheetTextCount > MaxSheetTexts) {
        Refuse("Protocol of changes: counts out of range !", Why);
        return false;
    }
    auto fields = ProjectStageFields(d);
    for (auto& f : CarrierNumbers(d))
        fields.push_back(f);
    for (auto& f : CarrierLines(d))
        fields.push_back(f);
    std::string fault;
    if (const TProjectField* f = FieldOutOfRange(fields))
        fault = f->RangeText(FieldValueText(*f));
    else
        fault = LoadSpectrumRangeFault(d.Stage.LoadSpectrum, count);
    if (fault.empty() && (d.Pair.LoadSpectrumKind < 0 || d.Pair.LoadSpectrumKind > LoadSpectrumKindMax))
        fault = "life material record " + std::to_string(d.Pair.LoadSpectrumKind) + " outside 0 .. " +
                std::to_string(LoadSpectrumKindMax);
    if (fault.empty()) fault = DocumentationRangeFault(d.Documentation, d.TitleBlockType);
    if (fault.empty())
        for (int n = 1; n <= 2 && fault.empty(); ++n)
            fault = BearingRangeFault(d.Bearings[n], n);
    if (!fault.empty()) {
        Refuse("Project file: " + fault + ", not saved !", Why);
        return false;
    }

    AssignTextFile(Shared(), Path);
    if (!RewriteTextFile(Shared())) {
        Why = Shared().WriteFailure();
        return false;
    }
    const bool abortedBefore = telmvar.Aborted;
    telmvar.Aborted = false;

    WriteProgramHeader();
    for (const auto& f : ProjectStageFields(d))
        WriteField(f);

    WriteTextLine(LoadSpectrumMarker);
    WriteIntLine(d.Pair.LoadSpectrumKind);
    WriteIntLine(count);
    for (int k = 1; k <= count; ++k) {
        WriteFiniteNumber(d.Stage.LoadSpectrum[k].N, "load cycles of item " + std::to_string(k));
        WriteFiniteNumber(d.Stage.LoadSpectrum[k].T, "torque of item " + std::to_string(k));
    }

    WriteChangesBlock(d.Documentation);
    WriteDocumentsBlock(d.Documentation);
    WriteBoolLine(d.Pair.LoadCyclesLogarithmic);
    WriteIso7200Block(d.Documentation, d.TitleBlockType);
    for (const auto& f : CarrierNumbers(d))
        WriteField(f);
    SaveBearingData(1);
    SaveBearingData(2);
    for (const auto& f : CarrierLines(d))
        WriteField(f);

    if (telmvar.Aborted) {
        // A line could not be written: the old file stays as it was.
        Shared().Abandon();
        AddErrorMessage("file " + FileNameToOem(Path) + " could not be written !");
        Why = Shared().WriteFailure();
        return false;
    }
    telmvar.Aborted = abortedBefore;
    if (CloseTextFile(Shared())) return true;
    Why = Shared().WriteFailure();
    return false;
}

bool ReadProjectData(const std::string& Path, TFileFault& Fault)
{
    Fault = TFileFault{};
    AssignTextFile(Shared(), Path);
    if (!Shared().OpenRead(ProjectFileMaxBytes)) {
        Fault.Reason = Shared().OpenFailure();
        return false;
    }
    TProjectData d = CaptureProject();
    TFileLineReader r;

    // The header block: two rules around the program's title lines, then
    // the three remark lines. A file without them is no project file.
    // The remark lines are read, though a reader of this block usually
    // skips all seven lines: they are the project's own comment lines, kept
    // nowhere else. Skipped, a comment saved with a project came back empty,
    // and the comment of the project open before stayed in memory, to be
    // printed on this one's reports and drawings and saved into its file.
    for (int k = 1; k <= ProgramHeaderLines && !r.Failed(); ++k) {
        if (k == 1 || k == 4)
            r.Literal(HeaderRule);
        else if (k >= 5)
            r.RawText(d.RemarkLines[k - 4]);
        else
            r.Skip();
    }

    for (const auto& f : ProjectStageFields(d)) {
        if (!ReadField(r, f)) break;
    }

    if (!r.Failed() && r.Literal(LoadSpectrumMarker))
        ReadLoadSpectrumItems(r, d.Pair.LoadSpectrumKind, d.Stage.LoadSpectrumCount, d.Stage.LoadSpectrum);

    if (!r.Failed()) ReadChangesBlock(r, d.Documentation);
    if (!r.Failed()) ReadDocumentsBlock(r, d.Documentation);
    if (!r.Failed()) r.Bool(d.Pair.LoadCyclesLogarithmic);
    if (!r.Failed()) ReadIso7200Block(r, d.Documentation, d.TitleBlockType);
    for (const auto& f : CarrierNumbers(d))
        if (!r.Failed()) ReadField(r, f);
    for (int n = 1; n <= 2 && !r.Failed(); ++n)
        LoadBearingData(n, r, d.Bearings[n]);
    for (const auto& f : CarrierLines(d))
        if (!r.Failed()) ReadField(r, f);

    Shared().Close();
    if (r.Failed()) {
        Fault = r.Fault();
        return false;
    }
    CommitProject(d);
    return true;
}

void WriteProjectFile(const std::string& FileName)
{
    TWriteFault fault;
    WriteProjectFile(FileName, fault);
}

bool WriteProjectFile(const std::string& FileName, TWriteFault& Fault)
{
    Fault = TWriteFault{};
    // The dialog ends the archive mode and takes the chosen file's name and
    // directory; they are the project's only once its file is written there.
    // Otherwise the title, the recent list, the close question and the next
    // Save would name a file that does not hold the project: a Save would
    // write a file the user never chose.
    const TProjectPlace place = CurrentProjectPlace();
    std::string path;
    filenamedialogs.SaveFileDialog(FileName, path);
    if (!telmvar.Aborted) {
        if (WriteProjectData(path, Fault.Why)) return true;
        Fault.Path = path;
    }
    RestoreProjectPlace(place);
    return false;
}

void ReadProjectFile(const std::string& FileName)
{
    std::string why;
    if (!ReadProjectFile(FileName, why) && !why.empty()) AddErrorMessage(why);
}

bool ReadProjectFile(const std::string& FileName, std::string& Why)
{
    Why.clear();
    // The dialog takes the chosen file's name and directory (and ends the
    // archive mode); a file that is not read leaves the project in memory
    // as it was, and so its name: a Save would write it over the file that
    // could not be read.
    const TProjectPlace place = CurrentProjectPlace();
    std::string path;
    filenamedialogs.OpenFileDialog(FileName, path);
    TFileFault fault;
    if (!telmvar.Aborted && ReadProjectData(path, fault)) return true;
    if (!telmvar.Aborted) {
        Why = FileFaultMessage(path, fault);
        telmvar.Aborted = true;
    }
    RestoreProjectPlace(place);
    return false;
}

bool SameProjectFile(TProjectData a, TProjectData b)
{
    if (!SameLines(ProjectStageFields(a), ProjectStageFields(b)) ||
        !SameLines(CarrierNumbers(a), CarrierNumbers(b)) || !SameLines(CarrierLines(a), CarrierLines(b)))
        return false;
    const int count = a.Stage.LoadSpectrumCount;
    if (count != b.Stage.LoadSpectrumCount || a.Pair.LoadSpectrumKind != b.Pair.LoadSpectrumKind ||
        a.Pair.LoadCyclesLogarithmic != b.Pair.LoadCyclesLogarithmic ||
        a.TitleBlockType != b.TitleBlockType || !(a.Documentation == b.Documentation))
        return false;
    for (int k = 1; k <= count && k <= LoadSpectrumMax; ++k)
        if (NumberLineText(a.Stage.LoadSpectrum[k].N) != NumberLineText(b.Stage.LoadSpectrum[k].N) ||
            NumberLineText(a.Stage.LoadSpectrum[k].T) != NumberLineText(b.Stage.LoadSpectrum[k].T))
            return false;
    for (int i = 1; i <= 3; ++i)
        if (RemarkLineText(a.RemarkLines[i]) != RemarkLineText(b.RemarkLines[i])) return false;
    // The bearing blocks hold their catalogue values and the operating data
    // entered; the life worked out from them is the same for the same inputs.
    return a.Bearings[1] == b.Bearings[1] && a.Bearings[2] == b.Bearings[2];
}
