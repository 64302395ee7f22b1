#include "graphics/cad/cadtable.h"

#include "foundation/messagecollector.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>

void TCadTable::Init(Extended X0, Extended Y0, Extended H, std::initializer_list<Extended> Widths,
                     std::initializer_list<std::string> Headings)
{
    InitEx(0, X0, Y0, H, Widths, Headings);
}

void TCadTable::InitEx(int M, Extended X0, Extended Y0, Extended Hh, std::initializer_list<Extended> Widths,
                       std::initializer_list<std::string> Headings)
{
    TArray<Extended, 1, 7> w{};
    int k = 1;
    for (Extended v : Widths)
        if (k <= 7) w[k++] = v;
    Cells = {};
    k = 1;
    for (const std::string& s : Headings)
        if (k <= 7) Cells[k++] = s;

    Mode = M;
    First = M == 1 ? 2 : 1;
    H = Hh;
    Pitch = 2 * Hh;
    Top = Y0;
    Bottom = Y0 - Pitch;
    TextBase = Y0 - 1.5L * Hh;
    x[1] = M == 1 ? X0 - w[1] * Hh * 0.9L : X0;
    for (k = 1; k <= 7; ++k)
        x[k + 1] = x[k] + w[k] * Hh * 0.9L;
    // The first zero width ends the table. It is looked for from the first
    // column drawn: a hidden first column of width 0 ends nothing.
    N = 8;
    for (k = First; k <= 7; ++k)
        if (x[k + 1] == x[k]) {
            N = k;
            break;
        }

    CadSetLayer(FrameLayer);
    CadRectangle(x[First], Y0, x[N], Y0 - Pitch);
    if (First == 1) CadLine(x[1], Y0, x[1], Y0 - Pitch);
    CadLine(x[N], Y0, x[N], Y0 - Pitch);
    TextWidth = 0.75L * H;
    CadSetTextStyle(2, 0, H, TextWidth);
    const bool headed =
        std::any_of(Cells.begin(), Cells.end(), [](const std::string& s) { return !s.empty(); });
    if (!headed) return;
    CadSetLayer(TextLayer);
    for (int i = First; i <= N - 1; ++i)
        CadCellText(" " + Cells[i], x[i], TextBase, x[i + 1] - x[i], H, TextWidth);
    Bottom -= Pitch;
    TextBase -= Pitch;
}

void TCadTable::DrawRow(int Skip, int Shifted)
{
    CadSetLayer(FrameLayer);
    if (DrawRowLines) CadLine(x[First], Bottom, x[N], Bottom);
    for (int i = First; i <= N; ++i) {
        // Only an inner separator is left out: the frame stays closed.
        if (i == Skip && i != First && i != N) continue;
        if (DrawColumnLines || i == First || i == N) CadLine(x[i], Bottom, x[i], Bottom + Pitch);
    }
    CadSetLayer(TextLayer);
    // A cell reaches to the next separator drawn.
    for (int i = First; i <= N - 1; ++i) {
        const int right = i + 1 == Skip && i + 1 < N ? i + 2 : i + 1;
        const Extended from = i == Shifted ? (x[i] + x[i + 1]) / 2 : x[i];
        CadCellText(" " + Cells[i], from, TextBase, x[right] - from, H, TextWidth);
    }
    Bottom -= Pitch;
    TextBase -= Pitch;
}

void TCadTable::AddRow(const std::string& C1, const std::string& C2, const std::string& C3,
                       const std::string& C4, const std::string& C5, const std::string& C6,
                       const std::string& C7)
{
    Cells = {{{C1, C2, C3, C4, C5, C6, C7}}};
    DrawRow(0, 0);
}

void TCadTable::AddFlagRow(const std::string& C1, char Flag)
{
    const bool set = Flag == 'J' || Flag == 'j' || Flag == 'Y' || Flag == 'y';
    AddRow(C1, set ? "X" : "-");
}

void TCadTable::AddValueRow(const std::string& C1, const std::string& C2)
{
    Cells = {};
    Cells[1] = C1;
    Cells[2] = C2;
    DrawRow(3, 2);
}

void TCadTable::AddValueUnitRow(const std::string& C1, const std::string& C2, const std::string& C3)
{
    Cells = {};
    Cells[1] = C1;
    Cells[2] = C2;
    Cells[3] = C3;
    DrawRow(4, 3);
}

void TCadTable::ApplyTextStyle(Extended Width)
{
    TextWidth = Width;
    CadSetTextStyle(2, 0, H, Width);
}

void WriteErrorMessageTable(int Limit, Extended X0, Extended Y0, Extended H, Extended AvailableHeight)
{
    if (Limit <= 0) Limit = 31;
    const int count = std::min<int>(error0.ErrorCount, 12);
    // The heading and one row per message, 2 h each, in the height there is.
    if (count > 1 && AvailableHeight > 0.1L) H = std::min(H, AvailableHeight / (count + 1) / 2);
    if (count < 1) return;
    TCadTable t;
    t.Init(X0, Y0, H, {static_cast<Extended>(Limit)}, {"error messages"});
    for (int i = 1; i <= count; ++i)
        t.AddRow(error0.ErrorTexts[i]);
    t.Done();
}
