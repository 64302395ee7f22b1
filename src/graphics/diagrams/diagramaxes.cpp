// The frame of a diagram: limits, title, axes with arrows, scales, axis
// titles and the dotted grid whose outer lines frame the plot area.
#include "graphics/diagrams/diagram.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphservices.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <string>
#include <utility>

namespace
{

TDiagramState& D = diagramstate;

struct TAxisScale {
    Extended Lo = 0;
    Extended Hi = 0;
    Extended Step = 0;
};

// The scale of one axis over the data limits Min..Max. A logarithmic axis
// takes the exponents with Log10Safe: a load-cycle axis that starts at 0
// cycles starts at 10^0 = 1, where log10 would give minus infinity and a
// tick loop that never ends.
TAxisScale ChooseScale(bool Logarithmic, Extended Min, Extended Max, int LogIntervals, int LinearIntervals)
{
    TAxisScale s;
    if (Logarithmic) {
        Extended lo = Log10Safe(Min);
        Extended hi = Log10Safe(Max);
        OrderDiagramLimits(lo, hi);
        NiceLogAxisScale(s.Lo, s.Hi, s.Step, lo, hi, LogIntervals);
    } else {
        NiceAxisScale(s.Lo, s.Hi, s.Step, Min, Max, LinearIntervals);
    }
    return s;
}

// The drawing position of a tick value and whether it is drawn: on a
// logarithmic axis the encoded number's exponent, kept only within the
// limits (the y axis checks only the upper one).
bool TickPosition(bool Logarithmic, bool CheckLower, Extended T, const TAxisScale& S, Extended& P)
{
    if (!Logarithmic) {
        P = T;
        return true;
    }
    P = LogTickPosition(T);
    // The top tick and the limit are the same number worked out along two
    // roads (4000 as 3.4 and as log10 4000); rounding must not drop the
    // line that closes the plot area.
    constexpr Extended Tolerance = 1e-9L;
    return (!CheckLower || S.Lo - Tolerance <= P) && P <= S.Hi + Tolerance;
}

std::string ScaleNumber(bool Logarithmic, Extended T, Extended P)
{
    return FloatToTextAuto(Logarithmic ? PowerOf10(P) : T);
}

// The limits dialog is for drawings whose device the user chose or that go
// to a file; never for one drawn straight onto the screen, nor in a run
// started with a project and a switch on the command line.
bool AskForLimits()
{
    return cadstate.CadRequestedDevice != 3 && wtelmvar.EnterDiagramLimits &&
           textutil.CommandLineParams.size() < 2;
}

} // namespace

