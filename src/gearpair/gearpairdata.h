#pragma once
// The gear-pair variables: inputs and results of one cylindrical gear pair.
//
// Every mesh of the planetary stage is calculated as one pair. The stage copies
// a mesh into `GearPair`, runs the pair calculation and copies the results back;
// single-mesh reports and drawings read `GearPair` directly. Per-gear arrays are
// indexed [1] pinion, [2] wheel; a negative `z[2]` marks an internal wheel, whose
// diameters and the pair's centre distance are then negative as well.
//
// Units: lengths mm, input angles degrees (`alpha`, `beta`, tool angles), every
// derived angle radians, forces N, torques N·m, stresses N/mm², speeds 1/min,
// powers kW, viscosities mm²/s, temperatures °C.

#include <string>

#include "foundation/types.h"

// One item of a load spectrum: the number of load cycles first, then the
// torque (N·m). The stage keeps a stored copy of the same layout.
struct TLoadSpectrumItem {
    Extended N = 0;
    Extended T = 0;
    friend bool operator==(const TLoadSpectrumItem&, const TLoadSpectrumItem&) = default;
};

inline constexpr int LoadSpectrumMax = 128;

struct TGearPairData {
    // ---- material, operating and load-spectrum group (SetGearDefaults) ----
    PairArray<int> MaterialKind{};     // material group 1..8 (MaterialKindNames)
    PairArray<int> HeatTreatment{};    // 0..7 (HeatTreatmentNames)
    PairArray<int> MaterialRecordNo{}; // record of the material in the material table
    PairArray<std::string> MaterialName{};
    PairArray<Extended> rho{};       // density, kg/dm³
    PairArray<Extended> E{};         // modulus of elasticity
    PairArray<Extended> nu{};        // Poisson ratio
    PairArray<Extended> SigmaHlim{}; // allowable stress number, contact
    PairArray<Extended> Sigma_FE{};  // allowable stress number, bending
    PairArray<Extended> HB{};        // Brinell hardness
    PairArray<Extended> T{};         // nominal torque of each gear
    PairArray<Extended> n{};         // speed of each gear
    Extended P = 0;                  // nominal power
    Extended MaterialReserve740 = 0; // stored behind P, kept with its default
    PairArray<Extended> e{};         // tooth contacts per rotation
    PairArray<Extended> Np{};        // load alternations per period
    Extended KA_H = 0;               // application factor, pitting
    Extended KA_F = 0;               // application factor, tooth root
    PairArray<Extended> YNT{};       // life factor, root
    PairArray<Extended> ZNT{};       // life factor, flank
    int ToleranceStandard = 0;       // 0 DIN 3961, 1 ISO 1328
    PairArray<std::string> GearCaption{};
    int LoadSpectrumKind = 0;  // record of the life material
    int LoadSpectrumCount = 0; // items of the working spectrum, 0 none
    Extended LoadSpectrumKA_F = 0;
    Extended LoadSpectrumKA_H = 0;
    Extended Neq = 0;
    Extended Nsum = 0;
    Extended TeqF = 0, TeqH = 0, T0Feq = 0, T0Heq = 0, TnFeq = 0, TnHeq = 0;
    // The pair's limit torques at the lower (fatigue) and upper (breakage)
    // corners of the S-N lines, from the load-spectrum life calculation.
    Extended TnF = 0, TnH = 0, T0F = 0, T0H = 0;
    TArray<TLoadSpectrumItem, 0, LoadSpectrumMax> LoadSpectrum{};
    int MaterialReserveWord = 0;     // set to 2 with the material group
    Extended MaterialReserveOne = 0; // set to 1.0 with the material group
    int KaFromLoadSpectrum = 0;      // 1: KA_H, KA_F always from the spectrum
    // Set by each pair calculation: the spectrum's application factors were
    // formed for this load and stand in for the entered KA_H and KA_F, which
    // keep the values the user gave.
    bool SpectrumFactorsInForce = false;
    bool LoadCyclesLogarithmic = false; // load-cycle axis of the spectrum views logarithmic

    // Life results of the load capacity (per gear) and their load cycles.
    PairArray<Extended> LtH{}, LtH2{}, LtF{};
    PairArray<Extended> NLH{}, NLH2{}, NLF{};

    // ---- strings of the current pair ----
    PairArray<std::string> PartNumber{};
    PairArray<std::string> GearName{};
    PairArray<std::string> GearLongName{};
    // The tooth correction note of each gear (quality dialog), shown in the
    // pair report's tooth correction block.
    PairArray<std::string> ToothCorrectionText{};

