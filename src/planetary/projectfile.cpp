#include "planetary/projectfile.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/programsettings.h"
#include "planetary/filenames.h"

#include <cmath>

namespace {

TTextFile& Shared() { return textfile.SharedTextFile; }

const std::string HeaderRule(65, '-');

std::string Idx(const char* name, int i) { return std::string(name) + "[" + std::to_string(i) + "]"; }

// Builds the table line by line; the helpers name each kind once.
struct TFieldList {
    std::vector<TProjectField> f;
    void Num(Extended& x, std::string n) { f.push_back({TProjectLineKind::Number, &x, std::move(n)}); }
    void Int(int& x, std::string n) { f.push_back({TProjectLineKind::Integer, &x, std::move(n)}); }
    void Word(int& x, std::string n) { f.push_back({TProjectLineKind::Word, &x, std::move(n)}); }
    void Code(int& x, std::string n, int lo, int hi)
    {
        f.push_back({TProjectLineKind::Word, &x, std::move(n), lo, hi});
    }
    void Bool(bool& x, std::string n) { f.push_back({TProjectLineKind::Boolean, &x, std::move(n)}); }
    void Text(std::string& x, std::string n) { f.push_back({TProjectLineKind::Text, &x, std::move(n)}); }
    void Flag(char& x, std::string n) { f.push_back({TProjectLineKind::Flag, &x, std::move(n)}); }
};

// A flag line holds exactly one character; one that would end the line is
// written as "N" (off).
char FlagChar(char c) { return c == '\0' || c == '\r' || c == '\n' ? 'N' : c; }

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

bool ReadField(TFileLineReader& r, const TProjectField& f)
{
    bool ok = false;
    switch (f.Kind) {
    case TProjectLineKind::Number:
        ok = r.Number(*std::get<Extended*>(f.Target));
        break;
    case TProjectLineKind::Integer:
        ok = r.Int(*std::get<int*>(f.Target));
        break;
    case TProjectLineKind::Word:
        if (f.Hi >= f.Lo)
            ok = r.IntInRange(*std::get<int*>(f.Target), f.Lo, f.Hi, f.Name);
        else
            ok = r.Word(*std::get<int*>(f.Target));
        break;
    case TProjectLineKind::Boolean:
        ok = r.Bool(*std::get<bool*>(f.Target));
        break;
    case TProjectLineKind::Text:
        ok = r.Text(*std::get<std::string*>(f.Target));
        break;
    case TProjectLineKind::Flag:
        ok = r.Flag(*std::get<char*>(f.Target));
        break;
    }
    return ok;
}

// The fields written after the title block and after the bearing blocks.
std::vector<TProjectField> CarrierNumbers(TProjectData& D)
{
    TFieldList l;
    l.Num(D.Stage.dcarrier, "dcarrier");
    l.Num(D.Stage.lcarrier, "lcarrier");
    l.Num(D.Stage.hcarrier, "hcarrier");
    return l.f;
}

std::vector<TProjectField> CarrierLines(TProjectData& D)
{
    TFieldList l;
    l.Int(D.Stage.CarrierForm, "CarrierForm");
    l.Bool(D.Stage.CarrierShaft, "CarrierShaft");
    return l.f;
}

bool BearingCodesValid(const WaelzLagerTyp& b)
{
    auto in = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    return in(b.BearingType, BearingTypeNames.Low, BearingTypeNames.High) &&
           in(b.XYTableChoice, XYSourceTexts.Low, XYSourceTexts.High) &&
           in(b.LifeFactorMode, LifeFactorModeTexts.Low, LifeFactorModeTexts.High) &&
           in(b.ContaminationClass, ContaminationTexts.Low, ContaminationTexts.High);
}

void Refuse(const std::string& message)
{
    AddErrorMessage(message);
    telmvar.Aborted = true;
}

} // namespace

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
    return d;
}

