#include "planetary/bearings/planetbearing.h"

#include "foundation/textfile.h"

#include <cstdint>

TArray<WaelzLagerTyp, 1, 2> PlanetBearings;

void InitPlanetBearings()
{
    PlanetBearings[1] = WaelzLagerTyp{};
    PlanetBearings[2] = WaelzLagerTyp{};
}

bool PlanetBearingDefined(int n)
{
    return PlanetBearings[n].d > 0 && !PlanetBearings[n].Designation.empty();
}

bool BearingIsNJ(int n)
{
    return PlanetBearings[n].BearingType == 5 && PlanetBearings[n].Designation.find("NJ") != std::string::npos;
}

bool BearingNeedsConfiguration(int n)
{
    return BearingIsNJ(n) || PlanetBearings[n].BearingType == 6 || PlanetBearings[n].BearingType == 8;
}

void ClearPlanetBearing(int n)
{
    for (int k = 1; k <= 2; ++k) {
        if (n != 0 && n != k)
            continue;
        auto& br = PlanetBearings[k];
        br.CatalogueRecNo = 0;
        br.Designation.clear();
        br.d = 0;
        br.Weight = 0;
    }
}

const TArray<const char*, 1, 10> BearingTypeNames = {{
    "Groove ball bearing", "Self-align.ball bear.", "Needle bush", "Needle bear.w/o in.rg.",
    "Cylindr.roller bearing", "Taper roller bearing", "Self-align.roll.bear.",
    "Ang.contact ball bear.(1)", "Ang.contact ball bear.(2)", "Needle cage"}};

const TArray<const char*, 1, 10> BearingTableNames = {{
    "rikula", "pekula", "nadelhul", "nalaoi", "zyrola", "kerola", "perola", "schrkula", "schrku2", "nadelk"}};

const TArray<const char*, 1, 8> ContaminationTexts = {{
    "extreme cleanness", "high cleanness", "regular cleanness", "light contamination",
    "typical contamination", "strong contamination", "very strong contamination", "input ec .."}};

const TArray<const char*, 1, 4> LifeFactorModeTexts = {{
    "a23 to SKF calculation", "a23 manual entry", "aISO calc. to ISO 281", "aISO manual entry"}};

const TArray<const char*, 1, 5> XYSourceTexts = {{"XY", "normal", "C3", "C4", "User"}};

const TArray<const char*, 1, 5> XYSourceLetters = {{"0", "a", "a", "m", "m"}};

namespace {

std::string BlockTitle(int n) { return "Lager " + std::to_string(n); }

// The word fields are 16-bit in the file's writer; read them the same way so
// a value that was written reads back unchanged.
bool ReadWordField(int& Field)
{
    uint16_t w = 0;
    const bool ok = ReadTextWord(w);
    Field = w;
    return ok;
}

bool ReadIntField(int& Field)
{
    int32_t v = 0;
    const bool ok = ReadTextLongInt(v);
    Field = v;
    return ok;
}

} // namespace

