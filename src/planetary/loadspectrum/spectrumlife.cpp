#include "planetary/loadspectrum/spectrumlife.h"

#include "foundation/messagecollector.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/guardedmath.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/lifeparams.h"
#include "planetary/stage.h"
#include "planetary/filelines.h"
#include "xbase/access/tableaccess.h"
#include "xbase/dbf/dbfformat.h"

#include <cmath>
#include <fstream>

namespace {

const char* const LifeTable = "qyrlife.dbf";
const char* const PowerTag = "Error  : Lastkoll.";

Extended Pow(Extended base, Extended exp) { return SafePower(PowerTag, base, exp); }

Extended Log10OrZero(Extended x) { return x > 0 ? std::log10(x) : 0; }

std::string RTrim(const std::string& s)
{
    std::size_t e = s.find_last_not_of(' ');
    return e == std::string::npos ? "" : s.substr(0, e + 1);
}

void CopyRowToLifeParams()
{
    LifeParams.LW = RTrim(DbfFieldText(1));
    LifeParams.N0F = DbfFieldInt(2);
    LifeParams.NnF = DbfFieldInt(3);
    LifeParams.pF = static_cast<double>(DbfFieldFloat(4));
    LifeParams.N0H = DbfFieldInt(5);
    LifeParams.NnH = DbfFieldInt(6);
    LifeParams.pH = static_cast<double>(DbfFieldFloat(7));
}

// Corner torques of one S-N line for the equivalent torque Teq at Neq.
void Corners(Extended neq, Extended n0, Extended nn, Extended p, Extended teq, Extended& t0eq, Extended& tneq)
{
    const Extended span = Pow(10, Log10OrZero(nn / n0) / p);
    if (neq < n0) {
        t0eq = teq;
        tneq = t0eq / span;
    } else if (neq <= nn) {
        t0eq = Pow(neq / n0, 1 / p) * teq;
        tneq = Pow(neq / nn, 1 / p) * teq;
    } else {
        tneq = teq;
        t0eq = span * tneq;
    }
}

// Without the S-N lines nothing of the spectrum can be stated, and with it
// neither the application factors taken from it nor the planet bearings'
// mean load: the results of an earlier material or stage would stand in
// for them. So a life table that cannot be read stops the calculation.
void RefuseLifeTable(const std::string& Text)
{
    AddFatalMessage(Text);
    telmvar.Aborted = true;
}

// The fields the S-N line is read from, in this order: the class text, then
// N0F, NnF, pF, N0H, NnH, pH as numbers.
constexpr std::size_t LifeFields = 7;

// What is wrong with the table's header, or empty. The header states its own
// length; one that does not match its field list (32 bytes before the
// descriptors, 32 for each and the terminator) would have every record read
// from the wrong place, the second taken for the first.
std::string LifeTableHeaderFault(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    in.seekg(0, std::ios::end);
    const int64_t size = in.tellg();
    const TDbfByteReader read = [&in](int64_t Offset, void* Buffer, std::size_t Count) -> long {
        in.clear();
        in.seekg(Offset);
        in.read(static_cast<char*>(Buffer), static_cast<std::streamsize>(Count));
        return static_cast<long>(in.gcount());
    };
    TDbfHeaderInfo info;
    if (size <= 0 || ParseDbfHeader(read, size, LifeTable, info).Code != 0)
        return {};  // the table engine refuses it on opening, and says why
    const std::size_t fields = info.Fields.size();
    if (info.Layout == TDbfLayout::Standard && info.HeaderLength != static_cast<int32_t>(32 * (fields + 1) + 1))
        return "header of " + std::to_string(info.HeaderLength) + " bytes does not match its " +
               std::to_string(fields) + " fields";
    if (fields < LifeFields)
        return std::to_string(fields) + " fields, " + std::to_string(LifeFields) + " needed";
    for (std::size_t i = 1; i < LifeFields; ++i)
        if (info.Fields[i].Type != 'N' && info.Fields[i].Type != 'F')
            return "field " + info.Fields[i].Name + " is no number";
    return {};
}

// Values no material has: a line runs from its upper corner N0 down to its
// lower corner Nn, so N0 < Nn; the exponents of the gear materials lie
// between about 6 and 90 (ISO 6336 life factors), 2 and 1000 bound any.
std::string LifeRecordFault(const QYRLIFE_Record& L)
{
    const auto order = [](const char* Lo, int32_t N0, const char* Hi, int32_t Nn) -> std::string {
        if (N0 >= 1 && N0 < Nn)
            return {};
        return std::string(Hi) + " " + std::to_string(Nn) + " not above " + Lo + " " + std::to_string(N0);
    };
    const auto exponent = [](const char* Name, double P) -> std::string {
        if (P >= 2 && P <= 1000)
            return {};
        return std::string(Name) + " " + RangeBoundText(P) + " outside 2 .. 1000";
    };
    for (const std::string& fault : {order("N0F", L.N0F, "NnF", L.NnF), exponent("pF", L.pF),
                                     order("N0H", L.N0H, "NnH", L.NnH), exponent("pH", L.pH)})
        if (!fault.empty())
            return fault;
    return {};
}

// The row read last, with the calculation it was read in.
struct TKeptLifeRow {
    unsigned long Calculation = 0;
    std::string Path;
    int Kind = 0;
    QYRLIFE_Record Row;
};

}  // namespace

