#pragma once
// State of the change protocol and sheet dialog tests: documentation and
// report engine at their start-up values, fixed dates, the headless
// platform scripted, the screen report captured, messages recorded, a
// temporary directory removed on every path.

#include "common/tempdir.h"
#include "drawings/sheet/drawingsheet.h"
#include "foundation/programstate.h"
#include "graphics/graphservices.h"
#include "planetary/documentation.h"
#include "platform/headless/platform_headless.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

class SheetDialogs : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ResetDocumentation("01.12.2026");
        dir_ = testdirs::MakeTempDir("sheetdialogs");
        ASSERT_FALSE(dir_.empty());
        telmvar.TempDir = dir_;
        telmvar.ProjectName = dir_ + "/gearbox";
        telmvar.ProgramTitle = "QYR7";
        telmvar.ProgramVersion = "7.0";
        sheetclock.TodayDateText = [] { return "07.12.2026"; };
        sheetclock.NowTimeText = [] { return "9:05"; };
        sheetclock.TodayIsoDateText = [] { return "2026-12-07"; };
        reportservices.TodayDateText = [] { return "07.12.2026"; };
        reportservices.NowTimeText = [] { return "9:05"; };
        reportservices.ShowResultWindow = [this](const std::string& File) {
            std::ifstream in(File, std::ios::binary);
            std::ostringstream s;
            s << in.rdbuf();
            Shown.push_back(s.str());
        };
        reportservices.ShowMessageBox = [this](const std::string& T) { Messages.push_back(T); };
        reportservices.ShowHelpText = [this](int No, int, int) { Helps.push_back(No); };
    }
    void TearDown() override
    {
        CancelReport();
        ResetDocumentation();
        testdirs::RemoveTempDir(dir_);
    }
    // The next dialog: Fill sets its controls, then Button is pressed.
    void Script(std::function<void(platform::DialogModel&)> Fill, const std::string& Button = "Button_ok")
    {
        hp.HeadlessDialogs().QueueScript([Fill, Button](platform::DialogModel& m) {
            if (Fill) Fill(m);
            const platform::DialogAction a = m.Press(Button);
            return a == platform::DialogAction::Accept ? platform::DialogResult::Ok
                                                       : platform::DialogResult::Cancel;
        });
    }
    static void SetChange(int K, const std::string& Mod, const std::string& Date, const std::string& Name,
                          const std::string& Desc)
    {
        auto& t = documentation.ChangeList[K].Text;
        t[0] = Mod;
        t[1] = Date;
        t[2] = Name;
        t[3] = Desc;
    }
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
    std::vector<std::string> Shown;
    std::vector<std::string> Messages;
    std::vector<int> Helps;
    std::string dir_;
};
