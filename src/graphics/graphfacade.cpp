#include "graphics/graphfacade.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphwindow.h"
#include "platform/platform.h"

#include <fstream>

TGraphFacade GraphFacade;

TGraphFacade::TGraphFacade() = default;

TGraphFacade::~TGraphFacade() = default;

void TGraphFacade::Init()
{
    DrawRecordList.clear();
    ++ListGeneration;
}

void TGraphFacade::Done()
{
    DrawRecordList.clear();
    DrawRecordList.shrink_to_fit();
    ++ListGeneration;
}

void TGraphFacade::Clear() { FTelmgra.Clear(); }

void TGraphFacade::ClearViewPort() { FTelmgra.ClearViewPort(); }

void TGraphFacade::SetWindow(bool aspect, bool frame, Extended vx1, Extended vy1, Extended vx2, Extended vy2,
                             Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    FTelmgra.SetWindow(aspect, frame, vx1, vy1, vx2, vy2, wx1, wy1, wx2, wy2);
}

void TGraphFacade::Header(Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    FTelmgra.Header(wx1, wy1, wx2, wy2);
}

void TGraphFacade::Header(int32_t, Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    FTelmgra.Header(wx1, wy1, wx2, wy2);
}

void TGraphFacade::Circle(Extended x, Extended y, Extended r) { FTelmgra.circle(x, y, r); }

void TGraphFacade::Line(Extended x1, Extended y1, Extended x2, Extended y2) { FTelmgra.line(x1, y1, x2, y2); }

void TGraphFacade::Arc(Extended x, Extended y, Extended StAngle, Extended EndAngle, Extended r)
{
    FTelmgra.Arc(x, y, StAngle, EndAngle, r);
}

void TGraphFacade::Solid(Extended x1, Extended y1, Extended x2, Extended y2, Extended x3, Extended y3, Extended x4,
                         Extended y4)
{
    FTelmgra.Solid(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TGraphFacade::Rectangle(Extended x1, Extended y1, Extended x2, Extended y2)
{
    FTelmgra.Rectangle(x1, y1, x2, y2);
}

void TGraphFacade::OutTextXY(Extended x, Extended y, const std::string& text)
{
    FTelmgra.OutTextXY(x, y, DisplayText(text));
}

void TGraphFacade::SetColor(int32_t c) { FTelmgra.SetColor(c); }

void TGraphFacade::SetCadColor(uint8_t c) { FTelmgra.SetColor(CadColorToPalette(c)); }

void TGraphFacade::SetLineStyle(uint16_t s) { FTelmgra.SetLineStyle(s); }

void TGraphFacade::SetLineStyleName(const std::string& name) { FTelmgra.SetLineStyleName(name); }

void TGraphFacade::SetLineWidth(uint16_t w) { FTelmgra.SetLineWidth(w); }

void TGraphFacade::SetTextStyle(int32_t n, Extended angle, Extended height, Extended width)
{
    FTelmgra.SetTextStyle(n, angle, height, width);
}

void TGraphFacade::SleepMs(int32_t ms) { FTelmgra.SleepMs(ms); }

void TGraphFacade::MoveTo(Extended x, Extended y) { FTelmgra.MoveTo(x, y); }

void TGraphFacade::LineTo(Extended x, Extended y) { FTelmgra.LineTo(x, y); }

void TGraphFacade::SetTextJustify(int32_t, int32_t) {}

void TGraphFacade::ShowMessage(const std::string& text)
{
    platform::CurrentPlatform().Messages().ShowOk("", text, platform::MessageIcon::Information);
}

bool TGraphFacade::CheckFileExists(const std::string& name)
{
    std::ifstream probe(NativePath(name), std::ios::binary);
    if (probe.is_open())
        return true;
    platform::CurrentPlatform().Messages().ShowOk("", WithoutBlanks(name) + " not found !",
                                                  platform::MessageIcon::Error);
    telmvar.Aborted = true;
    return false;
}

void TGraphFacade::SetWaitCursor() { FTelmgra.SetWaitCursor(); }

void TGraphFacade::SetNormalCursor() { FTelmgra.SetOldCursor(); }

uint8_t CadColorToPalette(uint8_t c)
{
    static constexpr uint8_t Low[8] = {0, 12, 14, 10, 11, 9, 13, 15};
    if (c > 16)
        c = c % 16;
    if (c <= 7)
        return Low[c];
    if (c <= 15)
        return static_cast<uint8_t>(c - 7);
    return 16;
}

std::string GetProjectFilePath()
{
    if (telmvar.ProjectName.empty())
        return "";
    // A name with the project extension is the path as it was given (the
    // archive mode's, kept when a save of it left that mode).
    if (telmvar.ArchiveMode || UpperCaseText(FileExtNoDot(telmvar.ProjectName)) == UpperCaseText(telmvar.DataExt))
        return telmvar.ProjectName;
    return AddTrailingBackslash(telmvar.DataDir) + telmvar.ProjectName + "." + telmvar.DataExt;
}
