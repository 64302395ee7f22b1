// The main menu: a language switch with the captions rebuilt and handed to
// the window (headless, and into a real Qt menu bar), and the File menu's
// reopening of the example project with its calculation and the menu
// refresh.
#include "app/maincommands.h"
#include "app/mainmenu.h"
#include "app/menutexts.h"
#include "app/programidentity.h"
#include "app/projectcommands.h"
#include "app/startup.h"
#include "dialogs/dialogservices.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"

#include <benchmark/benchmark.h>

#include "menu_bench.h"

void MenusReady()
{
    ResetFoundationState();
    InitProgramIdentity();
    wtelmvar.Language = 0;
    hh.FormCreateMenus();
}

namespace
{

void BM_MenuSetLanguageHeadless(benchmark::State& state)
{
    platform::PlatformHeadless headless(platform::HeadlessMode::Scripted);
    platform::ScopedPlatform scope(headless);
    MenusReady();
    int code = 1;
    for (auto _ : state) {
        hh.SetLanguage(code);
        code = code == 1 ? 8 : 1;
    }
}
BENCHMARK(BM_MenuSetLanguageHeadless)->Unit(benchmark::kMicrosecond);

#ifdef QYR7_SOURCE_DIR
void BM_MenuOpenCalculateRefresh(benchmark::State& state)
{
    platform::PlatformHeadless headless(platform::HeadlessMode::Scripted);
    platform::ScopedPlatform scope(headless);
    InitProgramLoadDefaults();
    InstallPlatformServices();
    MenusReady();
    ResetDialogServices();
    const std::string path = std::string(QYR7_SOURCE_DIR) + "/examples/default.qy7";
    for (auto _ : state) {
        wtelmvar.RecentFiles[1] = path;
        telmvar.DataModified = false;
        hh.OpenRecentFile(1);
        if (telmvar.Aborted) {
            state.SkipWithError("examples/default.qy7 could not be read");
            return;
        }
    }
}
BENCHMARK(BM_MenuOpenCalculateRefresh)->Unit(benchmark::kMillisecond);
#endif

} // namespace
