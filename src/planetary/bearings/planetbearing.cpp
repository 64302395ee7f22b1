#include "planetary/bearings/planetbearing.h"

#include "foundation/textfile.h"

#include <cmath>
#include <cstdint>
#include <variant>
#include <vector>

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
    return PlanetBearings[n].BearingType == 5 &&
           PlanetBearings[n].Designation.find("NJ") != std::string::npos;
}

bool BearingNeedsConfiguration(int n)
{
    return BearingIsNJ(n) || PlanetBearings[n].BearingType == 6 || PlanetBearings[n].BearingType == 8;
}

void ClearPlanetBearing(int n)
{
    for (int k = 1; k <= 2; ++k) {
        if (n != 0 && n != k) continue;
        auto& br = PlanetBearings[k];
        br.CatalogueRecNo = 0;
        br.Designation.clear();
        br.d = 0;
        br.Weight = 0;
    }
}

const TArray<const char*, 1, 10> BearingTypeNames = {
    {"Groove ball bearing", "Self-align.ball bear.", "Needle bush", "Needle bear.w/o in.rg.",
     "Cylindr.roller bearing", "Taper roller bearing", "Self-align.roll.bear.", "Ang.contact ball bear.(1)",
     "Ang.contact ball bear.(2)", "Needle cage"}};

const TArray<const char*, 1, 10> BearingTableNames = {{"rikula", "pekula", "nadelhul", "nalaoi", "zyrola",
                                                       "kerola", "perola", "schrkula", "schrku2", "nadelk"}};

const TArray<const char*, 1, 8> ContaminationTexts = {
    {"extreme cleanness", "high cleanness", "regular cleanness", "light contamination",
     "typical contamination", "strong contamination", "very strong contamination", "input ec .."}};

const TArray<const char*, 1, 4> LifeFactorModeTexts = {
    {"a23 to SKF calculation", "a23 manual entry", "aISO calc. to ISO 281", "aISO manual entry"}};

const TArray<const char*, 1, 5> XYSourceTexts = {{"XY", "normal", "C3", "C4", "User"}};

const TArray<const char*, 1, 5> XYSourceLetters = {{"0", "a", "a", "m", "m"}};

