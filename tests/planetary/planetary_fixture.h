#pragma once
// Common set-up of the stage tests: every unit back to its start-up state,
// then the default stage of File New.
#include "common/statereset.h"
#include "foundation/foundationstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/stagedefaults.h"

#include <gtest/gtest.h>

class StageTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // Tests that start over call SetUp again.
        ResetProgramState();
        InitProgramDefaults();
        SetDefaultInput();
    }
};

inline double D(Extended v)
{
    return static_cast<double>(v);
}