bool ReadLifeMaterial()
{
    const std::string path = AddTrailingBackslash(telmvar.DbfDir) + LifeTable;
    // The three meshes of a stage read the same row, and opening the table
    // costs more than the mesh's strength: within one calculation a row that
    // was read without a message is taken again.
    static thread_local TKeptLifeRow kept;
    const unsigned long calculation = CalculationUnderWay();
    if (calculation != 0 && kept.Calculation == calculation && kept.Kind == GearPair.LoadSpectrumKind &&
        kept.Path == path) {
        LifeParams = kept.Row;
        return true;
    }
    const std::size_t messagesBefore = error0.ErrorCount + LeftOutMessageCount();
    std::ifstream probe(path, std::ios::binary);
    if (probe) {
        const std::string fault = LifeTableHeaderFault(path);
        if (!fault.empty()) {
            RefuseLifeTable("QYRLIFE.DBF " + fault);
            return false;
        }
    }
    const bool opened = probe && DbfOpen(LifeTable);
    if (!opened || !DbfGo(GearPair.LoadSpectrumKind)) {
        if (opened)
            DbfClose();
        RefuseLifeTable("QYRLIFE.DBF not found");
        return false;
    }
    QYRLIFE_Record saved = LifeParams;
    CopyRowToLifeParams();
    DbfClose();
    // A row without a usable S-N line would divide by zero below; the
    // material in use stays.
    const auto& l = LifeParams;
    const std::string record = "QYRLIFE.DBF record " + std::to_string(GearPair.LoadSpectrumKind);
    if (l.N0F <= 0 || l.NnF <= 0 || l.N0H <= 0 || l.NnH <= 0 || !(l.pF > 0) || !(l.pH > 0)) {
        LifeParams = saved;
        RefuseLifeTable(record + " holds no S-N line");
        return false;
    }
    if (const std::string fault = LifeRecordFault(l); !fault.empty()) {
        LifeParams = saved;
        RefuseLifeTable(record + ": " + fault);
        return false;
    }
    if (calculation != 0 && error0.ErrorCount + LeftOutMessageCount() == messagesBefore)
        kept = {calculation, path, GearPair.LoadSpectrumKind, LifeParams};
    return true;
}