namespace
{

std::string BlockTitle(int n)
{
    return "Lager " + std::to_string(n);
}

enum class TBearingLine { Number, Word, Integer, Text, Boolean };

// One line of the block: its kind, its field and the range the field admits.
// Loads, ratings and lives are bounded far beyond any bearing; the results
// (P, L10, Lna ...) are stored only to show the last calculation and are
// replaced by the next.
struct TBearingField {
    TBearingLine Kind;
    std::variant<Extended*, int*, std::string*, bool*> Target;
    const char* Name;
    Extended Lo = 0, Hi = -1;
};

constexpr Extended MaxLoad = 1e12L;  // N
constexpr Extended MaxLength = 1e5L; // mm
constexpr Extended MaxFactor = 1e4L;
constexpr Extended MaxLife = 1e30L;      // 10^6 revolutions or hours
constexpr Extended MaxCatalogue = 1e12L; // values the catalogue row carries

// The 56 lines after the block's title line, in file order, bound to b. L10 comes before Frm,
// XYTableChoice before LifeFactorMode, aISO after eC and Arrangement before
// BearingCount, as the file has always had them.
std::vector<TBearingField> BearingFields(WaelzLagerTyp& b)
{
    using K = TBearingLine;
    auto num = [](Extended& x, const char* n, Extended lo, Extended hi) {
        return TBearingField{K::Number, &x, n, lo, hi};
    };
    auto code = [](int& x, const char* n, int lo, int hi) {
        return TBearingField{K::Word, &x, n, Extended(lo), Extended(hi)};
    };
    const auto types = static_cast<int>(BearingTypeNames.High);
    return {
        code(b.BearingType, "BearingType", 1, types),
        {K::Integer, &b.CatalogueRecNo, "CatalogueRecNo", 0, 2147483647.0L},
        {K::Text, &b.Designation, "Designation"},
        num(b.C0, "C0", 0, MaxLoad),
        num(b.C, "C", 0, MaxLoad),
        num(b.X, "X", 0, MaxFactor),
        num(b.Y, "Y", 0, MaxFactor),
        num(b.P, "P", 0, MaxLoad),
        num(b.P0, "P0", 0, MaxLoad),
        num(b.L10, "L10", 0, MaxLife),
        num(b.Frm, "Frm", 0, MaxLoad),
        num(b.FaPerm, "FaPerm", 0, MaxLoad),
        num(b.D, "D", 0, MaxLength),
        num(b.d, "d", 0, MaxLength),
        num(b.B, "B", 0, MaxLength),
        num(b.CatValue1, "CatValue1", -MaxCatalogue, MaxCatalogue),
        num(b.CatValue2, "CatValue2", -MaxCatalogue, MaxCatalogue),
        num(b.nPerm2, "nPerm2", 0, 1e7L),
        num(b.nPerm, "nPerm", 0, 1e7L),
        num(b.CatValue3, "CatValue3", -MaxCatalogue, MaxCatalogue),
        num(b.d1, "d1", 0, MaxLength),
        num(b.D1, "D1", 0, MaxLength),
        num(b.CatValue4, "CatValue4", -MaxCatalogue, MaxCatalogue),
        num(b.CatValue5, "CatValue5", -MaxCatalogue, MaxCatalogue),
        num(b.CatValue6, "CatValue6", -MaxCatalogue, MaxCatalogue),
        num(b.CatValue7, "CatValue7", -MaxCatalogue, MaxCatalogue),
        num(b.CatValue8, "CatValue8", -MaxCatalogue, MaxCatalogue),
        num(b.CatValue9, "CatValue9", -MaxCatalogue, MaxCatalogue),
        num(b.alpha, "alpha", 0, 90),
        num(b.e, "e", 0, MaxFactor),
        num(b.Y1, "Y1", 0, MaxFactor),
        num(b.Y2, "Y2", 0, MaxFactor),
        num(b.Y0, "Y0", 0, MaxFactor),
        num(b.Weight, "Weight", 0, 1e6L),
        num(b.Price, "Price", 0, MaxCatalogue),
        {K::Text, &b.CatText2, "CatText2"},
        num(b.CRatio, "CRatio", 0, MaxLife),
        num(b.s0, "s0", 0, MaxLife),
        num(b.FrMin, "FrMin", 0, MaxLoad),
        num(b.nu40, "nu40", 0, 1e6L),
        num(b.nu1, "nu1", 0, 1e6L),
        num(b.nu, "nu", 0, 1e6L),
        num(b.Temperature, "Temperature", -273, 1000),
        num(b.kappa, "kappa", 0, MaxFactor),
        num(b.a23, "a23", 0, MaxFactor),
        code(b.ReliabilityIndex, "ReliabilityIndex", 1, 14),
        num(b.Lna, "Lna", 0, MaxLife),
        code(b.XYTableChoice, "XYTableChoice", static_cast<int>(XYSourceTexts.Low),
             static_cast<int>(XYSourceTexts.High)),
        code(b.LifeFactorMode, "LifeFactorMode", static_cast<int>(LifeFactorModeTexts.Low),
             static_cast<int>(LifeFactorModeTexts.High)),
        code(b.ContaminationClass, "ContaminationClass", static_cast<int>(ContaminationTexts.Low),
             static_cast<int>(ContaminationTexts.High)),
        num(b.eC, "eC", 0, MaxFactor),
        num(b.aISO, "aISO", 0, MaxFactor),
        num(b.Cu, "Cu", 0, MaxLoad),
        {K::Boolean, &b.EPAdditives, "EPAdditives"},
        code(b.Arrangement, "Arrangement", 1, 2),
        code(b.BearingCount, "BearingCount", 1, 2),
    };
}

// A value not a number (a result of a failed calculation) is written as 0,
// which the next calculation replaces, so that the file stays readable.
Extended Finite(Extended x)
{
    return std::isfinite(x) ? x : 0;
}

std::string OutsideText(const TBearingField& f, const std::string& value)
{
    return std::string(f.Name) + " " + value + " outside " + RangeBoundText(f.Lo) + " .. " +
           RangeBoundText(f.Hi);
}

} // namespace

