#include "gearpair/gearpairdata.h"

TGearPairData GearPair;

const TArray<const char*, 0, 8> MaterialKindNames{
    {"", "Low carbon steel (St)", "Case-hardening steel (Eh)", "Heat-treatable steel (V)",
     "Nodular cast iron GGG (perl.,bai.)", "Nodular cast iron GGG (ferritic)", "Gray-cast iron (GG)",
     "Black malleable cast iron (GTS perl.)", "others ..."}};

const TArray<const char*, 0, 7> HeatTreatmentNames{
    {"none", "heat-treated (V)", "case-hardened (Eh)", "induction-hardened (IF)", "flame-hardened (IF)",
     "gas-nitrided (NT)", "bath-nitrided (NT)", "nitrocar.(NV)"}};

const TArray<const char*, 0, 7> HeatTreatmentShortNames{{"none", "heat-treat.", "case-hard.", "ind.hard.",
                                                         "flame-hard.", "gas-nitr.", "bath-nitr.",
                                                         "nitrocarb."}};

const TArray<const char*, 1, 3> ToothAlignmentNames{{"right-hand", "left-hand", "free"}};

const TArray<const char*, 0, 1> ToleranceStandardNames{{"DIN 3961", "ISO 1328"}};

const TArray<const char*, 0, 10> AsneSeriesNames{{"a", "ab", "b", "bc", "c", "cd", "d", "e", "f", "g", "h"}};

const TArray<const char*, 0, 8> AaFieldNames{
    {"js 4", "js 5", "js 6", "js 7", "js 8", "js 9", "js10", "js11", " "}};

const TArray<const char*, 0, 4> CalcMethodNames{
    {"", "DIN 3990-1,2,3", "DIN 3990-41", "Input K,Y,Z", "ISO 6336:2006-2008"}};

namespace
{

// The two default routines own two groups of variables: SetGearDefaults the
// material, operating and load-spectrum group, InitGearPairData the rest. One
// list of the first group lets each routine clear its own group and leave the
// other one alone.
void CopyMaterialGroup(const TGearPairData& from, TGearPairData& to)
{
    to.MaterialKind = from.MaterialKind;
    to.HeatTreatment = from.HeatTreatment;
    to.MaterialRecordNo = from.MaterialRecordNo;
    to.MaterialName = from.MaterialName;
    to.rho = from.rho;
    to.E = from.E;
    to.nu = from.nu;
    to.SigmaHlim = from.SigmaHlim;
    to.Sigma_FE = from.Sigma_FE;
    to.HB = from.HB;
    to.T = from.T;
    to.n = from.n;
    to.P = from.P;
    to.MaterialReserve740 = from.MaterialReserve740;
    to.e = from.e;
    to.Np = from.Np;
    to.KA_H = from.KA_H;
    to.KA_F = from.KA_F;
    to.YNT = from.YNT;
    to.ZNT = from.ZNT;
    to.ToleranceStandard = from.ToleranceStandard;
    to.GearCaption = from.GearCaption;
    to.LoadSpectrumKind = from.LoadSpectrumKind;
    to.LoadSpectrumCount = from.LoadSpectrumCount;
    to.LoadSpectrumKA_F = from.LoadSpectrumKA_F;
    to.LoadSpectrumKA_H = from.LoadSpectrumKA_H;
    to.Neq = from.Neq;
    to.Nsum = from.Nsum;
    to.TeqF = from.TeqF;
    to.TeqH = from.TeqH;
    to.T0Feq = from.T0Feq;
    to.T0Heq = from.T0Heq;
    to.TnFeq = from.TnFeq;
    to.TnHeq = from.TnHeq;
    to.LoadSpectrum = from.LoadSpectrum;
    to.MaterialReserveWord = from.MaterialReserveWord;
    to.MaterialReserveOne = from.MaterialReserveOne;
    to.LtH = from.LtH;
    to.LtH2 = from.LtH2;
    to.LtF = from.LtF;
    to.NLH = from.NLH;
    to.NLH2 = from.NLH2;
    to.NLF = from.NLF;
}

template <class T> void SetBoth(PairArray<T>& arr, const T& v1, const T& v2)
{
    arr[1] = v1;
    arr[2] = v2;
}

} // namespace

void SetGearDefaults()
{
    CopyMaterialGroup(TGearPairData{}, GearPair);
    auto& g = GearPair;
    SetBoth(g.MaterialKind, 1, 1);
    SetBoth(g.HeatTreatment, 1, 1);
    SetBoth(g.MaterialRecordNo, 31, 19);
    SetBoth(g.rho, Extended{7.8L}, Extended{7.8L});
    SetBoth(g.E, Extended{206000}, Extended{206000});
    SetBoth(g.nu, Extended{0.3L}, Extended{0.3L});
    SetBoth(g.SigmaHlim, Extended{1500}, Extended{1500});
    SetBoth(g.Sigma_FE, Extended{800}, Extended{800});
    SetBoth(g.HB, Extended{740}, Extended{740});
    SetBoth(g.e, Extended{1}, Extended{1});
    SetBoth(g.YNT, Extended{1}, Extended{1});
    SetBoth(g.ZNT, Extended{1}, Extended{1});
    g.KA_H = 1;
    g.KA_F = 1;
    g.ToleranceStandard = 1;
    g.LoadSpectrumKind = 1;
    ClearLoadSpectrum();
    SetBoth(g.GearCaption, std::string("gear 1"), std::string("gear 2"));
    g.MaterialReserveWord = 2;
    g.MaterialReserveOne = 1;
}

