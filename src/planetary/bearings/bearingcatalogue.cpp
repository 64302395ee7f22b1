#include "planetary/bearings/bearingcatalogue.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/catalogue/cataloguerecord.h"
#include "planetary/bearings/bearinglife.h"
#include "planetary/bearings/xyfactors.h"
#include "platform/platform.h"
#include "xbase/access/tableaccess.h"

#include <cmath>

TBearingCatalogue bearingcatalogue;

void ResetBearingCatalogue()
{
    bearingcatalogue = TBearingCatalogue{};
}

namespace
{

std::string Trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

struct TRow {
    const TBearingCatalogueRecord& r;
    std::string Text(int k) const
    {
        return k >= 1 && k < static_cast<int>(r.Fields.size()) ? Trim(r.Fields[static_cast<std::size_t>(k)])
                                                               : "";
    }
    Extended Real(int k) const { return TextToFloat(Text(k)); }
    Extended Int(int k) const
    {
        const std::string t = Text(k);
        int32_t v = TextToInt(t);
        if (v == 0 && !t.empty()) v = static_cast<int32_t>(std::lround(static_cast<double>(TextToFloat(t))));
        return v;
    }
};

using Member = Extended WaelzLagerTyp::*;

// Where a type's fields land; 0 = not from the table. An "i" field is
// an integer field; nPerm2 may be 0.75 of the nPerm field instead.
struct TLayout {
    int B, C, C0, nPerm2, nPerm, Cu, Price, CatText2;
    bool CuInt;
    bool nPerm2FromNPerm;
    std::vector<std::pair<Member, int>> Reals;
    std::vector<std::pair<Member, int>> Ints;
    std::vector<Member> Zero;
};

using W = WaelzLagerTyp;

const TLayout& Layout(int type)
{
    static const TLayout layouts[11] = {
        {},
        // 1 groove ball bearing
        {4,
         6,
         7,
         8,
         9,
         14,
         15,
         16,
         false,
         false,
         {{&W::CatValue2, 5}, {&W::d1, 10}, {&W::D1, 11}, {&W::CatValue4, 12}, {&W::CatValue5, 13}},
         {},
         {&W::CatValue1, &W::X, &W::Y, &W::e, &W::Y1, &W::Y2, &W::Y0}},
        // 2 self-aligning ball bearing
        {4,
         5,
         6,
         7,
         8,
         21,
         22,
         23,
         false,
         false,
         {{&W::Weight, 9},
          {&W::CatValue2, 12},
          {&W::d1, 10},
          {&W::D1, 11},
          {&W::CatValue4, 13},
          {&W::CatValue5, 14},
          {&W::CatValue7, 15},
          {&W::e, 16},
          {&W::Y1, 17},
          {&W::Y2, 18},
          {&W::Y0, 19},
          {&W::alpha, 20}},
         {},
         {&W::CatValue1, &W::X, &W::Y}},
        // 3 needle bush
        {4,
         7,
         8,
         0,
         10,
         9,
         12,
         13,
         false,
         true,
         {{&W::CatValue1, 5}, {&W::CatValue2, 6}},
         {{&W::CatValue3, 11}},
         {&W::X, &W::Y, &W::e, &W::Y1, &W::Y2, &W::Y0}},
        // 4 needle bearing without inner ring
        {4,
         6,
         7,
         9,
         10,
         8,
         14,
         15,
         true,
         false,
         {{&W::CatValue2, 5}, {&W::CatValue7, 13}},
         {},
         {&W::CatValue1, &W::X, &W::Y, &W::e, &W::Y1, &W::Y2, &W::Y0}},
        // 5 cylindrical roller bearing
        {4,
         5,
         6,
         8,
         9,
         7,
         21,
         22,
         true,
         false,
         {{&W::d1, 11}, {&W::D1, 12}, {&W::Y1, 13}, {&W::CatValue2, 14}, {&W::CatValue7, 15}},
         {},
         {&W::CatValue1, &W::X, &W::Y, &W::e, &W::Y2, &W::Y0}},
        // 6 taper roller bearing
        {12,
         5,
         6,
         8,
         9,
         7,
         31,
         32,
         true,
         false,
         {{&W::CatValue6, 4},
          {&W::Weight, 10},
          {&W::d1, 11},
          {&W::CatValue1, 13},
          {&W::CatValue9, 13},
          {&W::CatValue2, 14},
          {&W::CatValue7, 15},
          {&W::CatValue8, 16},
          {&W::CatValue4, 19},
          {&W::CatValue5, 21},
          {&W::e, 27},
          {&W::Y, 28},
          {&W::Y0, 29},
          {&W::alpha, 30}},
         {},
         {&W::X, &W::Y1, &W::Y2}},
        // 7 self-aligning roller bearing
        {4,
         5,
         6,
         8,
         9,
         7,
         22,
         23,
         true,
         false,
         {{&W::Weight, 10},
          {&W::d1, 11},
          {&W::D1, 12},
          {&W::CatValue2, 13},
          {&W::CatValue4, 14},
          {&W::CatValue5, 15},
          {&W::CatValue7, 16},
          {&W::e, 17},
          {&W::Y1, 18},
          {&W::Y2, 19},
          {&W::Y0, 20},
          {&W::alpha, 21}},
         {},
         {&W::CatValue1, &W::X, &W::Y}},
        // 8 angular contact ball bearing, single
        {4,
         5,
         6,
         8,
         9,
         7,
         19,
         20,
         true,
         false,
         {{&W::Weight, 10},
          {&W::d1, 11},
          {&W::D1, 12},
          {&W::CatValue2, 13},
          {&W::CatValue7, 14},
          {&W::CatValue9, 15},
          {&W::CatValue4, 16},
          {&W::CatValue5, 17}},
         {},
         {&W::X, &W::Y1, &W::Y2}},
        // 9 angular contact ball bearing, double
        {4,
         5,
         6,
         9,
         10,
         7,
         20,
         21,
         true,
         false,
         {{&W::Weight, 11},
          {&W::d1, 12},
          {&W::D1, 13},
          {&W::CatValue2, 14},
          {&W::CatValue7, 15},
          {&W::CatValue9, 16},
          {&W::CatValue4, 17},
          {&W::CatValue5, 18}},
         {{&W::alpha, 8}},
         {&W::X, &W::Y1, &W::Y2}},
        // 10 needle cage
        {4,
         5,
         6,
         0,
         8,
         7,
         11,
         12,
         true,
         true,
         {},
         {{&W::CatValue3, 9}},
         {&W::CatValue1, &W::CatValue2, &W::X, &W::Y, &W::e, &W::Y1, &W::Y2, &W::Y0}},
    };
    return layouts[type];
}

// The fields of a type's table that the copy reads as numbers.
std::vector<int> NumberFields(int type)
{
    const TLayout& l = Layout(type);
    std::vector<int> fields = {2, 3, l.B, l.C, l.C0, l.nPerm, l.Cu, l.Price};
    if (!l.nPerm2FromNPerm) fields.push_back(l.nPerm2);
    for (auto [m, k] : l.Reals)
        fields.push_back(k);
    for (auto [m, k] : l.Ints)
        fields.push_back(k);
    return fields;
}

Extended Degrees(Extended rad)
{
    return rad * 180 / Pi;
}

} // namespace