bool FormLoadSpectrumFactors()
{
    auto& g = GearPair;
    telmvar.Aborted = false;
    const int count = g.LoadSpectrumCount;
    if (count <= 0)
        return false;
    if (!ReadLifeMaterial())
        return false;
    const auto& l = LifeParams;
    const Extended t1 = g.T[1];

    Extended nsum = 0;
    Extended neq = 0;
    for (int i = 1; i <= count; ++i) {
        const auto& it = g.LoadSpectrum[i];
        nsum += it.N;
        if (it.T >= t1 / 2)
            neq += it.N;
        if (i > 1 && it.T > g.LoadSpectrum[i - 1].T)
            AddErrorMessage("Lastkoll: T" + std::to_string(i) + " > T" + std::to_string(i - 1));
    }
    g.Nsum = nsum;
    g.Neq = neq;
    if (neq <= 0) {
        AddFatalMessage("Fatal  : Neq = 0 !");
        return false;
    }
    if (t1 == 0) {
        AddFatalMessage("Error  : T1 = 0 !");
        return false;
    }

    const Extended pF = l.pF;
    const Extended pH = l.pH;
    Extended sf = 0;
    Extended sh = 0;
    for (int i = 1; i <= count; ++i) {
        const auto& it = g.LoadSpectrum[i];
        sf += Pow(it.T / t1, pF) * it.N / neq;
        sh += Pow(it.T / t1, pH) * it.N / neq;
    }
    g.LoadSpectrumKA_F = Pow(sf, 1 / pF);
    g.LoadSpectrumKA_H = Pow(sh, 1 / pH);
    g.TeqF = g.LoadSpectrumKA_F * t1;
    g.TeqH = g.LoadSpectrumKA_H * t1;
    return true;
}

void FormLoadSpectrumLimitTorques(Extended ToothRootLimitTorque, Extended PittingLimitTorque)
{
    auto& g = GearPair;
    const auto& l = LifeParams;
    const int count = g.LoadSpectrumCount;
    const Extended t1 = g.T[1];
    const Extended neq = g.Neq, nsum = g.Nsum;
    const Extended pF = l.pF;
    const Extended pH = l.pH;
    const Extended n0F = l.N0F, nnF = l.NnF, n0H = l.N0H, nnH = l.NnH;
    g.TnF = ToothRootLimitTorque * g.LoadSpectrumKA_F;
    g.T0F = g.TnF / Pow(n0F / nnF, 1 / pF);
    g.TnH = PittingLimitTorque * g.LoadSpectrumKA_H;
    g.T0H = Pow(neq / n0H, 1 / pH) * g.TnH;

    Corners(neq, n0F, nnF, pF, g.TeqF, g.T0Feq, g.TnFeq);
    Corners(neq, n0H, nnH, pH, g.TeqH, g.T0Heq, g.TnHeq);

    Extended s3 = 0;
    for (int i = 1; i <= count; ++i)
        s3 += IntPower(g.LoadSpectrum[i].T, 3) * g.LoadSpectrum[i].N;
    const Extended fm = SafePower("Lastkoll Fm", s3 / nsum, 1.0L / 3);
    PlanetaryStage.MeanLoadFactor = (t1 != 0 && fm != 0) ? fm / t1 : 1.0L;

    if (g.T0F == 0 || g.T0H == 0)
        AddErrorMessage("error at load spectrum");
}

void CalcLoadSpectrumLife(Extended ToothRootLimitTorque, Extended PittingLimitTorque)
{
    if (FormLoadSpectrumFactors())
        FormLoadSpectrumLimitTorques(ToothRootLimitTorque, PittingLimitTorque);
}

void SelectLifeMaterial(uint16_t Mode)
{
    const std::string path = AddTrailingBackslash(telmvar.DbfDir) + LifeTable;
    if (!CheckFileExists(path))
        return;
    if (!DbfOpen(LifeTable))
        return;
    DbfGo(GearPair.LoadSpectrumKind);
    DbfSetTitles("", "select material and heat treatment");
    telmvar.HelpNumber = 6510;
    DbfBrowse("", Mode);
    if (!telmvar.Aborted && Mode == 1) {
        GearPair.LoadSpectrumKind = telmvar.SelectedRecordNo;
        CopyRowToLifeParams();
    }
    DbfClose();
}

void RegisterLoadSpectrumLife()
{
    SetLoadSpectrumFactorsProc(&FormLoadSpectrumFactors);
    SetLoadSpectrumLifeProc(&FormLoadSpectrumLimitTorques);
}
