#include "planetary/filelines.h"

#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"

#include <algorithm>
#include <cmath>

namespace
{

TTextFile& Shared()
{
    return textfile.SharedTextFile;
}

// Digits with an optional sign and blanks around: a whole number, however
// large.
bool IsWholeNumberText(const std::string& S)
{
    const std::string t = TrimBlanks(S);
    std::size_t i = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
    if (i >= t.size()) return false;
    for (; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9') return false;
    return true;
}

} // namespace

int TFileLineReader::LineNumber() const
{
    return Shared().LineNumber();
}

void TFileLineReader::Fail(const std::string& Reason)
{
    if (failed_) return;
    failed_ = true;
    // At the end of the file the missing line is the one after the last.
    fault_.Line = Shared().LineNumber() + (Shared().ReadPastEnd() ? 1 : 0);
    fault_.Reason = Reason;
}

void TFileLineReader::FailAt(int Line, const std::string& Reason)
{
    if (failed_) return;
    failed_ = true;
    fault_.Line = Line;
    fault_.Reason = Reason;
}

bool TFileLineReader::Next(std::string& line, TLineBytes Bytes)
{
    line.clear();
    if (failed_) return false;
    if (!Shared().IsReading()) {
        Fail("file not open");
        return false;
    }
    if (!Shared().ReadLine(line)) {
        Fail("the file ends here, more lines were expected");
        return false;
    }
    // A text with a NUL is cut short wherever it goes on as a C string (a
    // bearing designation then finds no catalogue row), and no line of a
    // number, a count, a flag or a head word holds a control character: the
    // file is damaged. Every other byte of a text is the user's own.
    const std::string fault =
        Bytes == TLineBytes::Any ? std::string() : ControlCharacterFault(line, Bytes == TLineBytes::Text);
    if (!fault.empty()) {
        Fail(fault);
        return false;
    }
    return true;
}

bool TFileLineReader::RawText(std::string& S)
{
    return Next(S, TLineBytes::Text);
}

bool TFileLineReader::HeadLine(std::string& S)
{
    return Next(S);
}

bool TFileLineReader::Skip()
{
    std::string line;
    return Next(line, TLineBytes::Any);
}

bool TFileLineReader::Text(std::string& S)
{
    std::string line;
    if (!Next(line, TLineBytes::Text)) return false;
    S = TextFromLine(line);
    return true;
}

bool TFileLineReader::Literal(const std::string& Expected)
{
    std::string line;
    if (!Next(line)) return false;
    if (line != Expected) {
        Fail("\"" + Expected + "\" expected");
        return false;
    }
    return true;
}

bool TFileLineReader::Number(Extended& X)
{
    std::string line;
    if (!Next(line)) return false;
    Extended x = 0;
    if (!TryTextToFloat(CommaToPoint(line), x) || !std::isfinite(x)) {
        Fail("number expected");
        return false;
    }
    X = x;
    return true;
}

bool TFileLineReader::Int(int& N)
{
    std::string line;
    if (!Next(line)) return false;
    int32_t n = 0;
    if (!TryTextToInt(line, n)) {
        Fail("whole number expected");
        return false;
    }
    N = n;
    return true;
}

bool TFileLineReader::Word(int& N)
{
    int n = 0;
    if (!Int(n)) return false;
    N = static_cast<int>(static_cast<uint32_t>(n) & 0xFFFFu);
    return true;
}

bool TFileLineReader::IntInRange(int& N, int Lo, int Hi, const std::string& What)
{
    std::string line;
    if (!Next(line)) return false;
    const std::string outside = " outside " + std::to_string(Lo) + " .. " + std::to_string(Hi);
    int32_t n = 0;
    if (!TryTextToInt(line, n)) {
        if (IsWholeNumberText(line))
            Fail(What + " " + TrimBlanks(line) + outside);
        else
            Fail("whole number expected");
        return false;
    }
    if (n < Lo || n > Hi) {
        Fail(What + " " + std::to_string(n) + outside);
        return false;
    }
    N = n;
    return true;
}

bool TFileLineReader::NumberInRange(Extended& X, Extended Lo, Extended Hi, const std::string& What)
{
    std::string line;
    if (!Next(line)) return false;
    Extended x = 0;
    if (!TryTextToFloat(CommaToPoint(line), x) || !std::isfinite(x)) {
        Fail("number expected");
        return false;
    }
    if (x < Lo || x > Hi) {
        Fail(What + " " + TrimBlanks(line) + " outside " + RangeBoundText(Lo) + " .. " + RangeBoundText(Hi));
        return false;
    }
    X = x;
    return true;
}

bool TFileLineReader::Bool(bool& B)
{
    std::string line;
    if (!Next(line)) return false;
    const std::string upper = UpperCaseText(line);
    if (upper != "TRUE" && upper != "FALSE") {
        Fail("TRUE or FALSE expected");
        return false;
    }
    B = upper == "TRUE";
    return true;
}

bool TFileLineReader::Flag(char& C, const std::string& Allowed)
{
    std::string line;
    if (!Next(line)) return false;
    if (line.size() != 1 || Allowed.find(line[0]) == std::string::npos) {
        std::string letters;
        for (std::size_t i = 0; i < Allowed.size(); ++i)
            letters += (i == 0 ? "" : i + 1 == Allowed.size() ? " or " : ", ") + std::string(1, Allowed[i]);
        Fail(letters + " expected");
        return false;
    }
    C = line[0];
    return true;
}

bool TFileLineReader::Fields(std::string* Out, int Count, std::initializer_list<int> TextFields)
{
    std::string line;
    if (!Next(line, TLineBytes::Text)) return false;
    int bars = 0;
    for (char c : line)
        bars += c == '|' ? 1 : 0;
    if (bars != Count || line.empty() || line.back() != '|') {
        Fail(std::to_string(Count) + " fields, each followed by \"|\", expected");
        return false;
    }
    std::size_t start = 0;
    for (int k = 0; k < Count; ++k) {
        const std::size_t bar = line.find('|', start);
        Out[k] = line.substr(start, bar - start);
        const bool text = std::find(TextFields.begin(), TextFields.end(), k + 1) != TextFields.end();
        // A number field is judged as a number line, by its column in the line.
        if (const std::string fault = ControlCharacterFault(line.substr(0, bar), text, start);
            !fault.empty()) {
            Fail(fault);
            return false;
        }
        start = bar + 1;
    }
    return true;
}

bool IsControlCharacter(char C)
{
    const auto c = static_cast<unsigned char>(C);
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

std::string TextToLine(const std::string& S)
{
    std::string r;
    r.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '\r') {
            r += '|';
            if (i + 1 < S.size() && S[i + 1] == '\n') ++i;
        } else if (S[i] == '\n') {
            r += '|';
        } else {
            r += S[i] == '\0' ? ' ' : S[i];
        }
    }
    return r;
}