void CommitProject(const TProjectData& D)
{
    PlanetaryStage = D.Stage;
    PlanetaryGears = D.Gears;
    PlanetaryShafts = D.Shafts;
    const int in = D.Shafts.InputShaft, out = D.Shafts.OutputShaft;
    if (in != out && in >= 1 && in <= 3 && out >= 1 && out <= 3)
        PlanetaryShafts.FixedShaft = 6 - in - out;
    GearPair = D.Pair;
    GearPair.GrindingNotch[1] = D.GrindingNotch ? 1 : 0;
    GearPair.GrindingNotch[2] = D.GrindingNotch ? 1 : 0;
    // The working spectrum follows the stored one, count and items.
    GearPair.LoadSpectrumCount = D.Stage.LoadSpectrumCount;
    GetStageLoadSpectrum();
    wtelmvar.HideWarnings = D.HideWarnings;
    wtelmvar.TitleBlockType = D.TitleBlockType;
    documentation = D.Documentation;
    PlanetBearings = D.Bearings;
}

std::vector<TProjectField> ProjectStageFields(TProjectData& D)
{
    auto& st = D.Stage;
    auto& g = D.Gears;
    auto& p = D.Pair;
    TFieldList l;
    l.f.reserve(ProjectStageLines);

    // Lines 1 to 39: drive, names, basic geometry, centre distances.
    l.Num(st.nIn, "nIn");
    l.Num(st.nThird, "nThird");
    l.Num(st.DriveValue, "DriveValue");
    for (int k = 0; k <= 4; ++k) {
        l.Text(g.GearName[k], Idx("GearName", k));
        l.Text(g.GearLongName[k], Idx("GearLongName", k));
        l.Text(g.PartNumber[k], Idx("PartNumber", k));
    }
    l.Num(p.alpha, "alpha");
    l.Num(p.beta, "beta");
    l.Num(p.mn, "mn");
    for (int m = 1; m <= 3; ++m) {
        l.Num(g.a[m], Idx("a", m));
        l.Int(g.AaField[m], Idx("AaField", m));
        l.Num(g.Aa[m], Idx("Aa", m));
        l.Num(g.Aai[m], Idx("Aai", m));
        l.Num(g.b_effH[m], Idx("b_effH", m));
        l.Num(g.bctr[m], Idx("bctr", m));
    }

    // Lines 40 to 215: 44 lines per gear.
    for (int k = 1; k <= 4; ++k) {
        l.Num(g.hfP0_mn[k], Idx("hfP0_mn", k));
        l.Int(g.z[k], Idx("z", k));
        l.Num(g.x[k], Idx("x", k));
        l.Word(g.ToolProfileNo[k], Idx("ToolProfileNo", k));
        l.Num(g.haP0_mn[k], Idx("haP0_mn", k));
        l.Num(g.rhoaP0_mn[k], Idx("rhoaP0_mn", k));
        l.Num(g.prP0_mn[k], Idx("prP0_mn", k));
        l.Num(g.alphaprP0[k], Idx("alphaprP0", k));
        l.Num(g.rhofP0_mn[k], Idx("rhofP0_mn", k));
        l.Num(g.b[k], Idx("b", k));
        l.Num(g.da[k], Idx("da", k));
        l.Int(g.FlankToleranceClass[k], Idx("FlankToleranceClass", k));
        l.Word(g.AsneSeries[k], Idx("AsneSeries", k));
        l.Word(g.TsnSeries[k], Idx("TsnSeries", k));
        l.Num(g.q[k], Idx("q", k));
        l.Num(g.DM[k], Idx("DM", k));
        l.Num(g.hFfP0_mn[k], Idx("hFfP0_mn", k));
        l.Num(g.alphakP0[k], Idx("alphakP0", k));
        l.Num(g.RzZ[k], Idx("RzZ", k));
        l.Num(g.RzY[k], Idx("RzY", k));
        l.Num(g.Asne[k], Idx("Asne", k));
        l.Num(g.Asni[k], Idx("Asni", k));
        l.Text(g.MaterialName[k], Idx("MaterialName", k));
        l.Word(g.HeatTreatment[k], Idx("HeatTreatment", k));
        l.Num(g.Sigma_FE[k], Idx("SigmaFE", k));
        l.Num(g.SigmaHlim[k], Idx("SigmaHlim", k));
        l.Num(g.E[k], Idx("E", k));
        l.Num(g.nu[k], Idx("nu", k));
        l.Num(g.rho[k], Idx("rho", k));
        l.Num(g.di[k], Idx("di", k));
        l.Num(g.HB[k], Idx("HB", k));
        l.Word(g.MaterialKind[k], Idx("MaterialKind", k));
        l.Int(g.SpanTeeth[k], Idx("SpanTeeth", k));
        l.Num(g.e[k], Idx("e", k));
        l.Num(g.Np[k], Idx("Np", k));
        l.Word(g.MaterialRecordNo[k], Idx("MaterialRecordNo", k));
        // One text of the stage in all four groups; the last reading stands.
        l.Text(g.StageText, "StageText");
        l.Word(g.ToolRecordNo[k], Idx("ToolRecordNo", k));
        l.Text(g.ProfileName[k], Idx("ProfileName", k));
        l.Num(g.q_tol[k], Idx("q_tol", k));
        l.Word(g.GearCode[k], Idx("GearCode", k));
        l.Num(g.kmn[k], Idx("kmn", k));
        l.Num(g.tg_rhog[k], Idx("tg_rhog", k));
        l.Num(g.bcha[k], Idx("bcha", k));
    }

    // Lines 216 to 263: method, settings, lubricant, shafts and bearings of
    // the meshes.
    l.Word(p.CalcMethod, "CalcMethod");
    l.Num(p.v50, "v50");
    l.Int(p.qp, "qp");
    // The kinematics indexes the shaft arrays with these two.
    l.Code(D.Shafts.InputShaft, "InputShaft", 1, 3);
    l.Code(D.Shafts.OutputShaft, "OutputShaft", 1, 3);
    l.Int(p.InvolutePoints, "InvolutePoints");
    l.Int(p.RingToothShapes, "RingToothShapes");
    l.Int(p.GearToothShapes, "GearToothShapes");
    l.Int(p.FilletResolution, "FilletResolution");
    l.Bool(p.DrawRootCurve, "DrawRootCurve");
    l.Int(p.ToleranceStandard, "ToleranceStandard");
    l.Bool(D.HideWarnings, "HideWarnings");
    l.Int(p.KaFromLoadSpectrum, "KaFromLoadSpectrum");
    l.Int(p.AutoBallDiameter, "AutoBallDiameter");
    l.Int(p.YFYSShiftMode, "YFYSShiftMode");
    l.Bool(p.ShowFormulas, "ShowFormulas");
    l.Bool(p.FshEntered, "FshEntered");
    l.Bool(D.GrindingNotch, "GrindingNotch");
    l.Bool(p.FmaEntered, "FmaEntered");
    l.Num(p.fma, "fma");
    l.Int(p.z0, "z0");
    l.Num(p.x0, "x0");
    l.Text(p.LubricantName, "LubricantName");
    l.Num(p.v40, "v40");
    l.Num(p.v100, "v100");
    l.Num(p.rho15, "rho15");
    l.Num(p.TOil, "TOil");
    for (int m = 1; m <= 3; ++m) {
        l.Num(g.fsh[m], Idx("fsh", m));
        l.Num(g.fma[m], Idx("fma", m));
        l.Word(g.ContactPatternNo[m], Idx("ContactPatternNo", m));
        l.Word(g.BearingArrangementNo[m], Idx("BearingArrangementNo", m));
        l.Num(g.l_bearing[m], Idx("l_bearing", m));
        l.Num(g.s_bedding[m], Idx("s_bedding", m));
        l.Num(g.dsh[m], Idx("dsh", m));
    }

    // Lines 264 to 367: load factors, entered factors, torque and shafts.
    l.Num(p.KA_H, "KA_H");
    l.Num(p.KA_F, "KA_F");
    l.Flag(p.DoubleHelical, "DoubleHelical");
    l.Flag(p.SupportingEffect, "SupportingEffect");
    l.Flag(p.LappingIn, "LappingIn");
    l.Flag(p.ToothTraceCorrection, "ToothTraceCorrection");
    l.Flag(p.Crowning, "Crowning");
    l.Flag(p.EndRelief, "EndRelief");
    l.Word(g.ToothAlignment[1], "ToothAlignment[1]");
    l.Int(p.LifeFactorInput, "LifeFactorInput");
    for (int k = 1; k <= 4; ++k) {
        l.Num(g.ZNT[k], Idx("ZNT", k));
        l.Num(g.YNT[k], Idx("YNT", k));
    }
    for (int m = 1; m <= 3; ++m) {
        l.Num(g.Kv[m], Idx("Kv", m));
        l.Num(g.KHbeta[m], Idx("KHbeta", m));
        l.Num(g.KFbeta[m], Idx("KFbeta", m));
        l.Num(g.KHalpha[m], Idx("KHalpha", m));
        l.Num(g.KFalpha[m], Idx("KFalpha", m));
        l.Num(g.ZH[m], Idx("ZH", m));
        l.Num(g.ZB[m], Idx("ZB", m));
        l.Num(g.Z_eps[m], Idx("Z_eps", m));
        l.Num(g.Z_beta[m], Idx("Z_beta", m));
        l.Num(g.ZW[m], Idx("ZW", m));
        l.Num(g.ZL[m], Idx("ZL", m));
        l.Num(g.Zv[m], Idx("Zv", m));
        l.Num(g.ZR[m], Idx("ZR", m));
        l.Num(g.Y_beta[m], Idx("Y_beta", m));
    }
    for (int k = 1; k <= 4; ++k) {
        l.Num(g.ZX[k], Idx("ZX", k));
        l.Num(g.YdrelT[k], Idx("YdrelT", k));
        l.Num(g.YRrelT[k], Idx("YRrelT", k));
        l.Num(g.YX[k], Idx("YX", k));
        l.Num(g.YA[k], Idx("YA", k));
    }
    for (int k = 1; k <= 2; ++k)
        for (int m = 1; m <= 3; ++m) {
            l.Num(g.YF[k][m], "YF[" + std::to_string(k) + "," + std::to_string(m) + "]");
            l.Num(g.YS[k][m], "YS[" + std::to_string(k) + "," + std::to_string(m) + "]");
        }
    l.Num(st.TN, "TN");
    l.Word(st.DriveInputMode, "DriveInputMode");
    l.Bool(st.PowerSplit, "PowerSplit");
    l.Bool(st.ControlShaftBlocked, "ControlShaftBlocked");
    l.Num(st.Kgamma, "Kgamma");
    for (int k = 1; k <= 4; ++k)
        l.Num(g.dB[k], Idx("dB", k));
    l.Num(st.dshPi, "dshPi");
    l.Num(st.dshPe, "dshPe");
    l.Num(g.dshS, "dshS");
    return l.f;
}

