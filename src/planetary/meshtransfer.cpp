#include "planetary/meshtransfer.h"

#include "foundation/textcopy.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace
{

// One field from the pair to the stage or back. An extended real is moved
// as its bytes: the compiler would load and store each through the x87
// stack, and a mesh moves several hundred of them. Only the ten bytes of
// the value move; the padding behind it would carry whatever the pair's
// held into the stage records, whose bytes must be those of their values.
template <class T> void Move(T& To, const T& From)
{
    To = From;
}

constexpr std::size_t ExtendedValueBytes = 10;
static_assert(std::numeric_limits<Extended>::digits == 64 && sizeof(Extended) >= ExtendedValueBytes);

#if defined(__x86_64__) && defined(__GNUC__)
// Loaded whole (reading the padding is harmless) and stored as its first
// eight bytes and the next two from the same register: where the moving
// functions are built for SSE4.1 as well, the last two go straight from the
// register to memory, three instructions instead of four.
static_assert(sizeof(Extended) == 16 && alignof(Extended) == 16);

[[gnu::always_inline]] inline void Move(Extended& To, const Extended& From)
{
    const __m128i value = _mm_load_si128(reinterpret_cast<const __m128i*>(&From));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(&To), value);
    const auto top = static_cast<std::uint16_t>(_mm_extract_epi16(value, 4));
    std::memcpy(reinterpret_cast<unsigned char*>(&To) + 8, &top, sizeof top);
}
#else
void Move(Extended& To, const Extended& From)
{
    std::memcpy(&To, &From, ExtendedValueBytes);
}
#endif

// The functions that move the fields are built twice where the compiler
// can choose between builds by the processor at start-up: a mesh moves
// several hundred extended values, each one instruction shorter with SSE4.1.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define MESH_MOVES [[gnu::noinline, gnu::target_clones("sse4.1", "default")]]
#else
#define MESH_MOVES [[gnu::noinline]]
#endif

void Move(std::string& To, const std::string& From)
{
    CopyText(To, From);
}

// First and second gear of each mesh name.
int NamedGear(int m, int slot)
{
    return slot == 1 ? m : m + 1;
}

// Slot (1 or 2) that stage gear g occupies in mesh m.
int SlotOfGear(int m, int g)
{
    return g == NamedGear(m, 1) ? 1 : 2;
}

} // namespace

MeshOrder MeshGearOrder(int m)
{
    const auto& z = PlanetaryGears.z;
    switch (m) {
    case mSPi:
        return z[gS] > z[gPi] ? MeshOrder{{gPi, gS}} : MeshOrder{{gS, gPi}};
    case mPiPe:
        return z[gPi] > z[gPe] ? MeshOrder{{gPe, gPi}} : MeshOrder{{gPi, gPe}};
    case mPeH:
        return MeshOrder{{gPe, gH}};
    default:
        return MeshOrder{{0, 0}};
    }
}

bool MeshExchanged(int m)
{
    return m >= 1 && m <= 3 && MeshGearOrder(m)[1] == NamedGear(m, 2);
}

// The fields below travel between the stage records and the pair variables
// under the same name. Identification texts and tg_rhog only go into the pair.
// clang-format off
#define GEAR_INPUTS(X)                                                                                       \
    X(z) X(ToolProfileNo) X(x) X(da) X(alphaprP0) X(alphakP0) X(hfP0_mn) X(rhoaP0_mn) X(rhofP0_mn)           \
    X(haP0_mn) X(prP0_mn) X(hFfP0_mn) X(ProfileName) X(ToolRecordNo) X(kmn) X(b) X(bcha)                      \
    X(AsneSeries) X(TsnSeries) X(FlankToleranceClass) X(Asne) X(Asni) X(q) X(q_tol) X(DM)                    \
    X(RzZ) X(RzY) X(ZX) X(YX) X(YdrelT) X(YRrelT) X(YB) X(YA) X(YNT) X(ZNT) X(ToothAlignment)                \
    X(MaterialKind) X(HeatTreatment) X(MaterialRecordNo) X(MaterialName) X(rho) X(E) X(nu) X(SigmaHlim)      \
    X(Sigma_FE) X(HB) X(e) X(Np)

// These go into the pair only: what the pair derives for them when none is
// entered, stored back, would stand as entered and stay when what it was
// derived from changes. The blank's inside diameter is taken from the bore
// (a planet's bearing), the ring's bore from its root, the teeth spanned
// from the tooth number; the bore and the teeth spanned the pair worked
// with come back as results.
#define GEAR_ENTERED(X) X(di) X(dB) X(SpanTeeth)

