#include "dialogs/stage/hardness.h"

#include "dialogs/calculatorwindow.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "platform/platform.h"

// Steel: tensile strength (MPa), HV, then HRB, HRF, HRC, HRA, HRD, HR15N,
// HR30N and HR45N in tenths.
const int32_t HardnessTable[HardnessRows][HardnessColumns] = {
    {255, 80, 0, 0, 0, 0, 0, 0, 0, 0},                    // 1
    {270, 85, 410, 804, 0, 0, 0, 0, 0, 0},                // 2
    {285, 90, 480, 826, 0, 0, 0, 0, 0, 0},                // 3
    {305, 95, 520, 848, 0, 0, 0, 0, 0, 0},                // 4
    {320, 100, 562, 870, 0, 0, 0, 0, 0, 0},               // 5
    {335, 105, 592, 887, 0, 0, 0, 0, 0, 0},               // 6
    {350, 110, 623, 905, 0, 0, 0, 0, 0, 0},               // 7
    {370, 115, 645, 920, 0, 0, 0, 0, 0, 0},               // 8
    {385, 120, 667, 936, 0, 0, 0, 0, 0, 0},               // 9
    {400, 125, 689, 950, 0, 0, 0, 0, 0, 0},               // 10
    {415, 130, 712, 964, 0, 0, 0, 0, 0, 0},               // 11
    {430, 135, 731, 977, 0, 0, 0, 0, 0, 0},               // 12
    {450, 140, 750, 990, 0, 0, 0, 0, 0, 0},               // 13
    {465, 145, 768, 997, 0, 0, 0, 0, 0, 0},               // 14
    {480, 150, 787, 1014, 0, 0, 0, 0, 0, 0},              // 15
    {495, 155, 802, 1025, 0, 0, 0, 0, 0, 0},              // 16
    {510, 160, 817, 1036, 0, 0, 0, 0, 0, 0},              // 17
    {530, 165, 833, 1047, 0, 0, 0, 0, 0, 0},              // 18
    {545, 170, 850, 1055, 0, 0, 0, 0, 0, 0},              // 19
    {560, 175, 860, 1063, 0, 0, 0, 0, 0, 0},              // 20
    {575, 180, 871, 1072, 0, 0, 0, 0, 0, 0},              // 21
    {595, 185, 883, 1080, 0, 0, 0, 0, 0, 0},              // 22
    {610, 190, 895, 1087, 0, 0, 0, 0, 0, 0},              // 23
    {625, 195, 905, 1094, 0, 0, 0, 0, 0, 0},              // 24
    {640, 200, 915, 1101, 0, 0, 0, 0, 0, 0},              // 25
    {660, 205, 925, 1107, 0, 0, 0, 0, 0, 0},              // 26
    {675, 210, 935, 1113, 0, 0, 0, 0, 0, 0},              // 27
    {690, 215, 940, 1118, 0, 0, 0, 0, 0, 0},              // 28
    {705, 220, 950, 1124, 0, 0, 0, 0, 0, 0},              // 29
    {720, 225, 960, 1129, 0, 0, 0, 0, 0, 0},              // 30
    {740, 230, 967, 1134, 0, 0, 0, 0, 0, 0},              // 31
    {755, 235, 974, 1139, 0, 0, 0, 0, 0, 0},              // 32
    {770, 240, 981, 1143, 203, 607, 403, 696, 417, 199},  // 33
    {785, 245, 988, 1147, 213, 612, 411, 701, 425, 211},  // 34
    {800, 250, 995, 1151, 222, 616, 417, 706, 434, 222},  // 35
    {820, 255, 1002, 1155, 231, 620, 422, 711, 442, 232}, // 36
    {835, 260, 1010, 0, 240, 624, 431, 716, 450, 243},    // 37
    {850, 265, 1015, 0, 248, 627, 437, 721, 457, 252},    // 38
    {865, 270, 1020, 0, 256, 631, 443, 726, 464, 262},    // 39
    {880, 275, 1030, 0, 264, 635, 449, 730, 472, 271},    // 40
    {900, 280, 1040, 0, 271, 638, 453, 734, 478, 279},    // 41
    {915, 285, 1045, 0, 278, 642, 460, 738, 484, 287},    // 42
    {930, 290, 1050, 0, 285, 645, 465, 742, 490, 295},    // 43
    {950, 295, 1055, 0, 292, 648, 471, 746, 497, 304},    // 44
    {965, 300, 0, 0, 298, 652, 475, 749, 502, 311},       // 45
    {995, 310, 0, 0, 310, 658, 484, 756, 513, 325},       // 46
    {1030, 320, 0, 0, 322, 664, 494, 762, 523, 339},      // 47
    {1060, 330, 0, 0, 333, 670, 502, 768, 536, 352},      // 48
    {1095, 340, 0, 0, 344, 676, 511, 774, 544, 365},      // 49
    {1125, 350, 0, 0, 355, 681, 519, 780, 554, 378},      // 50
    {1155, 360, 0, 0, 366, 687, 528, 786, 564, 391},      // 51
    {1190, 370, 0, 0, 377, 692, 536, 792, 574, 404},      // 52
    {1220, 380, 0, 0, 388, 698, 544, 798, 584, 417},      // 53
    {1255, 390, 0, 0, 398, 703, 553, 803, 593, 429},      // 54
    {1290, 400, 0, 0, 408, 708, 560, 808, 602, 441},      // 55
    {1320, 410, 0, 0, 418, 714, 568, 814, 611, 453},      // 56
    {1350, 420, 0, 0, 427, 718, 575, 818, 619, 464},      // 57
    {1385, 430, 0, 0, 436, 723, 582, 823, 627, 474},      // 58
    {1420, 440, 0, 0, 445, 728, 588, 828, 635, 484},      // 59
    {1455, 450, 0, 0, 453, 733, 594, 832, 643, 494},      // 60
    {1485, 460, 0, 0, 461, 736, 601, 836, 649, 504},      // 61
    {1520, 470, 0, 0, 469, 741, 607, 839, 657, 513},      // 62
    {1555, 480, 0, 0, 477, 745, 613, 843, 664, 522},      // 63
    {1595, 490, 0, 0, 484, 749, 616, 847, 671, 531},      // 64
    {1630, 500, 0, 0, 491, 753, 622, 850, 677, 539},      // 65
    {1665, 510, 0, 0, 498, 757, 629, 854, 683, 547},      // 66
    {1700, 520, 0, 0, 505, 761, 635, 857, 690, 556},      // 67
    {1740, 530, 0, 0, 511, 764, 639, 860, 695, 562},      // 68
    {1775, 540, 0, 0, 517, 767, 644, 863, 700, 570},      // 69
    {1810, 550, 0, 0, 523, 770, 648, 866, 705, 578},      // 70
    {1845, 560, 0, 0, 530, 774, 654, 869, 712, 586},      // 71
    {1880, 570, 0, 0, 536, 778, 658, 872, 717, 593},      // 72
    {1920, 580, 0, 0, 541, 780, 662, 875, 721, 599},      // 73
    {1955, 590, 0, 0, 547, 784, 667, 878, 727, 605},      // 74
    {1995, 600, 0, 0, 552, 786, 670, 880, 732, 612},      // 75
    {2030, 610, 0, 0, 557, 789, 675, 882, 737, 617},      // 76
    {2070, 620, 0, 0, 563, 792, 679, 885, 742, 624},      // 77
    {2105, 630, 0, 0, 568, 795, 683, 888, 746, 630},      // 78
    {2145, 640, 0, 0, 573, 798, 687, 890, 751, 635},      // 79
    {2180, 650, 0, 0, 578, 800, 690, 892, 755, 641},      // 80
    {2215, 660, 0, 0, 583, 803, 694, 895, 759, 647},      // 81
    {0, 670, 0, 0, 588, 806, 698, 897, 764, 653},         // 82
    {0, 680, 0, 0, 592, 808, 701, 898, 768, 657},         // 83
    {0, 690, 0, 0, 597, 811, 705, 901, 772, 662},         // 84
    {0, 700, 0, 0, 601, 813, 708, 903, 776, 667},         // 85
    {0, 720, 0, 0, 610, 818, 715, 907, 784, 677},         // 86
    {0, 740, 0, 0, 618, 822, 721, 910, 791, 686},         // 87
    {0, 760, 0, 0, 625, 826, 726, 912, 797, 694},         // 88
    {0, 780, 0, 0, 633, 830, 733, 915, 804, 702},         // 89
    {0, 800, 0, 0, 640, 834, 738, 918, 811, 710},         // 90
    {0, 820, 0, 0, 647, 838, 743, 921, 817, 718},         // 91
    {0, 840, 0, 0, 653, 841, 748, 923, 822, 722},         // 92
    {0, 860, 0, 0, 659, 844, 753, 925, 827, 731},         // 93
    {0, 880, 0, 0, 664, 847, 757, 927, 831, 736},         // 94
    {0, 900, 0, 0, 670, 850, 761, 929, 836, 742},         // 95
    {0, 920, 0, 0, 675, 853, 765, 930, 840, 748},         // 96
    {0, 940, 0, 0, 680, 856, 769, 932, 844, 754},         // 97
    {0, 960, 0, 0, 685, 859, 773, 934, 848, 760},         // 98
};

