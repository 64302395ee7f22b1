// The HP-GL reader's building blocks: the encoded polyline numbers, the pen
// colours, the parameter and character readers and the label direction.
#include "foundation/programstate.h"
#include "graphics/hpgl/hpglreader.h"
#include "graphics/hpgl/hpglstate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

class HpglParts : public ::testing::Test
{
};

std::string Bytes(std::initializer_list<int> codes)
{
    std::string s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}

// Decodes the number that starts the text; the rest of the text is what the
// decoder may read further.
Extended Decode(const std::string& text, bool sevenBit, bool* complete = nullptr)
{
    OpenHpglText(text.substr(1));
    return DecodePeNumber(static_cast<unsigned char>(text[0]), sevenBit, complete);
}

struct PeCase {
    const char* name;
    std::string text;
    bool sevenBit;
    Extended mm;
};

// Base 64: digits 63..126, last digit 191..254; base 32: digits 63..94,
// last digit 95..126. Bit 0 is the sign, the rest counts 1/40 mm.
const PeCase kPeCases[] = {
    {"Base64_191_IsZero", Bytes({191}), false, 0},
    {"Base64_192_IsMinusZero", Bytes({192}), false, 0},
    {"Base64_193_IsOneUnit", Bytes({193}), false, 0.025L},
    {"Base64_194_IsMinusOneUnit", Bytes({194}), false, -0.025L},
    {"Base64_QuestionMark193_Is64Units", Bytes({'?', 193}), false, 1.6L},
    {"Base64_TwoDigits", Bytes({'@', 'A', 191}), false, (1 + (2 << 6)) / 2 * -0.025L},
    {"Base32_95_IsZero", Bytes({95}), true, 0},
    {"Base32_97_IsOneUnit", Bytes({97}), true, 0.025L},
    {"Base32_QuestionMark97_Is32Units", Bytes({'?', 97}), true, 0.8L},
    {"Base32_193_IsNoDigit", Bytes({193, 97}), true, (2 << 5) / 2 * 0.025L},
    {"Base64_OtherCharactersAddNothing", Bytes({'!', 193}), false, 64 * 0.025L},
};

class PeNumbers : public HpglParts, public ::testing::WithParamInterface<PeCase>
{
};

TEST_P(PeNumbers, DecodesToMillimetres)
{
    bool complete = false;
    EXPECT_NEAR(static_cast<double>(Decode(GetParam().text, GetParam().sevenBit, &complete)),
                static_cast<double>(GetParam().mm), 1e-12);
    EXPECT_TRUE(complete);
    EXPECT_FALSE(telmvar.Aborted);
}

INSTANTIATE_TEST_SUITE_P(Encoded, PeNumbers, ::testing::ValuesIn(kPeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A damaged file with thousands of digits must neither shift past the
// integer width nor run away: the value is capped and finite.
TEST_F(HpglParts, LongDigitRunsAreCapped)
{
    const std::string run = std::string(5000, '~') + Bytes({254});
    bool complete = false;
    const Extended mm = Decode(run, false, &complete);
    EXPECT_TRUE(complete);
    EXPECT_TRUE(std::isfinite(mm));
    EXPECT_LT(std::fabs(mm), 1e17L);
    EXPECT_GT(std::fabs(mm), 1e15L);
}

// A ";" inside a number ends it unfinished and stays for the polyline; the
// end of the picture does the same with Aborted set.
TEST_F(HpglParts, CutNumbersAreIncomplete)
{
    bool complete = true;
    Decode("??;PU;", false, &complete);
    EXPECT_FALSE(complete);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(ReadHpglChar(), ';');

    Decode("??", false, &complete);
    EXPECT_FALSE(complete);
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(HpglParts, PensToColours)
{
    // Pen 0 and pens above 7 keep their number.
    const int expected[] = {0, 12, 14, 10, 11, 9, 13, 15, 8, 9, 10};
    for (int pen = 0; pen <= 10; ++pen)
        EXPECT_EQ(PenToPalette(pen), expected[pen]) << "pen " << pen;
}

TEST_F(HpglParts, PlotterUnitIsOneFortiethMillimetre)
{
    EXPECT_DOUBLE_EQ(static_cast<double>(PlotterUnitsToMm(40)), 1.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(PlotterUnitsToMm(-100)), -2.5);
}

struct NumberCase {
    const char* name;
    const char* text;
    Extended value;
    bool terminated;
};

const NumberCase kNumberCases[] = {
    {"Plain", "12.5,", 12.5L, false},           {"BlanksAndLineBreaksSkipped", " 1 2\r\n.5 ;", 12.5L, true},
    {"PenLettersLeftOut", "PA300;", 300, true}, {"SeparatorAloneIsZero", ";", 0, true},
    {"CommaAloneIsZero", ",", 0, false},        {"UnreadableIsZero", "1x2;", 0, true},
    {"OverflowIsZero", "1e5000;", 0, true},     {"NotANumberIsZero", "nan;", 0, true},
    {"AbsurdlyLargeIsZero", "1e300;", 0, true}, {"Negative", "-40;", -40, true},
};

class NumberReader : public HpglParts, public ::testing::WithParamInterface<NumberCase>
{
};

TEST_P(NumberReader, ReadsUpToSeparator)
{
    OpenHpglText(GetParam().text);
    EXPECT_DOUBLE_EQ(static_cast<double>(ReadHpglNumber()), static_cast<double>(GetParam().value));
    EXPECT_EQ(hpgl.HpglTerminated, GetParam().terminated);
    EXPECT_FALSE(telmvar.Aborted);
}

INSTANTIATE_TEST_SUITE_P(Parameters, NumberReader, ::testing::ValuesIn(kNumberCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HpglParts, RealReaderKeepsLetters)
{
    OpenHpglText("PA300;");
    EXPECT_EQ(ReadHpglReal(), 0); // "PA300" is no number
    EXPECT_TRUE(hpgl.HpglTerminated);
}

TEST_F(HpglParts, PenReader)
{
    OpenHpglText(";");
    EXPECT_EQ(ReadHpglPen(), 1);
    OpenHpglText("3;");
    EXPECT_EQ(ReadHpglPen(), 3);
    OpenHpglText("x;");
    EXPECT_EQ(ReadHpglPen(), 0);
}

TEST_F(HpglParts, SkipReadsThroughSemicolon)
{
    OpenHpglText("1,2,3;PU");
    SkipHpglParameters();
    EXPECT_TRUE(hpgl.HpglTerminated);
    EXPECT_EQ(ReadHpglChar(), 'P');
}

TEST_F(HpglParts, CharacterReaders)
{
    OpenHpglText(" \r\nA B");
    EXPECT_EQ(ReadHpglChar(), 'A');
    EXPECT_EQ(ReadHpglLabelChar(), ' '); // a label keeps its blanks
    EXPECT_EQ(ReadHpglChar(), 'B');
    EXPECT_FALSE(telmvar.Aborted);
    ReadHpglChar();
    EXPECT_TRUE(telmvar.Aborted); // the end of the picture
}

TEST_F(HpglParts, LabelAngles)
{
    EXPECT_DOUBLE_EQ(static_cast<double>(HpglLabelAngle(1, 0)), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(HpglLabelAngle(0, 1)), 90);
    EXPECT_DOUBLE_EQ(static_cast<double>(HpglLabelAngle(-1, 0)), 180);
    EXPECT_DOUBLE_EQ(static_cast<double>(HpglLabelAngle(0, -1)), -90);
    EXPECT_NEAR(static_cast<double>(HpglLabelAngle(-1, -1)), 225, 1e-12);
}

} // namespace
