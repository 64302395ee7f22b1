// A CAD file named in the save dialog beyond ASCII: on disk under the UTF-8 typed, and its reader takes it.
#include <gtest/gtest.h>

#include <QDialog>
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
        const char *Project, *Proposed, *Dir, *Typed; // nothing typed: the proposal kept
        int Device;
        const char* OnDisk;
    } cases[] = {{"Ærø ñ", "Ærø ñ", "cad", "齿轮.dxf", 1, "齿轮.dxf"},
                 {"Ærø ñ", "Ærø ñ", "cad", "齿轮.igs", 2, "齿轮.igs"},
                 {"Ærø ñ", "Ærø ñ", "Projekte äöü", "größe", 1, "größe.dxf"},
                 {"Ærø ñ", "Ærø ñ", "Projekte äöü", "", 2, "Ærø ñ.igs"},
                 {"\xff", "\uFFFD", "cad", "", 1, "\xff.dxf"}}; // no UTF-8: shown replaced, kept
    for (const auto& c : cases) {
        telmvar.ProjectName = c.Project;
        const fs::path dir = fs::path(scratch.Path()) / c.Dir;
        fs::create_directories(dir);
        telmvar.CadDir = dir.string();
        QString proposed;
        WhenModalAppears([&](QWidget* d) {
            auto* name = d->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            proposed = name->text();
            if (*c.Typed != '\0') name->setText(QString::fromUtf8(c.Typed));
            qobject_cast<QDialog*>(d)->accept();
        });
        FrontViewWithText(static_cast<int16_t>(c.Device));
        EXPECT_EQ(proposed, QString::fromUtf8(c.Proposed));
        std::vector<std::string> entries; // as the file system has them
        for (const auto& e : fs::directory_iterator(dir))
            entries.push_back(e.path().filename().string());
        ASSERT_EQ(entries, std::vector<std::string>{c.OnDisk});
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
            EXPECT_TRUE(iges.Fails.empty() && iges.Edges > 0) << c.OnDisk << iges.Output;
        }
        fs::remove(file);
    }
}

} // namespace
