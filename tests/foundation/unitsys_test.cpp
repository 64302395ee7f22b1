#include "foundation/programsettings.h"
#include "foundation/unitsys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

class UnitSys : public ::testing::Test
{
  protected:
    static void System(int s) { wtelmvar.UnitSystem = static_cast<uint16_t>(s); }
};

struct LabelRow {
    int system;
    const char* length;
    const char* force;
    const char* stress;
    const char* torque;
    const char* temperature;
    const char* micro;
};

TEST_F(UnitSys, LabelsOfTheFiveSystems)
{
    const LabelRow rows[] = {
        {0, "mm", "N", "MPa", "Nm",
         "\xF8"
         "C",
         "\xE6"
         "m"},
        {1, "in", "lbf", "psi", "lbfin", " F",
         "\xE6"
         "in"},
        {2, "mm", "kN", "MPa", "Nm",
         "\xF8"
         "C",
         "\xE6"
         "m"},
        {3, "mm", "N", "N/mm\xFD", "Nm",
         "\xF8"
         "C",
         "\xE6"
         "m"},
        {4, "mm", "kN", "N/mm\xFD", "Nm",
         "\xF8"
         "C",
         "\xE6"
         "m"},
    };
    for (const auto& r : rows) {
        System(r.system);
        EXPECT_EQ(LengthUnitLabel(), r.length) << r.system;
        EXPECT_EQ(ForceUnitLabel(), r.force) << r.system;
        EXPECT_EQ(StressUnitLabel(), r.stress) << r.system;
        EXPECT_EQ(TorqueUnitLabel(), r.torque) << r.system;
        EXPECT_EQ(TemperatureUnitLabel(), r.temperature) << r.system;
        EXPECT_EQ(MicroLengthUnitLabel(), r.micro) << r.system;
        EXPECT_EQ(DensityUnitLabel(), "kg/dm\xFC");
        EXPECT_EQ(ViscosityUnitLabel(), "mm\xFD/s");
        EXPECT_EQ(PlusMinusSign(), " \xF1 ");
    }
}

TEST_F(UnitSys, AsciiLabelsAreAllPlain)
{
    wtelmvar.UnitCharMode = 1;
    const LabelRow rows[] = {
        {0, "mm", "N", "MPa", "Nm", " C", "um"},    {1, "in", "lbf", "psi", "lbfin", " F", "uin"},
        {2, "mm", "kN", "MPa", "Nm", " C", "um"},   {3, "mm", "N", "N/mm2", "Nm", " C", "um"},
        {4, "mm", "kN", "N/mm2", "Nm", " C", "um"},
    };
    for (const auto& r : rows) {
        System(r.system);
        const std::string all[] = {LengthUnitLabel(),  ForceUnitLabel(),       StressUnitLabel(),
                                   TorqueUnitLabel(),  TemperatureUnitLabel(), MicroLengthUnitLabel(),
                                   DensityUnitLabel(), ViscosityUnitLabel(),   PlusMinusSign()};
        for (const auto& label : all)
            for (char c : label)
                EXPECT_LT(static_cast<unsigned char>(c), 128) << "system " << r.system << " label " << label;
        EXPECT_EQ(StressUnitLabel(), r.stress) << r.system;
        EXPECT_EQ(TemperatureUnitLabel(), r.temperature) << r.system;
        EXPECT_EQ(MicroLengthUnitLabel(), r.micro) << r.system;
    }
    EXPECT_EQ(DensityUnitLabel(), "kg/dm3");
    EXPECT_EQ(ViscosityUnitLabel(), "mm2/s");
    EXPECT_EQ(PlusMinusSign(), "+/-");
}

TEST_F(UnitSys, SystemNames)
{
    EXPECT_EQ(wtelmvar.UnitSystemNames[0], "metric (mm, N, MPa, Nmm, \xF8"
                                           "C)");
    EXPECT_EQ(wtelmvar.UnitSystemNames[1], "imperial (in, lbf, psi, lbfin, degF)");
    EXPECT_EQ(wtelmvar.UnitSystemNames[2], "metric (mm, kN, MPa, Nm, \xF8"
                                           "C)");
    EXPECT_EQ(wtelmvar.UnitSystemNames[3], "metric (mm, N, N/mm\xFD, Nmm, \xF8"
                                           "C)");
    EXPECT_EQ(wtelmvar.UnitSystemNames[4], "metric (mm, kN, N/mm\xFD, Nm, \xF8"
                                           "C)");
}