    // ---- geometry inputs ----
    Extended mn = 0;         // normal module
    PairArray<int> z{};      // tooth numbers (z[2] < 0: internal)
    PairArray<Extended> x{}; // profile shift coefficients
    Extended alpha = 0;      // normal pressure angle, degrees
    Extended beta = 0;       // helix angle, degrees
    Extended alpha_rad = 0;
    Extended beta_rad = 0;
    Extended a = 0;                      // centre distance
    PairArray<Extended> b{};             // face width
    PairArray<Extended> bcha{};          // end chamfer
    Extended b_effH = 0;                 // effective face width, flank
    PairArray<Extended> b_effF{};        // effective face width, tooth root
    PairArray<Extended> da{};            // tip diameter with tip reduction
    PairArray<Extended> kmn{};           // tip reduction
    PairArray<Extended> di{};            // inside diameter of the gear blank
    PairArray<Extended> dB{};            // borehole diameter
    PairArray<Extended> q{};             // machining allowance
    PairArray<Extended> q_tol{};         // its tolerance
    PairArray<int> DimensionInputMode{}; // 1 ck, 2 kmn, 3 da given
    int DimensionInputReserve = 0;       // stored beside DimensionInputMode
    int qp = 0;                          // number of planets
    Extended Pn = 0;                     // normal diametral pitch, 25.4/mn
    PairArray<int> ToothAlignment{};     // 1 right-hand, 2 left-hand, 3 free

    // ---- geometry results, per gear ----
    PairArray<Extended> d{}, dw{}, da0{}, df{}, db{};
    PairArray<Extended> dFamax{}, dFamin{}, h{}, dFfmax{}, dFfmin{}, dNa{}, dNf{};
    PairArray<Extended> sat_min{}, sat_max{}, san_min{}, san_max{};
    PairArray<Extended> zn{}, en{}, et{};
    PairArray<Extended> sn_nom{}, sn_min{}, sn_max{}, st_nom{};
    PairArray<Extended> ck{}, ckmin{}, ckmax{};
    PairArray<Extended> m{};               // gear mass, kg
    PairArray<Extended> J{};               // mass moment of inertia, kg·m²
    PairArray<unsigned char> HasChamfer{}; // the tool has a tip chamfer
    PairArray<Extended> x_min{};           // smallest profile shift without undercut
    PairArray<Extended> dn{};              // virtual reference diameter
    PairArray<Extended> dw_amin{}, dw_amax{};
    PairArray<Extended> df_min{}, df0{}, df_tol{}, da_tool{}, dm{};
    PairArray<Extended> da_min{}, h_min{}, h_max{};
    PairArray<Extended> st_max{}, st_min{};
    PairArray<Extended> sak{}, alpha_a{}, sat_nom{}, stw{}, san_nom{}, stw_angle{};
    PairArray<Extended> dFf_nom{}, dNa_min{}, dNa_max{}, eps_part{};

    // ---- geometry results of the pair ----
    Extended pn = 0, pt = 0, pbt = 0, pet = 0, pen = 0;
    Extended eps_alpha = 0, eps_beta = 0, eps_gamma = 0;
    Extended eps_alpha_min = 0, eps_alpha_max = 0, eps_gamma_min = 0, eps_gamma_max = 0;
    Extended alpha_t = 0, alpha_wt = 0, alpha_wt_min = 0, alpha_wt_max = 0;
    Extended mt = 0, beta_b = 0, cos2_beta_b = 0, beta_w = 0;
    Extended u = 0, a0 = 0;
    Extended zg = 0, zg_p = 0, x_sum = 0;
    Extended g_alpha = 0, g_alpha_min = 0, g_alpha_max = 0;
    Extended g_alphaa = 0, g_alphaa_min = 0, g_alphaa_max = 0;
    Extended g_alphae = 0, g_alphae_min = 0, g_alphae_max = 0;
    Extended zeta_f1 = 0, zeta_a1 = 0, zeta_f2 = 0, zeta_a2 = 0;
    Extended zeta_f1_amin = 0, zeta_f1_amax = 0, zeta_a1_amin = 0, zeta_a1_amax = 0;
    Extended zeta_a2_amin = 0, zeta_a2_amax = 0, zeta_f2_amin = 0, zeta_f2_amax = 0;
    Extended CollisionY = 0; // tip collision measure of an internal pair

    // ---- tool and basic rack ----
    PairArray<int> ToolProfileNo{}; // 0 from the table, 1..3 standard profiles
    PairArray<int> ToolRecordNo{};
    PairArray<std::string> ProfileName{};
    PairArray<Extended> haP0_mn{}, hfP0_mn{}, rhoaP0_mn{}, rhofP0_mn{}, prP0_mn{}, hFfP0_mn{};
    PairArray<Extended> alphaprP0{}; // protuberance angle, degrees
    PairArray<Extended> alphakP0{};  // chamfer pressure angle, degrees
    PairArray<Extended> haP0{}, hfP0{}, rhoaP0{}, rhofP0{}, prP0{}, hFfP0{};
    int z0 = 0; // pinion cutter of the internal gear as entered, 0 none
    Extended x0 = 0;
    // The cutter proposed for a ring entered without one, set by each stage
    // calculation before its meshes; read through PinionCutterTeeth/Shift,
    // so that the entered 0 stays and the next calculation proposes anew.
    int z0Proposed = 0;
    Extended x0Proposed = 0;

