#pragma once
// The plus planetary stage with double planets: sun S, inner planets Pi,
// outer planets Pe, ring gear H and carrier C.
//
// Two program-wide records hold the stage: `PlanetaryStage` (drive, speeds,
// torques, powers, ratio, planet forces, the stored load spectrum) and
// `PlanetaryGears` (the four gears and the three meshes). Indices:
//   gear  1 S, 2 Pi, 3 Pe, 4 H (internal: its tooth number is negative)
//   mesh  1 S-Pi, 2 Pi-Pe, 3 Pe-H
//   shaft 1 S, 2 C, 3 H
// Results that carry one value per gear of a mesh are kept as
// [slot 1..2][mesh 1..3], slot 1 being the first gear of the mesh name,
// whichever gear the pair calculation took as its pinion.

#include "foundation/types.h"
#include "gearpair/gearpairdata.h"

#include <string>

using GearArray = TArray<Extended, 1, 4>;
using MeshArray = TArray<Extended, 1, 3>;
using SlotArray = TArray<MeshArray, 1, 2>; // [slot][mesh]
template <class T> using PerGear = TArray<T, 1, 4>;
template <class T> using PerMesh = TArray<T, 1, 3>;

enum : int { gS = 1, gPi = 2, gPe = 3, gH = 4 };
enum : int { mSPi = 1, mPiPe = 2, mPeH = 3 };
enum : int { shaftS = 1, shaftC = 2, shaftH = 3 };

// Vocabulary tables.
extern const TArray<const char*, 0, 4> PlanetaryGearLetters; // "", "S", "Pi", "Pe", "H"
extern const TArray<const char*, 0, 3> PlanetaryMeshNames;   // "", "S-Pi", "Pi-Pe", "Pe-H"
extern const TArray<const char*, 0, 3> ShaftLetters;         // "", "S", "C", "H"
extern const TArray<const char*, 1, 2> PlanetLetters;        // "Pi", "Pe"

struct TPlanetaryStage {
    Extended nIn = 0, nOut = 0, nThird = 0;
    TArray<Extended, 1, 2> npC{}, np0{}, nBearing{};
    Extended DriveValue = 0;
    Extended TN = 0, TOut = 0, PW = 0;
    Extended i = 0, i0 = 0;
    TArray<Extended, 1, 3> T{}, n{}, P{};
    TArray<Extended, 1, 2> FlPN{}, FlPm{}, mP{}, FfP{};
    Extended dlP = 0;
    TArray<TLoadSpectrumItem, 0, 128> LoadSpectrum{};
    // Items of the stored spectrum, set with it by PutStageLoadSpectrum, so
    // that the project file writes a count and items of the same copy.
    int LoadSpectrumCount = 0;
    bool PowerSplit = false, ControlShaftBlocked = false;
    Extended Kgamma = 0;
    Extended dshPi = 0, dshPe = 0;
    Extended dcarrier = 0, lcarrier = 0, hcarrier = 0;
    int CarrierForm = 0;
    // Which drive quantity the drive dialog was given (1-based).
    int DriveInputMode = 0;
    bool CarrierShaft = false;
    Extended PredimBToMn = 0, PredimSafety = 0;
    // Results of the stage calculation.
    Extended PhiSun = 0, PhiPe = 0, PhiPi = 0;
    Extended BacklashAngleInMin = 0, BacklashAngleInMax = 0;
    Extended BacklashAngleOutMin = 0, BacklashAngleOutMax = 0;
    // Tip clearances sun - outer planet and inner planet - ring gear (mm).
    Extended DistanceSPe = 0, DistancePiH = 0;
    // Set by the predimensioning with the clearances; kept as plain values.
    TArray<unsigned char, 1, 4> PredimFlags{};
    TArray<int, 1, 2> PredimWords{};
    // Mean load of the load spectrum over the nominal load (1 without one);
    // set by the service-life calculation, scales the planet bearing loads.
    Extended MeanLoadFactor = 1;