void ReadBearingCatalogueRow(int BearingType)
{
    if (BearingType < 1 || BearingType > 10) return;
    auto& rec = bearingcatalogue.Records[BearingType];
    rec.RecordNo = DbfRecNo();
    const int count = dbf4.FieldCount();
    rec.Fields.assign(static_cast<std::size_t>(count) + 1, "");
    for (int k = 1; k <= count; ++k)
        rec.Fields[static_cast<std::size_t>(k)] = DbfFieldText(k);
}

void CopyBearingCatalogueRecord(int BearingType, WaelzLagerTyp& R)
{
    if (BearingType < 1 || BearingType > 10) return;
    const TRow row{bearingcatalogue.Records[BearingType]};
    const TLayout& l = Layout(BearingType);
    R.BearingType = BearingType;
    R.CatalogueRecNo = row.r.RecordNo;
    // Departs from the plain copy of the catalogue's texts: the dataset
    // gives them in the Windows code page (a table with OEM text read through
    // OEM to ANSI), the project keeps its texts in the DOS code page, as a
    // designation typed into the dialog is kept.
    R.Designation = AnsiTextToOem(row.Text(1));
    R.d = row.Real(2);
    R.D = row.Real(3);
    R.B = row.Real(l.B);
    R.C = row.Int(l.C);
    R.C0 = row.Int(l.C0);
    R.nPerm = row.Int(l.nPerm);
    R.nPerm2 = l.nPerm2FromNPerm ? 0.75L * R.nPerm : row.Int(l.nPerm2);
    R.Cu = l.CuInt ? row.Int(l.Cu) : row.Real(l.Cu);
    R.Price = row.Real(l.Price);
    R.CatText2 = AnsiTextToOem(row.Text(l.CatText2));
    for (auto [m, k] : l.Reals)
        R.*m = row.Real(k);
    for (auto [m, k] : l.Ints)
        R.*m = row.Int(k);
    for (Member m : l.Zero)
        R.*m = 0;
    // Angles the table leaves open follow from the other values.
    if (BearingType == 2 && R.alpha == 0 && R.D + R.d != 0)
        R.alpha = Degrees(std::atan((4 * R.B - R.D + R.d) / (2 * (R.D + R.d))));
    if (BearingType == 6 || BearingType == 7) {
        const Extended y = BearingType == 6 ? row.Real(28) : row.Real(20);
        if (R.alpha == 0 && y > 0) R.alpha = Degrees(std::atan(0.4L / y));
    }
    if (BearingType == 8) R.alpha = 40;
    if ((BearingType == 8 || BearingType == 9) && R.alpha != 0) R.Y = 0.4L / std::tan(R.alpha * Pi / 180);
}

