#include "planetary/bearings/xyfactors.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "planetary/bearings/bearingdialogservices.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/filelines.h"
#include "platform/platform.h"

#include <cmath>
#include <optional>
#include <vector>

namespace
{

struct XYRow {
    Extended f0 = 0, e = 0, X = 0, Y = 0;
};

// One row of the table as the file holds it.
struct XYTableRow {
    Extended f0 = 0, e = 0, X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// The largest table read: nine rows are under a kilobyte.
constexpr std::size_t XYTableMaxBytes = std::size_t{1} << 20;
// X of a groove ball bearing never exceeds 1; Y, e and Fa/C0 of the
// published tables stay below 3. The bounds leave room for a user's table
// and catch a damaged digit that moved a decimal point.
constexpr Extended XMax = 1;
constexpr Extended YMax = 10;
constexpr Extended EMax = 10;
constexpr Extended FaC0Max = 10;

void Refuse(const std::string& Text)
{
    AddErrorMessage(Text);
    telmvar.Aborted = true;
}

bool IsBlank(const std::string& Line)
{
    return Line.find_first_not_of(" \t") == std::string::npos;
}

// Parses the whole table. Every row must be complete, every number line a
// number in its range, Fa/C0 rising from row to row, e not falling and the
// axial factor Y2 not rising (as in every published table): a damaged
// table, a dropped line or noise is refused at the line where it shows,
// before any of its values is used.
bool ParseXYTable(const std::vector<std::string>& Lines, std::vector<XYTableRow>& Rows, TFileFault& Fault)
{
    auto fail = [&](std::size_t index, const std::string& reason) {
        Fault.Line = static_cast<int>(index) + 1;
        Fault.Reason = reason;
        return false;
    };
    std::size_t end = Lines.size();
    // Blank lines after the last row are no row.
    while (end > 0 && IsBlank(Lines[end - 1]))
        --end;

    // Header: every line up to and including the first whose first character
    // is above "0". An empty line counts as a header line.
    std::size_t pos = 0;
    bool headerEnded = false;
    while (!headerEnded && pos < end) {
        const std::string& h = Lines[pos++];
        headerEnded = !h.empty() && static_cast<unsigned char>(h[0]) > static_cast<unsigned char>('0');
    }
    if (!headerEnded) return fail(end, "the title line and the rows of factors are missing");

    static const char* const names[] = {"Fa/C0", "e", "X1", "Y1", "X2", "Y2"};
    static const Extended highs[] = {FaC0Max, EMax, XMax, YMax, XMax, YMax};
    while (pos < end) {
        const int row = static_cast<int>(Rows.size()) + 1;
        const std::string rowText = "row " + std::to_string(row);
        Extended label = 0;
        if (TryTextToFloat(Lines[pos], label) || IsBlank(Lines[pos]))
            return fail(pos, "label of " + rowText + " expected, a line is missing or added above");
        if (end - pos < 7) return fail(end, "the table ends inside " + rowText);
        Extended v[6] = {};
        for (int k = 0; k < 6; ++k) {
            const std::size_t at = pos + 1 + static_cast<std::size_t>(k);
            if (!TryTextToFloat(CommaToPoint(Lines[at]), v[k]) || !std::isfinite(v[k]))
                return fail(at, std::string(names[k]) + " of " + rowText + ": number expected");
            // Fa/C0 is a ratio of loads, above 0; the factors may be 0.
            const bool low = k == 0 ? v[k] <= 0 : v[k] < 0;
            if (low || v[k] > highs[k])
                return fail(at, std::string(names[k]) + " of " + rowText + " " + TrimBlanks(Lines[at]) +
                                    " outside " + (k == 0 ? "(0" : "0") + " .. " + RangeBoundText(highs[k]));
        }
        const XYTableRow r{v[0], v[1], v[2], v[3], v[4], v[5]};
        if (!Rows.empty()) {
            const XYTableRow& p = Rows.back();
            if (r.f0 <= p.f0) return fail(pos + 1, "Fa/C0 of " + rowText + " not above the row before");
            if (r.e < p.e) return fail(pos + 2, "e of " + rowText + " below the row before");
            if (r.Y2 > p.Y2) return fail(pos + 6, "Y2 of " + rowText + " above the row before");
        }
        Rows.push_back(r);
        pos += 7;
    }
    if (Rows.empty()) return fail(end, "the table holds no factors");
    return true;
}

// The help buttons of a bearing question show entry HelpNumber, as text or
// as picture, through the shell's help (none in a run without it).
platform::HelpButtons BearingHelpButtons()
{
    platform::HelpButtons help;
    if (!bearingdialogservices.ShowHelp) return help;
    help.OnHelpText = [] { bearingdialogservices.ShowHelp(telmvar.HelpNumber, 1); };
    help.OnHelpImage = [] { bearingdialogservices.ShowHelp(telmvar.HelpNumber, 2); };
    return help;
}

// A real between Lo and Hi typed by the user, asked again until the text is
// a number in the range. A text left as shown keeps the value bit for bit
// (the prompt shows three significant digits only). Cancel: Aborted set,
// Value kept.
void AskBearingValue(const std::string& Prompt, Extended& Value, Extended Lo, Extended Hi)
{
    auto& pf = platform::CurrentPlatform();
    const auto refuse = [&pf](const std::string& Text) {
        pf.Messages().ShowOk(telmvar.ProgramTitle, Text, platform::MessageIcon::Error);
    };
    const std::string shown = TrimBlanks(FloatToSignificant(Value));
    for (;;) {
        platform::TextPromptRequest r;
        r.Caption = "Input";
        r.Prompt = Prompt;
        r.Text = shown;
        r.MaxLength = 30;
        r.Help = BearingHelpButtons();
        const std::optional<std::string> typed = pf.Prompt().AskText(r);
        if (!typed) {
            telmvar.Aborted = true;
            return;
        }
        Extended v = Value;
        // "nan" and "inf" pass no range check honestly: no numbers here.
        if (*typed != shown && (!TryTextToFloat(CommaToPoint(TrimBlanks(*typed)), v) || !std::isfinite(v))) {
            refuse("Invalid Input \"" + *typed + "\" !");
            continue;
        }
        if (Lo <= v && v <= Hi) {
            Value = v;
            return;
        }
        refuse("Valid Data are: " + TrimBlanks(FloatToSignificant(Lo)) + " .. " +
               TrimBlanks(FloatToSignificant(Hi)) + " !");
    }
}

} // namespace

std::string XYFactorTableName(int XYTableChoice)
{
    switch (XYTableChoice) {
    case 2:
        return "rikula_n.hdf";
    case 3:
        return "rikul_c3.hdf";
    case 4:
        return "rikul_c4.hdf";
    case 5:
        return "rikula_u.hdf";
    default:
        return {};
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
        Refuse("file " + FileNameToOem(FileName) + " not found or no access !");
        return;
    }
    if (telmvar.Aborted) return;

    auto& f = textfile.SharedTextFile;
    AssignTextFile(f, FileName);
    if (!f.OpenRead(XYTableMaxBytes)) {
        Refuse("file " + FileNameToOem(FileName) + ": " + f.OpenFailure() + " !");
        return;
    }
    std::vector<std::string> lines;
    std::string line;
    while (f.ReadLine(line))
        lines.push_back(line);
    f.Close();

    std::vector<XYTableRow> table;
    TFileFault fault;
    if (!ParseXYTable(lines, table, fault)) {
        Refuse("factor table " + FileFaultMessage(FileName, fault));
        return;
    }

    // Below the first row the factors run from Fa/C0 = 0 with X 0.56, Y 2.0.
    XYRow previous;
    XYRow current{0, 0, 0.56L, 2.0L};
    int rows = 0;
    bool atEnd = false;
    for (const XYTableRow& row : table) {
        previous = current;
        // Which pair applies depends on the row's own e.
        const bool second = Fr == 0 || Fa / Fr >= row.e;
        current = XYRow{row.f0, row.e, second ? row.X2 : row.X1, second ? row.Y2 : row.Y1};
        ++rows;
        atEnd = rows == static_cast<int>(table.size());
        if (current.f0 >= r) break;
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

void AskXYFactors(int n)
{
    if (n < 1 || n > 2) {
        telmvar.Aborted = true;
        return;
    }
    WaelzLagerTyp& R = PlanetBearings[n];
    telmvar.HelpNumber = 4100;
    AskBearingValue("load distribution factor radial dynamic  X", R.X, 0, 100);
    if (telmvar.Aborted) return;
    telmvar.HelpNumber = 4110;
    AskBearingValue("load distribution factor axial dynamic  Y", R.Y, 0, 100);
}

void SelectXYFactorTable(int n, Extended Fr, Extended Fa)
{
    if (n < 1 || n > 2) {
        telmvar.Aborted = true;
        return;
    }
    WaelzLagerTyp& R = PlanetBearings[n];
    telmvar.HelpNumber = 4120;
    platform::SelectionRequest r;
    r.Caption = "Select";
    r.Prompt = "radial and axial factor";
    r.Items = {"radial and axial factor", "clearance normal (RIKULA_N.HDF)", "clearance C3 (RIKUL_C3.HDF)",
               "clearance C4 (RIKUL_C4.HDF)", "factors from user file (RIKULA_U.HDF)"};
    const int count = static_cast<int>(r.Items.size());
    r.Selected = R.XYTableChoice >= 1 && R.XYTableChoice <= count ? R.XYTableChoice - 1 : 0;
    r.Style = platform::SelectionStyle::Radio;
    r.Help = BearingHelpButtons();
    const std::optional<int> picked = platform::CurrentPlatform().Prompt().Select(r);
    if (!picked || *picked < 0 || *picked >= count) {
        telmvar.Aborted = true;
        return;
    }
    R.XYTableChoice = *picked + 1;
    if (R.XYTableChoice == 1)
        AskXYFactors(n);
    else
        LookupXYFactors(AddTrailingBackslash(telmvar.DbfDir) + XYFactorTableName(R.XYTableChoice), R.X, R.Y,
                        Fr, Fa, R.C0);
}
