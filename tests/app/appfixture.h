#pragma once
// Common set-up of the shell tests: every unit back to its start-up state,
// the program identity, a scripted headless platform (answers queued by the
// test, every question recorded) and a fresh temporary directory.

#include "app/configio.h"
#include "app/programidentity.h"
#include "app/startup.h"
#include "app/windowplacement.h"
#include "dialogs/messageboxes.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cadsettings.h"
#include "graphics/graphsettings.h"
#include "platform/headless/platform_headless.h"
#include "reports/textview/printsettings.h"
#include "runprogram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

class AppTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // Only the directory the test names: no configuration of the machine.
        configio.FallbackDirs.clear();
        InitProgramIdentity();
        headless = std::make_unique<platform::PlatformHeadless>(platform::HeadlessMode::Scripted);
        scope = std::make_unique<platform::ScopedPlatform>(*headless);
        dir = FreshDir("unit");
        wtelmvar.ConfigDir = dir.string() + "/";
    }
    void TearDown() override
    {
        scope.reset();
        headless.reset();
        std::filesystem::remove_all(dir);
    }

    // The texts of every message box shown so far.
    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> texts;
        for (const auto& q : headless->HeadlessMessages().AskedQuestions())
            texts.push_back(q.Request.Text);
        return texts;
    }

    std::unique_ptr<platform::PlatformHeadless> headless;
    std::unique_ptr<platform::ScopedPlatform> scope;
    std::filesystem::path dir;
};
