#include "planetary/stagecalc.h"

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textcopy.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/lifeparams.h"
#include "planetary/bearings/bearinglife.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/kinematics.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "planetary/meshtransfer.h"
#include "planetary/stage.h"
#include "planetary/stagechecks.h"
#include "planetary/suggestions.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace
{

// Helix directions of the other gears follow the sun's: the external meshes
// turn the hand over, the internal one keeps it.
void SetHelixDirections()
{
    auto& ta = PlanetaryGears.ToothAlignment;
    switch (ta[gS]) {
    case 1:
        ta[gPi] = 2, ta[gPe] = 1, ta[gH] = 1;
        break;
    case 2:
        ta[gPi] = 1, ta[gPe] = 2, ta[gH] = 2;
        break;
    case 3:
        ta[gPi] = 3, ta[gPe] = 3, ta[gH] = 3;
        break;
    default:
        break;
    }
}

Extended BacklashAngle(Extended J, Extended d)
{
    return d != 0 ? RadToDeg(2 * J / std::fabs(d)) : 0;
}

// Angular backlash of each gear (degrees) from the circumferential backlash
// of meshes S-Pi and Pi-Pe.
void CalcBacklashAngles()
{
    auto& g = PlanetaryGears;
    const auto& dw = g.dw;
    const Extended dS = dw[1][mSPi];
    const Extended dPi = std::min(dw[2][mSPi], dw[1][mPiPe]);
    const Extended dPe = std::min(dw[2][mPiPe], dw[1][mPeH]);
    const Extended dH = std::fabs(dw[2][mPeH]);
    const Extended diameters[] = {dS, dPi, dPe, dH};
    const Extended Jmin = g.jtmin[mSPi] + g.jtmin[mPiPe];
    const Extended Jmax = g.jtmax[mSPi] + g.jtmax[mPiPe];
    for (int k = 1; k <= 4; ++k) {
        g.BacklashAngleMin[k] = BacklashAngle(Jmin, diameters[k - 1]);
        g.BacklashAngleMax[k] = BacklashAngle(Jmax, diameters[k - 1]);
    }
}

// Backlash seen at a shaft: S and H have their gear's; the carrier sees the
// gear at the other end, reduced by the ratio to it.
Extended ShaftBacklash(int shaft, int otherShaft, const TArray<Extended, 1, 4>& angle)
{
    const Extended r = std::fabs(PlanetaryStage.i0);
    if (shaft == shaftS) return angle[gS];
    if (shaft == shaftH) return angle[gH];
    if (otherShaft == shaftS) return angle[gS] / (r + 1);
    if (otherShaft == shaftH) return r * angle[gH] / (r + 1);
    return 0;
}

Extended PlanetMass(int k, int gear)
{
    const auto& g = PlanetaryGears;
    const auto& br = PlanetBearings[k];
    const Extended d = GearPair.mn * g.z[gear];
    Extended mass = g.rho[gear] * g.b[gear] * (Pi / 4) * (d * d - br.D * br.D) / 1e6;
    if (br.d > 0) mass += 7.8L * br.B * (Pi * br.BearingCount / 4) * (br.D * br.D - br.d * br.d) / 1e6;
    return mass;
}

// Lives of both planet bearings under the planet loads. A pair of bearings
// per planet shares the loads; taper roller and angular contact ball pairs
// are calculated as the pair they are mounted as.
void CalcPlanetBearingLives()
{
    const auto& st = PlanetaryStage;
    const auto& g = PlanetaryGears;
    for (int k = 1; k <= 2; ++k) {
        auto& br = PlanetBearings[k];
        // FrMin 0 asks for the planet's centrifugal force as the smallest
        // radial load. It stays 0 in the record, so that the next
        // calculation follows a changed planet instead of keeping this one's.
        const bool fromCentrifugal = br.FrMin == 0;
        if (fromCentrifugal) br.FrMin = st.FfP[k];
        const Extended Fr = st.FlPm[k];
        const Extended Fa = std::fabs(g.Fxw[k + 1]);
        const Extended speed = std::fabs(st.nBearing[k]);
        if (br.d > 0 && br.BearingCount == 2 && (br.BearingType == 6 || br.BearingType == 8))
            CalcBearingLife(k, 3, br.Arrangement, Fr / 2, Fa / 2, speed);
        else if (br.d > 0 && br.BearingCount == 2)
            CalcBearingLife(k, 2, 0, Fr / 2, Fa / 2, speed);
        else
            CalcBearingLife(k, 2, 0, Fr, Fa, speed);
        if (fromCentrifugal) br.FrMin = 0;
    }
}

// A planet's pin and bore are those of its bearing. Taken before the
// meshes, which work out the planets' rims from the bores: taken after them,
// the first calculation with a new bearing had the old bore and every later
// one the bearing's.
void TakePlanetBearingDiameters()
{
    for (int k = 1; k <= 2; ++k) {
        if (!PlanetBearingDefined(k)) continue;
        const auto& br = PlanetBearings[k];
        if (br.d > 0) (k == 1 ? PlanetaryStage.dshPi : PlanetaryStage.dshPe) = br.d;
        if (br.D > 0) PlanetaryGears.dB[k == 1 ? gPi : gPe] = br.D;
    }
}

// Messages of the single meshes that the stage must not lose. A mesh's
// design judgements are dropped: the stage checks repeat them, naming the
// gear or mesh concerned. Everything else (a table that could not be read,
// the load spectrum's own messages, guarded math, a limit torque not found)
// has no stage check behind it and stays, named after its mesh.
class TMeshMessages
{
  public:
    // The texts are formed in strings kept from the last calculation, which
    // keep their room.
    explicit TMeshMessages(std::vector<std::string>& Room) : texts_(Room) {}
    TMeshMessages(const TMeshMessages&) = delete;
    TMeshMessages& operator=(const TMeshMessages&) = delete;

    void Take(int m)
    {
        const std::string_view mesh = PlanetaryMeshNames[m];
        VisitCollectedMessages([&](std::string_view Text, bool Judgement) {
            if (Judgement) return;
            if (count_ == texts_.size()) texts_.emplace_back();
            auto& text = texts_[count_++];
            text.assign(Text).append(" (").append(mesh).append(")");
        });
    }
    void AddAll() const
    {
        for (std::size_t i = 0; i < count_; ++i)
            AddErrorMessage(texts_[i]);
    }

  private:
    std::vector<std::string>& texts_;
    std::size_t count_ = 0;
};

// One mesh through load, calculation and store. False when it ended in a
// fatal error: the list then holds that mesh's messages and, after them,
// those the earlier meshes left. The mesh's design judgements are not
// formed, as Take drops them; a mesh that ends in a fatal error is
// calculated again with them, for the list that shows them.
bool CalcStageMesh(int m, TMeshMessages& Kept)
{
    {
        const TDroppedJudgements dropped;
        LoadMesh(m);
        CalcGearPair();
    }
    if (telmvar.FatalCalcError) {
        LoadMesh(m);
        CalcGearPair();
        Kept.AddAll();
        return false;
    }
    StoreMesh(m);
    Kept.Take(m);
    return true;
}

} // namespace

