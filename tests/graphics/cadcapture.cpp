#include "cadcapture.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>

Extended TCapturedEntity::Num(int Code, int Nth) const
{
    for (const auto& [c, v] : Groups)
        if (c == Code && Nth-- == 0) return std::strtold(v.c_str(), nullptr);
    return std::numeric_limits<Extended>::quiet_NaN();
}

std::string TCapturedEntity::Text(int Code) const
{
    for (const auto& [c, v] : Groups)
        if (c == Code) return v;
    return {};
}

std::vector<TCapturedEntity> ParseDxfEntities(const std::string& Bytes)
{
    std::vector<std::string> lines;
    std::istringstream in(Bytes);
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    std::vector<TCapturedEntity> out;
    bool inEntities = false;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        const int code = std::atoi(lines[i].c_str());
        const std::string& value = lines[i + 1];
        if (code == 2 && value == "ENTITIES") {
            inEntities = true;
            continue;
        }
        if (!inEntities) continue;
        if (code == 0) {
            if (value == "ENDSEC") break;
            out.push_back(TCapturedEntity{value, "", {}});
        } else if (!out.empty()) {
            if (code == 8) out.back().Layer = value;
            out.back().Groups.emplace_back(code, value);
        }
    }
    return out;
}

void CadCaptureTest::SetUp()
{
    CadTest::SetUp();
}

std::string CadCaptureTest::DrawDxf(const std::function<void()>& Entities, const std::string& Name)
{
    telmvar.ProjectName = Temp(Name);
    {
        TCadOutputScope scope;
        CadOpenOutput(1);
        EXPECT_FALSE(telmvar.Aborted);
        CadBeginDrawing(0, 0, 160, 120, 0);
        CadWriteTables(2);
        CadBeginBlocks();
        CadEndSection();
        CadBeginEntities();
        Entities();
        CadEndSection();
        CadCloseOutput();
    }
    return ReadFile(Temp(Name + ".dxf"));
}

std::vector<TCapturedSegment> CadCaptureTest::Lines(const std::vector<TCapturedEntity>& E,
                                                    const std::string& Layer)
{
    std::vector<TCapturedSegment> s;
    for (const TCapturedEntity& e : E)
        if (e.Type == "LINE" && e.Layer == Layer) s.push_back({e.Num(10), e.Num(20), e.Num(11), e.Num(21)});
    return s;
}

std::vector<TCapturedEntity> CadCaptureTest::OfType(const std::vector<TCapturedEntity>& E,
                                                    const std::string& Type)
{
    std::vector<TCapturedEntity> r;
    for (const TCapturedEntity& e : E)
        if (e.Type == Type) r.push_back(e);
    return r;
}

std::vector<TCapturedSegment> CadCaptureTest::ScreenLines() const
{
    std::vector<TCapturedSegment> s;
    for (const std::string& c : Screen.Calls) {
        TCapturedSegment g{};
        if (std::sscanf(c.c_str(), "Line %Lf %Lf %Lf %Lf", &g.X1, &g.Y1, &g.X2, &g.Y2) == 4) s.push_back(g);
    }
    return s;
}

bool CadCaptureTest::HasMessage(const std::string& Text)
{
    for (int i = 1; i <= error0.ErrorCount; ++i)
        if (error0.ErrorTexts[i] == Text) return true;
    return false;
}
