// Which files a mask finds, what a logical box takes, what a page shows and which types the desktop is asked
// about follow the program's own rules: German Latin-1 and UTF-8 locales give what C gives.
#include "browser_fixture.h"
#include "common/testlocales.h"

#include "foundation/fileutil.h"
#include "platform/posix/launcher_posix.h"
#include "xbase/core/dbstrings.h"
#include "xbase/ui/tablegrid.h"

#include <sstream>

namespace
{

using CharacterRules = BrowserTest;

// Files "\xE4.dat" (a umlaut in Latin-1), "\xC3\xA4.dat" (in UTF-8) and "b.DAT": a mask, the file helpers'
// and the engine's, folds the ASCII letters alone and "?" takes one byte. The logical box folds by code page
// 1252 (A umlaut 0xC4, a umlaut 0xE4). The page upper-cases a UTF-8 name's ASCII letters alone (euro sign
// E2 82 AC). A MIME type is ASCII; the xdg-mime put on PATH names a program for any type it is asked about.
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
    TTzGrid grid;
    grid.DisplayValues = "\xC4;N";
    const auto found = [&](const std::string& mask) {
        std::string names;
        for (const std::string& n : FindFilesByMask(dir, mask))
            names += n + "|";
        TSearchRec rec;
        for (int32_t r = FindFirstFile(Path(mask), 32, rec); r == 0; r = FindNextFile(rec))
            names += "/" + rec.Name;
        return names + " ";
    };
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", Path("bin").c_str(), 1);
    for (const char* locale : {"C", "de_DE.ISO-8859-1", "de_DE.UTF-8"}) {
        const testlocales::ScopedLocale on(locale);
        EXPECT_TRUE(on.Ok()) << locale;
        EXPECT_EQ(found("\xC4*") + found("\xC3\x84*") + found("?.dat") + found("b.dat*"),
                  "  b.DAT|\xE4.dat|/b.DAT/\xE4.dat b.DAT|/b.DAT ")
            << locale;
        EXPECT_TRUE(grid.LogicalValue("\xE4")) << locale;
        std::ostringstream page;
        WriteTableHtml(page, dbf4.tzdbf, {"t", "\xE2\x82\xAC.dbf", "P", "D"});
        EXPECT_NE(page.str().find("<P>\xE2\x82\xAC.DBF</P>"), std::string::npos) << locale;
        EXPECT_FALSE(platform::LauncherImplPosix().FindApplicationFor("text/x-\xE4").Started) << locale;
        EXPECT_TRUE(platform::LauncherImplPosix().FindApplicationFor("text/plain").Started) << locale;
    }
    ::setenv("PATH", path.c_str(), 1);
}

} // namespace