bool CheckDriveData()
{
    const auto& sh = PlanetaryShafts;
    const auto& z = PlanetaryGears.z;
    if (sh.InputShaft == sh.OutputShaft) {
        AddFatalMessage("Fatal  : input shaft = output shaft !");
        return false;
    }
    // zS = -zH makes the stationary ratio 1: sun and carrier would be locked
    // together and the Willis equation cannot be solved for the carrier.
    if (z[gS] != 0 && z[gS] == -z[gH]) {
        AddFatalMessage("Fatal  : i0 = 1 !");
        return false;
    }
    if (PlanetaryStage.nIn == 0) {
        AddFatalMessage("Fatal  : n input = 0 !");
        return false;
    }
    if (GearPair.qp <= 0) {
        AddFatalMessage("Fatal  : q = 0 !");
        return false;
    }
    return true;
}

namespace
{

// The texts of the records a calculation reads and leaves behind, each
// handed to Visit in one order. A record that gets a text must list it here
// (the sizes below stand guard).
template <class TTexts, class TVisit> void VisitEach(const TTexts& Texts, TVisit& Visit)
{
    for (const std::string& text : Texts)
        Visit(text);
}

template <class TVisit> void VisitTexts(const TPlanetaryGears& g, TVisit&& Visit)
{
    VisitEach(g.PartNumber, Visit);
    VisitEach(g.GearName, Visit);
    VisitEach(g.GearLongName, Visit);
    VisitEach(g.ProfileName, Visit);
    VisitEach(g.ToothCorrection, Visit);
    VisitEach(g.ToleranceZone, Visit);
    VisitEach(g.CentreDistanceTolerance, Visit);
    Visit(g.StageText);
    VisitEach(g.MaterialName, Visit);
}

template <class TVisit> void VisitTexts(const TGearPairData& p, TVisit&& Visit)
{
    VisitEach(p.MaterialName, Visit);
    VisitEach(p.GearCaption, Visit);
    VisitEach(p.PartNumber, Visit);
    VisitEach(p.GearName, Visit);
    VisitEach(p.GearLongName, Visit);
    VisitEach(p.ToothCorrectionText, Visit);
    VisitEach(p.ProfileName, Visit);
    VisitEach(p.ToleranceZone, Visit);
    Visit(p.CentreDistanceTolerance);
    Visit(p.LubricantName);
}

template <class TVisit> void VisitTexts(const TArray<WaelzLagerTyp, 1, 2>& Bearings, TVisit&& Visit)
{
    for (const auto& bearing : Bearings) {
        Visit(bearing.Designation);
        Visit(bearing.CatText2);
    }
}

template <class TVisit> void VisitTexts(const QYRLIFE_Record& Life, TVisit&& Visit)
{
    Visit(Life.LW);
}

// Records without texts.
template <class T, class TVisit> void VisitTexts(const T&, TVisit&&)
{
    static_assert(std::is_trivially_copyable_v<T>, "a record with texts must list them in VisitTexts");
}

static_assert(sizeof(TPlanetaryGears) == 15248 && sizeof(TGearPairData) == 12752 &&
                  sizeof(WaelzLagerTyp) == 848 && sizeof(QYRLIFE_Record) == 64,
              "a record of the stage changed: list any text it got in VisitTexts, then the new size here");

// Copies a record's bytes into To, aligned to 32. The kept records are
// taken after every calculation: moved 32 bytes at a time they take a
// fraction of the steps of the compiler's word-by-word moves (or of the
// library's string move, byte by byte under callgrind). Without such moves
// they go in pieces of 8 KiB, which the compiler moves word by word in place.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define QYR7_COPY_BLOCKS 1
using TBlock = unsigned char __attribute__((vector_size(32), aligned(1), may_alias));
constexpr std::size_t BlockBytes = sizeof(TBlock);

// Size is at least one block.
[[gnu::target("avx2")]] void CopyBlocks(unsigned char* To, const unsigned char* From, std::size_t Size)
{
    constexpr std::size_t w = BlockBytes;
    std::size_t at = 0;
    for (; at + 4 * w <= Size; at += 4 * w) {
        const TBlock a = *reinterpret_cast<const TBlock*>(From + at);
        const TBlock b = *reinterpret_cast<const TBlock*>(From + at + w);
        const TBlock c = *reinterpret_cast<const TBlock*>(From + at + 2 * w);
        const TBlock d = *reinterpret_cast<const TBlock*>(From + at + 3 * w);
        *reinterpret_cast<TBlock*>(To + at) = a;
        *reinterpret_cast<TBlock*>(To + at + w) = b;
        *reinterpret_cast<TBlock*>(To + at + 2 * w) = c;
        *reinterpret_cast<TBlock*>(To + at + 3 * w) = d;
    }
    for (; at + w <= Size; at += w)
        *reinterpret_cast<TBlock*>(To + at) = *reinterpret_cast<const TBlock*>(From + at);
    // The rest within a block that ends with the record.
    if (at < Size)
        *reinterpret_cast<TBlock*>(To + Size - w) = *reinterpret_cast<const TBlock*>(From + Size - w);
}
#else
constexpr std::size_t BlockBytes = 32;
#endif

// Size is at least one block.
void CopyRecord(unsigned char* To, const unsigned char* From, std::size_t Size)
{
#ifdef QYR7_COPY_BLOCKS
    static const bool blocks = __builtin_cpu_supports("avx2");
    if (blocks) return CopyBlocks(To, From, Size);
#endif
    constexpr std::size_t PieceBytes = 8192;
    for (std::size_t at = 0; at < Size; at += PieceBytes)
        std::memcpy(To + at, From + at, std::min(PieceBytes, Size - at));
}

// A record as it stood, kept as its bytes: equal bytes are equal values, and
// copying and comparing them costs a fraction of doing so field by field. A
// text whose characters lie within the record (a short one) is among the
// bytes; a longer one lies elsewhere and is kept as a copy beside them.
template <class T> class TKeptRecord
{
  public:
    void Take(const T& Record)
    {
        const auto* from = reinterpret_cast<const unsigned char*>(&Record);
        if constexpr (sizeof(T) >= BlockBytes)
            CopyRecord(bytes_, from, sizeof(T));
        else
            std::memcpy(bytes_, from, sizeof(T));
        std::size_t k = 0;
        VisitTexts(Record, [&](const std::string& Text) {
            if (!Within(Record, Text)) {
                if (k >= texts_.size()) texts_.resize(k + 1);
                CopyText(texts_[k], Text);
            }
            ++k;
        });
    }

    // Equal bytes hold the same addresses of the texts: a text that lay
    // elsewhere when taken still does, and is compared with its copy.
    bool Holds(const T& Record) const
    {
        if (std::memcmp(bytes_, static_cast<const void*>(&Record), sizeof(T)) != 0) return false;
        bool same = true;
        std::size_t k = 0;
        VisitTexts(Record, [&](const std::string& Text) {
            if (same && !Within(Record, Text)) same = texts_[k] == Text;
            ++k;
        });
        return same;
    }

  private:
    static bool Within(const T& Record, const std::string& Text)
    {
        const auto begin = reinterpret_cast<std::uintptr_t>(&Record);
        const auto at = reinterpret_cast<std::uintptr_t>(Text.data());
        return at >= begin && at - begin < sizeof(T);
    }

    alignas(32) unsigned char bytes_[sizeof(T)];
    std::vector<std::string> texts_;
};

// The message list field by field: its texts lie elsewhere, and the kept
// copies keep their room.
void CopyMessages(TError0& To, const TError0& From)
{
    To.ErrorCount = From.ErrorCount;
    for (int i = 1; i <= TArray<std::string, 1, 12>::High; ++i)
        CopyText(To.ErrorTexts[i], From.ErrorTexts[i]);
    To.IsJudgement = From.IsJudgement;
    To.LeftOutTexts.resize(From.LeftOutTexts.size());
    for (std::size_t i = 0; i < From.LeftOutTexts.size(); ++i)
        CopyText(To.LeftOutTexts[i], From.LeftOutTexts[i]);
    To.LeftOutJudgement = From.LeftOutJudgement;
    CopyText(To.FatalText, From.FatalText);
    To.JudgementsFollow = From.JudgementsFollow;
    To.JudgementsDropped = From.JudgementsDropped;
    To.Muted = From.Muted;
}

} // namespace

