#include "gearpair/catalogue/gearcatalogue.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/catalogue/cataloguerecord.h"
#include "gearpair/gearpairdata.h"
#include "platform/platform.h"
#include "xbase/access/tableaccess.h"

#include <cmath>

TGearCatalogue gearcatalogue;

void ResetGearCatalogue()
{
    gearcatalogue = TGearCatalogue{};
}

namespace
{

const char* const MaterialTable = "qyrwst.dbf";
const char* const ToolTable = "q1toolx.dbf";

bool ValidGear(uint16_t gear)
{
    return gear == 1 || gear == 2;
}

std::string RTrim(const std::string& s)
{
    std::size_t e = s.find_last_not_of(' ');
    return e == std::string::npos ? "" : s.substr(0, e + 1);
}

void SetArrow()
{
    platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Arrow);
}

} // namespace

void SelectGearMaterial(uint16_t Gear, uint16_t Mode, uint16_t TitleGear)
{
    const bool forGear = Mode == 1 || Mode == 3;
    if (forGear && !ValidGear(Gear)) {
        telmvar.Aborted = true;
        return;
    }
    if (!CheckFileExists(AddTrailingBackslash(telmvar.DbfDir) + MaterialTable)) return;
    const std::string title =
        forGear ? "material database gear " + std::to_string(TitleGear != 0 ? TitleGear : Gear)
                : "material database";
    if (!DbfOpen(MaterialTable)) return;
    auto& g = GearPair;
    if (forGear) DbfGo(g.MaterialRecordNo[Gear]);
    DbfSetTitles("", title);
    telmvar.HelpNumber = 9500;
    DbfBrowse("", Mode);
    // The fields read as numbers below: a record one of them does not read
    // in is not taken at all.
    const std::string fault =
        !telmvar.Aborted && forGear ? CatalogueNumberFault(MaterialTable, {2, 4, 6, 7, 8, 9, 10, 11}) : "";
    if (!telmvar.Aborted && fault.empty()) {
        if (forGear) {
            // Departs from the plain copy of field 1: the dataset gives the
            // catalogue's text in the Windows code page (a table with OEM
            // text read through OEM to ANSI), the project keeps its names in
            // the DOS code page, as a name typed into the dialog is kept.
            g.MaterialName[Gear] = AnsiTextToOem(RTrim(DbfFieldText(1)));
            g.MaterialKind[Gear] = DbfFieldInt(2);
            g.HeatTreatment[Gear] = DbfFieldInt(4);
            g.HB[Gear] = DbfFieldInt(6);
            g.SigmaHlim[Gear] = DbfFieldInt(7);
            g.Sigma_FE[Gear] = DbfFieldInt(8);
            g.E[Gear] = DbfFieldInt(9);
            g.nu[Gear] = DbfFieldFloat(10);
            g.rho[Gear] = DbfFieldFloat(11);
            g.MaterialRecordNo[Gear] = telmvar.SelectedRecordNo;
        } else {
            telmvar.Aborted = true;
        }
    }
    DbfClose();
    if (!fault.empty()) RefuseCatalogueRecord(fault, MaterialTable);
    SetArrow();
}

