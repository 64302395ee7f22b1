#pragma once
// Settings with their start-up defaults. The configuration file and dialog
// overwrite them at start-up; everything else only reads them.

#include "foundation/types.h"

#include <cstdint>
#include <string>

struct TWtelmvar {
    // 0 metric (N, MPa), 1 imperial, 2 metric (kN, MPa), 3 metric (N, N/mm2),
    // 4 metric (kN, N/mm2); values are converted on display and input only.
    uint16_t UnitSystem = 0;
    // Names shown in the unit-system choice, in DOS code page 437
    // (0xF8 degree, 0xFD superscript two).
    TArray<std::string, 0, 4> UnitSystemNames;
    // 0: unit labels use code-page bytes for superscript two, micro and
    // degree; 1: plain ASCII spellings.
    uint16_t UnitCharMode = 0;
    // Text conversion for CAD output: 1 unchanged, 2 display conversion,
    // 3 ASCII substitution.
    uint16_t CadTextMode = 2;
    // 1 decimal degrees, otherwise degrees, minutes and seconds.
    uint16_t AngleFormat = 1;
    uint16_t DateFormatCode = 3;
    uint16_t DecimalPointMode = 1; // 1 point, 2 comma in report numbers
    uint16_t ExcelDecimalMode = 2;
    // Decimal separator that number texts are written with. Number texts
    // never follow the process locale: this setting alone decides, and every
    // reader accepts "," as well as "." whatever it holds.
    char RegionalDecimalSeparator = '.';
    // When set, the math and geometry helpers add no messages.
    bool HideWarnings = false;
    int32_t Language = 0;
    int32_t FontPercent = 100;
    int32_t ScreenPercent = 102;
    int32_t DialogScaleMode = 0; // 2: dialogs are not scaled
    int32_t ScreenSizeCode = 1;
    int32_t DialogWindowSizeCode = 1;
    int32_t TextWindowSizeCode = 1;
    uint16_t TextDevice = 1;
    bool TextDeviceDialog = false;
    uint16_t PrintHeaderMode = 1; // 1 header on every page, 2 on page 1 only
    int32_t HeaderSpaceLines = 0;
    uint16_t IndexStyle = 0;
    int32_t TitleBlockType = 2;
    int32_t DrawingBorderWidth = 1;
    uint16_t DatabaseMode = 1;
    bool CopyDbfToTemp = false;
    bool CadSkipSaveDialog = false;
    bool SmallOnlineWindow = false;
    bool EnterDiagramLimits = false;
    bool UseCurrentFile = false;
    bool SaveMenuLanguage = false;
    int32_t ResultGraphicMode = 0;
    TArray<std::string, 1, 4> RecentFiles;
    int32_t RecentMenuIndex = 0;
    // Tool paths as the configuration file stores them; the platform layer
    // decides how to launch them.
    std::string ExternalDatabasePath = "C:\\DBFEDIT\\DBFEDIT.EXE";
    std::string WordProcessorPath = "C:\\WINDOWS\\WRITE.EXE";
    std::string HtmlBrowserPath = "c:\\Program Files\\Internet Explorer\\Iexplore.exe";
    std::string ConfigDir;      // current directory at start
    std::string WorkingDir;     // current directory at start
    std::string DefaultDataDir; // current directory at start
    std::string ManualDir;
};

extern TWtelmvar wtelmvar;

// Restores the start-up defaults, the unit-system names included.
void ResetWtelmvar();

// Whether a configured tool path means "the desktop's own program for the
// document": none at all, or a path of the Windows configuration
// ("c:\Program Files\..."), which names no program here. The drive letter's
// ":" is read as such only in this test: a stored Windows path keeps meaning
// the desktop's program.
bool UsesDesktopProgram(const std::string& Path);
