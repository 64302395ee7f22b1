#include "planetary/kinematics.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "planetary/stage.h"

#include <cmath>
#include <numbers>

namespace
{

bool InPair(int code, int a, int b)
{
    return code == a || code == b;
}

} // namespace

void CalcDriveData()
{
    auto& st = PlanetaryStage;
    auto& sh = PlanetaryShafts;
    const auto& z = PlanetaryGears.z;
    if (z[gS] == 0) {
        AddFatalMessage("Fatal  : zS = 0 !");
        return;
    }
    const Extended zS = z[gS], zPi = z[gPi], zPe = z[gPe], zH = z[gH];
    st.i0 = -zH / zS;
    st.n[sh.InputShaft] = st.nIn;

    // The shaft that is neither input nor output is the third one; its speed
    // is the entered third speed (0: it stands still).
    const int in = sh.InputShaft, out = sh.OutputShaft;
    if (InPair(in, 1, 2) && InPair(out, 1, 2)) {
        st.n[shaftH] = st.nThird;
        sh.FixedShaft = 3;
    } else if (InPair(in, 1, 3) && InPair(out, 1, 3)) {
        st.n[shaftC] = st.nThird;
        sh.FixedShaft = 2;
    } else if (InPair(in, 2, 3) && InPair(out, 2, 3)) {
        st.n[shaftS] = st.nThird;
        sh.FixedShaft = 1;
    }

    // Willis: nS - i0*nH = (1 - i0)*nC, with k = zH/zS = -i0.
    const Extended k = zH / zS;
    auto& n = st.n;
    switch (out) {
    case 1:
        n[shaftS] = (1 + k) * n[shaftC] - k * n[shaftH];
        break;
    case 2:
        n[shaftC] = n[shaftS] / (1 + k) + k * n[shaftH] / (1 + k);
        break;
    case 3:
        n[shaftH] = (1 + k) * n[shaftC] / k - n[shaftS] / k;
        break;
    default:
        break;
    }

    st.npC[1] = (n[shaftC] - n[shaftS]) * zS / zPi;
    st.npC[2] = -(n[shaftC] - n[shaftS]) * zS / zPe;
    st.nBearing[1] = st.npC[1];
    st.nBearing[2] = st.npC[2];
    st.np0[2] = (zH / zPe + 1) * n[shaftC] - zH * n[shaftH] / zPe;
    st.np0[1] = (zS / zPi + 1) * n[shaftC] - zS * n[shaftS] / zPi;

    st.nOut = n[out];
    // The torques follow later; the stage calculation sets TOut again.
    st.TOut = st.T[out];
    if (st.nOut != 0) st.i = st.nIn / st.nOut;
}

void CalcShaftTorques()
{
    auto& st = PlanetaryStage;
    const auto& sh = PlanetaryShafts;
    auto& T = st.T;
    const auto& n = st.n;
    const Extended i0 = st.i0;
    if (!st.PowerSplit) {
        T[sh.InputShaft] = st.TN;
        switch (sh.InputShaft) {
        case shaftS:
            T[shaftC] = (i0 - 1) * T[shaftS];
            T[shaftH] = -i0 * T[shaftS];
            break;
        case shaftC:
            T[shaftS] = T[shaftC] / (i0 - 1);
            T[shaftH] = -i0 * T[shaftS];
            break;
        case shaftH:
            T[shaftC] = (1 / i0 - 1) * T[shaftH];
            T[shaftS] = -T[shaftH] / i0;
            break;
        default:
            break;
        }
        return;
    }
    // Power split: the input power TN*nIn is shared by the power balance.
    const Extended power = st.TN * st.nIn;
    const int in = sh.InputShaft, fixed = sh.FixedShaft;
    // A balance whose speed sum is 0 carries no power at all: refuse it
    // rather than divide by zero.
    auto refuse = [](Extended speedSum) {
        if (speedSum != 0) return false;
        AddFatalMessage("Fatal  : power split without speed !");
        return true;
    };
    if (InPair(in, 1, 2) && InPair(fixed, 1, 2)) {
        if (refuse((i0 - 1) * n[shaftC] + n[shaftS])) return;
        T[shaftS] = power / ((i0 - 1) * n[shaftC] + n[shaftS]);
        T[shaftC] = (i0 - 1) * T[shaftS];
        T[shaftH] = -i0 * T[shaftS];
    } else if (InPair(in, 1, 3) && InPair(fixed, 1, 3)) {
        if (refuse(n[shaftS] - i0 * n[shaftH])) return;
        T[shaftS] = power / (n[shaftS] - i0 * n[shaftH]);
        T[shaftH] = -i0 * T[shaftS];
        T[shaftC] = (i0 - 1) * T[shaftS];
    } else if (InPair(in, 2, 3) && InPair(fixed, 2, 3)) {
        if (refuse((1 / i0 - 1) * n[shaftC] + n[shaftH])) return;
        T[shaftH] = power / ((1 / i0 - 1) * n[shaftC] + n[shaftH]);
        T[shaftC] = (1 / i0 - 1) * T[shaftH];
        T[shaftS] = -T[shaftH] / i0;
    }
}

void CalcShaftPowers()
{
    auto& st = PlanetaryStage;
    for (int k = 1; k <= 3; ++k)
        st.P[k] = st.T[k] * 2 * std::numbers::pi_v<Extended> * st.n[k] / 60 / 1000;
    const Extended nS = st.n[shaftS], nC = st.n[shaftC], nH = st.n[shaftH];
    if (nS != 0)
        st.PW = std::fabs((1 - nC / nS) * st.P[shaftS]);
    else if (nH != 0)
        st.PW = std::fabs((1 - nC / nH) * (-st.P[shaftH]));
    else
        st.PW = 0;
}
