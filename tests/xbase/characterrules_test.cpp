// The case and character rules that decide which files a mask finds, what a
// logical box takes, what a page shows and which type the desktop is asked
// about are the program's own: a German Latin-1 or UTF-8 locale gives what C
// gives.
#include "browser_fixture.h"
#include "common/testlocales.h"

#include "foundation/fileutil.h"
#include "platform/posix/launcher_posix.h"
#include "xbase/core/dbstrings.h"
#include "xbase/ui/tablegrid.h"

#include <functional>
#include <sstream>

namespace
{

using CharacterRules = BrowserTest;

std::string Joined(const std::vector<std::string>& names)
{
    std::string r;
    for (const std::string& n : names)
        r += n + "|";
    return r;
}

// Files "\xE4.dat" (a umlaut in Latin-1), "\xC3\xA4.dat" (in UTF-8) and
// "b.DAT": a mask folds the ASCII letters alone and "?" takes one byte. The
// logical box folds by code page 1252 (A umlaut 0xC4, a umlaut 0xE4). The
// page keeps a UTF-8 name's euro sign (E2 82 AC). A MIME type is ASCII; the
// xdg-mime put on PATH names a program for any type it is asked about.
TEST_F(CharacterRules, GermanLocalesGiveWhatCGives)
{
    for (const char* name : {"\xE4.dat", "\xC3\xA4.dat", "b.DAT"})
        std::ofstream(Path(name)) << "x";
    std::filesystem::create_directory(Path("bin"));
    std::ofstream(Path("bin/xdg-mime")) << "#!/bin/sh\necho x.desktop\n";
    std::filesystem::permissions(Path("bin/xdg-mime"), std::filesystem::perms::owner_all);
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, Path("t.dbf"), {{"NAME", 'C', 4, 0, 0}}));
    dbf4.OpenTable(Path("t.dbf"));
    const auto engineFinds = [&](const std::string& mask) {
        std::vector<std::string> names;
        TSearchRec rec;
        for (int32_t r = FindFirstFile(Path(mask), 32, rec); r == 0; r = FindNextFile(rec))
            names.push_back(rec.Name);
        return Joined(names);
    };
    const std::pair<std::function<std::string()>, std::string> cases[] = {
        {[&] { return Joined(FindFilesByMask(dir, "\xC4*")) + Joined(FindFilesByMask(dir, "\xC3\x84*")); },
         ""},
        {[&] { return Joined(FindFilesByMask(dir, "?.dat")); }, "b.DAT|\xE4.dat|"},
        {[&] { return engineFinds("\xC4*") + engineFinds("\xC3\x84*") + engineFinds("?.dat"); },
         "b.DAT|\xE4.dat|"},
        {[&] {
             TTzGrid grid;
             grid.DisplayValues = "\xC4;N";
             return std::to_string(grid.LogicalValue("\xE4"));
         },
         "1"},
        {[&] {
             std::ostringstream page;
             WriteTableHtml(page, dbf4.tzdbf, {"t", "\xE2\x82\xAC.dbf", "P", "D"});
             return std::to_string(page.str().find("<P>\xE2\x82\xAC.DBF</P>") != std::string::npos);
         },
         "1"},
        {[&] {
             platform::LauncherImplPosix launcher;
             const std::string path = std::getenv("PATH");
             ::setenv("PATH", Path("bin").c_str(), 1);
             const std::string r = std::to_string(launcher.HasApplicationFor("text/x-\xE4")) +
                                   std::to_string(launcher.HasApplicationFor("text/plain"));
             ::setenv("PATH", path.c_str(), 1);
             return r;
         },
         "01"}};
    for (const char* locale : {"C", "de_DE.ISO-8859-1", "de_DE.UTF-8"}) {
        testlocales::ScopedLocale on(locale);
        ASSERT_TRUE(on.Ok()) << locale;
        for (std::size_t i = 0; i < std::size(cases); ++i)
            EXPECT_EQ(cases[i].first(), cases[i].second) << "case " << i << " under " << locale;
    }
}

} // namespace
