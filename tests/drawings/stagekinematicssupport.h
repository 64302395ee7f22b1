#pragma once
// The default stage of File New, calculated (S 21, Pi 15, Pe 15, H -63,
// mn 6.5, spur; S drives at 100 1/min with 72 kW, H is the output, C is
// held), with the CAD call recorder of cadlogsupport.h, the headless report
// services and message list, no per-gear composers and a fresh diagram.
// By hand: i0 = 63/21 = 3, nH = 100/3, nPi0 = -21 100/15 = -140,
// nPe0 = 63 (100/3)/15 = 140, a(S-Pi) = 36 6.5/2 = 117,
// a(Pe-H) = 48 6.5/2 = 156, TN = 72000 60/(2 pi 100) = 6875.49 Nm,
// T(H) = -3 TN = -20626.5 Nm, T(C) = 2 TN.
#include "cadlogsupport.h"

#include "drawings/stage/wheelviews.h"
#include "foundation/programstate.h"
#include "graphics/diagrams/diagram.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

class DefaultStageDrawing : public CadLogFixture
{
  protected:
    void SetUp() override
    {
        CadLogFixture::SetUp();
        InitProgramDefaults();
        SetDefaultInput();
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError);
    }
    void TearDown() override { CadLogFixture::TearDown(); }
    // The carrier drives, the ring is held: nS = (1 - i0) nC.
    static void CarrierDrivesRingHeld(Extended nC)
    {
        PlanetaryShafts.InputShaft = shaftC;
        PlanetaryShafts.OutputShaft = shaftS;
        PlanetaryStage.nIn = nC;
        PlanetaryStage.nThird = 0;
        CalcPlanetaryStage();
    }
    // The sun drives, the ring is held, the carrier is the output.
    static void SunDrivesRingHeld()
    {
        PlanetaryShafts.InputShaft = shaftS;
        PlanetaryShafts.OutputShaft = shaftC;
        PlanetaryStage.nIn = 100;
        PlanetaryStage.nThird = 0;
        CalcPlanetaryStage();
    }
};
