#include "planetary/bearings/xyfactors.h"

#include "foundation/messagecollector.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/utilmath.h"
#include "foundation/utilstr.h"

#include <vector>

namespace {

struct XYRow {
    Extended f0 = 0, e = 0, X = 0, Y = 0;
};

// A number line as the line reader takes it: every "," is a decimal point,
// a line that is no number counts as 0.
Extended NumberOf(std::string Line)
{
    for (char& c : Line)
        if (c == ',')
            c = '.';
    return TextToFloat(Line);
}

void Refuse(const std::string& Text)
{
    AddErrorMessage(Text);
    telmvar.Aborted = true;
}

} // namespace

std::string XYFactorTableName(int XYTableChoice)
{
    switch (XYTableChoice) {
    case 2: return "rikula_n.hdf";
    case 3: return "rikul_c3.hdf";
    case 4: return "rikul_c4.hdf";
    case 5: return "rikula_u.hdf";
    default: return {};
    }
}

void LookupXYFactors(const std::string& FileName, Extended& X, Extended& Y, Extended Fr, Extended Fa,
                     Extended C0)
{
    if (C0 == 0) {
        AddErrorMessage("Fatal  : C0 = 0 !");
        return;
    }
    if (Fr == 0 && Fa == 0) {
        AddErrorMessage("Fatal  : Fr=0, Fa=0 !");
        return;
    }
    const Extended r = Fa / C0;
    if (!FileCanOpen(FileName)) {
        Refuse("file " + FileName + " not found or no access !");
        return;
    }
    if (telmvar.Aborted)
        return;

    auto& f = textfile.SharedTextFile;
    AssignTextFile(f, FileName);
    if (!ResetTextFile(f))
        return;
    std::vector<std::string> lines;
    std::string line;
    while (ReadTextLine(line))
        lines.push_back(line);
    CloseTextFile(f);
    if (telmvar.Aborted)
        return;
    // Blank lines after the last row are no row.
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos)
        lines.pop_back();

    // Header: every line up to and including the first whose first character
    // is above "0". An empty line counts as a header line.
    std::size_t pos = 0;
    bool headerEnded = false;
    while (!headerEnded && pos < lines.size()) {
        const std::string& h = lines[pos++];
        headerEnded = !h.empty() && static_cast<unsigned char>(h[0]) > static_cast<unsigned char>('0');
    }

    // Below the first row the factors run from Fa/C0 = 0 with X 0.56, Y 2.0.
    XYRow previous;
    XYRow current{0, 0, 0.56L, 2.0L};
    int rows = 0;
    bool atEnd = pos >= lines.size();
    bool broken = false;
    while (!atEnd) {
        if (lines.size() - pos < 7) {
            broken = true;
            break;
        }
        previous = current;
        // Line pos is the row's label; which pair applies depends on the
        // row's own e.
        const Extended f0 = NumberOf(lines[pos + 1]);
        const Extended e = NumberOf(lines[pos + 2]);
        const bool second = Fr == 0 || Fa / Fr >= e;
        current = XYRow{f0, e, NumberOf(lines[pos + (second ? 5 : 3)]), NumberOf(lines[pos + (second ? 6 : 4)])};
        pos += 7;
        ++rows;
        atEnd = pos >= lines.size();
        if (current.f0 >= r)
            break;
    }

    if (broken || rows == 0) {
        Refuse("file " + FileName + (rows == 0 && !broken ? " holds no factors !" : " ends inside a row !"));
        return;
    }
    if (r == 0) {
        X = 0.56L;
        Y = 2.0L;
    } else if (atEnd && (current.f0 <= r || rows == 1)) {
        // Beyond the last row (or a table of one row): its factors unchanged.
        X = current.X;
        Y = current.Y;
    } else {
        // Between two rows, also between the last two: the table's last
        // interval is interpolated like every other.
        X = LinearInterpolate(previous.f0, previous.X, current.f0, current.X, r);
        Y = LinearInterpolate(previous.f0, previous.Y, current.f0, current.Y, r);
    }
    if (Fr > 0 && current.e >= Fa / Fr) {
        X = 1;
        Y = 0;
    }
}