    // ---- tolerances and measuring values ----
    PairArray<int> AsneSeries{}; // 1..11: "a" .. "h"
    PairArray<int> TsnSeries{};  // 1..10: series 21..30; 11 entered
    PairArray<Extended> Asne{}, Asni{}, Tsn{};
    PairArray<std::string> ToleranceZone{};
    std::string CentreDistanceTolerance;
    int AaField = 0;  // 1..8 "js 4".."js11"; 9 and above entered
    Extended Aa = 0;  // upper centre distance allowance
    Extended Aai = 0; // lower centre distance allowance
    PairArray<int> FlankToleranceClass{};
    PairArray<Extended> ffalphaT{}, fHalphaT{}, FalphaT{}, fpT{}, fuT{}, FpT{}, Fpk{}, FrT{}, Rs{};
    PairArray<Extended> FbetaT{}, fHbetaT{}, ffbetaT{}, Fi2{}, fi2{}, FisT{}, fisT{};
    Extended fHbeta5 = 0;
    Extended jtmin = 0, jtmax = 0, jnmin = 0, jnmax = 0, jrmin = 0, jrmax = 0;
    PairArray<Extended> xevmax{}, xevmin{}, xemax{}, xemin{};
    PairArray<int> SpanTeeth{};
    PairArray<Extended> W_xevmin{}, W_xevmax{}, W_x{}, W_xemin{}, W_xemax{};
    PairArray<Extended> DM{}; // measuring ball or pin diameter
    int AutoBallDiameter = 0;
    PairArray<Extended> MdK_xevmin{}, MdK_xevmax{}, MdK_x{}, MdK_xemin{}, MdK_xemax{};
    PairArray<Extended> MdR_xevmin{}, MdR_xevmax{}, MdR_x{}, MdR_xemin{}, MdR_xemax{};

    // ---- load capacity inputs ----
    int CalcMethod = 0;               // 1 DIN 3990-1,2,3; 2 DIN 3990-41; 3 entered; 4 ISO 6336
    int LifeFactorInput = 0;          // 0 lives calculated, 1 ZNT and YNT entered
    int YFYSShiftMode = 0;            // profile shift standing for the tooth root
    PairArray<Extended> RzZ{}, RzY{}; // roughness of flank and root, µm
    char Crowning = 'N', LappingIn = 'N', EndRelief = 'N';
    char DoubleHelical = 'N', SupportingEffect = 'N', ToothTraceCorrection = 'N';
    bool IsCrowning = false, IsLappingIn = false, IsEndRelief = false;
    bool IsDoubleHelical = false, IsSupportingEffect = false, IsToothTraceCorrection = false;
    Extended dsh = 0, l_bearing = 0, s_bedding = 0;
    int ContactPatternNo = 0, BearingArrangementNo = 0;
    Extended bctr = 0; // face width centre offset
    bool ShowFormulas = false;
    bool FshEntered = false, FmaEntered = false;
    PairArray<int> GrindingNotch{};
    Extended HBmin = 0;

    // ---- load capacity factors ----
    Extended Kv = 0, KHbeta = 0, KFbeta = 0, KHalpha = 0, KFalpha = 0;
    Extended ZH = 0, ZB = 0, ZD = 0, ZE = 0, Z_eps = 0, Z_beta = 0, ZW = 0, ZL = 0, Zv = 0, ZR = 0;
    Extended Y_beta = 0, Y_eps = 0, YDT = 0;
    PairArray<Extended> ZX{}, YX{}, YA{}, YF{}, YS{}, YSg{}, YB{}, YdrelT{}, YRrelT{};

    // ---- load capacity results ----
    Extended Ft = 0, Ftw = 0, Fxw = 0, Frw = 0, Fnw = 0, v = 0;
    Extended SigmaHC = 0, SigmaH0 = 0, m_red = 0, c_gamma = 0, c_single = 0;
    Extended Fbetax = 0, Fbetay = 0, fma = 0, fsh = 0, nS = 0;
    Extended y_alpha = 0, y_beta = 0, FtPerB = 0, FmPerB = 0, Kprime = 0;
    PairArray<Extended> SigmaH{}, SigmaHG{}, SigmaF{}, SigmaF0{}, SigmaFG{};
    PairArray<Extended> nE{}, SH{}, SF{}, sFn{}, rhoF{}, hFe{}, alphaFen{}, xeF{};
    PairArray<Extended> rho_slip{}, qs{}, tg_rhog{};
    // Whether the last limit torque search of mode 1 (root) / 2 (pitting)
    // found a torque; its 0 result alone cannot tell a failure from a limit.
    PairArray<bool> LimitLoadFound{};