#define GEAR_RESULTS(X)                                                                                      \
    X(d) X(da0) X(df) X(df_min) X(db) X(dFamax) X(dFamin) X(h) X(h_min) X(h_max) X(x_min) X(da_tool)         \
    X(dFf_nom) X(dFfmin) X(dFfmax) X(zn) X(dn) X(dm) X(sat_nom) X(sat_min) X(sat_max) X(sak) X(stw)          \
    X(stw_angle) X(san_nom) X(san_min) X(san_max) X(sn_nom) X(sn_min) X(sn_max) X(st_nom) X(st_min)          \
    X(st_max) X(en) X(et) X(alpha_a) X(eps_part) X(haP0) X(rhoaP0) X(hfP0) X(prP0) X(hFfP0) X(rhofP0)        \
    X(HasChamfer) X(ffalphaT) X(fHalphaT) X(FalphaT) X(fpT) X(fuT) X(FpT) X(Fpk) X(FrT) X(Rs) X(FbetaT)      \
    X(fHbetaT) X(ffbetaT) X(Fi2) X(fi2) X(FisT) X(fisT) X(Tsn) X(ToleranceZone) X(xevmax) X(xevmin)          \
    X(xemax) X(xemin) X(W_xevmin) X(W_xevmax) X(W_x) X(W_xemin) X(W_xemax) X(MdK_xevmin) X(MdK_xevmax)       \
    X(MdK_x) X(MdK_xemin) X(MdK_xemax) X(MdR_xevmin) X(MdR_xevmax) X(MdR_x) X(MdR_xemin) X(MdR_xemax)        \
    X(SigmaHG) X(SigmaFG) X(rho_slip) X(qs) X(sFn) X(rhoF) X(xeF) X(T) X(n)

// The centre distance tolerance field is entered per mesh: it goes into the
// pair with the mesh so that each mesh is toleranced by its own field.
#define MESH_INPUTS(X)                                                                                       \
    X(AaField) X(Kv) X(KHbeta) X(KFbeta) X(KHalpha) X(KFalpha) X(ZH) X(ZB) X(ZD) X(ZE) X(Z_eps)         \
    X(Z_beta) X(ZW) X(ZL) X(Zv) X(ZR) X(Y_beta) X(YDT) X(fma) X(fsh) X(ContactPatternNo)                     \
    X(BearingArrangementNo) X(l_bearing) X(s_bedding) X(dsh)

#define MESH_RESULTS(X)                                                                                      \
    X(Aa) X(Aai) X(jtmin) X(jtmax) X(jnmin) X(jnmax) X(jrmin) X(jrmax) X(Ft) X(Fxw) X(Frw) X(Fnw) X(v)       \
    X(Ftw) X(u) X(alpha_wt) X(eps_alpha) X(eps_beta) X(eps_gamma) X(g_alpha) X(b_effH) X(zeta_f1)           \
    X(zeta_a1) X(zeta_f2) X(zeta_a2) X(SigmaHC) X(Y_eps) X(m_red) X(c_gamma) X(c_single) X(Fbetax)           \
    X(y_beta) X(FmPerB) X(Kprime) X(y_alpha) X(FtPerB) X(nS) X(SigmaH0) X(LoadSpectrumKA_F)                  \
    X(LoadSpectrumKA_H) X(Neq) X(TeqF) X(TeqH) X(TnF) X(TnH) X(T0F) X(T0H) X(T0Feq) X(T0Heq) X(TnFeq) X(TnHeq) \
    X(Nsum)

#define SLOT_RESULTS(X)                                                                                      \
    X(SH) X(SF) X(YF) X(YS) X(YSg) X(SigmaF) X(SigmaF0) X(SigmaH) X(dNa) X(dNf) X(dw) X(nE) X(ck) X(hFe)     \
    X(alphaFen) X(b_effF) X(LtH) X(LtH2) X(LtF)
// clang-format on

