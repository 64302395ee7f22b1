#pragma once
// Common set-up of the shell tests: every unit back to its start-up state,
// the program identity, a scripted headless platform (answers queued by the
// test, every question recorded) and a fresh temporary directory.

#include "app/configio.h"
#include "app/programidentity.h"
#include "app/startup.h"
#include "app/windowplacement.h"
#include "dialogs/dialogservices.h"
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

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/resource.h>

// Runs F with no file of this process growing beyond Bytes (0: no limit);
// a write beyond fails with "File too large" instead of ending the process.
inline void WithFileSizeLimit(rlim_t Bytes, const std::function<void()>& F)
{
    struct rlimit old {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = Bytes;
    if (Bytes > 0) setrlimit(RLIMIT_FSIZE, &small);
    F();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
}

// The names in Dir, sorted.
inline std::vector<std::string> DirNames(const std::filesystem::path& Dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

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
    // The window's units at their defaults, the test folder for data and
    // temporary files.
    void StartWindow()
    {
        InitProgramLoadDefaults();
        InstallPlatformServices();
        telmvar.DataDir = telmvar.TempDir = dir.string() + "/";
        ResetDialogServices();
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
