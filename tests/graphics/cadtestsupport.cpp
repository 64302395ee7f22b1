#include "cadtestsupport.h"

#include "common/tempdir.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/igesdevice.h"
#include "graphics/cadsettings.h"
#include "graphics/graphservices.h"
#include "graphics/graphsettings.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

std::string Fmt(Extended X)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4Lf", X);
    std::string s = buf;
    if (s == "-0.0000") s = "0.0000";
    return s;
}

void TRecordingScreen::Header(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    Calls.push_back("Header " + Fmt(X1) + " " + Fmt(Y1) + " " + Fmt(X2) + " " + Fmt(Y2));
}

void TRecordingScreen::Line(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    Calls.push_back("Line " + Fmt(X1) + " " + Fmt(Y1) + " " + Fmt(X2) + " " + Fmt(Y2));
}

void TRecordingScreen::Circle(Extended X, Extended Y, Extended R)
{
    Calls.push_back("Circle " + Fmt(X) + " " + Fmt(Y) + " " + Fmt(R));
}

void TRecordingScreen::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    Calls.push_back("Arc " + Fmt(X) + " " + Fmt(Y) + " " + Fmt(Start) + " " + Fmt(End) + " " + Fmt(R));
}

void TRecordingScreen::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                             Extended X4, Extended Y4)
{
    Calls.push_back("Solid " + Fmt(X1) + " " + Fmt(Y1) + " " + Fmt(X2) + " " + Fmt(Y2) + " " + Fmt(X3) + " " +
                    Fmt(Y3) + " " + Fmt(X4) + " " + Fmt(Y4));
}

void TRecordingScreen::OutTextXY(Extended X, Extended Y, const std::string& Text)
{
    Calls.push_back("Text " + Fmt(X) + " " + Fmt(Y) + " " + Text);
}

void TRecordingScreen::SetTextStyle(int N, Extended Angle, Extended Height, Extended Width)
{
    Calls.push_back("TextStyle " + std::to_string(N) + " " + Fmt(Angle) + " " + Fmt(Height) + " " +
                    Fmt(Width));
}

std::vector<std::string> TRecordingScreen::Drawn() const
{
    std::vector<std::string> d;
    for (const std::string& c : Calls)
        for (const char* k : {"Line ", "Circle ", "Arc ", "Solid ", "Text "})
            if (c.rfind(k, 0) == 0) d.push_back(c);
    return d;
}

void CadTest::SetUp()
{
    cadwriters.Today = [] { return TCadWriterDate{2026, 1, 6}; };
    TempDir = testdirs::MakeTempDir("cad");
    telmvar.TempDir = TempDir.string();
    telmvar.CadDir = TempDir.string();
    telmvar.DataDir = "/data/projects";
    telmvar.ProgramName = "QYR7";
    telmvar.DataExt = "qy7";
    telmvar.ProjectName = Temp("drawing");
    wtelmvar.CadSkipSaveDialog = true;

    Platform = std::make_unique<platform::PlatformHeadless>(platform::HeadlessMode::Scripted);
    PlatformScope = std::make_unique<platform::ScopedPlatform>(*Platform);
    SetCadScreen(&Screen);

    TReportServices& S = reportservices;
    S.TodayDateText = [] { return std::string("2026-12-07"); };
    S.NowTimeText = [] { return std::string("8:15"); };
    S.ShowMessageBox = [this](const std::string& T) { Messages.push_back(T); };
    S.ShowMessageIfEnabled = [this](const std::string& T) {
        if (telmvar.MessagesEnabled) Messages.push_back(T);
    };
    S.CheckFileName = [](const std::string&) {};
    // The device menu as the scripted platform answers it (Cancel unless a
    // selection is queued).
    S.AskSelect = [this](const std::string& Prompt, int Count, uint16_t& Choice) {
        platform::SelectionRequest r;
        r.Prompt = Prompt;
        for (int i = 1; i <= Count; ++i)
            r.Items.push_back(telmvar.TextItems[i]);
        r.Selected = Choice - 1;
        const std::optional<int> picked = Platform->Prompt().Select(r);
        if (!picked) {
            telmvar.Aborted = true;
            return;
        }
        Choice = static_cast<uint16_t>(*picked + 1);
    };
    S.Launch = [this](const std::string& Program, const std::vector<std::string>& Args) {
        Launched.push_back(Program + "|" + (Args.empty() ? "" : Args.front()));
        return platform::LaunchResult{true, 0, {}};
    };
}

void CadTest::TearDown()
{
    PlatformScope.reset();
    Platform.reset();
    testdirs::RemoveTempDir(TempDir.string());
}

std::string CadTest::ReadFile(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void CadTest::WriteFile(const std::string& Path, const std::string& Bytes)
{
    std::ofstream out(Path, std::ios::binary);
    out << Bytes;
}

std::vector<std::string> CadTest::TempFiles() const
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(TempDir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectGolden(const std::string& Name, const std::string& Bytes)
{
    const fs::path golden = fs::path(QYR7_TEST_DIR) / "golden" / Name;
    const fs::path out = fs::path(golden.string() + ".out");
    std::ifstream in(golden, std::ios::binary);
    std::ostringstream s;
    if (in) s << in.rdbuf();
    const std::string expected = s.str();
    if (in && expected == Bytes) {
        std::error_code ec;
        fs::remove(out, ec);
        return;
    }
    std::ofstream(out, std::ios::binary) << Bytes;
    if (!in) {
        ADD_FAILURE() << "golden file " << golden << " missing; output written to " << out;
        return;
    }
    std::istringstream a(expected), b(Bytes);
    std::string la, lb;
    int line = 0;
    while (true) {
        ++line;
        const bool ga = static_cast<bool>(std::getline(a, la));
        const bool gb = static_cast<bool>(std::getline(b, lb));
        if (!ga && !gb) break;
        if (la != lb || ga != gb) {
            ADD_FAILURE() << Name << " differs at line " << line << ": expected \"" << la << "\", got \""
                          << lb << "\" (output in " << out << ")";
            return;
        }
    }
    ADD_FAILURE() << Name << " differs (output in " << out << ")";
}

std::optional<std::vector<std::string>> EzdxfView(const std::string& Path)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0) return std::nullopt;
    const std::string cmd =
        "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/dxfcheck.py '" + Path + "' 2>&1";
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (p == nullptr) return std::nullopt;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        text.append(buf, n);
    ::pclose(p);
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string l; std::getline(s, l);)
        lines.push_back(l);
    return lines;
}
