// Every test starts from the program's start-up state and leaves it behind:
// a listener, registered once per test program, resets the program-wide
// state of each library the program links before a test begins and again
// after it has ended, so fixtures never reset by hand and no test depends on
// the ones that ran before it (the programs run shuffled). The build names
// the linked libraries (QYR7_LINKS_<LIBRARY>); they reset from the lowest up,
// as the program starts them.

#include "common/statereset.h"

#ifdef QYR7_LINKS_FOUNDATION
#include "foundation/foundationstate.h"
#endif
#ifdef QYR7_LINKS_XBASE
#include "xbase/xbasestate.h"
#endif
#ifdef QYR7_LINKS_GEARPAIR
#include "gearpair/gearpairstate.h"
#endif
#ifdef QYR7_LINKS_PLANETARY
#include "planetary/planetarystate.h"
#endif
#ifdef QYR7_LINKS_REPORTS
#include "reports/reportsstate.h"
#endif
#ifdef QYR7_LINKS_GRAPHICS
#include "graphics/graphicsstate.h"
#endif
#ifdef QYR7_LINKS_DRAWINGS
#include "drawings/drawingsstate.h"
#endif
#ifdef QYR7_LINKS_DIALOGS
#include "dialogs/dialogsstate.h"
#endif
#ifdef QYR7_LINKS_APP
#include "app/appstate.h"
#endif

#include <gtest/gtest.h>

void ResetProgramState()
{
#ifdef QYR7_LINKS_FOUNDATION
    ResetFoundationState();
#endif
#ifdef QYR7_LINKS_XBASE
    ResetXbaseState();
#endif
#ifdef QYR7_LINKS_GEARPAIR
    ResetGearpairState();
#endif
#ifdef QYR7_LINKS_PLANETARY
    ResetPlanetaryState();
#endif
#ifdef QYR7_LINKS_REPORTS
    ResetReportsState();
#endif
#ifdef QYR7_LINKS_GRAPHICS
    ResetGraphicsState();
#endif
#ifdef QYR7_LINKS_DRAWINGS
    ResetDrawingsState();
#endif
#ifdef QYR7_LINKS_DIALOGS
    ResetDialogsState();
#endif
#ifdef QYR7_LINKS_APP
    ResetAppState();
#endif
}

namespace
{

class StateResetListener final : public ::testing::EmptyTestEventListener
{
    // Before the fixture is built, so its members and SetUp see the
    // start-up state and may change it.
    void OnTestStart(const ::testing::TestInfo&) override { ResetProgramState(); }
    // After the fixture is gone: open files are closed, working copies
    // removed and no hook still points into the finished fixture.
    void OnTestEnd(const ::testing::TestInfo&) override { ResetProgramState(); }
};

// gtest_main runs the programs; the listener joins before it starts them.
const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new StateResetListener);
    return true;
}();

} // namespace
