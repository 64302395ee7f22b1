#pragma once
// One output interface for the reports, one class per format: framed text
// pages, tab-separated lines and one HTML page. The engine (reportengine.h)
// chooses the device and delivers the output; the page rules shared by all
// formats sit in the base class; the column layouts (reportcolumns.h), the
// free tables (reporttable.h) and the message list write through it.
//
// A counted line is one the page counts; a raw line goes to the output as it
// is (the HTML page converts its code page first).

#include <cstdint>
#include <string>
#include <vector>

class TReportDevice
{
  public:
    virtual ~TReportDevice() = default;

    void RawLine(const std::string& Text);
    void RawText(const std::string& Text);

    // A counted line, and the same without line end.
    virtual void Line(const std::string& Text) = 0;
    virtual void Text(const std::string& Text) = 0;
    // A spacing line between blocks, written as it is and not counted; the
    // devices whose pages are sheets count it, since the sheet holds it.
    virtual void BlankLine(const std::string& Text) { RawLine(Text); }
    // A counted line that may be longer than the report's line: the framed
    // pages go on with it over following lines; one line elsewhere.
    virtual void LongLine(const std::string& Text) { Line(Text); }

    // PageNo 1 = the first page, 0 = a following page. WithColumnHeads 1
    // ends the frame with the column heads.
    virtual void PageHeader(int PageNo, int WithColumnHeads) = 0;
    // Ends the page; the compressed mode keeps a half-empty page when
    // HonourCompressedMode is set. Pages without end by default.
    virtual void PageBreak(bool /*HonourCompressedMode*/) {}
    // True where a page ends with a form feed (screen, text printer,
    // printer): the devices whose pages are sheets of paper.
    virtual bool FeedsPages() const { return false; }
    // A full page gets its break and the header of the next one, unless it
    // holds nothing but its head.
    void CheckPageEnd(int WithColumnHeads);
    // After a counted line's page check: a line outside a head is a line of
    // the report on the page.
    static void LineWritten();
    // The last bytes before the output is closed.
    virtual void Finish() {}

    // The value tables of the current column layout.
    virtual void ColumnHeads() = 0;
    virtual void Row(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::vector<std::string>& Values) = 0;
    virtual void TextRow(const std::string& Text) { Line(Text); }
    virtual void Wrapped(const std::string& Text);
    virtual void BeginTable() {}
    virtual void EndTable() {}

    // A row of a free table: cells cut to their texts, the first one a label.
    virtual void TableRow(const std::vector<std::string>& Cells, const std::vector<uint32_t>& Widths,
                          bool Head, bool RuleAfterRow);
    virtual void TableEnd(bool RuleAfterRow);

    // A list of records (the message list): a title, records whose first
    // field is a row and whose further fields are long texts, and a closing
    // note in the records' form.
    virtual void RecordsBegin(const std::string& Title);
    virtual void Record(const std::vector<std::string>& Fields);
    virtual void RecordsNote(const std::vector<std::string>& Fields) { TextRow(Fields.front()); }
    virtual void RecordsEnd() {}

  protected:
    virtual std::string Encoded(const std::string& Text) const { return Text; }
    virtual void RecordSeparator();
    static bool IsRule(const std::string& Text);
    static bool FirstPage(int PageNo);
    static std::string ProgramTitleWithVersion();
    // Label, symbol, unit and the value heads of the current layout.
    static std::vector<std::string> HeadTexts();
};

// Framed pages of 70-character lines indented by 7 blanks (devices 1 to 5
// and 8). Feed says how a page ends: devices 1 and 4 with a form feed line,
// device 2 with a form feed byte, the files with nothing.
class TTextReportDevice final : public TReportDevice
{
  public:
    enum class TFeed { None, Line, Byte };
    explicit TTextReportDevice(TFeed Feed) : feed_(Feed) {}

    void Line(const std::string& Text) override;
    void Text(const std::string& Text) override;
    void BlankLine(const std::string& Text) override;
    void LongLine(const std::string& Text) override;
    void PageHeader(int PageNo, int WithColumnHeads) override;
    void PageBreak(bool HonourCompressedMode) override;
    bool FeedsPages() const override { return feed_ != TFeed::None; }
    void Finish() override;
    void ColumnHeads() override;
    void Row(const std::string& Label, const std::string& Symbol, const std::string& Unit,
             const std::vector<std::string>& Values) override;
    void Wrapped(const std::string& Text) override;

  private:
    void RowWithRule(const std::string& Text);
    void CountOnSheet(const std::string& Text);
    TFeed feed_;
};

// Tab-separated lines without pages (device 6, and the batch device 9 that
// names the project and keeps the free tables in fixed columns).
class TTabReportDevice final : public TReportDevice
{
  public:
    explicit TTabReportDevice(bool Batch) : batch_(Batch) {}

    void Line(const std::string& Text) override;
    void Text(const std::string& Text) override;
    void PageHeader(int PageNo, int WithColumnHeads) override;
    void ColumnHeads() override;
    void Row(const std::string& Label, const std::string& Symbol, const std::string& Unit,
             const std::vector<std::string>& Values) override;
    void TableRow(const std::vector<std::string>& Cells, const std::vector<uint32_t>& Widths, bool Head,
                  bool RuleAfterRow) override;
    void RecordsBegin(const std::string& Title) override;
    void Record(const std::vector<std::string>& Fields) override;
    void RecordsNote(const std::vector<std::string>& Fields) override { Record(Fields); }

  private:
    bool batch_;
};

// One HTML page (device 7): lines as "<br>" lines, value tables as tables.
class THtmlReportDevice final : public TReportDevice
{
  public:
    void Line(const std::string& Text) override;
    void Text(const std::string& Text) override;
    void PageHeader(int PageNo, int WithColumnHeads) override;
    void Finish() override;
    void ColumnHeads() override;
    void Row(const std::string& Label, const std::string& Symbol, const std::string& Unit,
             const std::vector<std::string>& Values) override;
    void TextRow(const std::string& Text) override;
    void BeginTable() override;
    void EndTable() override;
    void TableRow(const std::vector<std::string>& Cells, const std::vector<uint32_t>& Widths, bool Head,
                  bool RuleAfterRow) override;
    void TableEnd(bool RuleAfterRow) override;
    void RecordsEnd() override { EndTable(); }

  protected:
    std::string Encoded(const std::string& Text) const override;
    void RecordSeparator() override;
};

// The device of reportengine.ReportDevice.
TReportDevice& CurrentReportDevice();

// Text printer with single page printing: asks for paper before a page.
void AskInsertPaper();
