// One stage, one result: calculated twice or after any View command the
// stored results keep their bytes; saved and reopened, the batch report stays.
#include "app/mainmenu.h"
#include "app/menuhooks.h"
#include "app/thh.h"
#include "appfixture.h"
#include "dialogs/dialogservices.h"
#include "foundation/messagecollector.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"

#include <cstring>
#include <new>
#include <regex>
#include <sstream>

namespace {

// The bytes a record's values own: padding (where records built over zeros
// and over ones differ) left out, texts (a pointer to their own buffer) by
// their characters.
template <class T>
std::string Bytes(const T& r)
{
    static const std::vector<char> kind = [] { // 0 value, 1 padding, 2 text
        alignas(T) static unsigned char a[sizeof(T)], b[sizeof(T)];
        std::memset(b, 0xFF, sizeof b);
        (new (a) T)->~T(), (new (b) T)->~T();
        std::vector<char> k(sizeof(T));
        for (std::size_t i = 0; i < sizeof(T); ++i)
            k[i] = a[i] != b[i];
        for (std::size_t i = 0; i + sizeof(std::string) <= sizeof(T); i += alignof(std::string))
            if (unsigned char* own = nullptr; std::memcpy(&own, a + i, 8), own == a + i + 16)
                std::fill_n(&k[i], sizeof(std::string), 1), k[i] = 2;
        return k;
    }();
    const auto* p = reinterpret_cast<const char*>(&r);
    std::string s;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        s += kind[i] == 0 ? std::string(1, p[i]) : kind[i] == 2 ? *reinterpret_cast<const std::string*>(p + i) : "";
    return s;
}

// The front views' working variable, set whenever they draw, is no result.
std::string Results()
{
    GearPair.PairGearOrder = 0;
    return Bytes(PlanetaryStage) + Bytes(PlanetaryGears) + Bytes(PlanetBearings) + Bytes(GearPair);
}

struct TStage {
    const char* Name;
    const char* Example; // default.qy7 holds a Pe-H centre distance of 0
    void (*Change)();
};
const TStage Stages[] = {
    {"Default", "default.qy7", [] {}},
    {"SpectrumFactors", "spectrum.qy7", [] {}},
    {"SpectrumFactorsEntered", "spectrum.qy7", [] { GearPair.KaFromLoadSpectrum = 0, GearPair.KA_H = 1.25L; }},
    {"Industrial", "industrial.qy7", [] {}},
    {"IndustrialDin", "industrial.qy7", [] { GearPair.CalcMethod = 1; }},
    {"IndustrialDin41", "industrial.qy7", [] { GearPair.CalcMethod = 2; }},
    {"IndustrialFactorsEntered", "industrial.qy7", [] { GearPair.CalcMethod = 3; }},
    {"IndustrialIso", "industrial.qy7", [] { GearPair.CalcMethod = 4; }},
    {"IndustrialBearings", "industrial.qy7", [] {
         for (int k = 1; k <= 2; ++k) // needle bushes: nothing read from a table
             PlanetBearings[k] = {.BearingType = 3, .Designation = "HK 4020", .C0 = 90000, .C = 60000, .D = 47,
                                  .d = 40, .B = 20, .nPerm = 10000, .a23 = 1, .LifeFactorMode = 2, .BearingCount = k};
     }},
};

class StageRepeat : public AppTest, public ::testing::WithParamInterface<TStage> {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        InitProgramLoadDefaults();
        InstallPlatformServices();
        telmvar.DataDir = telmvar.TempDir = dir.string() + "/";
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        ResetMainMenu();
        InstallMenuCommands();
        dialogservices.CalculateStage = nullptr;
        Open(std::string(QYR7_SOURCE_DIR) + "/examples/" + GetParam().Example);
        GetParam().Change();
    }
    void Open(const std::string& File)
    {
        TFileFault fault;
        ASSERT_TRUE(ReadProjectData(File, fault)) << fault.Line << " " << fault.Reason;
    }
    void Calculate()
    {
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
    }
    // The batch report without the lines naming the file or the day.
    std::string BatchReport(const std::string& Name)
    {
        const int code = RunProgram(dir, {Name, "/I", "/NOGUI"}).ExitCode;
        EXPECT_TRUE(code == 0 || code == 6) << code; // 6: written, with a "Fatal" message
        std::istringstream in(ReadWholeFile(dir / (Name + ".txt")));
        std::string kept, line;
        while (std::getline(in, line))
            if (line.find(Name) == std::string::npos && !std::regex_search(line, std::regex("[0-9]{4}-[0-9]{2}-")))
                kept += line + "\n";
        EXPECT_GT(kept.size(), 5000u);
        return kept;
    }
};

