#include "graphics/writers/dxfwriter.h"

#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "graphics/writers/dxfrecords.h"

#include <cmath>

std::string DxfLayerName(int N, const TDxfOptions& Options)
{
    if (N == 0) return "0";
    if (Options.LayerMode == 0 && N >= 1 && N <= 5) return Options.LayerNames[N];
    return std::to_string(N);
}

Extended BulgeFromAngle(Extended Angle)
{
    return std::tan(Angle / 4);
}

void TDxfWriter::Pair(int Code, std::string_view Text)
{
    DxfWriteGroupCode(out_, Code);
    DxfWriteText(out_, Text);
}

void TDxfWriter::Real(int Code, Extended X)
{
    DxfWriteGroupCode(out_, Code);
    DxfWriteReal(out_, X, options_.Decimals);
}

void TDxfWriter::Int(int Code, int64_t N)
{
    DxfWriteGroupCode(out_, Code);
    DxfWriteInteger(out_, N);
}

void TDxfWriter::EntityStart(std::string_view Kind)
{
    Pair(0, Kind);
    Pair(8, layer_);
    used_.insert(layer_);
}

void TDxfWriter::Header(Extended XMin, Extended YMin, Extended XMax, Extended YMax)
{
    Pair(0, "SECTION");
    Pair(2, "HEADER");
    // The limits repeat the extents: the plot program fits the sheet to them.
    for (const char* var : {"$EXTMIN", "$EXTMAX", "$LIMMIN", "$LIMMAX"}) {
        Pair(9, var);
        const bool isMin = std::string_view(var).ends_with("MIN");
        Real(10, isMin ? XMin : XMax);
        Real(20, isMin ? YMin : YMax);
    }
    Pair(9, "$LTSCALE");
    Pair(40, "15");
    Pair(0, "ENDSEC");
}

void TDxfWriter::Tables(int Mode, const std::set<std::string>& Used)
{
    if (Mode < 0 || Mode > 2) Mode = 0;
    Pair(0, "SECTION");
    Pair(2, "TABLES");

    Pair(0, "TABLE");
    Pair(2, "LTYPE");
    Pair(70, Mode == 0 ? "6" : Mode == 1 ? "17" : "23");
    auto ltype = [this](const char* Name, const char* Description) {
        Pair(0, "LTYPE");
        Pair(2, Name);
        Pair(70, "64");
        Pair(3, Description);
        Pair(72, "65");
    };
    ltype("CONTINUOUS", "Ausgezogene Linie");
    Pair(73, "0");
    Pair(40, "0.0");
    ltype("DASHDOT", "--. --. --.-");
    Pair(73, "4");
    Pair(40, "1.0");
    Pair(49, "0.5");
    Pair(49, "-0.25");
    Pair(49, "0.0");
    Pair(49, "-0.25");
    ltype("DASHED", "- - - - - - ");
    Pair(73, "2");
    Pair(40, "0.375");
    Pair(49, "0.25");
    Pair(49, "-0.125");
    Pair(0, "ENDTAB");

    Pair(0, "TABLE");
    Pair(2, "LAYER");
    Int(70, 24);
    std::set<std::string> defined;
    auto layer = [this, &defined](const std::string& Name, int32_t Colour, const char* LineType) {
        defined.insert(Name);
        Pair(0, "LAYER");
        Pair(2, Name);
        Pair(70, "0");
        // Colour index numbers are the low byte of the stored value.
        Int(62, options_.Monochrome ? 1 : static_cast<uint8_t>(Colour));
        Pair(6, LineType);
    };
    if (Mode == 1) {
        for (int n = 0; n <= 15; ++n)
            layer(std::to_string(n), n + 1, "CONTINUOUS");
    } else {
        layer("0", 1, "CONTINUOUS");
        for (int n = 1; n <= 5; ++n)
            layer(options_.LayerNames[n], options_.LayerColours[n],
                  n == 1   ? "DASHDOT"
                  : n == 2 ? "DASHED"
                           : "CONTINUOUS");
        if (Mode == 2)
            for (int n = 16; n <= 31; ++n)
                layer(std::to_string(n), options_.LayerColours16[n], "CONTINUOUS");
    }
    // A layer the mode leaves out takes the colour and line type its number
    // has elsewhere: 1..5 as the named layers, 16..31 their pens, others
    // the colour of layer 0.
    for (const std::string& name : Used) {
        if (defined.count(name) != 0) continue;
        int n = -1;
        if (!name.empty() && name.size() <= 2 && name.find_first_not_of("0123456789") == std::string::npos)
            n = std::stoi(name);
        if (n >= 1 && n <= 5)
            layer(name, options_.LayerColours[n], n == 1 ? "DASHDOT" : n == 2 ? "DASHED" : "CONTINUOUS");
        else
            layer(name, n >= 16 && n <= 31 ? options_.LayerColours16[n] : 1, "CONTINUOUS");
    }
    Pair(0, "ENDTAB");

    Pair(0, "TABLE");
    Pair(2, "STYLE");
    Pair(70, "1");
    Pair(0, "STYLE");
    Pair(2, "STANDARD");
    Pair(70, "0");
    Pair(40, "0.0");
    Pair(41, "1.0");
    Pair(50, "0.0");
    Pair(71, "0");
    Pair(42, "3.5");
    std::string font = options_.TextFont;
    for (char& c : font)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    Pair(3, font);
    Pair(4, "");
    // The style table has always been closed by a bare "0" (no leading
    // blanks); readers take the group code as a number either way.
    DxfWriteText(out_, "0");
    DxfWriteText(out_, "ENDTAB");
    Pair(0, "ENDSEC");
}

