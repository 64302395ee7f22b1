#include "graphics/hpgl/hpglreader.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglstate.h"
#include "platform/platform.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace
{

constexpr Extended MmPerPlotterUnit = 0.025L;
constexpr unsigned char LabelEnd = 3;
constexpr unsigned char Escape = 27;
// No plotter addresses more than 2^30 units; a value a thousand times that
// is a damaged file, and kept as it is it would overflow the arc and
// rotation arithmetic into infinities in the display list.
constexpr Extended MaxParameter = 1e12L;
// Bits an encoded polyline number may fill before further digits are
// dropped: more would shift past the 64-bit value.
constexpr int MaxPeShift = 56;

bool AtEnd()
{
    return hpgl.InputPos >= hpgl.Input.size();
}

// Marks the end of the picture the way every reader reports it.
unsigned char EndOfPicture()
{
    telmvar.Aborted = true;
    return 0;
}

// Leaves a ";" that a polyline number ran into for the polyline to end on.
void UnreadChar()
{
    if (hpgl.InputPos > 0) --hpgl.InputPos;
}

Extended ParameterValue(const std::string& text)
{
    const Extended v = TextToFloat(text);
    if (!std::isfinite(v) || std::fabs(v) > MaxParameter) return 0;
    return v;
}

// Collects a parameter's text up to "," or ";" (consumed). Returns the
// separator, or 0 at the end of the picture.
unsigned char ReadParameterText(std::string& text, bool dropPenLetters)
{
    text.clear();
    for (;;) {
        const unsigned char c = ReadHpglChar();
        if (telmvar.Aborted) return 0;
        if (c == ',' || c == ';') {
            if (c == ';') hpgl.HpglTerminated = true;
            return c;
        }
        if (dropPenLetters && (c == 'P' || c == 'A')) continue;
        text += static_cast<char>(c);
    }
}

// A command reads only the parameters it knows; whatever follows up to its
// ";" belongs to it too, so that it is not taken for the next command.
void SkipRestOfCommand()
{
    if (!hpgl.HpglTerminated && !telmvar.Aborted) SkipHpglParameters();
}

// Reads an optional real: false (value untouched) when the parameter is
// empty, so "SI;" keeps the size it had.
bool ReadOptionalReal(Extended& value, unsigned char& separator)
{
    std::string text;
    separator = ReadParameterText(text, false);
    if (telmvar.Aborted || TrimBlanks(text).empty()) return false;
    value = ParameterValue(text);
    return true;
}

void UsePenColour()
{
    GraphFacade.SetColor(PenToPalette(hpgl.HpglPen));
}

// Where the pen stands for drawing about it (circles, labels, arcs) and for
// relative moves: a picture that never placed the pen starts where a plotter
// starts, at the origin, not at the "unknown" mark far outside the picture.
Extended PenXOrOrigin()
{
    return hpgl.HpglPenPlaced ? hpgl.HpglPenX : 0;
}
Extended PenYOrOrigin()
{
    return hpgl.HpglPenPlaced ? hpgl.HpglPenY : 0;
}

void MovePen(Extended x, Extended y)
{
    hpgl.HpglPenX = x;
    hpgl.HpglPenY = y;
    hpgl.HpglPenPlaced = true;
}

// A line from the pen to (x, y) when the pen is down. Out of an unknown
// position nothing is drawn: the first point of a picture only places the
// pen, instead of a stroke from far outside across the picture.
void PlotTo(Extended x, Extended y)
{
    if (hpgl.HpglPenDown && hpgl.HpglPenPlaced) {
        UsePenColour();
        GraphFacade.Line(hpgl.HpglPenX, hpgl.HpglPenY, x, y);
    }
    MovePen(x, y);
}

// PU, PD, PA: pairs of absolute coordinates up to ";". A lone coordinate
// before the ";" is dropped.
void PlotPairs()
{
    do {
        const Extended x = ReadHpglNumber();
        if (hpgl.HpglTerminated || telmvar.Aborted) return;
        const Extended y = ReadHpglNumber();
        if (telmvar.Aborted) return;
        PlotTo(PlotterUnitsToMm(x), PlotterUnitsToMm(y));
    } while (!hpgl.HpglTerminated);
}

void SelectPen()
{
    const int32_t pen = ReadHpglPen();
    if (telmvar.Aborted) return;
    // The pen is a byte; numbers beyond it select no pen of this program.
    hpgl.HpglPen = (pen >= 0 && pen <= 255) ? static_cast<uint8_t>(pen) : 0;
    SkipRestOfCommand();
}

void DrawCircle()
{
    const Extended r = ReadHpglNumber();
    if (telmvar.Aborted) return;
    SkipRestOfCommand(); // the chord angle
    UsePenColour();
    GraphFacade.Circle(PenXOrOrigin(), PenYOrOrigin(), PlotterUnitsToMm(r));
}

// SI and DI: two reals; a parameter left out keeps its value.
void ReadPair(Extended& first, Extended& second)
{
    unsigned char sep = 0;
    ReadOptionalReal(first, sep);
    if (telmvar.Aborted || sep == ';') return;
    ReadOptionalReal(second, sep);
    SkipRestOfCommand();
}

void SetCharSet()
{
    unsigned char sep = 0;
    ReadOptionalReal(hpgl.HpglCharSet, sep);
    SkipRestOfCommand();
}

unsigned char UmlautOf(unsigned char c)
{
    switch (c) {
    case 'a':
        return 132;
    case 'o':
        return 148;
    case 'u':
        return 129;
    case 'A':
        return 142;
    case 'O':
        return 153;
    case 'U':
        return 154;
    default:
        return c;
    }
}

// LB: the text up to the character 3, however long. Under character set 3 a
// "}" makes the letter before it an umlaut (DOS code page); with no letter
// before it, it is dropped.
void DrawLabel()
{
    std::string text;
    const bool umlauts = hpgl.HpglCharSet == 3;
    for (;;) {
        const unsigned char c = ReadHpglLabelChar();
        if (telmvar.Aborted) return;
        if (c == LabelEnd) break;
        if (umlauts && c == '}') {
            if (!text.empty())
                text.back() = static_cast<char>(UmlautOf(static_cast<unsigned char>(text.back())));
            continue;
        }
        text += static_cast<char>(c);
    }
    UsePenColour();
    GraphFacade.SetTextStyle(2, HpglLabelAngle(hpgl.HpglDirRun, hpgl.HpglDirRise), hpgl.HpglCharHeight * 10,
                             hpgl.HpglCharWidth * 10);
    GraphFacade.SetTextJustify(0, 0);
    GraphFacade.OutTextXY(PenXOrOrigin(), PenYOrOrigin(), text);
}

// AA xc, yc, sweep: the arc about the centre from the pen through the sweep
// (positive counterclockwise, negative clockwise, a whole turn or more a
// full circle). The pen ends at the arc's end point.
void DrawArc()
{
    const Extended xc = ReadHpglNumber();
    if (telmvar.Aborted || hpgl.HpglTerminated) return;
    const Extended yc = ReadHpglNumber();
    if (telmvar.Aborted || hpgl.HpglTerminated) return;
    const Extended sweep = ReadHpglNumber();
    if (telmvar.Aborted) return;
    SkipRestOfCommand(); // the chord angle
    const Extended cx = PlotterUnitsToMm(xc);
    const Extended cy = PlotterUnitsToMm(yc);
    const Extended dx = PenXOrOrigin() - cx;
    const Extended dy = PenYOrOrigin() - cy;
    const Extended r = Hypotenuse(dx, dy);
    const Extended start = RadToDeg(PolarAngle(dx, dy));
    if (hpgl.HpglPenDown && r > 0 && sweep != 0) {
        UsePenColour();
        if (std::fabs(sweep) >= 360)
            GraphFacade.Circle(cx, cy, r);
        else if (sweep > 0)
            GraphFacade.Arc(cx, cy, start, start + sweep, r);
        else
            GraphFacade.Arc(cx, cy, start + sweep, start, r);
    }
    Extended ex = 0;
    Extended ey = 0;
    RotatePoint(ex, ey, dx, dy, DegToRad(sweep));
    MovePen(cx + ex, cy + ey);
}

bool StartsPeNumber(unsigned char c)
{
    return c >= 63 && c <= 254;
}

// PE: the HP-GL/2 encoded polyline up to ";".
void DrawEncodedPolyline()
{
    hpgl.HpglPenDown = true;
    bool absolute = false;
    bool sevenBit = false;
    // Coordinates are in plotter units divided by 2^fractionBits.
    Extended unitScale = 1;
    for (;;) {
        const unsigned char c = ReadHpglChar();
        if (telmvar.Aborted || c == ';') return;
        switch (c) {
        case '=':
            absolute = true;
            continue;
        case '7':
            sevenBit = true;
            continue;
        case '<':
            hpgl.HpglPenDown = false;
            continue;
        case ':':
        case '>': {
            const unsigned char first = ReadHpglChar();
            if (telmvar.Aborted) return;
            if (first == ';') return;
            if (!StartsPeNumber(first)) continue;
            bool complete = false;
            const int64_t value = DecodePeInteger(first, sevenBit, &complete);
            if (!complete) continue;
            if (c == ':') {
                if (value >= 0 && value <= 255) hpgl.HpglPen = static_cast<uint8_t>(value);
            } else if (value >= 0 && value <= 26) {
                unitScale = std::ldexp(1.0L, -static_cast<int>(value));
            }
            continue;
        }
        default:
            break;
        }
        if (!StartsPeNumber(c)) continue;
        bool complete = false;
        const Extended x = PlotterUnitsToMm(DecodePeInteger(c, sevenBit, &complete) * unitScale);
        if (!complete) continue;
        const unsigned char next = ReadHpglChar();
        if (telmvar.Aborted) return;
        if (next == ';') return; // a lone x is not a point
        const Extended y = PlotterUnitsToMm(DecodePeInteger(next, sevenBit, &complete) * unitScale);
        if (!complete) continue;
        PlotTo(absolute ? x : PenXOrOrigin() + x, absolute ? y : PenYOrOrigin() + y);
        hpgl.HpglPenDown = true;
        absolute = false;
    }
}

void RunCommand(unsigned char c1, unsigned char c2)
{
    if (c1 == Escape) {
        SkipHpglParameters();
        return;
    }
    const std::string command = UpperCaseText(std::string{static_cast<char>(c1), static_cast<char>(c2)});
    if (command == "PU") {
        hpgl.HpglPenDown = false;
        PlotPairs();
    } else if (command == "PD") {
        hpgl.HpglPenDown = true;
        PlotPairs();
    } else if (command == "PA") {
        PlotPairs();
    } else if (command == "SP") {
        SelectPen();
    } else if (command == "CI") {
        DrawCircle();
    } else if (command == "SI") {
        ReadPair(hpgl.HpglCharWidth, hpgl.HpglCharHeight);
    } else if (command == "DI") {
        ReadPair(hpgl.HpglDirRun, hpgl.HpglDirRise);
    } else if (command == "LB") {
        DrawLabel();
    } else if (command == "AA") {
        DrawArc();
    } else if (command == "PE") {
        DrawEncodedPolyline();
    } else if (command == "CS") {
        SetCharSet();
    } else {
        // RO, IN, IP, IW, DF, VS, LT, SC and whatever else this reader does
        // not draw: parameters skipped through the ";".
        SkipHpglParameters();
    }
}

} // namespace