// Each upper limit is the next-to-last entry of its column, so that the
// row above a found row always exists for the interpolation.
const TArray<Extended, 1, HardnessScaleCount> HardnessRangeLow{
    {255, 80, 41.0L, 80.4L, 20.3L, 60.7L, 40.3L, 69.6L, 41.7L, 19.9L, 76.0L}};
const TArray<Extended, 1, HardnessScaleCount> HardnessRangeHigh{
    {2180, 940, 105.0L, 115.1L, 68.0L, 85.6L, 76.9L, 93.2L, 84.4L, 75.4L, 893.0L}};
const TArray<const char*, 1, HardnessScaleCount> HardnessScaleNames{
    {"Rm", "HV", "HRB", "HRF", "HRC", "HRA", "HRD", "HR15N", "HR30N", "HR45N", "HB"}};
const TArray<const char*, 1, HardnessScaleCount> HardnessOutputLabels{
    {"Rm", "HV   ", "HRB  ", "HRF  ", "HRC  ", "HRA  ", "HRD  ", "HR15N", "HR30N", "HR45N", "HB  "}};
const TArray<const char*, 1, 18> HardnessGroupNames{
    {"A.1 (St,GS)", "B.2(C45 verguetet)", "B.3(C45 unbehandelt)", "B.4(C45 gehaertet)", "C.2 (Kaltarbeitsst)",
     "D.2 (Schnellarbeitsst)", "D.4 (Schnellarbeitsst)", "D.6 (Schnellarbeitsst)", "D.8 (Schnellarbeitsst)",
     "E.1 (1.1243)", "E.2 (1.2714)", "F.1 (Hartmetall)", "F.2 (Hartmetall)", "G.1 (Nickel)", "G2 (Cu70Zn30)",
     "G.3 (Cu)", "G.4 (Knet-Al)", "G.5(Al)"}};

