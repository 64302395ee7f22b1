#include "planetary/bearings/planetbearing.h"

TArray<WaelzLagerTyp, 1, 2> PlanetBearings;

void InitPlanetBearings()
{
    PlanetBearings[1] = WaelzLagerTyp{};
    PlanetBearings[2] = WaelzLagerTyp{};
}

bool PlanetBearingDefined(int n)
{
    return PlanetBearings[n].d > 0 && !PlanetBearings[n].Designation.empty();
}

bool BearingIsNJ(int n)
{
    return PlanetBearings[n].BearingType == 5 && PlanetBearings[n].Designation.find("NJ") != std::string::npos;
}

bool BearingNeedsConfiguration(int n)
{
    return BearingIsNJ(n) || PlanetBearings[n].BearingType == 6 || PlanetBearings[n].BearingType == 8;
}

void ClearPlanetBearing(int n)
{
    for (int k = 1; k <= 2; ++k) {
        if (n != 0 && n != k)
            continue;
        auto& br = PlanetBearings[k];
        br.CatalogueRecNo = 0;
        br.Designation.clear();
        br.d = 0;
        br.Weight = 0;
    }
}