bool WriteProjectData(const std::string& Path)
{
    TProjectData d = CaptureProject();
    // Counts the reader would refuse are refused here, before anything is
    // written: a file must never hold what cannot be read back.
    const int count = d.Stage.LoadSpectrumCount;
    if (count < 0 || count > LoadSpectrumMax) {
        Refuse("Load spectrum: " + std::to_string(count) + " items, 0 .. " + std::to_string(LoadSpectrumMax) +
               " allowed !");
        return false;
    }
    if (d.Documentation.ChangeCount < 0 || d.Documentation.ChangeCount > MaxChanges ||
        d.Documentation.SheetTextCount < 0 || d.Documentation.SheetTextCount > MaxSheetTexts) {
        Refuse("Protocol of changes: counts out of range !");
        return false;
    }

    AssignTextFile(Shared(), Path);
    if (!RewriteTextFile(Shared()))
        return false;
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
        AddErrorMessage("file " + Path + " could not be written !");
        return false;
    }
    telmvar.Aborted = abortedBefore;
    return CloseTextFile(Shared());
}

bool ReadProjectData(const std::string& Path, TFileFault& Fault)
{
    Fault = TFileFault{};
    AssignTextFile(Shared(), Path);
    if (!Shared().OpenRead()) {
        Fault.Reason = "not found or no access";
        return false;
    }
    TProjectData d = CaptureProject();
    TFileLineReader r;

    // The header block: two rules around the program's title lines, then
    // the three remark lines. A file without them is no project file.
    std::string line;
    for (int k = 1; k <= ProgramHeaderLines && !r.Failed(); ++k) {
        if (k == 1 || k == 4)
            r.Literal(HeaderRule);
        else
            r.RawText(line);
    }

    for (const auto& f : ProjectStageFields(d)) {
        if (!ReadField(r, f))
            break;
    }

    int count = 0;
    if (!r.Failed() && r.Literal(LoadSpectrumMarker) && r.Int(d.Pair.LoadSpectrumKind) &&
        r.IntInRange(count, 0, LoadSpectrumMax, "number of load spectrum items")) {
        d.Stage.LoadSpectrumCount = count;
        for (int k = 1; k <= count; ++k) {
            r.Number(d.Stage.LoadSpectrum[k].N);
            r.Number(d.Stage.LoadSpectrum[k].T);
        }
    }

    if (!r.Failed())
        ReadChangesBlock(r, d.Documentation);
    if (!r.Failed())
        ReadDocumentsBlock(r, d.Documentation);
    if (!r.Failed())
        r.Bool(d.Pair.LoadCyclesLogarithmic);
    if (!r.Failed())
        ReadIso7200Block(r, d.Documentation, d.TitleBlockType);
    for (const auto& f : CarrierNumbers(d))
        if (!r.Failed())
            ReadField(r, f);

    // The bearing reader fills the program-wide records; they are taken into
    // the copy and put back until the whole file has been read.
    const auto keptBearings = PlanetBearings;
    const bool keptAborted = telmvar.Aborted;
    telmvar.Aborted = false;
    for (int n = 1; n <= 2 && !r.Failed(); ++n) {
        const int start = r.LineNumber() + 1;
        if (!LoadBearingData(n)) {
            if (Shared().ReadPastEnd())
                r.Fail("the file ends here, more lines were expected");
            else
                r.FailAt(start, "planet bearing block " + std::to_string(n) + " (" +
                                    std::to_string(BearingBlockLines) + " lines) expected");
        } else if (!BearingCodesValid(PlanetBearings[n])) {
            // These codes pick texts and tables by index.
            r.FailAt(start, "planet bearing block " + std::to_string(n) + ": type or option code out of range");
        }
    }
    telmvar.Aborted = keptAborted;
    if (!r.Failed())
        d.Bearings = PlanetBearings;
    PlanetBearings = keptBearings;

    for (const auto& f : CarrierLines(d))
        if (!r.Failed())
            ReadField(r, f);

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
    std::string path;
    filenamedialogs.SaveFileDialog(FileName, path);
    if (telmvar.Aborted)
        return;
    WriteProjectData(path);
}

void ReadProjectFile(const std::string& FileName)
{
    std::string path;
    filenamedialogs.OpenFileDialog(FileName, path);
    if (telmvar.Aborted)
        return;
    TFileFault fault;
    if (!ReadProjectData(path, fault))
        Refuse(FileFaultMessage(path, fault));
}