THardnessValues hardness;

void ResetHardnessValues()
{
    hardness = THardnessValues{};
}

int32_t HardnessEntry(int R, int k)
{
    return HardnessTable[R - 1][k - 1];
}

namespace
{

// Brinell is 0.95 HV; the factor as an 80-bit constant, so that HB 893
// gives HV 940 and not a hair above the last row the search may find.
constexpr Extended BrinellPerVickers = 0.95L;
// The highest row a search may stop at: the interpolation reads the row
// above it.
constexpr int LastFoundRow = HardnessRows - 1;

bool InTenths(int k)
{
    return k >= 3;
}

} // namespace

bool CheckHardnessRange(int s, Extended v)
{
    TArray<Extended, 1, HardnessScaleCount>& H = hardness.HardnessValues;
    if (s < 1 || s > HardnessScaleCount) {
        H.fill(0);
        return false;
    }
    if (!(v >= HardnessRangeLow[s] && v <= HardnessRangeHigh[s])) {
        AddErrorMessage(std::string(HardnessScaleNames[s]) + ":" +
                        FormatFloatFixed(4, 1, HardnessRangeLow[s]) + ".." +
                        FormatFloatFixed(4, 1, HardnessRangeHigh[s]) + " !");
        H.fill(0);
        return false;
    }
    if (s == 11) {
        s = 2;
        v = v / BrinellPerVickers;
    }
    auto entry = [s](int R) {
        const Extended t = HardnessEntry(R, s);
        return InTenths(s) ? t / 10 : t;
    };
    // Row 1 is never the found row; the value then lies on the extension
    // of the segment from row R to row R + 1.
    int R = 2;
    while (R < LastFoundRow && !(v <= entry(R)))
        ++R;
    Extended t = 0;
    const int32_t here = HardnessEntry(R, s);
    const int32_t above = HardnessEntry(R + 1, s);
    if (above != 0 && above != here)
        t = ((InTenths(s) ? 10 * v : v) - here) / static_cast<Extended>(above - here);
    for (int k = 1; k <= HardnessColumns; ++k) {
        const int32_t a = HardnessEntry(R, k);
        const int32_t b = HardnessEntry(R + 1, k);
        if (a == 0 || b == 0) {
            H[k] = 0;
            continue;
        }
        const Extended x = a + (b - a) * t;
        H[k] = InTenths(k) ? x / 10 : x;
    }
    H[11] = BrinellPerVickers * H[2];
    return true;
}

