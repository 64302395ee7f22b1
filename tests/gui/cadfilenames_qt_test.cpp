// A CAD file named in the save dialog, offscreen, with characters beyond
// ASCII in its name and its directory: the file on disk has exactly the
// name typed (the UTF-8 bytes), and its reader takes it.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <filesystem>

#include "app/startup.h"
#include "common/tempdir.h"
#include "common/validators.h"
#include "drawings/stage/composer.h"
#include "foundation/programstate.h"
#include "graphics/cadsettings.h"
#include "graphics/cadvalidators.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

namespace fs = std::filesystem;

namespace
{

// The names the directory holds, as the bytes the file system has.
std::vector<std::string> Entries(const fs::path& Dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Dir))
        names.push_back(e.path().filename().string());
    return names;
}

TEST(CadFileNamesQt, NamesAsTheFileSystemHasThemFromTheSaveDialog)
{
    const AppFirst app;
    platform::PlatformQt qt;
    const platform::ScopedPlatform use(qt);
    InstallPlatformServices();
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    cadsettings.CadExecFile = false;
    const testdirs::ScopedTempDir scratch("cadnames");
    const struct {
        const char* Dir;
        const char* Typed; // nothing typed: the project's name proposed
        int Device;
        const char* OnDisk;
    } cases[] = {
        {"cad", "齿轮.dxf", 1, "齿轮.dxf"},
        {"cad", "齿轮.igs", 2, "齿轮.igs"},
        {"Projekte äöü", "größe", 1, "größe.dxf"},
        {"Projekte äöü", "", 2, "Ærø ñ.igs"},
    };
    for (const auto& c : cases) {
        const fs::path dir = fs::path(scratch.Path()) / c.Dir;
        fs::create_directories(dir);
        telmvar.CadDir = dir.string();
        telmvar.ProjectName = "Ærø ñ";
        telmvar.Aborted = false;
        QString proposed;
        WhenModalAppears([&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            auto* name = d != nullptr ? d->findChild<QLineEdit*>("fileNameEdit") : nullptr;
            ASSERT_NE(name, nullptr);
            proposed = name->text();
            if (*c.Typed != '\0') name->setText(QString::fromUtf8(c.Typed));
            static_cast<QDialog*>(d)->accept();
        });
        FrontViewWithText(static_cast<int16_t>(c.Device));
        EXPECT_FALSE(telmvar.Aborted) << c.OnDisk;
        EXPECT_EQ(proposed.toStdString(), "Ærø ñ");
        ASSERT_EQ(Entries(dir), std::vector<std::string>{c.OnDisk}) << c.OnDisk;
        const std::string file = (dir / c.OnDisk).string();
        if (c.Device == 1) {
            const std::string audit =
                RunCommand("/usr/bin/python3 -c 'import ezdxf,sys\nd = ezdxf.readfile(sys.argv[1])\n"
                           "print(len(d.audit().errors), len(d.modelspace()) > 0)' \"" +
                           file + "\"");
            if (audit.find("No module named") != std::string::npos) QYR7_VALIDATOR_MISSING("ezdxf");
            EXPECT_EQ(audit, "0 True\n") << c.OnDisk;
        } else {
            const TOcctView iges = OcctReadIges(file);
            if (!iges.ToolFound) QYR7_VALIDATOR_MISSING("occt draw");
            EXPECT_TRUE(iges.Fails.empty()) << iges.Output;
            EXPECT_GT(iges.Edges, 0) << c.OnDisk << iges.Output;
        }
        fs::remove(file);
    }
}

} // namespace