void OpenHpglText(const std::string& bytes)
{
    hpgl.Input = bytes;
    hpgl.InputPos = 0;
}

unsigned char ReadHpglChar()
{
    while (!AtEnd()) {
        const auto c = static_cast<unsigned char>(hpgl.Input[hpgl.InputPos++]);
        if (c != ' ' && c != '\r' && c != '\n') return c;
    }
    return EndOfPicture();
}

unsigned char ReadHpglLabelChar()
{
    while (!AtEnd()) {
        const auto c = static_cast<unsigned char>(hpgl.Input[hpgl.InputPos++]);
        if (c != '\r' && c != '\n') return c;
    }
    return EndOfPicture();
}

Extended ReadHpglNumber()
{
    std::string text;
    ReadParameterText(text, true);
    return ParameterValue(text);
}

Extended ReadHpglReal()
{
    std::string text;
    ReadParameterText(text, false);
    return ParameterValue(text);
}

int32_t ReadHpglPen()
{
    std::string text;
    const unsigned char sep = ReadParameterText(text, false);
    if (sep == ';' && text.empty()) return 1;
    return TextToInt(text);
}

void SkipHpglParameters()
{
    for (;;) {
        const unsigned char c = ReadHpglChar();
        if (telmvar.Aborted) return;
        if (c == ';') {
            hpgl.HpglTerminated = true;
            return;
        }
    }
}

