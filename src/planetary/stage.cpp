#include "planetary/stage.h"

#include "gearpair/gearpairdata.h"

#include <algorithm>

const TArray<const char*, 0, 4> PlanetaryGearLetters{{"", "S", "Pi", "Pe", "H"}};
const TArray<const char*, 0, 3> PlanetaryMeshNames{{"", "S-Pi", "Pi-Pe", "Pe-H"}};
const TArray<const char*, 0, 3> ShaftLetters{{"", "S", "C", "H"}};
const TArray<const char*, 1, 2> PlanetLetters{{"Pi", "Pe"}};

TPlanetaryStage PlanetaryStage;
TPlanetaryGears PlanetaryGears;
TPlanetaryShafts PlanetaryShafts;

void InitPlanetaryData()
{
    PlanetaryStage = TPlanetaryStage{};
    PlanetaryGears = TPlanetaryGears{};
    PlanetaryShafts = TPlanetaryShafts{1, 2, 3};

    auto& st = PlanetaryStage;
    st.nIn = 1000;
    st.DriveValue = 100;
    st.Kgamma = 1;
    st.CarrierForm = 1;

    auto& g = PlanetaryGears;
    const int teeth[] = {21, 15, 15, -63};
    const Extended contacts[] = {3, 2, 2, 3};
    const Extended alternations[] = {0, 1, 1, 0};
    for (int k = 1; k <= 4; ++k) {
        g.ToolProfileNo[k] = 1;
        g.z[k] = teeth[k - 1];
        g.alphaprP0[k] = 6;
        g.alphakP0[k] = 45;
        g.hfP0_mn[k] = 1.0L;
        g.rhoaP0_mn[k] = 0.25L;
        g.haP0_mn[k] = 1.25L;
        g.prP0_mn[k] = 0.02L;
        g.hFfP0_mn[k] = 0.8L;
        g.ProfileName[k] = std::string(12, ' ');
        g.ToleranceZone[k] = "6 e 27";
        g.AsneSeries[k] = 8;
        g.TsnSeries[k] = 5;
        g.FlankToleranceClass[k] = 6;
        g.DM[k] = 12;
        g.RzZ[k] = 5;
        g.RzY[k] = 5;
        g.b[k] = 10;
        g.YA[k] = 1;
        g.YNT[k] = 1;
        g.ZNT[k] = 1;
        g.MaterialKind[k] = 1;
        g.HeatTreatment[k] = 1;
        g.MaterialRecordNo[k] = 31;
        g.rho[k] = 7.8L;
        g.E[k] = 206000;
        g.nu[k] = 0.3L;
        g.SigmaHlim[k] = 1500;
        g.Sigma_FE[k] = 800;
        g.HB[k] = 740;
        g.e[k] = contacts[k - 1];
        g.Np[k] = alternations[k - 1];
    }
    for (int m = 1; m <= 3; ++m) {
        g.AaField[m] = 4;
        g.ZD[m] = 1;
        g.ZL[m] = 1;
        g.Zv[m] = 1;
        g.ZR[m] = 1;
        g.b_effH[m] = 10;
        g.ContactPatternNo[m] = 1;
        g.BearingArrangementNo[m] = 1;
        g.l_bearing[m] = 300;
        g.dsh[m] = 95;
    }
}

void GetStageLoadSpectrum()
{
    // The count comes along with the items: an editor left with Cancel has
    // changed the working count, and the calculation reads the working copy,
    // so a deleted item would stay out of the life shown, or an item of 0
    // would stand in the table, while the project still holds them all.
    const int count = std::clamp(PlanetaryStage.LoadSpectrumCount, 0, LoadSpectrumMax);
    GearPair.LoadSpectrumCount = count;
    for (int k = 0; k <= count && k <= LoadSpectrumMax; ++k)
        GearPair.LoadSpectrum[k] = PlanetaryStage.LoadSpectrum[k];
}

void PutStageLoadSpectrum()
{
    const int count = GearPair.LoadSpectrumCount;
    if (count >= 0 && count <= LoadSpectrumMax) PlanetaryStage.LoadSpectrumCount = count;
    for (int k = 0; k <= count && k <= LoadSpectrumMax; ++k)
        PlanetaryStage.LoadSpectrum[k] = GearPair.LoadSpectrum[k];
}
