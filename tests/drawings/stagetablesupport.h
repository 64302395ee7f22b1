#pragma once
// The stage table tests: the default stage (z 21/15/15/-63, mn 6.5, three
// planet sets, 72 kW at 100 1/min on the sun) calculated, a drawing written
// through the CAD layer into a scratch directory (text CAD code or DXF),
// and the text records of the text CAD file read back as cells.

#include "common/tempdir.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace stagetest
{

// One TEXT record of the text CAD code.
struct TTextRecord {
    double X, Y;
    std::string Text;
};

// TEXT <tab> x <tab> y <tab> text, lines ended by CR LF.
inline std::vector<TTextRecord> TextRecords(const std::string& File)
{
    std::vector<TTextRecord> r;
    std::istringstream s(File);
    for (std::string line; std::getline(s, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("TEXT\t", 0) != 0) continue;
        const size_t a = line.find('\t', 5), b = line.find('\t', a + 1);
        r.push_back(
            {std::stod(line.substr(5, a - 5)), std::stod(line.substr(a + 1, b - a - 1)), line.substr(b + 1)});
    }
    return r;
}

// The texts of the table row whose base line is Y, left to right.
inline std::vector<std::string> RowAt(const std::vector<TTextRecord>& R, double Y)
{
    std::vector<TTextRecord> row;
    for (const auto& t : R)
        if (std::abs(t.Y - Y) < 1e-6) row.push_back(t);
    std::stable_sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.X < b.X; });
    std::vector<std::string> r;
    for (const auto& t : row)
        r.push_back(t.Text);
    return r;
}

// The row whose first cell is " " + Label; empty when there is none.
inline std::vector<std::string> RowOf(const std::vector<TTextRecord>& R, const std::string& Label)
{
    for (const auto& t : R)
        if (t.Text == " " + Label) return RowAt(R, t.Y);
    return {};
}

inline std::string Trimmed(const std::string& S)
{
    const size_t a = S.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return S.substr(a, S.find_last_not_of(' ') - a + 1);
}

class StageTableFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitProgramDefaults();
        SetDefaultInput();
        dir_ = testdirs::MakeTempDir("stagetables");
        telmvar.TempDir = dir_;
        telmvar.CadDir = dir_;
        telmvar.ProjectName = dir_ + "/tables";
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        PlanetaryStage.nThird = 0;
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
    }
    void TearDown() override { testdirs::RemoveTempDir(dir_); }

    // The bytes of a drawing on Device (1 DXF, 5 text CAD); the file is
    // removed again.
    std::string Draw(int Device, const std::function<void()>& Entities)
    {
        {
            TCadOutputScope scope;
            CadOpenOutput(Device);
            if (telmvar.Aborted) {
                ADD_FAILURE() << "output not opened";
                return "";
            }
            CadBeginDrawing(0, 0, 160, 120, 0);
            CadWriteTables(2);
            CadBeginEntities();
            Entities();
            CadDeviceReady();
            CadEndSection();
            CadCloseOutput();
        }
        const std::string path = dir_ + (Device == 1 ? "/tables.dxf" : "/tables.txt");
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        in.close();
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return s.str();
    }
    std::vector<TTextRecord> Texts(const std::function<void()>& Entities)
    {
        return TextRecords(Draw(5, Entities));
    }

    // ezdxf's view of DXF bytes (the CAD layer's dxfcheck.py): audit line,
    // layers, counts and model-space entities; empty without ezdxf.
    std::vector<std::string> Ezdxf(const std::string& Bytes)
    {
        const std::string path = dir_ + "/check.dxf";
        std::ofstream(path, std::ios::binary) << Bytes;
        const std::string cmd = "/usr/bin/python3 " + std::string(QYR7_SOURCE_DIR) +
                                "/tests/graphics/dxfcheck.py '" + path + "' 2>&1";
        std::vector<std::string> lines;
        std::FILE* p = ::popen(cmd.c_str(), "r");
        if (p == nullptr) return lines;
        std::string text;
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            text.append(buf, n);
        ::pclose(p);
        std::istringstream s(text);
        for (std::string l; std::getline(s, l);)
            lines.push_back(l);
        return lines;
    }
    static bool HaveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

    std::string dir_;
};

} // namespace stagetest
