// The example projects under examples/ are files the program writes itself:
// the template project of File New, the default stage with a load spectrum,
// and an industrial stage designed to pass its own checks. Each test writes its project and compares it with
// the checked-in file; with QYR7_UPDATE_EXAMPLES=1 in the environment it writes the checked-in file instead.
#include "projectfile_fixture.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "gearpair/measuring.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace projfiletest
{
namespace
{

class ExampleProjects : public FileTest
{
  protected:
    void CheckExample(const std::string& name)
    {
        const std::string example = std::string(QYR7_SOURCE_DIR) + "/examples/" + name;
        const char* update = std::getenv("QYR7_UPDATE_EXAMPLES");
        if (update != nullptr && std::string(update) == "1") {
            ASSERT_TRUE(WriteProjectData(example));
            return;
        }
        ASSERT_TRUE(WriteProjectData(In(name)));
        const std::string written = ReadAll(In(name));
        const std::string checkedIn = ReadAll(example);
        ASSERT_FALSE(checkedIn.empty()) << example << " missing";
        if (written != checkedIn) {
            WriteAll(example + ".out", written);
            FAIL() << example << " is not what the program writes (written to " << name << ".out)";
        }
        // And it opens and calculates.
        StartWithDefaultProject();
        TFileFault fault;
        ASSERT_TRUE(ReadProjectData(example, fault)) << fault.Line << " " << fault.Reason;
        CalcPlanetaryStage();
        EXPECT_FALSE(telmvar.FatalCalcError) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
    }
};

TEST_F(ExampleProjects, TemplateProjectOfFileNew)
{
    CheckExample("default.qy7");
}

TEST_F(ExampleProjects, DefaultStageWithLoadSpectrum)
{
    // A duty cycle of the default stage (nominal torque 6875 Nm at the sun):
    // a few peaks above it, most of the cycles well below.
    const TLoadSpectrumItem items[] = {
        {1.0e4L, 9000}, {1.0e5L, 7500}, {1.0e6L, 6500}, {5.0e6L, 5000}, {2.0e7L, 3500}, {5.0e7L, 2000},
    };
    GearPair.LoadSpectrumCount = 0;
    for (const auto& it : items)
        GearPair.LoadSpectrum[++GearPair.LoadSpectrumCount] = it;
    GearPair.LoadSpectrumKind = 1;
    GearPair.KaFromLoadSpectrum = 1;
    PutStageLoadSpectrum();
    PlanetaryGears.StageText = "Example stage with a load spectrum";
    documentation.ChangeCount = 1;
    documentation.ChangeList[1].Text = {
        {"load spectrum", "07.12.2026", "QYR",
         "Duty cycle of six load levels\r\nfrom the drive's measured torque"}};
    CheckExample("spectrum.qy7");
}

// The centre distance of a mesh from its profile shifts (DIN 3960):
// inv alpha_wt = inv alpha_t + 2 tan alpha_n (x1 + x2) / (z1 + z2) and
// a = (z1 + z2) mt / 2 * cos alpha_t / cos alpha_wt; an internal gear counts
// with its negative tooth number, so its centre distance is negative.
Extended CentreDistance(int z1, int z2, Extended x1, Extended x2, Extended mn, Extended alphaDeg,
                        Extended betaDeg)
{
    const Extended alphan = alphaDeg * std::numbers::pi_v<Extended> / 180;
    const Extended beta = betaDeg * std::numbers::pi_v<Extended> / 180;
    const Extended alphat = std::atan(std::tan(alphan) / std::cos(beta));
    const Extended zsum = z1 + z2;
    const Extended alphawt = ArcInvolute(Involute(alphat) + 2 * std::tan(alphan) * (x1 + x2) / zsum);
    return zsum * mn / std::cos(beta) / 2 * std::cos(alphat) / std::cos(alphawt);
}

// A drive as a gear engineer would lay it out: 315 kW at 1480 1/min from a
// four-pole motor into the sun, ring gear out, carrier held; stationary ratio
// 78 / 24 = 3.25. Module 4, 15 degrees helix (overlap ratio
// 52 sin 15 / (4 pi) = 1.07 on the 52 mm planets), three planet sets;
// (24 + 78) / 3 and (78 - 24) / 3 are whole, so the sets sit at 120 degrees.
// Sun and planets case-hardened 18CrNiMo7-6 (sigma Hlim 1500, sigma FE 1000
// N/mm2), ring gear gas-nitrided 42CrMo4 (1000, 720). Profile shifts keep
// the specific sliding below 2 in every mesh; the centre distances follow
// from them. A duty cycle of 20000 h at the motor speed with starting peaks
// of 1.5 times the nominal torque. Ball diameters and numbers of teeth
// spanned are those the measuring routines propose.
void SetIndustrialStage()
{
    auto& g = PlanetaryGears;
    auto& st = PlanetaryStage;
    auto& p = GearPair;
    p.mn = 4;
    p.alpha = 20;
    p.beta = 15;
    p.qp = 3;
    st.nIn = 1480;
    st.DriveValue = 315;
    const int z[] = {0, 24, 19, 19, -78};
    const Extended x[] = {0, 0.35L, 0.35L, 0.35L, 0.3L};
    const Extended b[] = {0, 56, 52, 52, 52};
    for (int k = gS; k <= gH; ++k) {
        g.z[k] = z[k];
        g.x[k] = x[k];
        g.b[k] = b[k];
        const bool ring = k == gH;
        g.MaterialName[k] = ring ? "42CrMo4" : "18CrNiMo7-6";
        g.MaterialKind[k] = ring ? 3 : 2;  // heat-treatable steel : case-hardening steel
        g.HeatTreatment[k] = ring ? 5 : 2; // gas-nitrided : case-hardened
        g.SigmaHlim[k] = ring ? 1000 : 1500;
        g.Sigma_FE[k] = ring ? 720 : 1000;
        g.HB[k] = ring ? 500 : 650;
    }
    for (int m = mSPi; m <= mPeH; ++m)
        g.a[m] = CentreDistance(z[m], z[m + 1], x[m], x[m + 1], p.mn, p.alpha, p.beta);
    const Extended alphan = p.alpha * std::numbers::pi_v<Extended> / 180;
    const Extended beta = p.beta * std::numbers::pi_v<Extended> / 180;
    for (int k = gS; k <= gH; ++k) {
        g.DM[k] = DmMess(z[k], beta, alphan, x[k], p.mn);
        g.SpanTeeth[k] = kmess(z[k], beta, alphan, x[k], p.mn);
    }

    // Sun torque 315 kW / (2 pi 1480 / 60) = 2032.5 Nm; load cycles of the
    // sun, 1.776e9 in all = 20000 h at 1480 1/min.
    const Extended TN = 2032.5L;
    const TLoadSpectrumItem items[] = {
        {1.0e5L, 1.5L * TN}, {1.0e7L, 1.25L * TN}, {2.0e8L, TN}, {6.0e8L, 0.8L * TN}, {9.661e8L, 0.6L * TN},
    };
    p.LoadSpectrumCount = 0;
    for (const auto& it : items)
        p.LoadSpectrum[++p.LoadSpectrumCount] = it;
    p.LoadSpectrumKind = 1; // case-hardened
    p.KaFromLoadSpectrum = 1;
    PutStageLoadSpectrum();
    g.StageText = "Industrial drive 315 kW, 1480 1/min, i0 = 3.25";
    documentation.ChangeCount = 1;
    documentation.ChangeList[1].Text = {
        {"design", "07.12.2026", "QYR", "Sized for 20000 h with starting\r\npeaks of 1.5 x nominal torque"}};
}

TEST_F(ExampleProjects, IndustrialStagePassingItsOwnChecks)
{
    SetIndustrialStage();
    CheckExample("industrial.qy7");

    // Read back as a user opens it: a clean calculation.
    StartWithDefaultProject();
    TFileFault fault;
    ASSERT_TRUE(ReadProjectData(std::string(QYR7_SOURCE_DIR) + "/examples/industrial.qy7", fault))
        << fault.Reason;
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    std::string messages;
    for (int i = 1; i <= error0.ErrorCount; ++i)
        messages += error0.ErrorTexts[i] + "\n";
    EXPECT_EQ(messages, "") << "the example must pass every check of its own";
    const auto& g = PlanetaryGears;
    const auto& st = PlanetaryStage;
    // Hand values: ratio 78 / 24, sun torque 315000 * 60 / (2 pi 1480),
    // overlap ratio b sin(beta) / (pi mn) with the common 52 mm in each mesh.
    EXPECT_NEAR(st.i, 3.25L, 1e-9L);
    EXPECT_NEAR(st.T[shaftS], 2032.5L, 0.1L);
    const Extended epsBeta =
        52 * std::sin(15 * std::numbers::pi_v<Extended> / 180) / (std::numbers::pi_v<Extended> * 4);
    for (int m = mSPi; m <= mPeH; ++m) {
        SCOPED_TRACE(PlanetaryMeshNames[m]);
        EXPECT_NEAR(g.eps_beta[m], epsBeta, 1e-3L);
        for (int s = 1; s <= 2; ++s) {
            EXPECT_GE(g.SH[s][m], 1.0L);
            EXPECT_GE(g.SF[s][m], 1.0L);
        }
        // The spectrum was reduced in every mesh: 1.776e9 cycles of the sun.
        EXPECT_GT(g.Nsum[m], 1e9L);
        EXPECT_GT(g.Neq[m], 0);
        EXPECT_GT(g.TeqH[m], 0);
        EXPECT_GT(g.TeqF[m], 0);
    }
    for (int k = gS; k <= gH; ++k) {
        EXPECT_GT(g.DM[k], 0);
        EXPECT_NE(g.SpanTeeth[k], 0);
    }
}

} // namespace
} // namespace projfiletest
