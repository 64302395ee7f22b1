#include "app/menutexts.h"

TGeneralMenuTexts menutexts;
TProgramMenuTexts programtexts;

namespace
{

using GeneralKey = std::string TGeneralMenuTexts::*;
using ProgramKey = std::string TProgramMenuTexts::*;

const GeneralKey GeneralKeys[menutextblocks::GeneralKeyCount] = {
    &TGeneralMenuTexts::MenuTextMenu,
    &TGeneralMenuTexts::MenuTextFile,
    &TGeneralMenuTexts::MenuTextNew,
    &TGeneralMenuTexts::MenuTextOpen,
    &TGeneralMenuTexts::MenuTextSave,
    &TGeneralMenuTexts::MenuTextSaveAs,
    &TGeneralMenuTexts::MenuTextReset,
    &TGeneralMenuTexts::MenuTextSettings,
    &TGeneralMenuTexts::MenuTextExit,
    &TGeneralMenuTexts::MenuTextPrint,
    &TGeneralMenuTexts::MenuTextCopy,
    &TGeneralMenuTexts::MenuTextPaste,
    &TGeneralMenuTexts::MenuTextSelectAll,
    &TGeneralMenuTexts::MenuTextEdit,
    &TGeneralMenuTexts::MenuTextText,
    &TGeneralMenuTexts::MenuTextQuick,
    &TGeneralMenuTexts::MenuTextMaterial,
    &TGeneralMenuTexts::MenuTextApplication,
    &TGeneralMenuTexts::MenuTextPreDimensioning,
    &TGeneralMenuTexts::MenuTextCalculationMethod,
    &TGeneralMenuTexts::MenuTextView,
    &TGeneralMenuTexts::MenuTextStandard,
    &TGeneralMenuTexts::MenuTextDatabase,
    &TGeneralMenuTexts::MenuTextCAD,
    &TGeneralMenuTexts::MenuTextProductionDrawing,
    &TGeneralMenuTexts::MenuTextDrawing,
    &TGeneralMenuTexts::MenuTextProjection,
    &TGeneralMenuTexts::MenuTextProfile,
    &TGeneralMenuTexts::MenuTextDocument,
    &TGeneralMenuTexts::MenuTextDrawingData,
    &TGeneralMenuTexts::MenuTextModificationsInfo,
    &TGeneralMenuTexts::MenuTextModificationsPrintout,
    &TGeneralMenuTexts::MenuTextModificationNew,
    &TGeneralMenuTexts::MenuTextEditPreviousModification,
    &TGeneralMenuTexts::MenuTextDeletePreviousModification,
    &TGeneralMenuTexts::MenuTextDocumentSetup,
    &TGeneralMenuTexts::MenuTextHelp,
    &TGeneralMenuTexts::MenuTextAuxiliaryImages,
    &TGeneralMenuTexts::MenuTextErrorMessages,
    &TGeneralMenuTexts::MenuTextHomepage,
    &TGeneralMenuTexts::MenuTextEMailMaker,
    &TGeneralMenuTexts::MenuTextSafety,
    &TGeneralMenuTexts::MenuTextPrintout,
    &TGeneralMenuTexts::MenuTextLanguage,
    &TGeneralMenuTexts::MenuTextDimensions,
    &TGeneralMenuTexts::MenuTextAnimation,
    &TGeneralMenuTexts::MenuTextTable,
    &TGeneralMenuTexts::MenuTextEManual,
};

const ProgramKey ProgramKeys[menutextblocks::ProgramKeyCount] = {
    &TProgramMenuTexts::MenuTextCuttingTool,     &TProgramMenuTexts::MenuTextToothContact,
    &TProgramMenuTexts::MenuTextToothContact2,   &TProgramMenuTexts::MenuTextStrength,
    &TProgramMenuTexts::MenuTextGeometry,        &TProgramMenuTexts::MenuTextLoadSpectrum,
    &TProgramMenuTexts::MenuTextLifeExpectation, &TProgramMenuTexts::MenuTextMeasurement,
    &TProgramMenuTexts::MenuTextPlanetaryGear,   &TProgramMenuTexts::MenuTextCarrier,
    &TProgramMenuTexts::MenuTextQuality,         &TProgramMenuTexts::MenuTextProductionSheet,
    &TProgramMenuTexts::MenuTextTooth,           &TProgramMenuTexts::MenuTextDimensionsAndStrength,
    &TProgramMenuTexts::MenuTextInputOutput,     &TProgramMenuTexts::MenuTextGearWheels,
    &TProgramMenuTexts::MenuTextRollerBearing,   &TProgramMenuTexts::MenuTextSpecificSliding,
};

const char* const* GeneralBlock(int Code)
{
    using namespace menutextblocks;
    switch (Code) {
    case 1:
        return General1;
    case 2:
        return General2;
    case 3:
        return General3;
    case 4:
        return General4;
    case 5:
        return General5;
    case 6:
        return General6;
    case 7:
        return General7;
    case 8:
        return General8;
    case 9:
        return General9;
    case 12:
        return General12;
    default:
        return nullptr;
    }
}

const char* const* ProgramBlock(int Code)
{
    using namespace menutextblocks;
    switch (Code) {
    case 1:
        return Program1;
    case 2:
        return Program2;
    case 6:
        return Program6;
    case 7:
        return Program7;
    case 8:
        return Program8;
    case 12:
        return Program12;
    default:
        return nullptr;
    }
}

} // namespace

void ResetMenuTexts()
{
    menutexts = TGeneralMenuTexts{};
    programtexts = TProgramMenuTexts{};
    SetMenuLanguage(2);
    SetMenuTexts(2);
}

void SetMenuLanguage(int Code)
{
    const char* const* block = GeneralBlock(Code);
    if (!block) return;
    for (int i = 0; i < menutextblocks::GeneralKeyCount; ++i)
        if (block[i]) menutexts.*GeneralKeys[i] = block[i];
    menutexts.Code = Code;
}

void SetMenuTexts(int Code)
{
    const char* const* block = ProgramBlock(Code);
    if (!block) return;
    for (int i = 0; i < menutextblocks::ProgramKeyCount; ++i)
        if (block[i]) programtexts.*ProgramKeys[i] = block[i];
    programtexts.Code = Code;
}

int MenuCodePage(int Code)
{
    if (Code == 8) return 949;
    if (Code == 12) return 936;
    return 1252;
}

int GeneralCodePage()
{
    return MenuCodePage(menutexts.Code);
}
int ProgramCodePage()
{
    return MenuCodePage(programtexts.Code);
}
