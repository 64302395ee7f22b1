// The file list preview: picking, sorting by a right-clicked header, search
// and search next, closing, and the spreadsheet export read by Python's csv.
#include "reporttestsupport.h"

#include "common/askedboxes.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "reports/preview/filepreview.h"

#include <cstdio>
#include <sys/wait.h>

namespace
{

class Preview : public ReportTest
{
  protected:
    // Files with their dates (year-first texts sort by date).
    void Fill()
    {
        p.SetSize(5, 3);
        const char* rows[][3] = {{"File", "Date", "Stages"},
                                 {"alpha.qy7", "2024/05/01", "2"},
                                 {"beta.qy7", "2023/11/30", "1,5"},
                                 {"gamma.qy7", "2025/01/15", "3"},
                                 {"delta.qy7", "2023/02/28", "x;y \"q\""}};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                p.Cell(r, c) = rows[r][c];
    }
    std::vector<std::string> Column(int c)
    {
        std::vector<std::string> v;
        for (int r = 1; r < p.RowCount(); ++r)
            v.push_back(p.Cell(r, c));
        return v;
    }
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
    TForm_preview p;
};

TEST_F(Preview, CreatedWithFileAndDateHeadersAndWidths)
{
    EXPECT_EQ(p.RowCount(), 1000);
    EXPECT_EQ(p.ColCount(), 16);
    EXPECT_EQ(p.Cell(0, 0), "File");
    EXPECT_EQ(p.Cell(0, 1), "Date");
    EXPECT_EQ(p.ColWidths[0], 120);
    EXPECT_EQ(p.ColWidths[1], 64);
    EXPECT_EQ(p.SelectedRow, 0);
    telmvar.DataDir = "/data/projects/";
    p.FormActivate();
    EXPECT_EQ(p.Caption(), "QYR7  /data/projects/");
}

TEST_F(Preview, RightClickOnDateSortsBytewiseAndKeepsTheCurrentFile)
{
    Fill();
    p.Row = 3; // gamma
    p.HeaderMouseDown(false, 1, true);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"alpha.qy7", "beta.qy7", "gamma.qy7", "delta.qy7"}))
        << "a left click does not sort";
    p.HeaderMouseDown(true, 1, false);
    EXPECT_EQ(Column(0)[0], "alpha.qy7") << "a click on the cell border does not sort";
    p.HeaderMouseDown(true, 1, true);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"2023/02/28", "2023/11/30", "2024/05/01", "2025/01/15"}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"delta.qy7", "beta.qy7", "alpha.qy7", "gamma.qy7"}));
    EXPECT_EQ(p.Cell(p.Row, 0), "gamma.qy7");
    EXPECT_EQ(p.Row, 4);
    EXPECT_EQ(p.Cell(0, 1), "Date") << "the header row stays";
}

TEST_F(Preview, TwoThousandRowsSort)
{
    p.SetSize(2001, 2);
    for (int r = 1; r <= 2000; ++r) {
        char key[16];
        std::snprintf(key, sizeof key, "%05d", (r * 7919) % 2003);
        p.Cell(r, 0) = key;
        p.Cell(r, 1) = std::to_string(r);
    }
    p.Row = 2000;
    const std::string current = p.Cell(2000, 0);
    p.SortByColumn(0);
    for (int r = 2; r <= 2000; ++r)
        ASSERT_LE(p.Cell(r - 1, 0), p.Cell(r, 0)) << "row " << r;
    EXPECT_EQ(p.Cell(p.Row, 0), current);
    // Every row is still there with its own second cell.
    EXPECT_EQ(std::stoi(p.Cell(p.Row, 1)), 2000);
}