void ClearLoadSpectrum()
{
    auto& g = GearPair;
    const TGearPairData fresh;
    g.LoadSpectrumCount = 0;
    g.LoadSpectrum = fresh.LoadSpectrum;
    g.LoadSpectrumKA_F = 1;
    g.LoadSpectrumKA_H = 1;
    g.Neq = g.Nsum = 0;
    g.TeqF = g.TeqH = g.T0Feq = g.T0Heq = g.TnFeq = g.TnHeq = 0;
    g.LtH = g.LtH2 = g.LtF = fresh.LtH;
    g.NLH = g.NLH2 = g.NLF = fresh.NLH;
}

void InitGearPairData()
{
    TGearPairData fresh;
    CopyMaterialGroup(GearPair, fresh);
    GearPair = fresh;
    auto& g = GearPair;

    // The material and operating values in force after start-up are these, not
    // those of SetGearDefaults, because this routine runs last.
    SetBoth(g.MaterialKind, 2, 2);
    SetBoth(g.HeatTreatment, 2, 2);
    SetBoth(g.MaterialName, std::string("17CrNiMo6"), std::string());
    SetBoth(g.HB, Extended{740}, Extended{740});
    SetBoth(g.n, Extended{1500}, Extended{0});
    g.P = 500;
    g.MaterialReserve740 = 740;
    SetBoth(g.e, Extended{1}, Extended{1});
    g.KA_H = 1;
    g.KA_F = 1;
    g.MaterialReserveWord = 2;

    SetBoth(g.AsneSeries, 8, 8);
    SetBoth(g.TsnSeries, 5, 5);
    g.mn = 6.5L;
    SetBoth(g.z, 16, 58);
    SetBoth(g.ToolProfileNo, 1, 1);
    SetBoth(g.x, Extended{0.52L}, Extended{0.57L});
    SetBoth(g.da, Extended{124}, Extended{400});
    SetBoth(g.alphaprP0, Extended{6}, Extended{6});
    SetBoth(g.alphakP0, Extended{45}, Extended{45});
    SetBoth(g.hfP0_mn, Extended{1.0L}, Extended{1.0L});
    SetBoth(g.rhoaP0_mn, Extended{0.25L}, Extended{0.25L});
    SetBoth(g.haP0_mn, Extended{1.25L}, Extended{1.25L});
    SetBoth(g.prP0_mn, Extended{0.02L}, Extended{0.02L});
    SetBoth(g.hFfP0_mn, Extended{0.8L}, Extended{0.8L});
    SetBoth(g.ProfileName, std::string(10, ' '), std::string(10, ' '));
    g.alpha = 20;
    g.beta = 9;
    g.a = 250;
    SetBoth(g.b, Extended{88}, Extended{88});
    g.b_effH = 88;
    g.u = 1;
    SetBoth(g.FlankToleranceClass, 6, 6);
    g.AaField = 4;
    SetBoth(g.ToleranceZone, std::string("6 e 27"), std::string("6 e 27"));
    g.CentreDistanceTolerance = "js11";
    SetBoth(g.DM, Extended{12}, Extended{12});
    SetBoth(g.RzZ, Extended{5}, Extended{5});
    SetBoth(g.RzY, Extended{5}, Extended{5});
    g.Crowning = g.LappingIn = g.EndRelief = 'N';
    g.DoubleHelical = g.SupportingEffect = g.ToothTraceCorrection = 'N';
    g.dsh = 95;
    g.l_bearing = 300;
    g.ContactPatternNo = 1;
    g.BearingArrangementNo = 1;
    g.ZD = g.ZL = g.Zv = g.ZR = g.YDT = 1;
    SetBoth(g.YA, Extended{1}, Extended{1});
    SetBoth(g.ToothAlignment, 3, 3);
    g.qp = 3;
    g.CalcMethod = 4;
    g.v50 = 100;
    g.rho15 = 0.9L;
    g.TOil = 80;
    // The stored value, not 25.4 / 6.5 computed: step 0 recomputes it anyway.
    g.Pn = 3.908L;
    SetBoth(g.DimensionInputMode, 2, 2);
    g.DimensionInputReserve = 1;
    g.ShowFormulas = true;
    g.InvolutePoints = 20;
    g.RingToothShapes = 200;
    g.GearToothShapes = 30;
    g.DrawingConfiguration = 1;
    g.FilletResolution = 30;
    g.DrawRootCurve = true;
    g.DrawingReserveWord = 1;
    g.DrawingReserveInt = 3;
    g.SettingsReserveFlag = true;
    g.PlanetSunChoice = 1;
    g.MeshRotationAngle = 0;
    g.DrawGearBody = false;
    g.RingFixingHoles = {};
}
