// HP-GL pictures from files: a truncated file, a missing one, and the
// pictures of the picture directory as the start-up and help commands show
// them.
#include "foundation/programstate.h"
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglreader.h"
#include "graphics/hpgl/pltpicture.h"
#include "platform/headless/platform_headless.h"
#include "reports/textview/printsettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/askedboxes.h"
#include "common/tempdir.h"
#include "hpgltesthelpers.h"

namespace
{

namespace fs = std::filesystem;

class HpglFiles : public HpglDisplayListTest
{
  protected:
    void SetUp() override
    {
        HpglDisplayListTest::SetUp();
        dir_ = testdirs::MakeTempDir("hpgl_files");
        ASSERT_FALSE(dir_.empty());
        telmvar.PltDir = dir_.string() + "/";
    }
    void TearDown() override
    {
        testdirs::RemoveTempDir(dir_.string());
        HpglDisplayListTest::TearDown();
    }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
    fs::path dir_;
};

TEST_F(HpglFiles, TruncatedFileDrawsWhatItReadAndReportsNothing)
{
    RunHpglFile(Write("cut.plt", "SP1;PU0,0;PD40,0;PD80,40;LBunfinished"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(headless.HeadlessMessages().AskedQuestions().empty());
    ExpectRecords(DrawingRecords(), {"8;12", "4;0;0;1;0", "4;1;0;2;1"});
}

TEST_F(HpglFiles, MissingFileIsReportedAndDrawsNothing)
{
    const std::string name = (dir_ / "no such.plt").string();
    RunHpglFile(name);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(DisplayList.Records.empty());
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    // The name without its blanks, as the message has always shown it.
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0).Request.Text,
              (dir_ / "nosuch.plt").string() + " not found !");
}

// The picture's window record comes first and stays in the list: zoom
// resets and the printout replay the picture in its own 160 x 120 window.
TEST_F(HpglFiles, PictureKeepsItsWindowRecord)
{
    Write("start.plt", "SP1;PU0,0;PD400,400;");
    GraphFacade.Line(0, 0, 1, 1); // the previous picture
    ShowPltPicture("START");
    EXPECT_EQ(printsettings.GraphContentKind, 1);
    ASSERT_FALSE(DisplayList.Records.empty());
    const TDisplayRecord window = ParseDisplayRecord(DisplayList.Records.front());
    EXPECT_EQ(window.Kind, 10);
    EXPECT_EQ(window.F[4], 0);
    EXPECT_EQ(window.F[5], 0);
    EXPECT_EQ(window.F[6], 160);
    EXPECT_EQ(window.F[7], 120);
    ExpectRecords(DrawingRecords({4}), {"4;0;0;10;10"});
}

TEST_F(HpglFiles, CursorComesBackAfterThePicture)
{
    RunHpglFile(Write("a.plt", "SP1;PU0,0;PD40,0;"));
    const auto& history = headless.HeadlessCursor().History();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.front(), platform::CursorShape::Hourglass);
    EXPECT_EQ(history.back(), platform::CursorShape::Arrow);
}

} // namespace