    // ---- lubricant ----
    std::string LubricantName;
    Extended v40 = 0, v50 = 0, v100 = 0; // nominal viscosities at 40, 50, 100 °C
    Extended rho15 = 0;                  // density at 15 °C, kg/dm³
    Extended TOil = 0;                   // oil temperature

    // ---- drawing settings kept with the pair ----
    int InvolutePoints = 0;       // points of the involute polycurve
    int RingToothShapes = 0;      // tooth shapes drawn of the ring gear
    int GearToothShapes = 0;      // tooth shapes drawn of a gear
    int DrawingConfiguration = 0; // AuxDiameterMode: 1 no auxiliary diameters, 2 with gear diameters
    int FilletResolution = 0;
    bool DrawRootCurve = false;
    int DrawingReserveWord = 0;       // stored with the drawing settings
    int DrawingReserveInt = 0;        // stored with the drawing settings
    bool SettingsReserveFlag = false; // stored at the tail of the settings
    int PlanetSunChoice = 1;          // 1 gear 1 is the planet, gear 2 the sun; 2 the reverse
    Extended MeshRotationAngle = 0;   // RotationAngle1: gear 1 in the contact pictures, deg
    bool DrawGearBody = false;        // DrawBore: gear wheel picture with bore or ring outline
    // RingGearBoltCircle: fixing holes drawn in a ring gear wheel (Draw,
    // Count, dBore, dPitch).
    struct TRingFixingHoles {
        bool Enabled = false;
        int Count = 0;
        Extended HoleDiameter = 0;
        Extended PitchCircleDiameter = 0;
        friend bool operator==(const TRingFixingHoles&, const TRingFixingHoles&) = default;
    } RingFixingHoles;
    // Which gear of the mesh S-Pi the pair holds as gear 1 in the stage
    // pictures: 1 when the sun has more teeth than the inner planet (the
    // planet is then the pair's gear 1), else 2. The front views and the
    // animation set it from the stage before they read it.
    int16_t PairGearOrder = 0;

    // ---- meshing picture ----
    PairArray<Extended> x_pic{}, xv_pic{}, sn_pic{}, df_pic{}, da_pic{}, dw_pic{};
    Extended a_pic = 0;
    int PicturePlanets = 0;
    Extended stw_angle_deg = 0, phi_c = 0, phi_a = 0, phi_e = 0;

    friend bool operator==(const TGearPairData&, const TGearPairData&) = default;
};

// The one set of gear-pair variables of the program.
extern TGearPairData GearPair;

// Material, operating and load-spectrum group to its start-up values; runs once
// when the program starts.
void SetGearDefaults();

// The working load spectrum and what was worked out from it (equivalent
// cycles and torques, lives) to their start-up values: no items, the
// spectrum's application factors 1. The life material chosen stays.
void ClearLoadSpectrum();

// Geometry, tolerance, strength, lubricant and settings group to its start-up
// values (and a few material and operating values); runs at start-up after
// SetGearDefaults and again on File New.
void InitGearPairData();

// Vocabulary of the codes above (the texts the dialogs and reports show).
extern const TArray<const char*, 0, 8> MaterialKindNames;
extern const TArray<const char*, 0, 7> HeatTreatmentNames;
extern const TArray<const char*, 0, 7> HeatTreatmentShortNames;
extern const TArray<const char*, 1, 3> ToothAlignmentNames;
extern const TArray<const char*, 0, 1> ToleranceStandardNames;
extern const TArray<const char*, 0, 10> AsneSeriesNames;
extern const TArray<const char*, 0, 8> AaFieldNames;
extern const TArray<const char*, 0, 4> CalcMethodNames;

// The application factors the load capacity works with: the entered ones,
// or the load spectrum's while the pair calculation put those in force.
inline Extended ApplicationFactorH(const TGearPairData& g)
{
    return g.SpectrumFactorsInForce ? g.LoadSpectrumKA_H : g.KA_H;
}
inline Extended ApplicationFactorF(const TGearPairData& g)
{
    return g.SpectrumFactorsInForce ? g.LoadSpectrumKA_F : g.KA_F;
}

// The pinion cutter the internal gear is calculated with: the entered one,
// or the proposal while none is entered.
inline int PinionCutterTeeth(const TGearPairData& g)
{
    return g.z0 != 0 ? g.z0 : g.z0Proposed;
}
inline Extended PinionCutterShift(const TGearPairData& g)
{
    return g.z0 != 0 ? g.x0 : g.x0Proposed;
}