void SelectBearingFromCatalogue(int BearingTypeCode, int n, int IndexMode, Extended WishedBore, Extended Fr,
                                Extended Fa, Extended Speed, int TakeRow, int PairMode, int Config)
{
    auto& pf = platform::CurrentPlatform();
    int type = BearingTypeCode;
    if (type == 0) {
        platform::SelectionRequest req;
        req.Caption = "Select..";
        for (int k = 1; k <= 10; ++k)
            req.Items.push_back(BearingTypeNames[k]);
        const auto choice = pf.Prompt().Select(req);
        if (!choice) {
            telmvar.Aborted = true;
            return;
        }
        type = *choice + 1;
    }
    if (type < 1 || type > 10 || n < 1 || n > 2) {
        telmvar.Aborted = true;
        return;
    }
    const std::string table = std::string(BearingTableNames[type]) + ".dbf";
    if (!CheckFileExists(AddTrailingBackslash(telmvar.DbfDir) + table)) return;
    DbfSetTitles(" " + telmvar.ProgramName + "   " + "database" + " " + BearingTypeNames[type] + " ",
                 "bearing load Fr = " + FloatToSignificant(Fr) + " N   Fa = " + FloatToSignificant(Fa) +
                     " N ");
    if (!DbfOpen(table)) return;
    WaelzLagerTyp& R = PlanetBearings[n];
    if (IndexMode > 0)
        DbfCreateTempIndex(DbfFieldName(2) + "*1000000+" + DbfFieldName(3) + "*1000+" + DbfFieldName(4),
                           "$teltemp");
    if (R.BearingType == type && R.CatalogueRecNo != 0) {
        DbfGo(R.CatalogueRecNo);
    } else if (IndexMode > 0) {
        DbfCreateTempIndex(DbfFieldName(2), "$telbore");
        DbfFind(FormatFloatFixedFile(4, 1, WishedBore));
        if (!DbfFound()) DbfFirst();
        // Browse in the order of bore, outer diameter and width again.
        const int32_t here = DbfRecNo();
        dbf4.SetIndexTo(TempFilePath("$teltemp"));
        DbfGo(here);
    } else {
        DbfFirst();
    }
    // The type's own help entry, then the browser's entry for the type.
    telmvar.HelpNumber = static_cast<uint16_t>(8500 + 5 * type);
    telmvar.HelpNumber = static_cast<uint16_t>(8400 + 5 * type);
    DbfBrowse("", static_cast<uint16_t>(TakeRow));
    if (telmvar.Aborted) {
        telmvar.Aborted = true;
        DbfClose();
        return;
    }
    // A browse that takes no row (the main menu's table command) leaves the
    // bearing as it is: an old catalogue record must never replace it.
    if (TakeRow == 0) {
        DbfClose();
        return;
    }
    // A row one of whose numbers does not read is not taken: neither into
    // the bearing nor as the type's row read last.
    if (const std::string fault = CatalogueNumberFault(table, NumberFields(type)); !fault.empty()) {
        DbfClose();
        RefuseCatalogueRecord(fault, table);
        return;
    }
    ReadBearingCatalogueRow(type);
    CopyBearingCatalogueRecord(type, R);
    DbfClose();
    if (type == 1) {
        // X and Y of normal clearance at once, for the new C0; then the user
        // says where they come from.
        LookupXYFactors(AddTrailingBackslash(telmvar.DbfDir) + XYFactorTableName(2), R.X, R.Y, Fr, Fa, R.C0);
        SelectXYFactorTable(n, Fr, Fa);
        // The row is taken whatever the answer: Cancel keeps the source as it
        // was (and the normal-clearance X and Y just read), and a table that
        // cannot be read is refused again by the life calculation below with
        // a fatal message instead of an old life standing beside the new
        // bearing.
        telmvar.Aborted = false;
    }
    pf.ScreenCursor().Set(platform::CursorShape::Arrow);
    telmvar.FatalCalcError = false;
    CalcBearingLife(n, PairMode, Config, std::fabs(Fr), std::fabs(Fa), Speed);
}