namespace
{

// The entries of one place (a gear, a mesh, a slot of a mesh, a pair gear)
// in the arrays of one record. Each element size has a pointer of its own:
// the record moved by the place's distance from an array's entry 1, so
// that an entry's address is that pointer and the array's place in the
// record, which is known. Reached from the record, the index and the array,
// the compiler formed every entry's address with an instruction of its own
// before the two moves of an extended value, and a mesh moves several
// hundred of them. The functions that move the fields take the pointers from
// their caller and are not inlined: the compiler cannot go back to forming
// the addresses from the index.
template <auto& Record> class TEntries
{
  public:
    // The place Steps entries behind entry 1.
    explicit TEntries(int Steps)
        : reals_(Base() + Steps * sizeof(Extended)), ints_(Base() + Steps * sizeof(int)),
          texts_(Base() + Steps * sizeof(std::string)), bytes_(Base() + Steps)
    {
    }

    template <class T, int Lo, int Hi> T& operator()(TArray<T, Lo, Hi>& Field) const
    {
        return *reinterpret_cast<T*>(Shifted<T>() + Place(&Field[1]));
    }
    template <class T, int Lo, int Hi> const T& operator()(const TArray<T, Lo, Hi>& Field) const
    {
        return *reinterpret_cast<const T*>(Shifted<T>() + Place(&Field[1]));
    }
    // Arrays [slot][mesh] of extended values, one place counting slot and mesh.
    Extended& operator()(SlotArray& Field) const
    {
        return *reinterpret_cast<Extended*>(reals_ + Place(&Field[1][1]));
    }
    const Extended& operator()(const SlotArray& Field) const
    {
        return *reinterpret_cast<const Extended*>(reals_ + Place(&Field[1][1]));
    }

  private:
    static char* Base() { return reinterpret_cast<char*>(&Record); }
    static std::ptrdiff_t Place(const void* Entry) { return static_cast<const char*>(Entry) - Base(); }
    template <class T> char* Shifted() const
    {
        if constexpr (std::is_same_v<T, Extended>)
            return reals_;
        else if constexpr (std::is_same_v<T, int>)
            return ints_;
        else if constexpr (std::is_same_v<T, std::string>)
            return texts_;
        else {
            static_assert(sizeof(T) == 1);
            return bytes_;
        }
    }

    char* reals_;
    char* ints_;
    char* texts_;
    char* bytes_;
};

using TStageEntries = TEntries<PlanetaryGears>;
using TPairEntries = TEntries<GearPair>;

// Places of gear g, of mesh m and of slot s of mesh m in the stage's arrays.
TStageEntries GearEntries(int g)
{
    return TStageEntries(g - 1);
}
TStageEntries MeshEntries(int m)
{
    return TStageEntries(m - 1);
}
TStageEntries SlotEntries(int s, int m)
{
    return TStageEntries((s - 1) * 3 + m - 1);
}

MESH_MOVES void LoadGear(TPairEntries pair, TStageEntries gear, TStageEntries slot)
{
    auto& p = GearPair;
    auto& s = PlanetaryGears;
    CopyText(pair(p.PartNumber), gear(s.PartNumber));
    CopyText(pair(p.GearName), gear(s.GearName));
    CopyText(pair(p.GearLongName), gear(s.GearLongName));
    CopyText(pair(p.ToothCorrectionText), gear(s.ToothCorrection));
    pair(p.tg_rhog) = gear(s.tg_rhog);
#define LOAD_GEAR(f) Move(pair(p.f), gear(s.f));
    GEAR_INPUTS(LOAD_GEAR)
    GEAR_ENTERED(LOAD_GEAR)
#undef LOAD_GEAR
    pair(p.YF) = slot(s.YF);
    pair(p.YS) = slot(s.YS);
    pair(p.YSg) = slot(s.YSg);
    pair(p.DimensionInputMode) = 2;
}

MESH_MOVES void LoadMeshInputs(TStageEntries mesh)
{
    auto& p = GearPair;
    auto& s = PlanetaryGears;
#define LOAD_MESH(f) Move(p.f, mesh(s.f));
    MESH_INPUTS(LOAD_MESH)
#undef LOAD_MESH
    Move(p.a, mesh(s.a));
    CopyText(p.CentreDistanceTolerance, mesh(s.CentreDistanceTolerance));
    p.bctr = mesh(s.bctr);
}

MESH_MOVES void StoreGear(TStageEntries gear, TPairEntries pair, TStageEntries slot)
{
    const auto& p = GearPair;
    auto& s = PlanetaryGears;
#define STORE_GEAR(f) Move(gear(s.f), pair(p.f));
    GEAR_INPUTS(STORE_GEAR)
    GEAR_RESULTS(STORE_GEAR)
#undef STORE_GEAR
    Move(gear(s.dBInUse), pair(p.dB));
    Move(gear(s.SpanTeethInUse), pair(p.SpanTeeth));
#define STORE_SLOT(f) Move(slot(s.f), pair(p.f));
    SLOT_RESULTS(STORE_SLOT)
#undef STORE_SLOT
}

MESH_MOVES void StoreMeshFields(TStageEntries mesh)
{
    const auto& p = GearPair;
    auto& s = PlanetaryGears;
#define STORE_MESH(f) Move(mesh(s.f), p.f);
    MESH_INPUTS(STORE_MESH)
    MESH_RESULTS(STORE_MESH)
#undef STORE_MESH
    Move(mesh(s.aInUse), p.a);
}

} // namespace