// Internal values and their texts, worked by hand from the conversion
// constants (25.4 mm/in, 4.44822 N/lbf, 145.037 psi/MPa, 0.112984788 Nm/lbfin,
// F = 1.8 C + 32) and the 3-significant-digit layout (values from 1 on show
// one digit more, trailing zeros dropped).
struct TextRow {
    int system;
    Extended length;
    const char* lengthText;
    Extended force;
    const char* forceText;
    Extended stress;
    const char* stressText;
    Extended torque;
    const char* torqueText;
    Extended temperature;
    const char* temperatureText;
};

TEST_F(UnitSys, ValuesShownInEachSystem)
{
    const TextRow rows[] = {
        {0, 25.4L, "25.4", 12500, "12500", 100, "100", 250, "250", 20, "20"},
        {1, 25.4L, "1.0000", 4448.22L, "1000", 100, "14504", 11.2984788L, "100", 100, "212"},
        {2, 25.4L, "25.4", 12500, "12.5", 100, "100", 250, "250", 20, "20"},
        {3, 12.5L, "12.5", 12500, "12500", 1500, "1500", 1.5L, "1.5", -10, "-10"},
        {4, 0.25L, "0.25", 2000, "2", 1500, "1500", 1.5L, "1.5", 80, "80"},
    };
    for (const auto& r : rows) {
        System(r.system);
        EXPECT_EQ(LengthToText(r.length), r.lengthText) << r.system;
        EXPECT_EQ(ForceToText(r.force), r.forceText) << r.system;
        EXPECT_EQ(StressToText(r.stress), r.stressText) << r.system;
        EXPECT_EQ(TorqueToText(r.torque), r.torqueText) << r.system;
        EXPECT_EQ(TemperatureToText(r.temperature), r.temperatureText) << r.system;
    }
}

TEST_F(UnitSys, LengthVariants)
{
    System(1);
    EXPECT_EQ(LengthToTextSig(25.4L), "1");
    EXPECT_EQ(LengthToTextDecimals(2, 50.8L), "2.000");
    EXPECT_EQ(LengthToText6(25.4L), "1.00000");
    System(0);
    EXPECT_EQ(LengthToTextSig(25.4L), "25.4");
    EXPECT_EQ(LengthToTextDecimals(2, 50.8L), "50.80");
    EXPECT_EQ(LengthToText6(1.23456789L), "1.234568");
}

struct InputRow {
    int system;
    const char* text;
    Extended length, force, stress, torque, temperature;
};

TEST_F(UnitSys, TypedTextsReadBackInEachSystem)
{
    const InputRow rows[] = {
        {0, "12.5", 12.5L, 12.5L, 12.5L, 12.5L, 12.5L},
        {1, "1", 25.4L, 4.44822L, 1 / 145.037L, 0.112984788L, (1 - 32) / 1.8L},
        {1, "212", 212 * 25.4L, 212 * 4.44822L, 212 / 145.037L, 212 * 0.112984788L, 100},
        {2, "12.5", 12.5L, 12500, 12.5L, 12.5L, 12.5L},
        {3, "12,5", 12.5L, 12.5L, 12.5L, 12.5L, 12.5L},
        {4, "12.5", 12.5L, 12500, 12.5L, 12.5L, 12.5L},
        {2, "abc", 0, 0, 0, 0, 0},
    };
    for (const auto& r : rows) {
        System(r.system);
        EXPECT_NEAR(TextToLength(r.text), r.length, 1e-12L) << r.system << " " << r.text;
        EXPECT_NEAR(TextToLength2(r.text), r.length, 1e-12L) << r.system << " " << r.text;
        EXPECT_NEAR(TextToForce(r.text), r.force, 1e-12L) << r.system << " " << r.text;
        EXPECT_NEAR(TextToStress(r.text), r.stress, 1e-12L) << r.system << " " << r.text;
        EXPECT_NEAR(TextToTorque(r.text), r.torque, 1e-12L) << r.system << " " << r.text;
        EXPECT_NEAR(TextToTemperature(r.text), r.temperature, 1e-12L) << r.system << " " << r.text;
    }
}

