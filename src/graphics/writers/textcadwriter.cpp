#include "graphics/writers/textcadwriter.h"

#include "foundation/codepage.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string TTextCadWriter::Number(Extended X) const
{
    const int decimals = std::clamp(options_.Decimals, 0, 15);
    char buf[128];
    auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::fixed, decimals);
    if (r.ec != std::errc{}) r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(X));
    const char* start = buf;
    if (*start == '-' && std::all_of(start + 1, static_cast<const char*>(r.ptr), [](char c) {
            return c == '0' || c == '.';
        }))
        ++start;
    std::string s(start, static_cast<const char*>(r.ptr));
    if (s.size() < 3) s.insert(0, 3 - s.size(), ' ');
    if (options_.DecimalComma) std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

void TTextCadWriter::Line(std::string_view Text)
{
    out_.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    out_.write("\r\n", 2);
}

void TTextCadWriter::Record(std::string_view Keyword, std::initializer_list<Extended> Values)
{
    std::string line(Keyword);
    for (Extended v : Values) {
        line += '\t';
        line += Number(v);
    }
    Line(line);
}

void TTextCadWriter::MinMax(Extended XMin, Extended YMin, Extended XMax, Extended YMax)
{
    Record("MINMAX", {XMin, YMin, XMax, YMax});
}

void TTextCadWriter::BeginBlocksSection() { Line("SECTION BLOCKS"); }

void TTextCadWriter::BeginBlock(std::string_view Name) { Line("BLOCK\t" + std::string(Name)); }

void TTextCadWriter::EndBlock() { Line("END OF BLOCK"); }

void TTextCadWriter::BeginEntities() { Line("SECTION ENTITIES"); }

void TTextCadWriter::Line(Extended X1, Extended Y1, Extended X2, Extended Y2) { Record("LINE", {X1, Y1, X2, Y2}); }

void TTextCadWriter::Circle(Extended X, Extended Y, Extended R) { Record("CIRCLE", {X, Y, R}); }

void TTextCadWriter::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    auto near = [](Extended A, Extended B) { return std::fabs(A - B) < 1e-5L; };
    if (Start == End || (near(Start, 0) && near(End, 360)) || (near(Start, 360) && near(End, 0))) {
        Circle(X, Y, R);
        return;
    }
    Record("ARC", {X, Y, R, Start, End});
}

void TTextCadWriter::Text(std::string_view Text, Extended X, Extended Y)
{
    std::string text = options_.ConvertTexts ? ConvertTextForCad(std::string(Text)) : std::string(Text);
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    Line("TEXT\t" + Number(X) + "\t" + Number(Y) + "\t" + text);
}

void TTextCadWriter::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                           Extended X4, Extended Y4)
{
    Record("SOLID", {X1, Y1, X2, Y2, X3, Y3, X4, Y4});
}

void TTextCadWriter::Insert(std::string_view Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                            Extended ScaleY)
{
    Line("INSERT\t" + std::string(Name) + "\t" + Number(X) + "\t" + Number(Y) + "\t" + Number(Angle) + "\t" +
         Number(ScaleX) + "\t" + Number(ScaleY));
}

void TTextCadWriter::EndOfFile() { Line("EOF"); }
