#pragma once
// The state every stage form test starts from: foundation, gear pair and
// stage records at their start-up values, the headless platform scripted,
// the dialog services and online buffers reset.

#include "common/statereset.h"
#include "dialogs/calculatorwindow.h"
#include "dialogs/dialogservices.h"
#include "dialogs/messageboxes.h"
#include "dialogs/stage/hardness.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "platform/headless/platform_headless.h"

#include <gtest/gtest.h>

#include <cstring>

class StageForms : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // Tests that start over call SetUp again.
        ResetProgramState();
        SetGearDefaults();
        InitGearPairData();
        InitPlanetaryData();
        telmvar.ProgramName = "QYR7";
        telmvar.PltDir = "/nonexistent-qyr7-help";
    }
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
};

inline bool SameBits(Extended a, Extended b)
{
    return std::memcmp(&a, &b, 10) == 0;
}