TEST_F(UnitSys, DisplayValues)
{
    struct Row {
        int system;
        Extended length, force, torque;
    };
    const Row rows[] = {{0, 50.8L, 12500, 11.2984788L},
                        {1, 2, 12500 / 4.44822L, 100},
                        {2, 50.8L, 12.5L, 11.2984788L},
                        {3, 50.8L, 12500, 11.2984788L},
                        {4, 50.8L, 12.5L, 11.2984788L}};
    for (const auto& r : rows) {
        System(r.system);
        EXPECT_NEAR(LengthForDisplay(50.8L), r.length, 1e-15L) << r.system;
        EXPECT_NEAR(ForceForDisplay(12500), r.force, 1e-12L) << r.system;
        EXPECT_NEAR(TorqueForDisplay(11.2984788L), r.torque, 1e-12L) << r.system;
    }
}

TEST_F(UnitSys, FixedFieldsAdaptTheirDigits)
{
    struct Row {
        int system;
        const char* length; // FormatLengthFixed(3, 2, 25.4)
        const char* force;  // FormatForceFixed(5, 1, 12500): 12500 / 4.44822 = 2810.1127 lbf
        const char* stress; // FormatStressFixed(4, 2, 100)
        const char* torque; // FormatTorqueFixed(4, 1, 11.2984788)
        const char* temp;   // FormatTemperatureFixed(3, 1, 100)
    };
    const Row rows[] = {
        {0, " 25.40", "12500.0", " 100.00", "  11.3", "100.0"},
        {1, " 1.000", "2810.11", " 14504", "  100", "212.0"},
        {2, " 25.40", "  12.50", " 100.00", "  11.3", "100.0"},
        {3, " 25.40", "12500.0", " 100.00", "  11.3", "100.0"},
        {4, " 25.40", "  12.50", " 100.00", "  11.3", "100.0"},
    };
    for (const auto& r : rows) {
        System(r.system);
        EXPECT_EQ(FormatLengthFixed(3, 2, 25.4L), r.length) << r.system;
        EXPECT_EQ(FormatLengthFixed2(3, 2, 25.4L), r.system == 1 ? "1000.00" : r.length) << r.system;
        EXPECT_EQ(FormatForceFixed(5, 1, 12500), r.force) << r.system;
        EXPECT_EQ(FormatStressFixed(4, 2, 100), r.stress) << r.system;
        EXPECT_EQ(FormatTorqueFixed(4, 1, 11.2984788L), r.torque) << r.system;
        EXPECT_EQ(FormatTemperatureFixed(3, 1, 100), r.temp) << r.system;
    }
    System(1);
    EXPECT_EQ(FormatLengthFixed(1, 2, 2.54L), "0.100") << "at least one integer digit";
}

TEST_F(UnitSys, Deviations)
{
    struct Row {
        Extended upper, lower;
        const char* want;
    };
    const Row metric[] = {
        {0.02L, -0.02L, " \xF1 0.02"},
        {0.02L, 0, "+0.02"},
        {0, -0.01L, "-0.01"},
        {0, 0, ""},
        {0.03L, 0.01L, "+0.03/+0.01"},
        {-0.01L, -0.035L, "-0.01/-0.035"},
        {0.126L, -0.126L, " \xF1 0.13"},
    };
    for (const auto& r : metric)
        EXPECT_EQ(DeviationPairToText(r.upper, r.lower), r.want)
            << static_cast<double>(r.upper) << "/" << static_cast<double>(r.lower);
    EXPECT_EQ(LengthDeviationToText(0), "");
    EXPECT_EQ(LengthDeviationToText(0.0123L), "+0.012");
    EXPECT_EQ(LengthDeviationToText(-0.0123L), "-0.012");
    System(1);
    EXPECT_EQ(LengthDeviationToText(0.0254L), "+0.001");
    EXPECT_EQ(DeviationPairToText(0.03175L, -0.03175L), " \xF1 0.00125");
    wtelmvar.UnitCharMode = 1;
    System(0);
    EXPECT_EQ(DeviationPairToText(0.02L, -0.02L), "+/-0.02");
}

} // namespace