Extended PlotterUnitsToMm(Extended u)
{
    return u * MmPerPlotterUnit;
}

int32_t PenToPalette(int32_t pen)
{
    static constexpr int32_t PenColours[8] = {0, 12, 14, 10, 11, 9, 13, 15};
    if (pen >= 1 && pen <= 7) return PenColours[pen];
    return pen;
}

int64_t DecodePeInteger(unsigned char First, bool SevenBit, bool* Complete)
{
    const int digitBits = SevenBit ? 5 : 6;
    const unsigned digitLow = 63;
    const unsigned digitHigh = SevenBit ? 94 : 126;
    const unsigned endLow = SevenBit ? 95 : 191;
    const unsigned endHigh = SevenBit ? 126 : 254;
    uint64_t n = 0;
    int shift = 0;
    bool complete = false;
    unsigned char c = First;
    for (;;) {
        if (c == ';') {
            UnreadChar();
            break;
        }
        const bool digit = c >= digitLow && c <= digitHigh;
        const bool last = c >= endLow && c <= endHigh;
        // Digits beyond the value's width are dropped: a run of them in a
        // damaged file gives a large number, never an undefined shift.
        if (shift <= MaxPeShift) {
            if (digit)
                n |= static_cast<uint64_t>(c - digitLow) << shift;
            else if (last)
                n |= static_cast<uint64_t>(c - endLow) << shift;
        }
        if (last) {
            complete = true;
            break;
        }
        shift += digitBits;
        c = ReadHpglChar();
        if (telmvar.Aborted) break;
    }
    if (Complete != nullptr) *Complete = complete;
    const auto magnitude = static_cast<int64_t>(n >> 1);
    return (n & 1) ? -magnitude : magnitude;
}