void SaveBearingData(int n)
{
    WaelzLagerTyp br = PlanetBearings[n];
    auto fields = BearingFields(br);
    WriteTextLine(BlockTitle(n));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& f = fields[i];
        switch (f.Kind) {
        case TBearingLine::Number:
            WriteNumberLine(Finite(*std::get<Extended*>(f.Target)));
            break;
        case TBearingLine::Word:
        case TBearingLine::Integer:
            WriteIntLine(*std::get<int*>(f.Target));
            break;
        case TBearingLine::Text:
            WriteTextLine(TextForRawLine(*std::get<std::string*>(f.Target)));
            break;
        case TBearingLine::Boolean:
            WriteBoolLine(*std::get<bool*>(f.Target));
            break;
        }
    }
}

std::string BearingRangeFault(const WaelzLagerTyp& Record, int n)
{
    WaelzLagerTyp br = Record;
    const auto fields = BearingFields(br);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& f = fields[i];
        if (f.Kind == TBearingLine::Number) {
            const Extended x = Finite(*std::get<Extended*>(f.Target));
            if (x < f.Lo || x > f.Hi)
                return "planet bearing " + std::to_string(n) + ": " + OutsideText(f, RangeBoundText(x));
        } else if (f.Kind == TBearingLine::Word || f.Kind == TBearingLine::Integer) {
            const int v = *std::get<int*>(f.Target);
            if (v < f.Lo || v > f.Hi)
                return "planet bearing " + std::to_string(n) + ": " + OutsideText(f, std::to_string(v));
        }
    }
    return {};
}

std::optional<TBearingFieldRange> BearingFieldRange(const WaelzLagerTyp& Record, const void* Member)
{
    const auto at = reinterpret_cast<std::uintptr_t>(Member);
    const auto start = reinterpret_cast<std::uintptr_t>(&Record);
    if (at < start || at >= start + sizeof Record) return std::nullopt;
    // The table binds to a copy; the member's place in the record is its
    // place in the copy.
    WaelzLagerTyp copy = Record;
    const void* inCopy = reinterpret_cast<const char*>(&copy) + (at - start);
    for (const TBearingField& f : BearingFields(copy))
        if (f.Kind == TBearingLine::Number && std::get<Extended*>(f.Target) == inCopy)
            return TBearingFieldRange{f.Lo, f.Hi};
    return std::nullopt;
}

bool LoadBearingData(int n, TFileLineReader& R, WaelzLagerTyp& Record)
{
    WaelzLagerTyp br = Record;
    const auto fields = BearingFields(br);
    std::string title;
    if (!R.HeadLine(title)) return false;
    // A block written by another program version may carry trailing blanks.
    while (!title.empty() && (title.back() == ' ' || title.back() == '\t'))
        title.pop_back();
    if (title != BlockTitle(n)) {
        R.Fail("\"" + BlockTitle(n) + "\" expected: planet bearing block " + std::to_string(n) + " (" +
               std::to_string(BearingBlockLines) + " lines)");
        return false;
    }
    const std::string block = "planet bearing " + std::to_string(n) + ": ";
    for (std::size_t i = 0; i < fields.size() && !R.Failed(); ++i) {
        const auto& f = fields[i];
        switch (f.Kind) {
        case TBearingLine::Number:
            R.NumberInRange(*std::get<Extended*>(f.Target), f.Lo, f.Hi, block + f.Name);
            break;
        case TBearingLine::Word:
        case TBearingLine::Integer:
            R.IntInRange(*std::get<int*>(f.Target), static_cast<int>(f.Lo), static_cast<int>(f.Hi),
                         block + f.Name);
            break;
        case TBearingLine::Text:
            R.RawText(*std::get<std::string*>(f.Target));
            break;
        case TBearingLine::Boolean:
            R.Bool(*std::get<bool*>(f.Target));
            break;
        }
    }
    if (R.Failed()) return false;
    Record = br;
    return true;
}

bool LoadBearingData(int n)
{
    TFileLineReader reader;
    return LoadBearingData(n, reader, PlanetBearings[n]);
}
