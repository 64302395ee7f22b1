#include "reports/engine/pendingfoundation.h"
#include "foundation/telmvar.h"
#include <cstdio>
#include <fstream>
namespace pendingfoundation {
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
