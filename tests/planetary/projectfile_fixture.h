#pragma once
// Set-up of the project and load spectrum file tests: every unit back to its
// start-up state with fixed documentation dates, the program's identity as
// the application shell sets it, the default stage of File New, and a
// scratch directory.
#include "common/statereset.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "gearpair/gearpairdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/documentation.h"
#include "planetary/filenames.h"
#include "planetary/stage.h"
#include "planetary/stagedefaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace projfiletest
{

namespace fs = std::filesystem;

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// The lines of a file written with CR LF; a line without its CR is marked.
inline std::vector<std::string> CrLfLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto nl = bytes.find("\r\n", pos);
        if (nl == std::string::npos) {
            lines.push_back("<no CR LF>" + bytes.substr(pos));
            break;
        }
        lines.push_back(bytes.substr(pos, nl - pos));
        pos = nl + 2;
    }
    return lines;
}

inline std::string JoinCrLf(const std::vector<std::string>& lines)
{
    std::string r;
    for (const auto& l : lines)
        r += l + "\r\n";
    return r;
}

// The program's identity, as the application shell sets it at start-up.
inline void SetProgramIdentity()
{
    telmvar.ProgramName = "QYR7";
    telmvar.ProgramFileStem = "qyr7";
    telmvar.ProgramTitle = "QYR7 - Radi Divivuzez Orude";
    telmvar.DataExt = "qy7";
    telmvar.ProgramVersion = "1.0";
}

// Program start followed by File New, with documentation dates left empty
// so that written files do not depend on the day.
inline void StartWithDefaultProject()
{
    ResetProgramState();
    SetProgramIdentity();
    InitProgramDefaults();
    ResetDocumentation("");
    SetDefaultInput();
    // The program finds the tables it ships beside itself.
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
}

class FileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        StartWithDefaultProject();
        std::string tmpl = (fs::temp_directory_path() / "qyr7_projfile_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        telmvar.DataDir = dir_ + "/";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string In(const std::string& name) const { return dir_ + "/" + name; }
    std::vector<std::string> DirEntries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        return names;
    }
    std::string dir_;
};

} // namespace projfiletest