void TDxfWriter::BeginBlocksSection()
{
    Pair(0, "SECTION");
    Pair(2, "BLOCKS");
    sectionOpen_ = true;
}

void TDxfWriter::BeginBlock(std::string_view Name)
{
    Pair(0, "BLOCK");
    Pair(8, layer_);
    used_.insert(layer_);
    Pair(2, Name);
    Pair(70, "0");
    // The base point is always the origin of the block's own coordinates.
    Pair(10, "0.0");
    Pair(20, "0.0");
}

void TDxfWriter::EndBlock()
{
    Pair(0, "ENDBLK");
}

void TDxfWriter::EndSection()
{
    if (!sectionOpen_) return;
    Pair(0, "ENDSEC");
    sectionOpen_ = false;
}

void TDxfWriter::BeginEntities()
{
    Pair(0, "SECTION");
    Pair(2, "ENTITIES");
    sectionOpen_ = true;
}

void TDxfWriter::Line(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    EntityStart("LINE");
    Real(10, X1);
    Real(20, Y1);
    Real(11, X2);
    Real(21, Y2);
}

void TDxfWriter::Circle(Extended X, Extended Y, Extended R)
{
    EntityStart("CIRCLE");
    Real(10, X);
    Real(20, Y);
    Real(40, R);
}

void TDxfWriter::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    EntityStart("ARC");
    Real(10, X);
    Real(20, Y);
    Real(40, R);
    Real(50, Start);
    Real(51, End);
}

void TDxfWriter::Text(std::string_view Text, Extended X, Extended Y, const TCadTextStyle& Style)
{
    EntityStart("TEXT");
    Real(10, X);
    Real(20, Y);
    Real(40, Style.Height);
    Pair(1, options_.ConvertTexts ? ConvertTextForCad(std::string(Text)) : std::string(Text));
    Pair(7, "STANDARD");
    Pair(41, FloatToSignificantPoint(Style.Width));
    Pair(50, FloatToSignificantPoint(Style.Angle));
    Pair(51, FloatToSignificantPoint(Style.Slant));
}

void TDxfWriter::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                       Extended X4, Extended Y4)
{
    EntityStart("SOLID");
    Real(10, X1);
    Real(20, Y1);
    Real(11, X2);
    Real(21, Y2);
    Real(12, X3);
    Real(22, Y3);
    Real(13, X4);
    Real(23, Y4);
}

void TDxfWriter::Insert(std::string_view Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                        Extended ScaleY)
{
    EntityStart("INSERT");
    Pair(2, Name);
    Real(10, X);
    Real(20, Y);
    Real(41, ScaleX);
    Real(42, ScaleY);
    Real(50, Angle);
}

void TDxfWriter::BeginPolyline(uint8_t Flags)
{
    EntityStart("POLYLINE");
    Int(66, 1);
    if (Flags > 0) Int(70, Flags);
}

void TDxfWriter::Vertex(Extended X, Extended Y, Extended Bulge)
{
    EntityStart("VERTEX");
    Real(10, X);
    Real(20, Y);
    if (Bulge != 0) Real(42, Bulge);
}

void TDxfWriter::SeqEnd()
{
    EntityStart("SEQEND");
}

void TDxfWriter::EndOfFile()
{
    Pair(0, "EOF");
}
