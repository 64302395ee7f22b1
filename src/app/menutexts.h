#pragma once
// The menu texts by language. Two groups of caption texts: the general
// group (file, edit, view ... words every program of the family shares) and
// the program group (the words of the planetary stage). A language switch
// fills each group from that language's block; a language without a block
// for a group leaves that group as it was, so French shows its own general
// words next to the stage words of the language set before it.
//
// Texts are bytes in the language's code page (Windows-1252, Korean 949,
// Chinese GBK); MenuCodePage tells the Qt edge how to read them.

#include <string>

struct TGeneralMenuTexts {
    // The language the group was last filled from.
    int Code = 2;
    std::string MenuTextMenu;
    std::string MenuTextFile;
    std::string MenuTextNew;
    std::string MenuTextOpen;
    std::string MenuTextSave;
    std::string MenuTextSaveAs;
    std::string MenuTextReset;
    std::string MenuTextSettings;
    std::string MenuTextExit;
    std::string MenuTextPrint;
    std::string MenuTextCopy;
    std::string MenuTextPaste;
    std::string MenuTextSelectAll;
    std::string MenuTextEdit;
    std::string MenuTextText;
    std::string MenuTextQuick;
    std::string MenuTextMaterial;
    std::string MenuTextApplication;
    std::string MenuTextPreDimensioning;
    std::string MenuTextCalculationMethod;
    std::string MenuTextView;
    std::string MenuTextStandard;
    std::string MenuTextDatabase;
    std::string MenuTextCAD;
    std::string MenuTextProductionDrawing;
    std::string MenuTextDrawing;
    std::string MenuTextProjection;
    std::string MenuTextProfile;
    std::string MenuTextDocument;
    std::string MenuTextDrawingData;
    std::string MenuTextModificationsInfo;
    std::string MenuTextModificationsPrintout;
    std::string MenuTextModificationNew;
    std::string MenuTextEditPreviousModification;
    std::string MenuTextDeletePreviousModification;
    std::string MenuTextDocumentSetup;
    std::string MenuTextHelp;
    std::string MenuTextAuxiliaryImages;
    std::string MenuTextErrorMessages;
    std::string MenuTextHomepage;
    std::string MenuTextEMailMaker;
    std::string MenuTextSafety;
    std::string MenuTextPrintout;
    std::string MenuTextLanguage;
    std::string MenuTextDimensions;
    std::string MenuTextAnimation;
    std::string MenuTextTable;
    std::string MenuTextEManual;
};

struct TProgramMenuTexts {
    // The language the group was last filled from.
    int Code = 2;
    std::string MenuTextCuttingTool;
    std::string MenuTextToothContact;
    std::string MenuTextToothContact2;
    std::string MenuTextStrength;
    std::string MenuTextGeometry;
    std::string MenuTextLoadSpectrum;
    std::string MenuTextLifeExpectation;
    std::string MenuTextMeasurement;
    std::string MenuTextPlanetaryGear;
    std::string MenuTextCarrier;
    std::string MenuTextQuality;
    std::string MenuTextProductionSheet;
    std::string MenuTextTooth;
    std::string MenuTextDimensionsAndStrength;
    std::string MenuTextInputOutput;
    std::string MenuTextGearWheels;
    std::string MenuTextRollerBearing;
    std::string MenuTextSpecificSliding;
};

extern TGeneralMenuTexts menutexts;
extern TProgramMenuTexts programtexts;

// Both groups in English, as at start-up before a configuration is read.
void ResetMenuTexts();

// The general group for the codes 1 to 9 and 12; any other code changes
// nothing.
void SetMenuLanguage(int Code);
// The program group for the codes 1, 2, 6, 7, 8 and 12; any other code
// changes nothing.
void SetMenuTexts(int Code);

// The code page of a language's texts: 949 Korean, 936 Chinese, else 1252.
int MenuCodePage(int Code);

// The code pages of the two groups as they are filled now. They differ after
// a switch from Korean or Chinese to a language without a program block, so
// each caption carries the code page of the group it was made from.
int GeneralCodePage();
int ProgramCodePage();

namespace menutextblocks
{
// Key order of the blocks; a null entry leaves its key unchanged.
inline constexpr int GeneralKeyCount = 48;
inline constexpr int ProgramKeyCount = 18;
extern const char* const General1[GeneralKeyCount];
extern const char* const General2[GeneralKeyCount];
extern const char* const General3[GeneralKeyCount];
extern const char* const General4[GeneralKeyCount];
extern const char* const General5[GeneralKeyCount];
extern const char* const General6[GeneralKeyCount];
extern const char* const General7[GeneralKeyCount];
extern const char* const General8[GeneralKeyCount];
extern const char* const General9[GeneralKeyCount];
extern const char* const General12[GeneralKeyCount];
extern const char* const Program1[ProgramKeyCount];
extern const char* const Program2[ProgramKeyCount];
extern const char* const Program6[ProgramKeyCount];
extern const char* const Program7[ProgramKeyCount];
extern const char* const Program8[ProgramKeyCount];
extern const char* const Program12[ProgramKeyCount];
} // namespace menutextblocks
