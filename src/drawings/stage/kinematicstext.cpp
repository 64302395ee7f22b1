#include "drawings/stage/kinematicstext.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/unitsys.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"

#include <cmath>

Extended PitchLineVelocity(Extended X)
{
    return X / 60000 * 2 * Pi;
}

std::vector<std::string> KinematicsTextLines()
{
    const TPlanetaryStage& st = PlanetaryStage;
    const TPlanetaryGears& g = PlanetaryGears;
    const TPlanetaryShafts& sh = PlanetaryShafts;
    auto F = [](Extended X) { return FloatToSignificant(X); };
    auto shaft = [](int Code) { return ShaftLetter(Code); };
    auto length = [](const char* Label, Extended X) {
        return Label + LengthToText(X) + " " + LengthUnitLabel();
    };
    auto speed = [&](const char* Label, Extended N) { return Label + F(N) + "/min"; };
    auto velocity = [&](const char* Label, Extended X) { return Label + F(PitchLineVelocity(X)) + " m/s"; };

    const Extended rCi = std::fabs(g.aInUse[mSPi]);
    const Extended rCe = std::fabs(g.aInUse[mPeH]);
    const Extended nS = st.n[shaftS], nC = st.n[shaftC], nH = st.n[shaftH];

    std::vector<std::string> L;
    L.push_back("n in = " + F(st.nIn) + "/min (" + shaft(sh.InputShaft) + ")");
    L.push_back("n out = " + F(st.nOut) + "/min (" + shaft(sh.OutputShaft) + ")");
    // A stage whose output stands has no ratio to show.
    if (st.nOut != 0) L.push_back("i(nin/nout)= " + F(st.nIn / st.nOut));
    L.push_back("i0(zH/zS)= " + F(st.i0));
    L.push_back("n control = " + F(st.nThird) + "/min (" + shaft(sh.FixedShaft) + ")");
    // With power sharing the input power enters through two shafts; with the
    // third shaft at rest it is an ordinary drive and its torque is shown.
    if (st.PowerSplit && st.nThird != 0)
        L.push_back("P in = " + F(st.DriveValue) + " kW (" + shaft(sh.InputShaft) + "+" +
                    shaft(sh.FixedShaft) + ")");
    else
        L.push_back("T in = " + TorqueToText(st.TN) + " " + TorqueUnitLabel() + " (" + shaft(sh.InputShaft) +
                    ")");
    L.push_back("T out = " + TorqueToText(st.TOut) + " " + TorqueUnitLabel() + " (" + shaft(sh.OutputShaft) +
                ")");
    L.push_back(" ");
    L.push_back(speed("nS = ", nS));
    L.push_back(speed("nC = ", nC));
    L.push_back(speed("nH = ", nH));
    L.push_back(speed("nPi0 = ", st.np0[1]));
    L.push_back(speed("nPiC = ", st.npC[1]));
    L.push_back(speed("nPe0 = ", st.np0[2]));
    L.push_back(speed("nPeC = ", st.npC[2]));
    L.push_back(" ");
    L.push_back(length("rCi = ", rCi));
    L.push_back(length("rCe = ", rCe));
    L.push_back(length("rS = ", g.d[gS] / 2));
    // The ring's diameter carries the sign of its tooth number.
    L.push_back(length("rH = ", g.d[gH] / 2));
    L.push_back(length("rPi = ", g.d[gPi] / 2));
    L.push_back(length("rPe = ", g.d[gPe] / 2));
    L.push_back(" ");
    L.push_back("zS = " + F(g.z[gS]));
    L.push_back("zH = " + F(g.z[gH]));
    L.push_back("zPi = " + F(g.z[gPi]));
    L.push_back("zPe = " + F(g.z[gPe]));
    L.push_back(" ");
    L.push_back(velocity("vS = ", nS * g.d[gS] / 2));
    L.push_back(velocity("vCi = ", rCi * nC));
    L.push_back(velocity("vCe = ", rCe * nC));
    L.push_back(velocity("vH = ", std::fabs(g.d[gH]) * nH / 2));
    return L;
}

void KinematicsTextBlock()
{
    CadSetLayer(19);
    for (const std::string& line : KinematicsTextLines())
        CadTextLine(line);
}
