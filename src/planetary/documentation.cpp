#include "planetary/documentation.h"

#include "foundation/numbertext.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "planetary/filelines.h"

#include <cmath>
#include <ctime>
#include <tuple>
#include <vector>

TDocumentation documentation;

namespace
{

const char* const ChangesHead = "CHANGES";
const char* const DocumentsHead = "documents";
const char* const Iso7200Head = "ISO 7200 Header";
const char* const Iso7200End = "---";
const std::string LongRule(20, '-');
const std::string ShortRule(14, '-');

// The positions of the free texts are kept to 3 significant digits, as the
// drawing-information grid shows them.
std::string SheetNumber(Extended X)
{
    return FloatToSignificant(X);
}

// A free text as the file's line holds it.
std::string SavedSheetText(const TSheetText& T)
{
    return SheetNumber(T.x) + "|" + SheetNumber(T.y) + "|" + SheetNumber(T.h) + "|" + SheetNumber(T.phi) +
           "|" + TextToField(T.Text);
}

std::vector<std::string> SavedSheetTexts(const TDocumentation& D)
{
    std::vector<std::string> lines;
    for (int k = 1; k <= D.SheetTextCount && k <= MaxSheetTexts; ++k)
        lines.push_back(SavedSheetText(D.SheetTextLines[k]));
    if (lines.size() == 1 && lines[0] == SavedSheetText(TSheetText{})) lines.clear();
    return lines;
}

void WriteTextAsLine(const std::string& S)
{
    WriteTextLine(TextToLine(S));
}

// Title-block layouts 0 .. 3 ("DIN 6771 min.", "ISO 7200 Fig.1", "ISO 7200
// Fig.2", "DIN 6771"): the drawings choose their frame by it.
constexpr int TitleBlockTypeMax = 3;
// Positions and heights of the free sheet texts in mm, angles in degrees: no
// sheet is 100 m wide.
constexpr Extended SheetTextMax = 1e5L;

} // namespace

void ResetDocumentation(const std::string& Today)
{
    documentation = TDocumentation{};
    documentation.DrawnDate = Today;
    documentation.CheckedDate = Today;
    documentation.StandardDate = Today;
    const char* const programs[DocLinkCount] = {"notepad.exe", "write.exe", "mspaint.exe", "notepad.exe",
                                                "notepad.exe"};
    for (int k = 1; k <= DocLinkCount; ++k)
        documentation.DocLinkPrograms[k].DocLinkProgram = programs[k - 1];
}

void ResetChangeProtocol(const std::string& Today)
{
    auto& d = documentation;
    d.ChangeCount = 0;
    d.ReplacementFor.clear();
    d.ReplacedBy.clear();
    d.DrawnDate = Today;
    d.DrawnBy.clear();
    d.CheckedDate.clear();
    d.CheckedBy.clear();
    d.StandardDate.clear();
    d.StandardBy.clear();
    d.ReleaseDate.clear();
    d.ReleaseBy.clear();
    d.ResponsibleDept.clear();
    d.DocumentType.clear();
    d.DocumentStatus.clear();
    d.SheetTextCount = 0;
    d.SheetTextMode = 0;
}

bool SameDocumentationSaved(const TDocumentation& A, const TDocumentation& B)
{
    if (A.ChangeCount != B.ChangeCount) return false;
    for (int k = 1; k <= A.ChangeCount && k <= MaxChanges; ++k)
        if (A.ChangeList[k] != B.ChangeList[k]) return false;
    const auto fields = [](const TDocumentation& D) {
        return std::tie(D.DrawnDate, D.DrawnBy, D.CheckedDate, D.CheckedBy, D.StandardDate, D.StandardBy,
                        D.ReleaseDate, D.ReleaseBy, D.ReplacementFor, D.ReplacedBy, D.ResponsibleDept,
                        D.DocumentType, D.DocumentStatus, D.SheetTextMode, D.DocLinkPrograms);
    };
    return fields(A) == fields(B) && SavedSheetTexts(A) == SavedSheetTexts(B);
}

void WriteChangesBlock(const TDocumentation& D)
{
    WriteTextLine(ChangesHead);
    WriteIntLine(D.ChangeCount);
    WriteTextLine(LongRule);
    for (int k = 1; k <= D.ChangeCount && k <= MaxChanges; ++k) {
        for (int f = 0; f <= 3; ++f)
            WriteTextAsLine(D.ChangeList[k].Text[f]);
        WriteTextLine(ShortRule);
    }
    WriteFieldLine8(TextToField(D.CheckedDate), TextToField(D.CheckedBy), TextToField(D.StandardDate),
                    TextToField(D.StandardBy), TextToField(D.ReleaseDate), TextToField(D.ReleaseBy),
                    std::to_string(D.SheetTextCount), "");
    WriteTextAsLine(D.DrawnDate);
    WriteTextAsLine(D.ReplacementFor);
    WriteTextAsLine(D.ReplacedBy);
    WriteTextAsLine(D.DrawnBy);
    for (int k = 1; k <= D.SheetTextCount && k <= MaxSheetTexts; ++k) {
        const auto& t = D.SheetTextLines[k];
        WriteFieldLine6(SheetNumber(t.x), SheetNumber(t.y), SheetNumber(t.h), SheetNumber(t.phi),
                        TextToField(t.Text), "");
    }
}