void SelectToolProfile(uint16_t Gear, uint16_t Mode, uint16_t TitleGear)
{
    if (Mode != 0 && !ValidGear(Gear)) {
        telmvar.Aborted = true;
        return;
    }
    if (!CheckFileExists(AddTrailingBackslash(telmvar.DbfDir) + ToolTable)) return;
    const std::string title =
        Mode != 0 ? "profile of reference rack gear " + std::to_string(TitleGear != 0 ? TitleGear : Gear)
                  : "profile of reference rack";
    if (!DbfOpen(ToolTable)) return;
    auto& g = GearPair;
    if (Mode != 0) DbfGo(g.ToolRecordNo[Gear]);
    DbfSetTitles("", title);
    telmvar.HelpNumber = 9510;
    DbfBrowse("", Mode);
    const std::string fault =
        !telmvar.Aborted && Mode != 0 ? CatalogueNumberFault(ToolTable, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) : "";
    if (!telmvar.Aborted && Mode != 0 && fault.empty()) {
        g.ToolRecordNo[Gear] = telmvar.SelectedRecordNo;
        g.hfP0_mn[Gear] = DbfFieldFloat(1);
        g.haP0_mn[Gear] = DbfFieldFloat(2);
        g.rhoaP0_mn[Gear] = DbfFieldFloat(3);
        g.alphakP0[Gear] = DbfFieldFloat(4);
        g.hFfP0_mn[Gear] = DbfFieldFloat(5);
        g.alphaprP0[Gear] = DbfFieldFloat(6);
        g.prP0_mn[Gear] = DbfFieldFloat(7);
        g.rhofP0_mn[Gear] = DbfFieldFloat(8);
        g.alpha = DbfFieldFloat(9);
        gearcatalogue.LastToolModule = DbfFieldFloat(10);
        // Departs from the plain copy of field 15, as the material's name
        // above: the DOS code page of the project's names.
        g.ProfileName[Gear] = AnsiTextToOem(RTrim(DbfFieldText(15)));
        g.ToolProfileNo[Gear] = 0;
    } else {
        telmvar.Aborted = true;
    }
    DbfClose();
    if (!fault.empty()) {
        // Refused, not cancelled: the module of a record not taken is no
        // matter for the gear.
        RefuseCatalogueRecord(fault, ToolTable);
        SetArrow();
        return;
    }
    if (Mode == 1 || Mode == 3) {
        const Extended m = gearcatalogue.LastToolModule;
        if (m != 0 && std::fabs(m - g.mn) > 1e-9L * std::fabs(m))
            ShowErrorBoxIfEnabled("Q1TOOLX-MODUL <> mn !");
    }
    SetArrow();
}

void AppendToolProfile(uint16_t Gear)
{
    if (!ValidGear(Gear)) {
        telmvar.Aborted = true;
        return;
    }
    if (!CheckFileExists(AddTrailingBackslash(telmvar.DbfDir) + ToolTable)) return;
    if (!DbfOpen(ToolTable)) return;
    auto& g = GearPair;
    // The new profile holds what the tool gives and nothing else: started
    // from the current record (the first one after the open), it would take
    // that record's standard, tool kind and remarks and pose as that tool.
    DbfNewRecord();
    DbfSetFieldFloat(1, static_cast<double>(g.hfP0_mn[Gear]));
    DbfSetFieldFloat(2, static_cast<double>(g.haP0_mn[Gear]));
    DbfSetFieldFloat(3, static_cast<double>(g.rhoaP0_mn[Gear]));
    DbfSetFieldFloat(4, static_cast<double>(g.alphakP0[Gear]));
    DbfSetFieldFloat(5, g.alpha != g.alphakP0[Gear] ? static_cast<double>(g.hFfP0_mn[Gear]) : 0.0);
    DbfSetFieldFloat(6, static_cast<double>(g.alphaprP0[Gear]));
    DbfSetFieldFloat(7, static_cast<double>(g.prP0_mn[Gear]));
    DbfSetFieldFloat(8, static_cast<double>(g.rhofP0_mn[Gear]));
    DbfSetFieldFloat(9, static_cast<double>(g.alpha));
    DbfSetFieldFloat(10, static_cast<double>(g.mn));
    // The project's name (DOS code page) goes in as the dataset takes a
    // text (Windows code page), so that a pick gives it back as typed.
    DbfSetFieldText(15, OemToAnsiText(g.ProfileName[Gear]));
    // Only a record that is really there may become the gear's profile.
    if (DbfAppendRecord()) {
        g.ToolRecordNo[Gear] = DbfRecNo();
        g.ToolProfileNo[Gear] = 0;
    } else {
        telmvar.Aborted = true;
    }
    DbfClose();
    SetArrow();
}