bool ConvertHardness(int s, Extended v)
{
    return CheckHardnessRange(s, v);
}

Extended GetHardnessValue(int k)
{
    if (k < 1 || k > HardnessScaleCount) return 0;
    return hardness.HardnessValues[k];
}

void WriteHardnessInputs()
{
    vonline3.OnlineInValue[1] = TrimBlanks(StressToText(hardness.HardnessValues[1]));
    for (int k = 2; k <= HardnessScaleCount; ++k)
        vonline3.OnlineInValue[k] = TrimBlanks(FloatToSignificant(hardness.HardnessValues[k]));
}

void HardnessConverterPass(uint16_t CurrentLine)
{
    TArray<Extended, 1, HardnessScaleCount>& H = hardness.HardnessValues;
    for (int k = 1; k <= HardnessScaleCount; ++k)
        vonline3.OnlineInLabel[k] = HardnessScaleNames[k];
    vonline3.OnlineInUnit[1] = StressUnitLabel();
    for (int k = 2; k <= HardnessScaleCount; ++k)
        vonline3.OnlineInUnit[k] = "";
    ResetErrorState();
    H[1] = TextToStress(TrimBlanks(vonline3.OnlineInValue[1]));
    for (int k = 2; k <= HardnessScaleCount; ++k)
        H[k] = TextToFloat(TrimBlanks(vonline3.OnlineInValue[k]));
    const int line = CurrentLine >= 1 && CurrentLine <= HardnessScaleCount ? CurrentLine : 11;
    CheckHardnessRange(line, H[line]);
    for (int k = 1; k <= HardnessScaleCount; ++k) {
        vonline3.OnlineOutLabel[k] = HardnessOutputLabels[k];
        vonline3.OnlineOutUnit[k] = k == 1 ? StressUnitLabel() : "";
        if (H[k] == 0)
            vonline3.OnlineOutValue[k] = "n.def.";
        else
            vonline3.OnlineOutValue[k] = TrimBlanks(k == 1 ? StressToText(H[k]) : FloatToSignificant(H[k]));
    }
    WriteHardnessInputs();
}

void ShowHardnessConverter(uint16_t HelpBase)
{
    TOnlineSession session(HardnessGroupNames[1], 11, 11);
    uint16_t line = 11;
    uint8_t flag = 0;
    WriteHardnessInputs();
    do {
        platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Arrow);
        HardnessConverterPass(line);
        OnlineRun(line, HelpBase, flag);
    } while (!telmvar.Aborted);
}