TEST_F(Preview, PickingAnotherRowClosesWithAbortedClear)
{
    Fill();
    telmvar.Aborted = true;
    EXPECT_EQ(p.SelectCell(2, 1), platform::DialogAction::Accept);
    EXPECT_EQ(p.SelectedRow, 2);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(p.SelectCell(2, 0), platform::DialogAction::None) << "the picked row again does not close";
    EXPECT_EQ(p.SelectCell(0, 0), platform::DialogAction::None) << "the header is no file";
}

TEST_F(Preview, CloseBoxSetsAbortedSoNothingIsOpened)
{
    Fill();
    headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        m.Press("Escape");
        return platform::DialogResult::Cancel;
    });
    EXPECT_FALSE(ShowFilePreview(p));
    EXPECT_TRUE(telmvar.Aborted);
    headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        return static_cast<TForm_preview&>(m).SelectCell(3, 0) == platform::DialogAction::Accept
                   ? platform::DialogResult::Ok
                   : platform::DialogResult::Cancel;
    });
    EXPECT_TRUE(ShowFilePreview(p));
    EXPECT_EQ(p.SelectedRow, 3);
}

TEST_F(Preview, SearchNextPastTheLastHitSaysNotFound)
{
    Fill();
    headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        m.Control("Edit_suchbegriff").Text = "2023";
        return platform::DialogResult::Ok;
    });
    p.Press("mi_editsearch");
    EXPECT_EQ(p.SearchText, "2023");
    EXPECT_EQ(p.Row, 2);
    EXPECT_EQ(p.Col, 1);
    EXPECT_EQ(headless.HeadlessDialogs().ShownDialogs().at(0).FormName, "TForm_Suchen");
    p.Press("SearchNext1");
    EXPECT_EQ(p.Row, 4);
    p.Press("SearchNext1");
    EXPECT_EQ(p.Row, 4) << "the current cell does not move";
    ASSERT_FALSE(headless.HeadlessMessages().AskedQuestions().empty());
    EXPECT_EQ(AskedAt(headless.HeadlessMessages().AskedQuestions()).Request.Text, "2023 not found.");
}

TEST_F(Preview, ExportWithoutAProgramForTheListSaysExcelCouldNotStartAndWhy)
{
    headless.HeadlessLauncher().HasApplication = false;
    EXPECT_EQ(p.ExportExcel(), "");
    EXPECT_EQ(Messages, std::vector<std::string>{
                            "Could not start Excel:\r\nthe desktop names no program for text/csv documents"});
}

std::string RunPython(const std::string& script)
{
    std::string out;
    FILE* f = popen(("/usr/bin/python3 -c '" + script + "' 2>&1").c_str(), "r");
    if (!f) return out;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    pclose(f);
    return out;
}

TEST_F(Preview, CsvReadByPythonEqualsTheGridWithTheModesDecimalMark)
{
    Fill();
    for (int mode : {1, 2}) {
        wtelmvar.ExcelDecimalMode = static_cast<uint16_t>(mode);
        const std::string csv = p.ExportExcel();
        ASSERT_EQ(csv, Temp("preview.csv"));
        EXPECT_TRUE(Messages.empty());
        ASSERT_EQ(ReadFile(csv).substr(0, 3), "\xEF\xBB\xBF");
        const std::string dialect =
            mode == 1 ? "csv.excel" : "type(\"d\", (csv.excel,), {\"delimiter\": \";\"})";
        const std::string out = RunPython("import csv\nrows = list(csv.reader(open(\"" + csv +
                                          "\", encoding=\"utf-8-sig\", newline=\"\"), dialect=" + dialect +
                                          "))\nprint(\"|\".join(\"/\".join(r) for r in rows))");
        const std::string dec = mode == 1 ? "1.5" : "1,5";
        EXPECT_EQ(out, "File/Date/Stages|alpha.qy7/2024/05/01/2|beta.qy7/2023/11/30/" + dec +
                           "|gamma.qy7/2025/01/15/3|delta.qy7/2023/02/28/x;y \"q\"\n")
            << "mode " << mode;
    }
}

} // namespace