void DrawDiagramAxes(const std::string& XLabel, const std::string& YLabel, const std::string& Title,
                     Extended XMin, Extended YMin, Extended XMax, Extended YMax, uint16_t Mode)
{
    const bool logX = DiagramLogX();
    const bool logY = DiagramLogY();
    // 1. Ordered limits; data that are not numbers do not make a scale.
    OrderDiagramLimits(XMin, XMax);
    OrderDiagramLimits(YMin, YMax);
    printsettings.GraphContentKind = 1;

    // 2. Title, never left of the plot area.
    CadSetLayer(4);
    DiagramSetTextStyle(2, 0, 3.5L, 2.5L);
    const Extended titleX = std::max(D.DiagPlotX0, D.DiagPlotX0 + D.DiagPlotWidth / 2 -
                                                       1.75L * static_cast<Extended>(Title.size()));
    CadText(Title, titleX, D.DiagPlotY0 + D.DiagPlotHeight + 3);
    CadSetLayer(17);

    // 3. Automatic scales.
    TAxisScale x = ChooseScale(logX, XMin, XMax, 8, 6);
    TAxisScale y = ChooseScale(logY, YMin, YMax, 12, 6);

    // 4. The user's limits.
    if (AskForLimits()) {
        telmvar.Aborted = false;
        graphservices.EnterDiagramLimits(XLabel, YLabel, Title, x.Lo, y.Lo, x.Hi, y.Hi);
        if (!telmvar.Aborted) {
            XMin = D.DiagLimits[1];
            YMin = D.DiagLimits[2];
            XMax = D.DiagLimits[3];
            YMax = D.DiagLimits[4];
            // Limits typed the wrong way round would give a negative step.
            OrderDiagramLimits(XMin, XMax);
            OrderDiagramLimits(YMin, YMax);
            x = ChooseScale(logX, XMin, XMax, 5, 6);
            y = ChooseScale(logY, YMin, YMax, 12, 6);
        }
        // Cancel is no failure: the automatic limits stay and the caller's
        // drawing goes on.
        telmvar.Aborted = false;
    }

    // 5. The module limits.
    SetDiagramRange(x.Lo, y.Lo, x.Hi, y.Hi);
    D.DiagMarkerStep = x.Step;
    const Extended XR = D.DiagXGridStep;
    const Extended YR = D.DiagYGridStep;

    // 6. x axis with its arrow.
    if (y.Lo <= 0 && 0 <= y.Hi && Mode != 3) {
        DiagramRawLine(x.Lo, 0, x.Hi + 0.05L * XR, 0);
        DrawArrowHead(1, DiagramX(x.Hi + 0.05L * XR), DiagramY(0), 0.04L * D.DiagPlotWidth);
    }

    // 7., 8. x scale: ticks, numbers unless Mode 3.
    DiagramSetTextStyle(2, 0, 2.2L, 1.65L);
    const std::vector<Extended> xTicks = DiagramScaleValues(x.Lo, x.Hi, x.Step);
    for (Extended t : xTicks) {
        Extended p = 0;
        if (!TickPosition(logX, true, t, x, p)) continue;
        DiagramRawLine(p, y.Lo, p, y.Lo - 0.01L * YR);
        if (Mode == 3) continue;
        const std::string number = ScaleNumber(logX, t, p);
        DiagramRawText(number, p - static_cast<Extended>(number.size()) * 0.01L * XR, y.Lo - 0.05L * YR);
    }

    // 9. x title.
    if (Mode == 0 || Mode == 1)
        DiagramRawText(XLabel, x.Hi + 0.06L * XR, y.Lo - 0.05L * YR);
    else if (Mode == 2)
        DiagramRawText(XLabel, x.Hi + 0.01L * XR, y.Lo + 0.03L * YR);

    // 10. y axis with its arrow, in every Mode.
    if (x.Lo <= 0 && 0 <= x.Hi) {
        DiagramRawLine(0, y.Lo, 0, y.Hi + 0.05L * YR);
        DrawArrowHead(2, DiagramX(0), DiagramY(y.Hi + 0.05L * YR), 0.04L * D.DiagPlotHeight);
    }

    // 11., 12. y scale.
    DiagramSetTextStyle(2, 0, 2.2L, 1.65L);
    const std::vector<Extended> yTicks = DiagramScaleValues(y.Lo, y.Hi, y.Step);
    for (Extended t : yTicks) {
        Extended p = 0;
        if (!TickPosition(logY, false, t, y, p)) continue;
        DiagramRawLine(x.Lo, p, x.Lo - 0.01L * XR, p);
        DiagramRawText(ScaleNumber(logY, t, p), x.Lo - 0.1L * XR, p - 0.01L * YR);
    }

    // 13. y title.
    DiagramRawText(YLabel, x.Lo - 0.1L * XR, y.Hi + 0.07L * YR);

    // 14. Dotted grid; on a linear axis its outer lines frame the plot area.
    // A logarithmic x axis gets a finer grid (1, 2, ... 9, 10, 20 ...).
    CadSetLayer(17);
    Extended gridStep = x.Step;
    if (logX) gridStep = ChooseScale(true, XMin, XMax, 60, 6).Step;
    CadSetLineStyle(1);
    for (Extended t : DiagramScaleValues(x.Lo, x.Hi, gridStep)) {
        Extended p = 0;
        if (TickPosition(logX, true, t, x, p)) DiagramRawLine(p, y.Lo, p, y.Hi);
    }
    for (Extended t : yTicks) {
        Extended p = 0;
        if (TickPosition(logY, false, t, y, p)) DiagramRawLine(x.Lo, p, x.Hi, p);
    }
}
