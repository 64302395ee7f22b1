#pragma once
// The display list of the graphics window: one text record per drawing call,
// the kind number and its fields separated by ";". The drawing facade records
// into it and the window replays the whole list at every paint, zoom, pan and
// printout, so the drawing code never runs twice for one picture.
//
// Reals are written with at most 8 significant digits, always with "." as
// decimal point whatever the locale, and read back by the same rules.

#include "foundation/types.h"
#include "graphics/drawrecordlist.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TRecordKind : int {
    MoveTo = 1,    // x; y;   (written by nobody, understood by the replay)
    LineTo = 2,    // x; y;
    Circle = 3,    // x; y; r
    Line = 4,      // x1; y1; x2; y2
    Arc = 5,       // box x1; y1; x2; y2; start xs; ys; end xe; ye
    Text = 6,      // x; y; the text (the rest, ";" allowed)
    Solid = 7,     // four corners
    Colour = 8,    // colour number
    TextStyle = 9, // height; width; n (skipped); angle
    Window = 10,   // viewport px1; py1; px2; py2 (integers); world wx1; wy1; wx2; wy2
    LineStyle = 11,
    LineWidth = 12,
    Pause = 13,     // milliseconds
    SheetFrame = 14 // x1; y1; x2; y2: the frame of a drawing sheet, four lines
};

// General number format with at most 8 significant digits: fixed notation
// from 0.00001 up to 8 integer digits, otherwise d.dddE+XX; trailing zeros
// and an unneeded point dropped (2.5, 40, 123.45679, 1.5E-06, 1E+09).
std::string FormatGraphReal(Extended v);
void AppendGraphReal(std::string& out, Extended v);

// One record: the kind, ";" and the fields joined by ";".
std::string MakeRealRecord(TRecordKind kind, std::initializer_list<Extended> fields);
std::string MakeIntRecord(TRecordKind kind, long long n);
std::string MakeTextRecord(Extended x, Extended y, std::string_view text);
std::string MakeWindowRecord(int32_t px1, int32_t py1, int32_t px2, int32_t py2, Extended wx1, Extended wy1,
                             Extended wx2, Extended wy2);

// The same records written straight into the list's store, for the drawing
// calls that record millions of them.
void AppendRealRecord(TDrawRecordList& list, TRecordKind kind, std::initializer_list<Extended> fields);
void AppendIntRecord(TDrawRecordList& list, TRecordKind kind, long long n);

// A record read back. Kind 0 stands for a record that draws nothing (kind not
// an integer, 0 or above 14). A field that is not a number reads as 0.
struct TDisplayRecord {
    int Kind = 0;
    Extended F[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    long long N = 0;
    std::string_view Text; // kind 6: the rest of the record, points into it
};

TDisplayRecord ParseDisplayRecord(std::string_view record);

// The same for the replay, which reads millions of records at every paint:
// the reals as the doubles every field is read as (the extended values above
// are those doubles), and only the members the record's kind has written,
// the others left as they were; Kind is always written.
struct TRecordReading {
    int Kind = 0;
    double F[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    long long N = 0;
    std::string_view Text;
};

void ReadDisplayRecord(std::string_view record, TRecordReading& r);

// The display list and the pen its last records set. Its one instance
// DisplayList is written by the drawing facade (and by the window calls of
// the mapping) and read by the window's replay; neither reaches the list
// through the other.
struct TDisplayList {
    TDrawRecordList Records;
    // Counts the times the list was emptied; a replay that lets events
    // through stops when it changed under it.
    uint64_t Generation = 0;
    // Colour, style and width of the last record of their kind; a repeat
    // records nothing.
    int32_t CurrentColour = -1;
    uint16_t CurrentLineStyle = 99;
    uint16_t CurrentLineWidth = 1;
    // Where the frames of an animation begin, in recording order: the
    // first mark starts its first frame. Each frame is erased again before
    // the next, so the picture it ends with is what lies before the first
    // mark and from the last mark on.
    std::vector<size_t> FrameStarts;

    // Empties the list; the pen stays.
    void Clear();
    // The next colour, style and width are recorded whatever they are.
    void ForgetPen();
    // Drops the records from `from` up to `to` but the last of each kind
    // that sets the pen, position, text style or window, so the records after
    // them are drawn as before: an animation ended early keeps its last
    // frame only.
    void DropDrawing(size_t from, size_t to);
    // The records [From, To) that draw the frames an animation erased
    // before the last one it showed (a replay stopped by Escape ends the list
    // with the frame then shown); an empty range without an animation.
    void ErasedFrames(size_t& From, size_t& To) const;
};

extern TDisplayList DisplayList;

// Back to the start-up state: an empty list and no pen.
void ResetDisplayList();
