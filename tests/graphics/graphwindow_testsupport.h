#pragma once
// Fixture of the graphics window tests: every unit the window reads back at
// its start-up values, a 640 x 480 drawing area and a scripted headless
// platform whose window, printer and dialogs record what they were asked.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/programstate.h"
#include "graphics/anistep.h"
#include "graphics/graphfacade.h"
#include "graphics/graphmapping.h"
#include "graphics/graphsettings.h"
#include "graphics/graphwindow.h"
#include "platform/headless/platform_headless.h"
#include "reports/textview/printsettings.h"

class GraphWindowTest : public ::testing::Test
{
  protected:
    GraphWindowTest() : scope_(platform_) {}

    void SetUp() override
    {
        telmvar.ScreenPixelsX = 640;
        telmvar.ScreenPixelsY = 480;
    }

    static std::string ListText()
    {
        std::string s;
        for (std::string_view r : DisplayList.Records)
            s.append(r) += '\n';
        return s;
    }

    platform::PlatformHeadless platform_{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform scope_;
};

// Compares with tests/graphics/golden/<name>; a mismatch writes <name>.out
// beside the golden file for inspection.
inline void ExpectGraphGolden(const std::string& name, const std::string& text)
{
    namespace fs = std::filesystem;
    const fs::path golden = fs::path(QYR7_TEST_DIR) / "golden" / name;
    const fs::path out = fs::path(golden.string() + ".out");
    std::ifstream in(golden, std::ios::binary);
    std::ostringstream s;
    if (in) s << in.rdbuf();
    if (in && s.str() == text) {
        fs::remove(out);
        return;
    }
    std::ofstream(out, std::ios::binary) << text;
    ADD_FAILURE() << (in ? "output differs from " : "golden file missing: ") << golden << "; written to "
                  << out;
}
