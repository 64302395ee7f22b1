#pragma once
// Value tables of the reports: a row holds a label, a formula symbol, a unit
// and one to four values (per gear, per mesh or per load case). The layout is
// kept here; the current device (reportdevice.h) writes the heads and rows in
// its format. Values are texts formatted by the caller.

#include <string>

// Column layouts. The label always starts in column 1.
//   two values   symbol 35, unit 44, values 51 and 62, single value 56
//   three values symbol 30, unit 37, values 42, 52, 62, single value 52
//   four values  symbol 30, unit 37, values 40, 48, 56, 64, single value 52
void SetReportColumns2(const std::string& Name, const std::string& Symbol, const std::string& Unit,
                       const std::string& Head1, const std::string& Head2);
void SetReportColumns3(const std::string& Name, const std::string& Symbol, const std::string& Unit,
                       const std::string& Head1, const std::string& Head2, const std::string& Head3);
void SetReportColumns4(const std::string& Name, const std::string& Symbol, const std::string& Unit,
                       const std::string& Head1, const std::string& Head2, const std::string& Head3,
                       const std::string& Head4);

// The head row of the current layout.
void PrintReportColumnHeads();

void PrintReportRow1(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value);
void PrintReportRow2(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2);
void PrintReportRow3(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2, const std::string& Value3);
void PrintReportRow4(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2, const std::string& Value3,
                     const std::string& Value4);

// A one-cell row (HTML) or an ordinary report line.
void PrintReportTextRow(const std::string& Text);
// A long text as rows of at most 64 characters cut at blanks (text devices,
// texts longer than 72 characters), else one row.
void PrintReportWrapped(const std::string& Text);

// 64 blanks with Text from column 1 and "No.: " + No from column 40.
void FormatHeaderNoLine(const std::string& Text, const std::string& No, std::string& Line);
