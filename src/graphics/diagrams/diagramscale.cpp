// The state of the diagram, its mappings from data to drawing units and the
// scale rules of the axes.
#include "graphics/diagrams/diagram.h"

#include "foundation/guardedmath.h"

#include <cmath>
#include <utility>

TDiagramState diagramstate;

namespace
{

TDiagramState& D = diagramstate;

bool Finite(Extended X)
{
    return std::isfinite(X);
}

// A tick loop of a sane diagram has a dozen values; the grid of a
// logarithmic axis about sixty. Anything near this is a broken range.
constexpr int MaxScaleValues = 1000;

} // namespace

void ResetDiagramLayout()
{
    const TArray<Extended, 1, 4> limits = D.DiagLimits;
    D = TDiagramState{};
    D.DiagLimits = limits;
}

void ResetDiagramState()
{
    D = TDiagramState{};
}

void SetDiagramSize(Extended Width, Extended Height)
{
    D.DiagPlotWidth = Width;
    D.DiagPlotHeight = Height;
}

void SetDiagramOrigin(Extended X0, Extended Y0)
{
    D.DiagPlotX0 = X0;
    D.DiagPlotY0 = Y0;
}

void SetDiagramScaleType(uint16_t Type)
{
    D.DiagScaleType = Type;
}

uint16_t GetDiagramScaleType()
{
    return D.DiagScaleType;
}

bool DiagramLogX()
{
    return D.DiagScaleType == 3 || D.DiagScaleType == 4;
}

bool DiagramLogY()
{
    return D.DiagScaleType == 2 || D.DiagScaleType == 3;
}

void SetDiagramRange(Extended XMin, Extended YMin, Extended XMax, Extended YMax)
{
    D.DiagXMin = XMin;
    D.DiagYMin = YMin;
    D.DiagXMax = XMax;
    D.DiagYMax = YMax;
    D.DiagXGridStep = XMax - XMin;
    D.DiagYGridStep = YMax - YMin;
}

void ScaleDiagramRange(Extended FX, Extended FY)
{
    D.DiagXMin /= FX;
    D.DiagXMax /= FX;
    D.DiagMarkerStep /= FX;
    D.DiagYMin /= FY;
    D.DiagYMax /= FY;
    D.DiagXGridStep = D.DiagXMax - D.DiagXMin;
    D.DiagYGridStep = D.DiagYMax - D.DiagYMin;
}

Extended DiagramYMin()
{
    return DiagramLogY() ? PowerOf10(D.DiagYMin) : D.DiagYMin;
}

Extended DiagramYMax()
{
    return DiagramLogY() ? PowerOf10(D.DiagYMax) : D.DiagYMax;
}

namespace
{

// (V - Lo) / (Hi - Lo) x Length + Origin; a range of zero width (limits set
// directly, equal) or one that overflows puts everything at the origin.
Extended MapToPlot(Extended V, Extended Lo, Extended Hi, Extended Length, Extended Origin)
{
    const Extended range = Hi - Lo;
    if (range == 0 || !Finite(range)) return Origin;
    return (V - Lo) / range * Length + Origin;
}

Extended MapToData(Extended P, Extended Lo, Extended Hi, Extended Length, Extended Origin)
{
    if (Length == 0 || !Finite(Length)) return Lo;
    return (P - Origin) * (Hi - Lo) / Length + Lo;
}

} // namespace

Extended DiagramX(Extended X)
{
    return MapToPlot(X, D.DiagXMin, D.DiagXMax, D.DiagPlotWidth, D.DiagPlotX0);
}

Extended DiagramY(Extended Y)
{
    return MapToPlot(Y, D.DiagYMin, D.DiagYMax, D.DiagPlotHeight, D.DiagPlotY0);
}

Extended DiagramYLength(Extended Length)
{
    return MapToPlot(Length, 0, D.DiagYMax - D.DiagYMin, D.DiagPlotHeight, 0);
}

Extended PlotToDataX(Extended P)
{
    return MapToData(P, D.DiagXMin, D.DiagXMax, D.DiagPlotWidth, D.DiagPlotX0);
}

Extended PlotToDataY(Extended P)
{
    return MapToData(P, D.DiagYMin, D.DiagYMax, D.DiagPlotHeight, D.DiagPlotY0);
}

void NiceLogAxisScale(Extended& Lo, Extended& Hi, Extended& Step, Extended Min, Extended Max, int N)
{
    NiceAxisScale(Lo, Hi, Step, Min, Max, N);
    // A Hi that is not whole encodes a number below the next power of ten
    // (LogTickPosition); the limit becomes that number's exponent.
    const Extended h = RoundToDouble(Hi);
    if (std::fabs(h - std::trunc(h)) >= 1e-5L)
        Hi = std::log10(PowerOf10(std::trunc(Hi + 1)) * (std::fabs(Hi) - std::trunc(std::fabs(Hi))));
}

Extended LogTickPosition(Extended T)
{
    const Extended t = RoundToDouble(T);
    if (std::fabs(t - std::trunc(t)) < 1e-5L) return T;
    const Extended mantissa = std::fabs(T) - std::trunc(std::fabs(T));
    return std::log10(mantissa * PowerOf10(std::trunc(T + 1)));
}

std::vector<Extended> DiagramScaleValues(Extended Lo, Extended Hi, Extended Step)
{
    std::vector<Extended> values;
    if (!Finite(Lo)) return values;
    values.push_back(Lo);
    if (!(Step > 0) || !Finite(Step) || !Finite(Hi)) return values;
    const Extended end = Hi + Step;
    Extended t = Lo;
    while (static_cast<int>(values.size()) < MaxScaleValues) {
        const Extended next = t + Step;
        if (!(next > t)) break; // the step is lost against t
        t = next;
        if (ApproxEqual(t, end) || t > end) break;
        values.push_back(t);
    }
    return values;
}

void OrderDiagramLimits(Extended& Lo, Extended& Hi)
{
    if (!Finite(Lo) && !Finite(Hi)) {
        Lo = 0;
        Hi = 1;
    } else if (!Finite(Lo)) {
        Lo = Hi;
    } else if (!Finite(Hi)) {
        Hi = Lo;
    }
    if (Lo > Hi) std::swap(Lo, Hi);
}