void Commands(const platform::MenuEntrySpec& e, std::vector<std::string>& out)
{
    if (e.Children.empty() && e.Kind == platform::MenuEntryKind::Item)
        out.push_back(e.Name);
    for (const auto& c : e.Children)
        Commands(c, out);
}

TEST_P(StageRepeat, Repeat)
{
    Calculate();
    const std::string first = Results();
    Calculate();
    EXPECT_TRUE(Results() == first) << "second calculation";
    std::vector<std::string> view;
    Commands(*mainmenu.Find("mi_View"), view);
    ASSERT_GT(view.size(), 60u);
    for (const std::string& c : view) {
        hh.Click(c);
        Calculate();
        EXPECT_TRUE(Results() == first) << c;
    }
}

// Opened in the window, calculated there and saved without an edit.
TEST_P(StageRepeat, SaveReopen)
{
    ASSERT_TRUE(WriteProjectData((dir / "original.qy7").string()));
    Open((dir / "original.qy7").string());
    Calculate();
    Calculate();
    ASSERT_TRUE(WriteProjectData((dir / "saved.qy7").string()));
    EXPECT_EQ(BatchReport("saved"), BatchReport("original"));
}

const auto Named = [](const ::testing::TestParamInfo<TStage>& i) { return std::string(i.param.Name); };
INSTANTIATE_TEST_SUITE_P(Stages, StageRepeat, ::testing::ValuesIn(Stages), Named);
class ToolKinds : public StageRepeat {};
INSTANTIATE_TEST_SUITE_P(Industrial, ToolKinds, ::testing::Values(Stages[3]), Named);

// Each kind on every gear, saved, reopened and calculated: 8 is 4, 9 is 5,
// 6, 7 and 10 are 0 (profile as entered); 5 is 4 without protuberance.
TEST_P(ToolKinds, ToolProfileKinds0To10)
{
    const struct { int Kind, Like, WithoutProtuberance; const char* Name; } kinds[] = {
        {0, 0, 0, "own"}, {1, 1, 0, "Normal"}, {2, 2, 0, "Normal"}, {3, 3, 0, "Protub."}, {4, 4, 0, ""},
        {5, 4, 1, "Normal"}, {6, 0, 0, "own"}, {7, 0, 0, "own"}, {8, 4, 0, ""}, {9, 4, 1, "Normal"}, {10, 0, 0, "own"}};
    auto results = [&](int Kind, int WithoutProtuberance) {
        Open(std::string(QYR7_SOURCE_DIR) + "/examples/industrial.qy7");
        auto& g = PlanetaryGears;
        for (int k = 1; k <= 4; ++k) {
            g.ToolProfileNo[k] = Kind, g.ProfileName[k] = "own";
            g.haP0_mn[k] = 1.4L, g.hfP0_mn[k] = 1, g.rhoaP0_mn[k] = 0.3L;
            g.alphaprP0[k] = WithoutProtuberance ? 0 : 7, g.prP0_mn[k] = WithoutProtuberance ? 0 : 0.025L;
        }
        EXPECT_TRUE(WriteProjectData((dir / "kind.qy7").string()));
        Open((dir / "kind.qy7").string());
        Calculate();
        const std::string name = g.ProfileName[1];
        g.ToolProfileNo = {}, g.ProfileName = {};
        return std::pair{name, Bytes(PlanetaryStage) + Bytes(PlanetaryGears)};
    };
    for (const auto& c : kinds) {
        const auto [name, bytes] = results(c.Kind, 0);
        EXPECT_EQ(name, c.Name) << c.Kind;
        EXPECT_TRUE(bytes == results(c.Like, c.WithoutProtuberance).second) << c.Kind;
    }
}

} // namespace
