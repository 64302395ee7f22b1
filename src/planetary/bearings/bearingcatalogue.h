#pragma once
// The rolling-bearing catalogues: one table per bearing type in the table
// directory, a row picked in the table browser, read into the catalogue
// record of its type and copied into the bearing record of a planet, whose
// life is then calculated.

#include "foundation/types.h"
#include "planetary/bearings/planetbearing.h"

#include <cstdint>
#include <string>
#include <vector>

// One catalogue row as read: the field texts by field number (entry 0 is
// not used) and its record number.
struct TBearingCatalogueRecord {
    int32_t RecordNo = 0;
    std::vector<std::string> Fields;
};
using RIKULA_Record = TBearingCatalogueRecord;
using PEKULA_Record = TBearingCatalogueRecord;
using NADELHUL_Record = TBearingCatalogueRecord;
using NALAOI_Record = TBearingCatalogueRecord;
using ZYROLA_Record = TBearingCatalogueRecord;
using KEROLA_Record = TBearingCatalogueRecord;
using PEROLA_Record = TBearingCatalogueRecord;
using SCHRKULA_Record = TBearingCatalogueRecord;
using SCHRKU2_Record = TBearingCatalogueRecord;
using NADELK_Record = TBearingCatalogueRecord;

struct TBearingCatalogue {
    // The row of each type read last, by bearing type 1..10.
    TArray<TBearingCatalogueRecord, 1, 10> Records;
};
extern TBearingCatalogue bearingcatalogue;
void ResetBearingCatalogue();

// Reads the current row of the open table into the catalogue record of the
// type.
void ReadBearingCatalogueRow(int BearingType);

// Copies the catalogue record of the type into the bearing record R as the
// type's field layout gives it (designation, dimensions, load ratings,
// speeds and the type's further values; the derived angles and factors).
void CopyBearingCatalogueRecord(int BearingType, WaelzLagerTyp& R);

// BearingTypeCode 0 asks for the type first. IndexMode 1: the table in the
// order of bore, outer diameter and width, positioned on the bearing chosen
// before or near WishedBore, and the picked row read. TakeRow 0: a browse
// from the main menu, which never changes the bearing record.
void SelectBearingFromCatalogue(int BearingTypeCode, int n, int IndexMode, Extended WishedBore, Extended Fr,
                                Extended Fa, Extended Speed, int TakeRow, int PairMode, int Config);
