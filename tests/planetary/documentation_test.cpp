// The documentation blocks of the project file, line by line, and their
// readers.
#include "projectfile_fixture.h"

#include "planetary/documentation.h"
#include "planetary/filelines.h"

namespace projfiletest
{
namespace
{

class DocumentationBlocks : public FileTest
{
  protected:
    std::vector<std::string> WriteBlocks(int titleBlockType)
    {
        AssignTextFile(textfile.SharedTextFile, In("doc.txt"));
        EXPECT_TRUE(RewriteTextFile(textfile.SharedTextFile));
        WriteChangesBlock(documentation);
        WriteDocumentsBlock(documentation);
        WriteIso7200Block(documentation, titleBlockType);
        EXPECT_TRUE(CloseTextFile(textfile.SharedTextFile));
        return CrLfLines(ReadAll(In("doc.txt")));
    }
    bool ReadBlocks(const std::vector<std::string>& lines, TDocumentation& d, int& type, TFileFault& fault)
    {
        WriteAll(In("in.txt"), JoinCrLf(lines));
        AssignTextFile(textfile.SharedTextFile, In("in.txt"));
        EXPECT_TRUE(ResetTextFile(textfile.SharedTextFile));
        TFileLineReader r;
        ReadChangesBlock(r, d) && ReadDocumentsBlock(r, d) && ReadIso7200Block(r, d, type);
        textfile.SharedTextFile.Close();
        fault = r.Fault();
        return !r.Failed();
    }
};

TEST_F(DocumentationBlocks, StartUpAndNewProject)
{
    ResetDocumentation("24.12.2026");
    EXPECT_EQ(documentation.DrawnDate, "24.12.2026");
    EXPECT_EQ(documentation.CheckedDate, "24.12.2026");
    EXPECT_EQ(documentation.StandardDate, "24.12.2026");
    EXPECT_EQ(documentation.ReleaseDate, "");
    EXPECT_EQ(documentation.DocLinkPrograms[3].DocLinkProgram, "mspaint.exe");
    documentation.ChangeCount = 3;
    documentation.CheckedBy = "x";
    documentation.SheetTextCount = 2;
    documentation.SheetTextMode = 3;
    documentation.DocLinkPrograms[1].DocLinkFile = "a.txt";
    ResetChangeProtocol("25.12.2026");
    EXPECT_EQ(documentation.ChangeCount, 0);
    EXPECT_EQ(documentation.DrawnDate, "25.12.2026");
    EXPECT_EQ(documentation.CheckedDate, "") << "a new project clears the checked date too";
    EXPECT_EQ(documentation.CheckedBy, "");
    EXPECT_EQ(documentation.SheetTextCount, 0);
    EXPECT_EQ(documentation.SheetTextMode, 0);
    EXPECT_EQ(documentation.DocLinkPrograms[1].DocLinkFile, "a.txt") << "the links stay";
}

TEST_F(DocumentationBlocks, BlocksLineByLine)
{
    auto& d = documentation;
    d.ChangeCount = 1;
    d.ChangeList[1].Text = {{"gear ratio", "02.03.2026", "ABC", "z of the sun\r\nfrom 21 to 23"}};
    d.CheckedDate = "c-date";
    d.CheckedBy = "c|by";
    d.StandardDate = "s-date";
    d.StandardBy = "s-by";
    d.ReleaseDate = "r-date";
    d.ReleaseBy = "r-by";
    d.DrawnDate = "d-date";
    d.ReplacementFor = "old";
    d.ReplacedBy = "new";
    d.DrawnBy = "d-by";
    d.SheetTextCount = 2;
    d.SheetTextLines[1] = {12.3456L, 0.000001L, 3.5L, -90, "first"};
    d.SheetTextLines[2] = {250, 1000.6L, 0, 0, "sec\r\nond"};
    d.SheetTextMode = 1;
    d.ResponsibleDept = "dept";
    d.DocumentType = "type";
    d.DocumentStatus = "status";
    d.DocLinkPrograms[2].DocLinkFile = "/x/a|b \xE9\xBD\xBF.dxf";
    const std::vector<std::string> want = {
        "CHANGES", "1", std::string(20, '-'), "gear ratio", "02.03.2026", "ABC", "z of the sun|from 21 to 23",
        std::string(14, '-'),
        // A bar inside a field would split it: it becomes a blank.
        "c-date|c by|s-date|s-by|r-date|r-by|2||", "d-date", "old", "new", "d-by",
        // The 3-significant-digit layout (one digit more from 1 up to 1000,
        // trailing zeros dropped), 0 below 1e-5.
        "12.35|0|3.5|-90|first||", "250|1001|0|0|sec  ond||", "documents", "5", std::string(20, '-'),
        "notepad.exe", "", std::string(14, '-'), "write.exe", "/x/a|b \xE9\xBD\xBF.dxf", std::string(14, '-'),
        "mspaint.exe", "", std::string(14, '-'), "notepad.exe", "", std::string(14, '-'), "notepad.exe", "",
        std::string(14, '-'), "ISO 7200 Header", "1", "1", "dept", "type", "status", "---"};
    EXPECT_EQ(WriteBlocks(1), want);
    EXPECT_EQ(d.ChangeList[1].Text[3], "z of the sun\r\nfrom 21 to 23") << "writing leaves the entry alone";

    TDocumentation back;
    int type = 0;
    TFileFault fault;
    ASSERT_TRUE(ReadBlocks(want, back, type, fault)) << fault.Line << " " << fault.Reason;
    EXPECT_EQ(type, 1);
    EXPECT_EQ(back.ChangeCount, 1);
    EXPECT_EQ(back.ChangeList[1].Text[3], "z of the sun\r\nfrom 21 to 23");
    EXPECT_EQ(back.CheckedBy, "c by");
    EXPECT_EQ(back.SheetTextCount, 2);
    EXPECT_EQ(back.SheetTextLines[1].x, 12.35L);
    EXPECT_EQ(back.SheetTextLines[1].phi, -90);
    EXPECT_EQ(back.SheetTextLines[2].Text, "sec  ond");
    EXPECT_EQ(back.SheetTextMode, 1);
    EXPECT_EQ(back.DocLinkPrograms[2].DocLinkFile, "/x/a|b \xE9\xBD\xBF.dxf");
    EXPECT_EQ(back.DocumentStatus, "status");
}

TEST_F(DocumentationBlocks, ReadersRefuseCountsTheRecordsCannotHold)
{
    const auto good = WriteBlocks(2);
    struct Case {
        int line;
        const char* text;
    };
    const Case cases[] = {{2, "26"}, {2, "-1"}, {4, "||||||9||"}, {4, "||||||x||"}, {10, "6"}, {27, "4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto lines = good;
        lines[c.line - 1] = c.text;
        TDocumentation d;
        int type = 0;
        TFileFault fault;
        EXPECT_FALSE(ReadBlocks(lines, d, type, fault));
        EXPECT_EQ(fault.Line, c.line) << fault.Reason;
    }
}

TEST_F(DocumentationBlocks, TextLineConversions)
{
    EXPECT_EQ(TextToLine("a\r\nb\rc\nd"), "a|b|c|d");
    EXPECT_EQ(TextFromLine("a|b||"), "a\r\nb\r\n\r\n");
    EXPECT_EQ(TextToField("a|b\r\n"), "a b  ");
}

} // namespace
} // namespace projfiletest
