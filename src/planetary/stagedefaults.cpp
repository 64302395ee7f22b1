#include "planetary/stagedefaults.h"

#include "gearpair/gearpairdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/documentation.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "planetary/stage.h"

void InitProgramDefaults()
{
    SetGearDefaults();
    InitPlanetaryData();
    InitGearPairData();
    InitPlanetBearings();
    ResetDocumentation();
    // The pair calculation reduces a load spectrum with the life material.
    RegisterLoadSpectrumLife();
}

void SetDefaultInput()
{
    InitGearPairData();
    // The material group keeps its values over a new project, but not the
    // load spectrum kept in it: the stage's own spectrum starts empty below,
    // and the working one left behind would come back as items of 0 N*m and
    // 0 cycles in the table and as Neq = 0 in the next calculation.
    ClearLoadSpectrum();
    InitPlanetaryData();

    auto& g = PlanetaryGears;
    const char* const letters[] = {"S", "Pi", "Pe", "H"};
    const char* const numbers[] = {"1", "2", "3", "4"};
    const char* const names[] = {"sun", "inner planet", "outer planet", "ring gear"};
    for (int k = 1; k <= 4; ++k) {
        g.GearName[k] = letters[k - 1];
        g.PartNumber[k] = numbers[k - 1];
        g.GearLongName[k] = names[k - 1];
    }
    GearPair.alpha = 20;
    GearPair.beta = 0;
    g.DM[gS] = 2.0L;
    g.DM[gPi] = 2.0L;
    g.DM[gPe] = 2.0L;
    g.SpanTeeth[gS] = 4;
    g.SpanTeeth[gPi] = 3;
    g.SpanTeeth[gPe] = -6;

    PlanetaryShafts.InputShaft = shaftS;
    PlanetaryShafts.OutputShaft = shaftH;
    PlanetaryShafts.FixedShaft = shaftC;
    auto& st = PlanetaryStage;
    st.nIn = 100;
    st.nOut = 12.82L;
    st.n[shaftS] = 100;
    st.n[shaftH] = 12.82L;
    st.DriveValue = 72;
    InitPlanetBearings();
}
