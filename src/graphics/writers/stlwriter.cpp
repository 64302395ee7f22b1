#include "graphics/writers/stlwriter.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace
{

void PutFloat(char* P, float F)
{
    uint32_t u;
    std::memcpy(&u, &F, 4);
    P[0] = static_cast<char>(u & 0xFF);
    P[1] = static_cast<char>((u >> 8) & 0xFF);
    P[2] = static_cast<char>((u >> 16) & 0xFF);
    P[3] = static_cast<char>((u >> 24) & 0xFF);
}

} // namespace

std::string StlNumber(float X)
{
    if (X == 0) X = 0; // no "-0"
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::scientific, 8);
    std::string s(buf, r.ptr);
    const size_t e = s.find('e');
    if (e != std::string::npos) s[e] = 'E';
    return s;
}

TStlWriter::TStlWriter(std::ostream& Out, TStlOptions Options) : out_(Out), options_(std::move(Options))
{
    if (options_.Ascii) out_ << "solid " << options_.SolidName << "\r\n";
}

void TStlWriter::Wall(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended ZLow, Extended ZHigh)
{
    // The file holds single precision: a wall whose ends or heights meet
    // there would give facets with two equal corners, which readers count
    // as degenerate.
    const auto single = [](Extended V) { return static_cast<float>(V); };
    if ((single(X1) == single(X2) && single(Y1) == single(Y2)) || single(ZLow) == single(ZHigh)) return;
    const Extended l = std::hypot(X2 - X1, Y2 - Y1);
    const Extended nx = (Y1 - Y2) / l, ny = (X2 - X1) / l;
    Facet({nx, ny, 0, X1, Y1, ZLow, X1, Y1, ZHigh, X2, Y2, ZLow});
    Facet({nx, ny, 0, X1, Y1, ZHigh, X2, Y2, ZHigh, X2, Y2, ZLow});
}

void TStlWriter::Facet(const std::array<Extended, 12>& V)
{
    std::array<float, 12> f;
    for (size_t i = 0; i < 12; ++i)
        f[i] = static_cast<float>(V[i]);
    ++count_;
    if (!options_.Ascii) {
        facets_.push_back(f);
        return;
    }
    std::string s = "  facet normal " + StlNumber(f[0]) + " " + StlNumber(f[1]) + " " + StlNumber(f[2]) +
                    "\r\n    outer loop\r\n";
    for (int v = 1; v <= 3; ++v)
        s += "      vertex " + StlNumber(f[3 * v]) + " " + StlNumber(f[3 * v + 1]) + " " +
             StlNumber(f[3 * v + 2]) + "\r\n";
    s += "    endloop\r\n  endfacet\r\n";
    out_.write(s.data(), static_cast<std::streamsize>(s.size()));
}

void TStlWriter::Finish()
{
    if (finished_) return;
    finished_ = true;
    if (options_.Ascii) {
        out_ << "endsolid " << options_.SolidName << "\r\n";
        return;
    }
    char header[84];
    std::memset(header, ' ', 80);
    static const char title[] = "STL binary file created by TELMORA Software";
    std::memcpy(header, title, sizeof title - 1);
    const uint32_t n = count_;
    for (int i = 0; i < 4; ++i)
        header[80 + i] = static_cast<char>((n >> (8 * i)) & 0xFF);
    out_.write(header, 84);
    // Records in blocks: one write per facet would dominate a large model.
    std::vector<char> block;
    block.reserve(50 * 4096);
    char rec[50];
    rec[48] = 'X';
    rec[49] = 'X';
    for (const auto& f : facets_) {
        for (int i = 0; i < 12; ++i)
            PutFloat(rec + 4 * i, f[i]);
        block.insert(block.end(), rec, rec + 50);
        if (block.size() >= 50 * 4096) {
            out_.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    }
    out_.write(block.data(), static_cast<std::streamsize>(block.size()));
    facets_.clear();
    facets_.shrink_to_fit();
}
