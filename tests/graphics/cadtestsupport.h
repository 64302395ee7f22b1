#pragma once
// Shared set-up of the CAD layer tests: the program-wide state at its
// start-up values, a fresh temporary directory (TempDir and the project's
// directory), a scripted headless platform, recording hooks instead of
// message boxes and programs, and a screen that records every call.

#include "graphics/cad/cadscreen.h"
#include "platform/headless/platform_headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Every call of the screen device as one text line; coordinates with 4
// decimals.
class TRecordingScreen final : public TCadScreen
{
  public:
    std::vector<std::string> Calls;
    // Only the drawing calls (lines, circles, arcs, solids, texts).
    std::vector<std::string> Drawn() const;

    void Clear() override { Calls.push_back("Clear"); }
    void SetWaitCursor() override { Calls.push_back("WaitCursor"); }
    void SetNormalCursor() override { Calls.push_back("NormalCursor"); }
    void Header(Extended X1, Extended Y1, Extended X2, Extended Y2) override;
    void ClearViewPort() override { Calls.push_back("ClearViewPort"); }
    void SetLineStyle(int Style) override { Calls.push_back("LineStyle " + std::to_string(Style)); }
    void SetCadColor(int Colour) override { Calls.push_back("CadColor " + std::to_string(Colour)); }
    void SetLineWidth(int Width) override { Calls.push_back("LineWidth " + std::to_string(Width)); }
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override;
    void Circle(Extended X, Extended Y, Extended R) override;
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override;
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override;
    void OutTextXY(Extended X, Extended Y, const std::string& Text) override;
    void SetTextStyle(int N, Extended Angle, Extended Height, Extended Width) override;
    void SleepMs(int Ms) override { Calls.push_back("Sleep " + std::to_string(Ms)); }
};

// Numbers as the recording screen writes them.
std::string Fmt(Extended X);

class CadTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string Temp(const std::string& Name) const { return (TempDir / Name).string(); }
    static std::string ReadFile(const std::string& Path);
    static void WriteFile(const std::string& Path, const std::string& Bytes);
    // Files in the temporary directory (names only, sorted).
    std::vector<std::string> TempFiles() const;

    std::filesystem::path TempDir;
    std::unique_ptr<platform::PlatformHeadless> Platform;
    std::unique_ptr<platform::ScopedPlatform> PlatformScope;
    TRecordingScreen Screen;
    std::vector<std::string> Messages;
    std::vector<std::string> Launched;
};

// ezdxf's view of a DXF file (see dxfcheck.py): the audit counts, the layer
// table, entity counts and model-space geometry; nothing when ezdxf is not
// installed.
std::optional<std::vector<std::string>> EzdxfView(const std::string& Path);

// Compares Bytes with tests/graphics/golden/<Name>; on a mismatch (or a
// missing golden) writes <Name>.out beside it and fails with the first
// differing line.
void ExpectGolden(const std::string& Name, const std::string& Bytes);
