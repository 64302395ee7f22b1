#pragma once
// The rolling bearings of the two planet kinds: index 1 the inner planet Pi,
// index 2 the outer planet Pe. One record holds the catalogue choice, the
// operating data and every result of the life calculation.

#include "foundation/types.h"
#include "planetary/filelines.h"

#include <array>
#include <optional>
#include <string>

struct WaelzLagerTyp {
    int BearingType = 1;      // 1..10, BearingTypeNames
    int CatalogueRecNo = 0;   // row in the type's catalogue table; 0 none
    std::string Designation;  // empty: no bearing chosen
    Extended C0 = 0, C = 0;   // static and dynamic load rating
    Extended X = 1.0L, Y = 0; // factors of the dynamic equivalent load
    Extended P = 0, P0 = 0;   // dynamic and static equivalent load
    Extended Frm = 0;         // minimum radial load the bearing needs
    Extended FaPerm = 0;      // permissible axial load
    Extended L10 = 0;         // basic rating life, 10^6 revolutions
    Extended D = 0, d = 0, B = 0;
    Extended CatValue1 = 0, CatValue2 = 0.3L;
    Extended nPerm2 = 0, nPerm = 0;
    Extended CatValue3 = 0;
    Extended d1 = 0, D1 = 0; // inner ring outer / outer ring inner diameter
    Extended CatValue4 = 0, CatValue5 = 0, CatValue6 = 0, CatValue7 = 0, CatValue8 = 0, CatValue9 = 0;
    Extended alpha = 0; // contact angle, degrees
    Extended e = 0;     // limit of Fa/Fr
    Extended Y1 = 2.0L, Y2 = 2.0L, Y0 = 2.0L;
    Extended Weight = 0, Price = 0;
    std::string CatText2;
    Extended CRatio = 0, s0 = 0; // C/P, C0/P0
    Extended FrMin = 1000000;    // 0: the planet's centrifugal force
    Extended nu40 = 70, nu1 = 0, nu = 0;
    Extended Temperature = 50;
    Extended kappa = 1.0L, a23 = 1.0L, aISO = 1.0L;
    int ReliabilityIndex = 1;
    Extended Lna = 0;
    int XYTableChoice = 2;  // 1 entered, 2 normal, 3 C3, 4 C4, 5 user table
    int LifeFactorMode = 3; // 1 a23 calc, 2 a23 entered, 3 aISO calc, 4 aISO entered
    int ContaminationClass = 5;
    Extended eC = 0.2L, Cu = 0;
    bool EPAdditives = true;
    int BearingCount = 1; // bearings per planet
    int Arrangement = 2;  // 1 X, 2 O configuration

    friend bool operator==(const WaelzLagerTyp&, const WaelzLagerTyp&) = default;
};

extern TArray<WaelzLagerTyp, 1, 2> PlanetBearings;

// Both records to their defaults: no bearing chosen.
void InitPlanetBearings();

bool PlanetBearingDefined(int n);
bool BearingIsNJ(int n);
// Bearings mounted as a pair in X or O configuration.
bool BearingNeedsConfiguration(int n);
// Drops the catalogue choice of bearing n (0: both); type and operating data stay.
void ClearPlanetBearing(int n);

// Type names shown in lists and reports, by bearing type code 1..10.
extern const TArray<const char*, 1, 10> BearingTypeNames;
// Catalogue table of each bearing type (file name without ".dbf").
extern const TArray<const char*, 1, 10> BearingTableNames;
// Contamination levels 1..7 and the entry of eC by hand (8).
extern const TArray<const char*, 1, 8> ContaminationTexts;
// Life factor modes 1..4 (LifeFactorMode).
extern const TArray<const char*, 1, 4> LifeFactorModeTexts;
// Sources of X and Y 1..5 (XYTableChoice).
extern const TArray<const char*, 1, 5> XYSourceTexts;
// One letter per X/Y source: entered, table, table, mean, mean.
extern const TArray<const char*, 1, 5> XYSourceLetters;

// Number of lines of one bearing block in the project file.
constexpr int BearingBlockLines = 57;

// Appends the block of bearing n (1 or 2) to the file being written on the
// shared text file. A write error sets Aborted in the line writers; the
// following lines are still attempted, the caller tests Aborted once.
void SaveBearingData(int n);
// The first value of the record outside the range its field admits, as
// "planet bearing <n>: <field> <value> outside <lo> .. <hi>"; empty when
// every value can be written and read back.
std::string BearingRangeFault(const WaelzLagerTyp& Record, int n);
// The range of the number line of the block that holds the member of
// Record at Member (&Record.FrMin ...); nothing when no number line holds
// it. The operating-data form limits its fields by it, so that what it
// takes can be saved.
struct TBearingFieldRange {
    Extended Lo, Hi;
};
std::optional<TBearingFieldRange> BearingFieldRange(const WaelzLagerTyp& Record, const void* Member);
// Reads the block of bearing n from the file being read on the shared text
// file, the same lines in the same order, into Record. Every line must hold
// what its place asks for: a number in its field's range, a whole number for
// a word field (no wrapping to 16 bits), the codes within their lists,
// "TRUE" or "FALSE". Record is replaced only when the whole block came and
// its first line names bearing n; otherwise it keeps what it held, the
// result is false and Reader holds the line and the reason.
bool LoadBearingData(int n, TFileLineReader& Reader, WaelzLagerTyp& Record);
// The same into PlanetBearings[n], with a reader of its own.
bool LoadBearingData(int n);