// The tables, variables and settings a calculation reads and leaves behind.
struct TStageCalcSnapshot {
    TKeptRecord<TPlanetaryStage> Stage;
    TKeptRecord<TPlanetaryGears> Gears;
    TKeptRecord<TPlanetaryShafts> Shafts;
    TKeptRecord<TArray<WaelzLagerTyp, 1, 2>> Bearings;
    TKeptRecord<TGearPairData> Pair;
    TKeptRecord<QYRLIFE_Record> Life;
    TError0 Messages;
    bool HideWarnings = false;
    uint16_t UnitSystem = 0;
    bool MessagesEnabled = false;
    std::string DbfDir;

    // As they stand now.
    void Take()
    {
        Stage.Take(PlanetaryStage);
        Gears.Take(PlanetaryGears);
        Shafts.Take(PlanetaryShafts);
        Bearings.Take(PlanetBearings);
        Pair.Take(GearPair);
        Life.Take(LifeParams);
        CopyMessages(Messages, error0);
        HideWarnings = wtelmvar.HideWarnings;
        UnitSystem = wtelmvar.UnitSystem;
        MessagesEnabled = telmvar.MessagesEnabled;
        CopyText(DbfDir, telmvar.DbfDir);
    }

    bool Holds() const
    {
        return Stage.Holds(PlanetaryStage) && Gears.Holds(PlanetaryGears) && Shafts.Holds(PlanetaryShafts) &&
               Bearings.Holds(PlanetBearings) && Pair.Holds(GearPair) && Life.Holds(LifeParams) &&
               Messages == error0 && HideWarnings == wtelmvar.HideWarnings &&
               UnitSystem == wtelmvar.UnitSystem && MessagesEnabled == telmvar.MessagesEnabled &&
               DbfDir == telmvar.DbfDir;
    }
};