    // Field by field: what the drawings that recalculate the stage in
    // another drive must leave as they found it.
    friend bool operator==(const TPlanetaryStage&, const TPlanetaryStage&) = default;
};

struct TPlanetaryGears {
    // Identification. Entry 0 belongs to no gear; the project file carries
    // it with the four gears.
    TArray<std::string, 0, 4> PartNumber{}, GearName{}, GearLongName{};
    // A per-gear setting of the input dialogs, carried by the project file.
    PerGear<int> GearCode{};
    // Geometry and tool inputs.
    PerGear<int> ToolProfileNo{};
    PerGear<int> z{};
    MeshArray a{}, Aa{}, Aai{};
    PerMesh<int> AaField{};
    GearArray x{}, da{};
    GearArray alphaprP0{}, alphakP0{}, hfP0_mn{}, rhoaP0_mn{}, rhofP0_mn{}, haP0_mn{}, prP0_mn{}, hFfP0_mn{};
    GearArray di{}, dB{}, ZX{}, YX{};
    PerGear<std::string> ProfileName{};
    GearArray kmn{};
    // Tolerances and measurement.
    PerGear<int> AsneSeries{}, TsnSeries{};
    PerGear<int> FlankToleranceClass{};
    GearArray Asne{}, Asni{}, q{}, q_tol{};
    // The tooth correction note of the quality dialog; the project file has
    // no line for it, so it is not saved.
    PerGear<std::string> ToothCorrection{};
    PerGear<std::string> ToleranceZone{};
    PerMesh<std::string> CentreDistanceTolerance{};
    PerGear<int> SpanTeeth{};
    GearArray DM{}, RzZ{}, RzY{};
    // Factors entered for the "factors entered" method, per mesh.
    MeshArray Kv{}, KHbeta{}, KFbeta{}, KHalpha{}, KFalpha{};
    MeshArray ZH{}, ZB{}, ZD{}, ZE{}, Z_eps{}, Z_beta{}, ZW{}, ZL{}, Zv{}, ZR{};
    MeshArray Y_beta{}, YDT{};
    GearArray YdrelT{}, YRrelT{}, YB{}, tg_rhog{};
    MeshArray fma{}, fsh{};
    PerGear<int> ToothAlignment{};
    GearArray b{}, bcha{}, YA{};
    std::string StageText;
    PerGear<int> ToolRecordNo{};
    // Material.
    PerGear<int> MaterialKind{}, HeatTreatment{}, MaterialRecordNo{};
    PerGear<std::string> MaterialName{};
    GearArray rho{}, E{}, nu{}, SigmaHlim{}, Sigma_FE{}, HB{};
    GearArray e{}, Np{};
    // Shaft and bearing data of the meshes.
    PerMesh<int> ContactPatternNo{}, BearingArrangementNo{};
    MeshArray l_bearing{}, s_bedding{}, dsh{}, bctr{};
    GearArray YNT{}, ZNT{};
    GearArray BacklashAngleMin{}, BacklashAngleMax{};
    Extended dshS = 0;

