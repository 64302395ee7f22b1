#pragma once
// Common ground of the table library tests: every unit reset to its start-up
// state, error boxes captured instead of shown, and a private directory for
// the table files of one test.

#include "xbase/core/dberror.h"
#include "xbase/xbaselib.h"
#include "xbase/xbasestate.h"

#include <gtest/gtest.h>

#include "common/tempdir.h"
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

class XbaseTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dberror.MessageBoxProc = [this](const std::string& text, const std::string& caption, uint16_t) {
            boxes.push_back(caption + "|" + text);
            return 1;
        };
        dir = testdirs::MakeTempDir("xbase");
    }
    void TearDown() override { testdirs::RemoveTempDir(dir); }

    std::string Path(const std::string& name) const { return dir + "/" + name; }

    static std::vector<uint8_t> ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // The names in the test's directory, sorted.
    std::vector<std::string> DirEntries() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> boxes; // caption|text of every reported error
    std::string dir;
};
