#include "reports/engine/pendingfoundation.h"
#include "foundation/telmvar.h"
#include <cstdio>
#include <fstream>
namespace pendingfoundation {
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
} // namespace pendingfoundation
