#pragma once
// Set-up of the diagram tests: the CAD test fixture with the diagram state at
// its start-up values and a screen output opened for the picture, so that
// the recording screen sees every line, solid and text of a diagram.

#include "cadcapture.h"
#include "common/validators.h"

#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"

#include <cstdlib>
#include <string>
#include <vector>

class DiagramTest : public CadCaptureTest
{
  protected:
    void SetUp() override { CadCaptureTest::SetUp(); }
    void TearDown() override { CadCaptureTest::TearDown(); }
    // Opens the screen output as a drawing entry point does; the frame of
    // the test draws into it.
    void OpenScreen()
    {
        CadOpenOutput(3);
        CadBeginDrawing(0, 0, 160, 120, 0);
        CadBeginEntities();
        Screen.Calls.clear();
    }
    // The recorded calls that start with Prefix ("Line ", "Text ", ...).
    std::vector<std::string> Recorded(const std::string& Prefix) const
    {
        std::vector<std::string> r;
        for (const std::string& c : Screen.Calls)
            if (c.rfind(Prefix, 0) == 0) r.push_back(c);
        return r;
    }
    // The numbers of a recorded call after its name.
    static std::vector<Extended> Numbers(const std::string& Call)
    {
        std::vector<Extended> n;
        const char* p = Call.c_str();
        while (*p && *p != ' ')
            ++p;
        while (*p) {
            char* end = nullptr;
            const long double v = std::strtold(p, &end);
            if (end == p) break;
            n.push_back(v);
            p = end;
        }
        return n;
    }
    // The texts drawn, without position.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> t;
        for (const std::string& c : Recorded("Text ")) {
            // "Text x y text"
            const auto a = c.find(' ', 5);
            t.push_back(c.substr(c.find(' ', a + 1) + 1));
        }
        return t;
    }
};
