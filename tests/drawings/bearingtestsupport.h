#pragma once
// The bearing section tests: catalogue rows read from the CSV sources of
// the shipped tables and copied into a bearing record as the program does,
// a section drawn into block "LAGER1" of a DXF file in a scratch directory,
// and the file read back by ezdxf (bearingdxf.py).

#include "common/tempdir.h"
#include "common/validators.h"
#include "drawings/bearings/bearingdraw.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "planetary/bearings/bearingcatalogue.h"
#include "planetary/bearings/planetbearing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace bearingtest
{

// Data rows of a catalogue source (comment lines and the field line left
// out), each split into its fields with entry 0 unused.
inline std::vector<std::vector<std::string>> CatalogueRows(const std::string& Table)
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(std::string(QYR7_SOURCE_DIR) + "/data/tables/" + Table + ".csv");
    bool header = true;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (header) {
            header = false;
            continue;
        }
        std::vector<std::string> f{""};
        std::istringstream s(line);
        for (std::string part; std::getline(s, part, ';');)
            f.push_back(part);
        rows.push_back(f);
    }
    return rows;
}

// The bearing record of a catalogue row, copied as the catalogue browser
// copies the row it read.
inline WaelzLagerTyp RecordFromRow(int Type, const std::vector<std::string>& Fields)
{
    ResetBearingCatalogue();
    bearingcatalogue.Records[Type].RecordNo = 1;
    bearingcatalogue.Records[Type].Fields = Fields;
    WaelzLagerTyp r;
    CopyBearingCatalogueRecord(Type, r);
    return r;
}

inline WaelzLagerTyp RecordByDesignation(int Type, const std::string& Table, const std::string& Designation)
{
    for (const auto& row : CatalogueRows(Table))
        if (row.size() > 1 && row[1] == Designation) return RecordFromRow(Type, row);
    ADD_FAILURE() << Designation << " not in " << Table;
    return {};
}

// One entity of the dump: type, layer, numbers, text.
struct TEntity {
    std::string type, layer;
    std::vector<double> v;
    std::string text;
};

struct TDxfView {
    std::vector<std::string> lines;
    std::vector<TEntity> entities;
    bool Has(const std::string& Line) const
    {
        for (const auto& l : lines)
            if (l == Line) return true;
        return false;
    }
    std::vector<TEntity> Of(const std::string& Type, const std::string& Layer) const
    {
        std::vector<TEntity> r;
        for (const auto& e : entities)
            if (e.type == Type && e.layer == Layer) r.push_back(e);
        return r;
    }
};

class BearingFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitPlanetBearings();
        dir_ = testdirs::MakeTempDir("bearingdxf");
        telmvar.TempDir = dir_;
        telmvar.CadDir = dir_;
        telmvar.ProjectName = dir_ + "/bearing";
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        cadsettings.CadPolylineAllowed = true;
        // Enough decimals to compare the two halves to 1e-9.
        cadsettings.DxfDecimals = 12;
    }
    void TearDown() override { testdirs::RemoveTempDir(dir_); }

    static bool HaveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

    // Draws into block "LAGER1", inserts it, closes the file; the path.
    std::string WriteBlock(const std::function<void()>& Draw)
    {
        {
            TCadOutputScope scope;
            CadOpenOutput(1);
            if (telmvar.Aborted) return "";
            CadBeginDrawing(-200, -200, 200, 200, 0);
            CadWriteTables(0);
            CadBeginBlocks();
            CadBeginBlock("LAGER1");
            Draw();
            CadEndBlock();
            CadEndSection();
            CadBeginEntities();
            CadSetLayer(0);
            CadInsertBlock("LAGER1", 0, 0, 0, 1, 1);
            CadDeviceReady();
            CadEndSection();
            CadCloseOutput();
        }
        return dir_ + "/bearing.dxf";
    }

    static TDxfView Read(const std::string& Path, const std::string& Args = "")
    {
        TDxfView view;
        const std::string cmd = "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/bearingdxf.py '" + Path +
                                "' " + Args + " 2>&1";
        std::FILE* p = ::popen(cmd.c_str(), "r");
        if (p == nullptr) return view;
        std::string text;
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            text.append(buf, n);
        ::pclose(p);
        std::istringstream s(text);
        for (std::string l; std::getline(s, l);) {
            view.lines.push_back(l);
            std::istringstream w(l);
            TEntity e;
            w >> e.type >> e.layer;
            if (e.type != "LINE" && e.type != "CIRCLE" && e.type != "ARC" && e.type != "POLYLINE" &&
                e.type != "TEXT")
                continue;
            const int count = e.type == "TEXT" ? 3 : 1 << 30;
            std::string word;
            for (int k = 0; k < count && w >> word; ++k)
                e.v.push_back(std::stod(word));
            if (e.type == "TEXT") std::getline(w >> std::ws, e.text);
            view.entities.push_back(e);
        }
        return view;
    }

    std::string dir_;
};

// Bulge of an included angle.
inline double Bulge(double Angle)
{
    return std::tan(Angle / 4);
}

// The polyline on the layer whose first vertex is (X, Y); empty if none.
inline std::vector<double> PolylineFrom(const TDxfView& V, double X, double Y, const std::string& Layer = "5")
{
    for (const auto& e : V.Of("POLYLINE", Layer))
        if (e.v.size() >= 3 && std::fabs(e.v[0] - X) < 1e-6 && std::fabs(e.v[1] - Y) < 1e-6) return e.v;
    return {};
}

// Does the polyline pass through (X, Y) with that bulge (to 1e-4)?
inline bool HasVertex(const std::vector<double>& P, double X, double Y, double B = NAN)
{
    for (size_t i = 0; i + 2 < P.size(); i += 3)
        if (std::fabs(P[i] - X) < 1e-4 && std::fabs(P[i + 1] - Y) < 1e-4 &&
            (std::isnan(B) || std::fabs(P[i + 2] - B) < 1e-4))
            return true;
    return false;
}

} // namespace bearingtest
