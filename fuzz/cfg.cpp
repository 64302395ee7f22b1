// Fuzz target of the configuration reader: the bytes are the configuration
// file. Whatever it holds, every setting with a fallback must come out inside
// its range, the file must be closed again, the copy switch never carries
// over, and what the reader took must survive being written and read again.
#include "app/configio.h"
#include "app/programidentity.h"
#include "app/windowplacement.h"
#include "dialogs/messageboxes.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "graphics/cadsettings.h"
#include "graphics/graphsettings.h"
#include "reports/textview/printsettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "scratch.h"

namespace
{

const std::string& ScratchDir()
{
    static const std::string dir = fuzzscratch::Dir("cfg") + "/";
    return dir;
}

void Check(bool ok)
{
    if (!ok) std::abort();
}

void ResetAll()
{
    ResetFoundationState();
    ResetCadSettings();
    ResetGraphSettings();
    ResetPrintSettings();
    ResetMessageboxes();
    ResetWinutil();
    configio.ConfigReserved = 0;
    configio.FallbackDirs.clear();
    InitProgramIdentity();
    telmvar.MessagesEnabled = false;
    wtelmvar.ConfigDir = ScratchDir();
}

void CheckRanges()
{
    Check(!textfile.SharedTextFile.IsOpen());
    Check(!wtelmvar.CopyDbfToTemp);
    Check(telmvar.DecimalDigits >= 1 && telmvar.DecimalDigits <= 9);
    Check(telmvar.LinesPerPage >= 5);
    Check(telmvar.PrinterPort != 0 && telmvar.HardcopyPort != 0);
    Check(telmvar.PrintDensityVertical >= 1 && telmvar.PrintDensityVertical <= 4);
    Check(cadsettings.PlotCmdCount >= 1 && cadsettings.PlotCmdCount <= PlotCmdMax);
    Check(wtelmvar.TextDevice >= 1 && wtelmvar.TextDevice <= 9);
    Check(wtelmvar.UnitSystem <= 4);
    Check(wtelmvar.DecimalPointMode >= 1 && wtelmvar.DecimalPointMode <= 2);
    Check(wtelmvar.HeaderSpaceLines >= 0 && wtelmvar.HeaderSpaceLines <= 30);
    Check(cadsettings.DxfDecimals >= 1 && cadsettings.DxfDecimals <= 32);
    Check(wtelmvar.AngleFormat >= 1 && wtelmvar.AngleFormat <= 2);
    Check(wtelmvar.FontPercent >= 0);
    Check(cadsettings.CadArcResolution > 0);
    for (int l = 0; l <= 5; ++l)
        Check(cadsettings.LayerLineWidths[l] >= 1 && cadsettings.LayerLineWidths[l] <= 255);
    for (int n = 16; n <= 31; ++n)
        Check(cadsettings.LayerColours16[n] != 0);
    Check(!printsettings.PrintFontName.empty() && printsettings.PrintFontSize != 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetAll();
    const std::string name = ScratchDir() + "qyr7.cfg";
    if (std::FILE* f = std::fopen(name.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    ReadConfigFile();
    CheckRanges();

    // Written and read again, the integer settings stay as they are.
    const auto pixelsX = telmvar.ScreenPixelsX;
    const auto lines = telmvar.LinesPerPage;
    const auto plotCount = cadsettings.PlotCmdCount;
    const auto plotLast = cadsettings.PlotCmdLines[plotCount];
    const auto device = wtelmvar.TextDevice;
    const auto reserved = configio.ConfigReserved;
    const auto colour = graphsettings.ColourTable[7];
    telmvar.Aborted = false;
    WriteConfigFile();
    // A text holding a line break (a lone CR the reader kept in its line)
    // is refused: nothing is written, the file stays as it was.
    if (configio.LineBreakItem != 0) {
        std::string kept;
        if (std::FILE* f = std::fopen(name.c_str(), "rb")) {
            for (int c; (c = std::fgetc(f)) != EOF;)
                kept += static_cast<char>(c);
            std::fclose(f);
        }
        Check(telmvar.Aborted && kept == std::string(reinterpret_cast<const char*>(data), size));
        return 0;
    }
    Check(!telmvar.Aborted);
    ResetAll();
    ReadConfigFile();
    CheckRanges();
    Check(telmvar.ScreenPixelsX == pixelsX || wtelmvar.ScreenSizeCode == 1 || wtelmvar.ScreenSizeCode == 2);
    Check(telmvar.LinesPerPage == lines);
    Check(cadsettings.PlotCmdCount == plotCount);
    Check(cadsettings.PlotCmdLines[plotCount] == plotLast);
    Check(wtelmvar.TextDevice == device);
    Check(configio.ConfigReserved == reserved);
    Check(graphsettings.ColourTable[7] == colour);
    return 0;
}
