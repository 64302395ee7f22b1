#include "reports/engine/reportframes.h"

#include "foundation/programstate.h"

namespace
{

// DOS code page 437 box-drawing bytes.
constexpr char BoxSingleHorizontal = static_cast<char>(196);
constexpr char BoxDoubleHorizontal = static_cast<char>(205);
constexpr char BoxDoubleVertical = static_cast<char>(186);
constexpr char BoxDoubleTopLeft = static_cast<char>(201);
constexpr char BoxDoubleTopRight = static_cast<char>(187);
constexpr char BoxDoubleBottomLeft = static_cast<char>(200);
constexpr char BoxDoubleBottomRight = static_cast<char>(188);
constexpr char BoxDoubleTeeRight = static_cast<char>(204);
constexpr char BoxDoubleTeeLeft = static_cast<char>(185);

std::string Run(char C)
{
    return std::string(ReportLineWidth, C);
}

std::string Boxed(char Left, char Fill, char Right)
{
    return Left + std::string(ReportLineWidth - 2, Fill) + Right;
}

} // namespace

std::string RuleLineForMode(int Mode)
{
    switch (Mode) {
    case 1:
        return Run('-');
    case 2:
        return Run(BoxSingleHorizontal);
    case 3:
        return Run(' ');
    default:
        return ReportDropMarker;
    }
}

std::string DoubleRuleLineForMode(int Mode)
{
    switch (Mode) {
    case 1:
        return Run('=');
    case 2:
        return Run(BoxDoubleHorizontal);
    case 3:
        return Run(' ');
    default:
        return ReportDropMarker;
    }
}

std::string FrameTopLineForMode(int Mode)
{
    switch (Mode) {
    case 1:
        return Run('*');
    case 2:
        return Boxed(BoxDoubleTopLeft, BoxDoubleHorizontal, BoxDoubleTopRight);
    case 3:
        return Run(' ');
    default:
        return ReportDropMarker;
    }
}

std::string FrameBottomLineForMode(int Mode)
{
    switch (Mode) {
    case 1:
        return Run('*');
    case 2:
        return Boxed(BoxDoubleBottomLeft, BoxDoubleHorizontal, BoxDoubleBottomRight);
    case 3:
        return Run(' ');
    default:
        return ReportDropMarker;
    }
}

std::string FrameSeparatorLineForMode(int Mode)
{
    switch (Mode) {
    case 1:
        return Run('*');
    case 2:
        return Boxed(BoxDoubleTeeRight, BoxDoubleHorizontal, BoxDoubleTeeLeft);
    case 3:
        return Run(' ');
    default:
        return ReportDropMarker;
    }
}

char FrameSideCharForMode(int Mode)
{
    switch (Mode) {
    case 1:
        return '*';
    case 2:
        return BoxDoubleVertical;
    default:
        return ' ';
    }
}

std::string GetRuleLine()
{
    return RuleLineForMode(telmvar.PrintSeparatorMode);
}
std::string GetDoubleRuleLine()
{
    return DoubleRuleLineForMode(telmvar.PrintSeparatorMode);
}
std::string GetFrameTopLine()
{
    return FrameTopLineForMode(telmvar.PrintSeparatorMode);
}
std::string GetFrameBottomLine()
{
    return FrameBottomLineForMode(telmvar.PrintSeparatorMode);
}
std::string GetFrameSeparatorLine()
{
    return FrameSeparatorLineForMode(telmvar.PrintSeparatorMode);
}
char GetFrameSideChar()
{
    return FrameSideCharForMode(telmvar.PrintSeparatorMode);
}
