#include "foundation/textutil.h"

#include "foundation/programstate.h"

#include <algorithm>
#include <cstdio>

TTextutil textutil;

void ResetTextutil()
{
    textutil = TTextutil{};
}

void SetCommandLineParams(int argc, const char* const* argv)
{
    textutil.CommandLineParams.clear();
    for (int i = 1; i < argc; ++i)
        textutil.CommandLineParams.emplace_back(argv[i] != nullptr ? argv[i] : "");
}

namespace
{

std::string Size(const std::string& S, int N)
{
    return std::string(S, 0, static_cast<std::size_t>(std::clamp<int>(N, 0, static_cast<int>(S.size()))));
}

} // namespace

void WrapText(const std::string& S, char Sep, int Width, int& Count, int& MaxLen)
{
    constexpr int kLines = decltype(telmvar.WrappedTextLines)::High;
    const std::size_t width = static_cast<std::size_t>(std::max(Width, 1));
    std::string rest = S;
    Count = 0;
    MaxLen = 1;
    while (!rest.empty()) {
        ++Count;
        std::size_t len = rest.size();
        if (Count < kLines && rest.size() > width) {
            len = width;
            // The separator stays at the end of its piece.
            for (std::size_t k = width - 1; k >= 1; --k)
                if (rest[k - 1] == Sep) {
                    len = k;
                    break;
                }
        }
        MaxLen = std::max(MaxLen, static_cast<int>(len));
        telmvar.WrappedTextLines[Count] = rest.substr(0, len);
        rest.erase(0, len);
    }
}

std::string UpperCaseText(const std::string& S)
{
    std::string r = S;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string LowerCaseText(const std::string& S)
{
    std::string r = S;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string FitLeft(const std::string& S, int Width)
{
    std::string r = Size(S, Width);
    r.resize(static_cast<std::size_t>(std::max(Width, 0)), ' ');
    return r;
}

std::string FitRight(const std::string& S, int Width)
{
    const std::string t = TrimBlanks(S);
    if (static_cast<int>(t.size()) >= Width) return Size(t, Width);
    return std::string(static_cast<std::size_t>(Width) - t.size(), ' ') + t;
}

std::string LeftStr(const std::string& S, int N)
{
    return Size(S, N);
}

std::string RightStr(const std::string& S, int N)
{
    const std::size_t n = static_cast<std::size_t>(std::clamp<int>(N, 0, static_cast<int>(S.size())));
    return S.substr(S.size() - n);
}

void ReplaceChar(char Find, char Repl, std::string& S)
{
    std::replace(S.begin(), S.end(), Find, Repl);
}

void RemoveBlanks(std::string& S)
{
    S.erase(std::remove(S.begin(), S.end(), ' '), S.end());
}

std::string WithoutBlanks(const std::string& S)
{
    std::string r = S;
    RemoveBlanks(r);
    return r;
}

std::string HexByte(unsigned char Byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(Byte));
    return text;
}

std::string NulBytesShown(std::string_view S)
{
    std::string r;
    r.reserve(S.size());
    for (const char c : S)
        if (c == '\0')
            r += HexByte(0);
        else
            r += c;
    return r;
}

bool HoldsLineBreak(std::string_view S)
{
    return S.find_first_of("\r\n") != std::string_view::npos;
}

std::string ControlBytesShown(std::string_view S)
{
    std::string r;
    r.reserve(S.size());
    for (const char c : S) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != 0x14 && b != 0x15) || b == 0x7F)
            r += HexByte(b);
        else
            r += c;
    }
    return r;
}

std::string TrimBlanks(const std::string& S)
{
    const auto first = S.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = S.find_last_not_of(' ');
    return S.substr(first, last - first + 1);
}

void TrimInPlace(std::string& S)
{
    S = TrimBlanks(S);
}

int LastPos(const std::string& Sub, const std::string& S)
{
    if (Sub.empty() || Sub.size() > S.size()) return 0;
    const auto p = S.rfind(Sub);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

std::string PointToComma(const std::string& S)
{
    std::string r = S;
    ReplaceChar('.', ',', r);
    return r;
}

std::string CommaToPoint(const std::string& S)
{
    std::string r = S;
    ReplaceChar(',', '.', r);
    return r;
}

std::string CommaToPoint2(const std::string& S)
{
    return CommaToPoint(S);
}

int CountChar(char C, const std::string& S)
{
    return static_cast<int>(std::count(S.begin(), S.end(), C));
}

bool IsYesChar(char C)
{
    return C == 'J' || C == 'Y';
}

char YesNoChar(bool B)
{
    return B ? 'J' : 'N';
}

bool HasCommandLineParam(const std::string& S)
{
    const std::string want = UpperCaseText(S);
    return std::any_of(textutil.CommandLineParams.begin(), textutil.CommandLineParams.end(),
                       [&](const std::string& p) { return UpperCaseText(p) == want; });
}

void OverwriteAt(const std::string& Src, std::string& Dest, int Pos)
{
    const long last = static_cast<long>(Dest.size()) + 1 - static_cast<long>(Src.size());
    if (Pos < 1 || Pos > last) return;
    Dest.replace(static_cast<std::size_t>(Pos - 1), Src.size(), Src);
}

char IndexToLetter(int N)
{
    return static_cast<char>(N + 64);
}

std::string ShortenMiddle(const std::string& S, int MaxLen)
{
    if (static_cast<int>(S.size()) < MaxLen) return S;
    if (MaxLen >= 11) {
        const int h = MaxLen / 2 - 2;
        return Size(S, h) + "__" + RightStr(S, h);
    }
    return Size(S, MaxLen);
}

std::string AbbreviateMiddle(const std::string& S, int N)
{
    if (static_cast<int>(S.size()) <= N) return S;
    const int h = std::max(N / 2 - 3, 0);
    return Size(S, h) + " ... " + RightStr(S, h + 1);
}