std::string TextForRawLine(const std::string& S)
{
    std::string r = S;
    for (char& c : r)
        if (c == '\0' || c == '\r' || c == '\n') c = ' ';
    return r;
}

std::string TextFromLine(const std::string& S)
{
    std::string r;
    r.reserve(S.size());
    for (char c : S) {
        if (c == '|')
            r += "\r\n";
        else
            r += c;
    }
    return r;
}

std::string TextToField(const std::string& S)
{
    std::string r = TextForRawLine(S);
    std::replace(r.begin(), r.end(), '|', ' ');
    return r;
}

std::string ControlCharacterFault(const std::string& Line, bool Text, std::size_t From)
{
    for (std::size_t i = From; i < Line.size(); ++i) {
        if (Text ? Line[i] == '\0' : IsControlCharacter(Line[i]))
            return "control character " + HexByte(static_cast<unsigned char>(Line[i])) + " in column " +
                   std::to_string(i + 1);
    }
    return {};
}

std::string FileFaultMessage(const std::string& FileName, const TFileFault& Fault)
{
    const std::string name = FileNameToOem(FileName);
    if (Fault.Line <= 0) return "file " + name + ": " + Fault.Reason + " !";
    return "file " + name + " line " + std::to_string(Fault.Line) + ": " + Fault.Reason + " !";
}