Extended DecodePeNumber(unsigned char First, bool SevenBit, bool* Complete)
{
    return PlotterUnitsToMm(static_cast<Extended>(DecodePeInteger(First, SevenBit, Complete)));
}

Extended HpglLabelAngle(Extended Run, Extended Rise)
{
    return RadToDeg(PolarAngle(Run, Rise));
}

void RunHpglText(const std::string& bytes)
{
    hpgl.HpglPenX = -999;
    hpgl.HpglPenY = -999;
    hpgl.HpglPenPlaced = false;
    OpenHpglText(bytes);
    telmvar.Aborted = false;
    // Every pass reads at least one character, so the loop ends with the
    // picture.
    for (;;) {
        hpgl.HpglTerminated = false;
        unsigned char c1 = ReadHpglChar();
        // Empty commands (";" after ";") are no commands.
        while (c1 == ';' && !telmvar.Aborted)
            c1 = ReadHpglChar();
        if (telmvar.Aborted) break;
        const unsigned char c2 = ReadHpglChar();
        RunCommand(c1, c2);
        if (telmvar.Aborted) break;
    }
    hpgl.Input.clear();
    hpgl.InputPos = 0;
    // The end of the picture, also inside a command, is no failure.
    telmvar.Aborted = false;
}

void RunHpglFile(const std::string& name)
{
    hpgl.HpglPenX = -999;
    hpgl.HpglPenY = -999;
    hpgl.HpglPenPlaced = false;
    telmvar.Aborted = false;
    GraphFacade.SetWaitCursor();
    if (!GraphFacade.CheckFileExists(name)) {
        telmvar.Aborted = true;
        GraphFacade.SetNormalCursor();
        return;
    }
    std::ifstream in(NativePath(name), std::ios::binary);
    if (!in) {
        platform::CurrentPlatform().Messages().ShowOk(
            telmvar.ProgramName, DisplayText(FileNameToOem(WithoutBlanks(name))) + " not found !",
            platform::MessageIcon::Error);
        telmvar.Aborted = true;
        GraphFacade.SetNormalCursor();
        return;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    RunHpglText(bytes);
    GraphFacade.SetNormalCursor();
}
