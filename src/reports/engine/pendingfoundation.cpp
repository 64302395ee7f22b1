#include "reports/engine/pendingfoundation.h"
#include "foundation/telmvar.h"
#include <cstdio>
#include <fstream>
namespace pendingfoundation {
void OverwriteAt(const std::string& Src, std::string& Dest, int Pos)
{
    if (Pos >= 1 && Pos + static_cast<int>(Src.size()) - 1 <= static_cast<int>(Dest.size()))
        Dest.replace(static_cast<size_t>(Pos - 1), Src.size(), Src);
}
std::string TrimBlanks(const std::string& S)
{
    size_t a = S.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    size_t b = S.find_last_not_of(' ');
    return S.substr(a, b - a + 1);
}
std::string WithoutBlanks(const std::string& S)
{
    std::string R;
    for (char c : S) if (c != ' ') R += c;
    return R;
}
std::string FitLeft(const std::string& S, int Width)
{
    std::string R = S.substr(0, static_cast<size_t>(Width));
    R.resize(static_cast<size_t>(Width), ' ');
    return R;
}
void WrapText(const std::string& Sin, char Sep, int Width, int& Count, int& MaxLen)
{
    std::string S = Sin;
    Count = 0; MaxLen = 1;
    while (!S.empty()) {
        std::string piece;
        if (static_cast<int>(S.size()) > Width) {
            int k = 0;
            for (int i = Width - 1; i >= 1; --i) if (S[static_cast<size_t>(i - 1)] == Sep) { k = i; break; }
            piece = k > 0 ? S.substr(0, static_cast<size_t>(k)) : S.substr(0, static_cast<size_t>(Width));
        } else piece = S;
        if (Count == 5) { telmvar.WrappedTextLines[5] += S; break; }
        ++Count;
        MaxLen = std::max<int>(MaxLen, static_cast<int>(piece.size()));
        telmvar.WrappedTextLines[Count] = piece;
        S.erase(0, piece.size());
    }
}
std::string IntToText(long long N) { return std::to_string(N); }
std::string IntToTextBlankPad(long long N, int Width)
{
    std::string s = std::to_string(N);
    if (static_cast<int>(s.size()) < Width) s.insert(0, static_cast<size_t>(Width) - s.size(), ' ');
    return s;
}
std::string AddTrailingBackslash(const std::string& P)
{
    std::string t = TrimBlanks(P);
    if (!t.empty() && t.back() != '/' && t.back() != '\\') t += '/';
    return t;
}
bool FileCanOpen(const std::string& Name)
{
    std::FILE* f = std::fopen(Name.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}
void DeleteFileIfExists(const std::string& Name) { std::remove(Name.c_str()); }
std::string ConvertTextCodePage(const std::string& S) { return S; }
std::string DisplayText(const std::string& S) { return S; }
std::string AnsiTextToOem(const std::string& S) { return S; }
void CopyTextFileConverted(const std::string& Src, const std::string& Dest)
{
    std::ifstream in(Src, std::ios::binary);
    std::ofstream out(Dest, std::ios::binary);
    if (!in || !out) { telmvar.Aborted = true; return; }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out << ConvertTextCodePage(line) << "\r\n";
    }
    if (!out) telmvar.Aborted = true;
}
bool HasCommandLineParam(const std::string&) { return false; }
} // namespace pendingfoundation
