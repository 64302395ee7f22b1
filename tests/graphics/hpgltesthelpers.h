#pragma once
// Shared by the HP-GL tests: a fixture with a fresh graphics window and
// reader, and record comparison by value (numbers within 1e-9, texts byte
// for byte), so that rounding in the last recorded digit does not matter.
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "graphics/hpgl/hpglstate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

class HpglDisplayListTest : public ::testing::Test
{
  protected:
    // The records that draw or set how later records draw: circles, lines,
    // arcs, texts, colours and text styles.
    static std::vector<std::string> DrawingRecords(const std::set<int>& kinds = {3, 4, 5, 6, 8, 9})
    {
        std::vector<std::string> out;
        for (std::string_view r : DisplayList.Records)
            if (kinds.count(ParseDisplayRecord(r).Kind) != 0) out.emplace_back(r);
        return out;
    }

    static bool SameRecord(const std::string& got, const std::string& want)
    {
        const TDisplayRecord a = ParseDisplayRecord(got);
        const TDisplayRecord b = ParseDisplayRecord(want);
        if (a.Kind != b.Kind || a.N != b.N || a.Text != b.Text) return false;
        for (int i = 0; i < 8; ++i)
            if (std::fabs(static_cast<double>(a.F[i] - b.F[i])) > 1e-9) return false;
        return true;
    }

    static void ExpectRecords(const std::vector<std::string>& got, const std::vector<std::string>& want)
    {
        std::string all;
        for (const auto& r : got)
            all += "  " + r + "\n";
        ASSERT_EQ(got.size(), want.size()) << "records drawn:\n" << all;
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(SameRecord(got[i], want[i]))
                << "record " << i << ": got " << got[i] << ", want " << want[i] << "\nrecords drawn:\n"
                << all;
    }
};