    // Per-gear results stored back from the pair calculation. dBInUse is the
    // bore the pair worked with: the entered dB, or for the ring without one
    // the rim the pair derives; the entered dB keeps its 0.
    GearArray dBInUse{};
    // The number of teeth spanned the measurement was calculated with: the
    // entered SpanTeeth, or the one the pair derives while 0 is entered.
    PerGear<int> SpanTeethInUse{};
    GearArray d{}, da0{}, df{}, df_min{}, db{}, dFamax{}, dFamin{}, h{}, h_min{}, h_max{}, x_min{}, da_tool{};
    GearArray dFf_nom{}, dFfmin{}, dFfmax{}, zn{}, dn{}, dm{};
    GearArray sat_nom{}, sat_min{}, sat_max{}, sak{}, stw{}, stw_angle{}, san_nom{}, san_min{}, san_max{};
    GearArray sn_nom{}, sn_min{}, sn_max{}, st_nom{}, st_min{}, st_max{}, en{}, et{}, alpha_a{}, eps_part{};
    GearArray haP0{}, rhoaP0{}, hfP0{}, prP0{}, hFfP0{}, rhofP0{};
    PerGear<unsigned char> HasChamfer{};
    GearArray ffalphaT{}, fHalphaT{}, FalphaT{}, fpT{}, fuT{}, FpT{}, Fpk{}, FrT{}, Rs{}, FbetaT{}, fHbetaT{};
    GearArray ffbetaT{}, Fi2{}, fi2{}, FisT{}, fisT{};
    GearArray Tsn{}, xevmax{}, xevmin{}, xemax{}, xemin{};
    GearArray W_xevmin{}, W_xevmax{}, W_x{}, W_xemin{}, W_xemax{};
    GearArray MdK_xevmin{}, MdK_xevmax{}, MdK_x{}, MdK_xemin{}, MdK_xemax{};
    GearArray MdR_xevmin{}, MdR_xevmax{}, MdR_x{}, MdR_xemin{}, MdR_xemax{};
    GearArray SigmaHG{}, SigmaFG{}, rho_slip{}, qs{}, sFn{}, rhoF{}, xeF{};
    GearArray T{}, n{};

    // Per-mesh results. aInUse is the centre distance the mesh was
    // calculated at (the one its profile shifts give); a keeps what was
    // entered, 0 for none.
    MeshArray aInUse{};
    MeshArray jtmin{}, jtmax{}, jnmin{}, jnmax{}, jrmin{}, jrmax{};
    MeshArray Ft{}, Fxw{}, Frw{}, Fnw{}, v{}, Ftw{};
    MeshArray u{}, alpha_wt{}, eps_alpha{}, eps_beta{}, eps_gamma{}, g_alpha{}, b_effH{};
    MeshArray zeta_f1{}, zeta_a1{}, zeta_f2{}, zeta_a2{};
    MeshArray SigmaHC{}, Y_eps{}, m_red{}, c_gamma{}, c_single{}, Fbetax{}, y_beta{}, FmPerB{}, Kprime{};
    MeshArray y_alpha{}, FtPerB{}, nS{}, SigmaH0{};
    MeshArray LoadSpectrumKA_F{}, LoadSpectrumKA_H{}, Neq{}, TeqF{}, TeqH{}, T0Feq{}, T0Heq{}, TnFeq{},
        TnHeq{};
    MeshArray Nsum{}, TnF{}, TnH{}, T0F{}, T0H{};

    // Slot results: [slot][mesh].
    SlotArray SH{}, SF{}, YF{}, YS{}, YSg{}, SigmaF{}, SigmaF0{}, SigmaH{}, dNa{}, dNf{}, dw{}, nE{}, ck{};
    SlotArray hFe{}, alphaFen{}, b_effF{}, LtH{}, LtH2{}, LtF{};

    friend bool operator==(const TPlanetaryGears&, const TPlanetaryGears&) = default;
};

// Shaft codes: always a permutation of 1, 2, 3; the kinematics derives the
// fixed shaft from the other two.
struct TPlanetaryShafts {
    int InputShaft = 1, OutputShaft = 2, FixedShaft = 3;

    friend bool operator==(const TPlanetaryShafts&, const TPlanetaryShafts&) = default;
};

extern TPlanetaryStage PlanetaryStage;
extern TPlanetaryGears PlanetaryGears;
extern TPlanetaryShafts PlanetaryShafts;

// Record defaults; runs at start-up and from File New.
void InitPlanetaryData();
// Stored spectrum <-> working spectrum of the gear pair, items 0..LoadSpectrumCount;
// the count goes along each way.
void GetStageLoadSpectrum();
void PutStageLoadSpectrum();
