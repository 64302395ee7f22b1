#pragma once
// A CAD output that records the calls a drawing makes, so that drawings are
// checked element by element against hand-worked coordinates. The recorder
// takes the place of the text CAD writer (device 5) for the test's
// lifetime; the file the layer opens for it stays empty and lives in a
// temporary directory removed on every path.

#include "common/tempdir.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

struct TCadCall {
    std::string Kind; // line arc circle text insert pline vertex endpline layer style
    std::vector<double> V;
    std::string Text;
    int Layer = 0;
};

inline std::vector<TCadCall>& CadCallLog()
{
    static std::vector<TCadCall> log;
    return log;
}

class TCadCallRecorder final : public TCadDevice
{
  public:
    void SetLayer(int N) override { layer_ = N; }
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override { Add("line", {X1, Y1, X2, Y2}); }
    void Circle(Extended X, Extended Y, Extended R) override { Add("circle", {X, Y, R}); }
    void Arc(Extended X, Extended Y, Extended S, Extended E, Extended R) override
    {
        Add("arc", {X, Y, S, E, R});
    }
    void SetTextStyle(int N, Extended Angle, Extended Height, Extended Width) override
    {
        Add("style", {Extended(N), Angle, Height, Width});
    }
    void Text(const std::string& T, Extended X, Extended Y, const TCadTextStyle& S) override
    {
        Add("text", {X, Y, S.Height, S.Angle}, T);
    }
    void Insert(const std::string& Name, Extended X, Extended Y, Extended A, Extended SX,
                Extended SY) override
    {
        Add("insert", {X, Y, A, SX, SY}, Name);
    }
    bool HasPolylines() const override { return true; }
    void BeginPolyline(uint8_t) override { Add("pline", {}); }
    void Vertex(Extended X, Extended Y, Extended B) override { Add("vertex", {X, Y, B}); }
    void EndPolyline() override { Add("endpline", {}); }

  private:
    void Add(const char* Kind, std::initializer_list<Extended> V, const std::string& T = "")
    {
        TCadCall c;
        c.Kind = Kind;
        for (Extended x : V)
            c.V.push_back(static_cast<double>(x));
        c.Text = T;
        c.Layer = layer_;
        CadCallLog().push_back(c);
    }
    int layer_ = 0;
};

// Base: the fixture whose state the drawing needs (set up first).
template <class Base> class CadLogFixtureT : public Base
{
  protected:
    void SetUp() override
    {
        Base::SetUp();
        CadCallLog().clear();
        dir_ = testdirs::MakeTempDir("cadlog");
        telmvar.TempDir = dir_;
        telmvar.CadDir = dir_;
        telmvar.ProjectName = dir_ + "/drawing";
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        cadsettings.CadPolylineAllowed = true;
        RegisterCadDeviceFactory(5, [](std::ostream&) { return std::make_unique<TCadCallRecorder>(); });
    }
    void TearDown() override
    {
        testdirs::RemoveTempDir(dir_);
        CadCallLog().clear();
        Base::TearDown();
    }
    // Opens the recorder with an entities section; the calls before are
    // cleared so a test sees only its drawing.
    void Open()
    {
        CadOpenOutput(5);
        ASSERT_FALSE(telmvar.Aborted);
        CadBeginDrawing(-100, -100, 100, 100, 0);
        CadWriteTables(0);
        CadBeginEntities();
        CadCallLog().clear();
    }
    void Close()
    {
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
    static std::vector<TCadCall> Calls(const std::string& Kind)
    {
        std::vector<TCadCall> r;
        for (const auto& c : CadCallLog())
            if (c.Kind == Kind) r.push_back(c);
        return r;
    }
    std::string dir_;
};
using CadLogFixture = CadLogFixtureT<::testing::Test>;
