#pragma once
// The life, safety and sliding diagram tests: the default stage calculated
// with one mesh loaded into the gear pair, the CAD layer writing into a
// scratch directory removed on every path, the program's own screen (the
// drawing facade and its display list), scripted answers to the choice
// prompts and recorded message boxes.

#include "common/tempdir.h"
#include "goldentestsupport.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/lifeparams.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cad/igesdevice.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"
#include "graphics/graphfacade.h"
#include "graphics/graphservices.h"
#include "graphics/graphsettings.h"
#include "planetary/meshtransfer.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "planetary/suggestions.h"
#include "platform/headless/platform_headless.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

class DiagramFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        cadwriters.Today = [] { return TCadWriterDate{2026, 1, 6}; };
        dir_ = testdirs::MakeTempDir("diagrams");
        telmvar.TempDir = dir_;
        telmvar.CadDir = dir_;
        telmvar.ProgramName = "QYR7";
        telmvar.ProgramFileStem = "qyr7";
        telmvar.DataExt = "qy7";
        telmvar.ProjectName = dir_ + "/drawing";
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        // The screen footer (today's date and the scratch path) is left
        // out while this switch is set.
        cadsettings.SheetShowFooter = true;
        platform_ = std::make_unique<platform::PlatformHeadless>(platform::HeadlessMode::Scripted);
        platformScope_ = std::make_unique<platform::ScopedPlatform>(*platform_);

        TReportServices& S = reportservices;
        S.ShowMessageIfEnabled = [this](const std::string& T) {
            if (telmvar.MessagesEnabled) Messages.push_back(T);
        };
        S.ShowMessageBox = [this](const std::string& T) { Messages.push_back(T); };
        S.CheckFileName = [](const std::string&) {};
        S.Launch = [](const std::string&, const std::vector<std::string>&) {
            return platform::LaunchResult{true, 0, {}};
        };
        // Each prompt takes the next scripted answer (1-based); none left
        // or an empty one is Cancel.
        S.AskSelect = [this](const std::string& Prompt, int Count, uint16_t& Choice) {
            Prompts.push_back(Prompt + "/" + std::to_string(Count));
            if (Answers.empty() || !Answers.front()) {
                if (!Answers.empty()) Answers.pop_front();
                telmvar.Aborted = true;
                return;
            }
            Choice = static_cast<uint16_t>(*Answers.front());
            Answers.pop_front();
        };

        InitProgramDefaults();
        SetDefaultInput();
    }

    void TearDown() override
    {
        platformScope_.reset();
        platform_.reset();
        testdirs::RemoveTempDir(dir_);
    }

    // The default stage calculated, mesh M (1 S-Pi, 2 Pi-Pe, 3 Pe-H) in the
    // gear pair, as the view menu leaves it before a diagram.
    static void LoadDefaultMesh(int M)
    {
        CalcPlanetaryStage();
        LoadCalculatedMesh(M);
        telmvar.Aborted = false;
    }

    std::string Temp(const std::string& Name) const { return dir_ + "/" + Name; }

    static std::string ReadFile(const std::string& Path)
    {
        std::ifstream in(Path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // The graphics window's display list, one record a line.
    static std::string DisplayList()
    {
        std::string s;
        for (std::string_view r : ::DisplayList.Records)
            s.append(r) += '\n';
        return s;
    }

    // ezdxf's view of a DXF file through the script beside the tests;
    // nothing when ezdxf cannot be run.
    static std::optional<std::vector<std::string>> Ezdxf(const std::string& Script, const std::string& Path)
    {
        if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0) return std::nullopt;
        const std::string cmd =
            "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/" + Script + " '" + Path + "' 2>&1";
        std::FILE* p = ::popen(cmd.c_str(), "r");
        if (p == nullptr) return std::nullopt;
        std::string text;
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            text.append(buf, n);
        ::pclose(p);
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string l; std::getline(in, l);)
            lines.push_back(l);
        return lines;
    }

    std::vector<std::string> Messages;
    std::vector<std::string> Prompts;
    std::deque<std::optional<int>> Answers;

  private:
    std::string dir_;
    std::unique_ptr<platform::PlatformHeadless> platform_;
    std::unique_ptr<platform::ScopedPlatform> platformScope_;
};