void SaveBearingData(int n)
{
    const auto& br = PlanetBearings[n];
    WriteTextLine(BlockTitle(n));
    WriteIntLine(br.BearingType);
    WriteIntLine(br.CatalogueRecNo);
    WriteTextLine(br.Designation);
    WriteNumberLine(br.C0);
    WriteNumberLine(br.C);
    WriteNumberLine(br.X);
    WriteNumberLine(br.Y);
    WriteNumberLine(br.P);
    WriteNumberLine(br.P0);
    WriteNumberLine(br.L10);
    WriteNumberLine(br.Frm);
    WriteNumberLine(br.FaPerm);
    WriteNumberLine(br.D);
    WriteNumberLine(br.d);
    WriteNumberLine(br.B);
    WriteNumberLine(br.CatValue1);
    WriteNumberLine(br.CatValue2);
    WriteNumberLine(br.nPerm2);
    WriteNumberLine(br.nPerm);
    WriteNumberLine(br.CatValue3);
    WriteNumberLine(br.d1);
    WriteNumberLine(br.D1);
    WriteNumberLine(br.CatValue4);
    WriteNumberLine(br.CatValue5);
    WriteNumberLine(br.CatValue6);
    WriteNumberLine(br.CatValue7);
    WriteNumberLine(br.CatValue8);
    WriteNumberLine(br.CatValue9);
    WriteNumberLine(br.alpha);
    WriteNumberLine(br.e);
    WriteNumberLine(br.Y1);
    WriteNumberLine(br.Y2);
    WriteNumberLine(br.Y0);
    WriteNumberLine(br.Weight);
    WriteNumberLine(br.Price);
    WriteTextLine(br.CatText2);
    WriteNumberLine(br.CRatio);
    WriteNumberLine(br.s0);
    WriteNumberLine(br.FrMin);
    WriteNumberLine(br.nu40);
    WriteNumberLine(br.nu1);
    WriteNumberLine(br.nu);
    WriteNumberLine(br.Temperature);
    WriteNumberLine(br.kappa);
    WriteNumberLine(br.a23);
    WriteIntLine(br.ReliabilityIndex);
    WriteNumberLine(br.Lna);
    WriteIntLine(br.XYTableChoice);
    WriteIntLine(br.LifeFactorMode);
    WriteIntLine(br.ContaminationClass);
    WriteNumberLine(br.eC);
    WriteNumberLine(br.aISO);
    WriteNumberLine(br.Cu);
    WriteBoolLine(br.EPAdditives);
    WriteIntLine(br.Arrangement);
    WriteIntLine(br.BearingCount);
}

bool LoadBearingData(int n)
{
    WaelzLagerTyp br = PlanetBearings[n];
    std::string title;
    bool ok = ReadTextLine(title);
    // A block written by another program version may carry trailing blanks.
    while (!title.empty() && (title.back() == ' ' || title.back() == '\t'))
        title.pop_back();
    const bool titleOk = title == BlockTitle(n);
    ok = ReadWordField(br.BearingType) && ok;
    ok = ReadIntField(br.CatalogueRecNo) && ok;
    ok = ReadTextLine(br.Designation) && ok;
    for (Extended* x : {&br.C0, &br.C, &br.X, &br.Y, &br.P, &br.P0, &br.L10, &br.Frm, &br.FaPerm, &br.D, &br.d,
                        &br.B, &br.CatValue1, &br.CatValue2, &br.nPerm2, &br.nPerm, &br.CatValue3, &br.d1, &br.D1,
                        &br.CatValue4, &br.CatValue5, &br.CatValue6, &br.CatValue7, &br.CatValue8, &br.CatValue9,
                        &br.alpha, &br.e, &br.Y1, &br.Y2, &br.Y0, &br.Weight, &br.Price})
        ok = ReadTextExtended(*x) && ok;
    ok = ReadTextLine(br.CatText2) && ok;
    for (Extended* x : {&br.CRatio, &br.s0, &br.FrMin, &br.nu40, &br.nu1, &br.nu, &br.Temperature, &br.kappa,
                        &br.a23})
        ok = ReadTextExtended(*x) && ok;
    ok = ReadWordField(br.ReliabilityIndex) && ok;
    ok = ReadTextExtended(br.Lna) && ok;
    ok = ReadWordField(br.XYTableChoice) && ok;
    ok = ReadWordField(br.LifeFactorMode) && ok;
    ok = ReadWordField(br.ContaminationClass) && ok;
    ok = ReadTextExtended(br.eC) && ok;
    ok = ReadTextExtended(br.aISO) && ok;
    ok = ReadTextExtended(br.Cu) && ok;
    ok = ReadBoolTrue(br.EPAdditives) && ok;
    ok = ReadWordField(br.Arrangement) && ok;
    ok = ReadWordField(br.BearingCount) && ok;
    if (!ok || !titleOk)
        return false;
    PlanetBearings[n] = br;
    return true;
}