void WriteDocumentsBlock(const TDocumentation& D)
{
    WriteTextLine(DocumentsHead);
    WriteIntLine(DocLinkCount);
    WriteTextLine(LongRule);
    // File names as the file system has them, byte for byte: a "|" is a
    // character of the name there, not a line break.
    for (int k = 1; k <= DocLinkCount; ++k) {
        WriteTextLine(TextForRawLine(D.DocLinkPrograms[k].DocLinkProgram));
        WriteTextLine(TextForRawLine(D.DocLinkPrograms[k].DocLinkFile));
        WriteTextLine(ShortRule);
    }
}

void WriteIso7200Block(const TDocumentation& D, int TitleBlockType)
{
    WriteTextLine(Iso7200Head);
    WriteIntLine(TitleBlockType);
    WriteIntLine(D.SheetTextMode);
    WriteTextAsLine(D.ResponsibleDept);
    WriteTextAsLine(D.DocumentType);
    WriteTextAsLine(D.DocumentStatus);
    WriteTextLine(Iso7200End);
}

std::string DocumentationRangeFault(const TDocumentation& D, int TitleBlockType)
{
    if (TitleBlockType < 0 || TitleBlockType > TitleBlockTypeMax)
        return "title block type " + std::to_string(TitleBlockType) + " outside 0 .. " +
               std::to_string(TitleBlockTypeMax);
    if (D.SheetTextMode < 0 || D.SheetTextMode > 3)
        return "sheet text mode " + std::to_string(D.SheetTextMode) + " outside 0 .. 3";
    for (int k = 1; k <= D.SheetTextCount && k <= MaxSheetTexts; ++k) {
        const auto& s = D.SheetTextLines[k];
        for (Extended x : {s.x, s.y, s.h, s.phi})
            if (!std::isfinite(x) || std::fabs(x) > SheetTextMax)
                return "sheet text " + std::to_string(k) + ": position, height or angle " +
                       RangeBoundText(x) + " outside -" + RangeBoundText(SheetTextMax) + " .. " +
                       RangeBoundText(SheetTextMax);
    }
    return {};
}

bool ReadChangesBlock(TFileLineReader& R, TDocumentation& D)
{
    if (!R.Literal(ChangesHead) || !R.IntInRange(D.ChangeCount, 0, MaxChanges, "number of changes") ||
        !R.Literal(LongRule))
        return false;
    for (int k = 1; k <= D.ChangeCount; ++k) {
        for (int f = 0; f <= 3; ++f)
            R.Text(D.ChangeList[k].Text[f]);
        R.Literal(ShortRule);
    }
    std::string f[8];
    if (!R.Fields(f, 8, {1, 2, 3, 4, 5, 6})) return false;
    D.CheckedDate = f[0];
    D.CheckedBy = f[1];
    D.StandardDate = f[2];
    D.StandardBy = f[3];
    D.ReleaseDate = f[4];
    D.ReleaseBy = f[5];
    int32_t count = 0;
    if (!TryTextToInt(f[6], count) || count < 0 || count > MaxSheetTexts) {
        R.Fail("number of sheet texts 0 .. " + std::to_string(MaxSheetTexts) + " expected");
        return false;
    }
    D.SheetTextCount = count;
    R.Text(D.DrawnDate);
    R.Text(D.ReplacementFor);
    R.Text(D.ReplacedBy);
    R.Text(D.DrawnBy);
    for (int k = 1; k <= D.SheetTextCount && !R.Failed(); ++k) {
        std::string t[6];
        if (!R.Fields(t, 6, {5})) return false;
        auto& s = D.SheetTextLines[k];
        Extended* values[4] = {&s.x, &s.y, &s.h, &s.phi};
        for (int v = 0; v < 4; ++v) {
            Extended x = 0;
            if (!TryTextToFloat(CommaToPoint(t[v]), x) || !std::isfinite(x)) {
                R.Fail("number expected in field " + std::to_string(v + 1));
                return false;
            }
            if (std::fabs(x) > SheetTextMax) {
                R.Fail("field " + std::to_string(v + 1) + " " + TrimBlanks(t[v]) + " outside -" +
                       RangeBoundText(SheetTextMax) + " .. " + RangeBoundText(SheetTextMax));
                return false;
            }
            *values[v] = x;
        }
        s.Text = t[4];
    }
    return !R.Failed();
}

bool ReadDocumentsBlock(TFileLineReader& R, TDocumentation& D)
{
    int count = 0;
    if (!R.Literal(DocumentsHead) || !R.IntInRange(count, 0, DocLinkCount, "number of document links") ||
        !R.Literal(LongRule))
        return false;
    for (int k = 1; k <= count; ++k) {
        R.RawText(D.DocLinkPrograms[k].DocLinkProgram);
        R.RawText(D.DocLinkPrograms[k].DocLinkFile);
        R.Literal(ShortRule);
    }
    return !R.Failed();
}

bool ReadIso7200Block(TFileLineReader& R, TDocumentation& D, int& TitleBlockType)
{
    R.Literal(Iso7200Head);
    R.IntInRange(TitleBlockType, 0, TitleBlockTypeMax, "title block type");
    R.IntInRange(D.SheetTextMode, 0, 3, "sheet text mode");
    R.Text(D.ResponsibleDept);
    R.Text(D.DocumentType);
    R.Text(D.DocumentStatus);
    R.Literal(Iso7200End);
    return !R.Failed();
}
