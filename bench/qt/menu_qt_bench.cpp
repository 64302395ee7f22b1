// The main menu's language switch into a real Qt menu bar.
#include "../menu_bench.h"
#include "app/maincommands.h"
#include "platform/qt/platform_qt.h"
#include "qtbench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace
{

void BM_MenuSetLanguageQtMenuBar(benchmark::State& state)
{
    EnsureOffscreenApplication();
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        state.SkipWithError("a non-widget application runs already: run this benchmark alone");
        return;
    }
    platform::PlatformQt qt;
    platform::ScopedPlatform scope(qt);
    MenusReady();
    hh.Attach(qt.MainWindow());
    int code = 1;
    for (auto _ : state) {
        // German and Korean in turn: the Korean captions go through iconv.
        hh.SetLanguage(code);
        code = code == 1 ? 8 : 1;
        QApplication::processEvents(); // the replaced menus are deleted
    }
}
BENCHMARK(BM_MenuSetLanguageQtMenuBar)->Unit(benchmark::kMillisecond);

} // namespace