TStageCalcState stagecalc;

void ResetStageCalc()
{
    stagecalc = TStageCalcState{};
}

bool StageUnchangedSinceCalculation()
{
    return stagecalc.LastKept && stagecalc.Last->Holds();
}

void ForgetStageCalculation()
{
    stagecalc.LastKept = false;
}

namespace
{

void CalcStage()
{
    auto& st = PlanetaryStage;
    auto& g = PlanetaryGears;
    auto& p = GearPair;
    // The meshes share gears, and with them involute inverses.
    const TArcInvoluteMemo involuteInverses;

    telmvar.FatalCalcError = false;
    ResetErrorState();
    if (!(p.mn > 0)) {
        AddFatalMessage("Fatal  : mn = 0 !");
        return;
    }
    for (int k = 1; k <= 4; ++k) {
        if (g.z[k] == 0) {
            AddFatalMessage("Fatal  : xz" + std::to_string(k) + "=0!");
            return;
        }
    }
    if (g.z[gH] > 0) g.z[gH] = -g.z[gH];
    if (!CheckDriveData()) return;
    // The cutter proposed for the ring is formed before the meshes, whose
    // ring root depends on it, and held beside the entered one: written into
    // z0 it stood as entered, and a ring changed afterwards kept the old
    // proposal.
    p.z0Proposed = CutterTeethDefault();
    p.x0Proposed = CutterShiftDefault();

    p.alpha_rad = DegToRad(p.alpha);
    p.beta_rad = DegToRad(p.beta);
    p.mt = p.mn / KeptCos(p.beta_rad);

    CalcDriveData();
    if (telmvar.FatalCalcError) return;
    st.TN = st.DriveValue * 60000 / (st.nIn * 2 * Pi);
    CalcShaftTorques();
    if (telmvar.FatalCalcError) return;
    CalcShaftPowers();
    SetHelixDirections();
    if (st.Kgamma == 0) st.Kgamma = 1.0L;
    p.DimensionInputReserve = 0;
    TakePlanetBearingDiameters();

    // Each mesh's calculation starts its own message list; what must outlast
    // it is set aside here.
    TMeshMessages kept(stagecalc.MeshTexts);
    TLastMeshMeanLoad meanLoad;
    for (int m = mSPi; m <= mPeH; ++m)
        if (!CalcStageMesh(m, kept)) return;
    meanLoad.Settle();

    // Triangle of the sun centre and the centres of Pi and Pe of one set.
    const Extended a1 = g.aInUse[mSPi], a2 = g.aInUse[mPiPe], a3 = g.aInUse[mPeH];
    if (a2 + a1 <= -a3)
        st.PhiSun = 0;
    else
        st.PhiSun = SafeArcCos((a2 * a2 - a3 * a3 - a1 * a1) / (2 * a3 * a1));
    st.PhiPe = SafeArcSin(a1 * KeptSin(st.PhiSun) / a2);
    st.PhiPi = Pi - st.PhiSun - st.PhiPe;

    st.dlP = CircleGap(2 * Pi / p.qp, st.PhiSun, g.da[gPi], g.da[gPe], a1, a3);
    st.DistanceSPe = std::fabs(a3) - g.da[gS] / 2 - g.da[gPe] / 2;
    st.DistancePiH = std::fabs(g.da0[gH]) / 2 - std::fabs(a1) - g.da0[gPi] / 2;

    CalcBacklashAngles();
    const auto& sh = PlanetaryShafts;
    st.BacklashAngleInMin = ShaftBacklash(sh.InputShaft, sh.OutputShaft, g.BacklashAngleMin);
    st.BacklashAngleInMax = ShaftBacklash(sh.InputShaft, sh.OutputShaft, g.BacklashAngleMax);
    st.BacklashAngleOutMin = ShaftBacklash(sh.OutputShaft, sh.InputShaft, g.BacklashAngleMin);
    st.BacklashAngleOutMax = ShaftBacklash(sh.OutputShaft, sh.InputShaft, g.BacklashAngleMax);
    st.TOut = st.T[sh.OutputShaft];

    st.mP[1] = PlanetMass(1, gPi);
    st.mP[2] = PlanetMass(2, gPe);
    const Extended omegaC = st.n[shaftC] * 2 * Pi / 60;
    st.FfP[1] = a1 * st.mP[1] * omegaC * omegaC / 1000;
    st.FfP[2] = st.mP[2] * omegaC * omegaC * std::fabs(a3) / 1000;
    st.FlPN[1] = std::hypot(st.FfP[1], g.Ftw[mSPi] + g.Ftw[mPiPe]);
    st.FlPN[2] = std::hypot(st.FfP[2], g.Ftw[mPiPe] + g.Ftw[mPeH]);
    for (int k = 1; k <= 2; ++k)
        st.FlPm[k] = p.LoadSpectrumCount < 2 ? st.FlPN[k] : st.MeanLoadFactor * st.FlPN[k];

    if (telmvar.FatalCalcError) return;
    // The single meshes' judgements are dropped, the stage checks below
    // repeat them naming the gear or mesh concerned; their other messages
    // stay.
    ResetErrorState();
    kept.AddAll();

    CalcPlanetBearingLives();

    if (g.z[gS] <= g.z[gPi]) g.dshS = g.dsh[mSPi];
    CheckPlanetaryStage();
}

} // namespace

void CalcPlanetaryStage()
{
    ++stagecalc.Runs;
    // A calculation that throws or stops early claims nothing.
    stagecalc.LastKept = false;
    stagecalc.MessagesTaken = false;
    CalcStage();
    CopyMessages(stagecalc.Messages, error0);
    stagecalc.MessagesTaken = true;
    if (telmvar.FatalCalcError) return;
    if (!stagecalc.Last) stagecalc.Last = std::make_unique<TStageCalcSnapshot>();
    stagecalc.Last->Take();
    stagecalc.LastKept = true;
}