void LoadMesh(int m)
{
    const MeshOrder order = MeshGearOrder(m);
    auto& p = GearPair;
    const auto& s = PlanetaryGears;
    const auto& st = PlanetaryStage;
    for (int j = 1; j <= 2; ++j) {
        const int g = order[j];
        // Entered tooth form factors follow their gear: in an exchanged mesh
        // pair gear 1 is the second gear of the mesh name, i.e. slot 2.
        LoadGear(TPairEntries(j - 1), GearEntries(g), SlotEntries(SlotOfGear(m, g), m));
    }
    // The centre distance goes into the pair only, the one the mesh ends
    // with comes back as a result: stored back, it stood as entered, and an
    // entered one apart from the profile shifts was corrected on the first
    // calculation only. S-Pi and Pi-Pe without one start from that of their
    // tooth numbers; Pe-H is left to the pair.
    LoadMeshInputs(MeshEntries(m));
    if (p.a == 0 && m != mPeH) p.a = p.mn * (s.z[m] + s.z[m + 1]) / 2;

    // Speed of pair gear 1 relative to the carrier, torque per planet set.
    const auto& z = s.z;
    const Extended zS = z[gS], zPi = z[gPi], zPe = z[gPe], zH = z[gH];
    const Extended qp = p.qp;
    const Extended Kg = st.Kgamma;
    Extended n1 = 0;
    if (m == 3 || (m == 2 && zPe < zPi))
        n1 = std::fabs(st.npC[2]);
    else if (m == 2)
        n1 = std::fabs(st.npC[2] * zPe / zPi);
    else if (m == 1 && zPi < zS)
        n1 = std::fabs(st.npC[1]);
    else if (m == 1)
        n1 = std::fabs(st.npC[1] * zPi / zS);
    Extended T1 = 0;
    if (m == 3 || (m == 2 && zPe < zPi))
        T1 = Kg * std::fabs(st.T[shaftH] * zPe / zH) / qp;
    else if ((m == 2 && zPi <= zPe) || (m == 1 && zPi <= zS))
        T1 = Kg * std::fabs(st.T[shaftS] * zPi / zS) / qp;
    else
        T1 = Kg * std::fabs(st.T[shaftS]) / qp;
    p.n[1] = n1;
    p.T[1] = T1;
    p.P = Kg * st.PW / qp;

    // The spectrum is scaled to pair gear 1 of this mesh.
    if (p.LoadSpectrumCount > 0 && n1 > 0) {
        p.T[1] = p.P * 30000 / std::numbers::pi_v<Extended> / n1;
        for (int k = 1; k <= p.LoadSpectrumCount && k <= LoadSpectrumMax; ++k) {
            p.LoadSpectrum[k].N = st.LoadSpectrum[k].N;
            p.LoadSpectrum[k].T = st.TN != 0 ? st.LoadSpectrum[k].T * p.T[1] / st.TN : 0;
        }
    }
}

void SwapMeshResults(int m)
{
    auto& s = PlanetaryGears;
#define SWAP_SLOT(f) std::swap(s.f[1][m], s.f[2][m]);
    SLOT_RESULTS(SWAP_SLOT)
#undef SWAP_SLOT
    std::swap(s.zeta_f1[m], s.zeta_f2[m]);
    std::swap(s.zeta_a1[m], s.zeta_a2[m]);
}

// The gears go back in the order they were loaded in; the results and the
// captions (the gears' letters, as MeshGearCaption gives them) follow the
// order of the tooth numbers just stored.
void StoreMesh(int m)
{
    const MeshOrder order = MeshGearOrder(m);
    for (int j = 1; j <= 2; ++j)
        StoreGear(GearEntries(order[j]), TPairEntries(j - 1), SlotEntries(j, m));
    StoreMeshFields(MeshEntries(m));
    const MeshOrder stored = MeshGearOrder(m);
    if (m != mPeH && stored[1] == NamedGear(m, 2)) SwapMeshResults(m);
    CopyText(GearPair.GearCaption[1], std::string_view(PlanetaryGearLetters[stored[1]]));
    CopyText(GearPair.GearCaption[2], std::string_view(PlanetaryGearLetters[stored[2]]));
}
