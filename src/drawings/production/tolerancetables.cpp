// Flank tolerances and roll angles of one gear.
#include "drawings/production/productiontables.h"
#include "drawings/production/tablevalues.h"

#include "foundation/numbertext.h"
#include "foundation/unitsys.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadtable.h"

#include <cmath>
#include <iterator>

using namespace productiontables;

namespace
{

struct TToleranceRow {
    const char* Symbol;
    const char* Label;
    PairArray<Extended> TGearPairData::*Value;
};

const TToleranceRow IsoRows[] = {
    {"FpT", "Cumulat. pitch tolerance, total", &TGearPairData::FpT},
    {"fpT", "Single pitch tolerance", &TGearPairData::fpT},
    {"FalfaT", "Profile tolerance, total", &TGearPairData::FalphaT},
    {"ffalfaT", "Profile form tolerance", &TGearPairData::ffalphaT},
    {"fHalfaT", "Profile slope tolerance", &TGearPairData::fHalphaT},
    {"FbetaT", "Helix tolerance, total", &TGearPairData::FbetaT},
    {"ffbetaT", "Helix form tolerance, total", &TGearPairData::ffbetaT},
    {"fHbetaT", "Helix slope tolerance", &TGearPairData::fHbetaT},
    {"FisT", "Single flank compos.tol.,total", &TGearPairData::FisT},
    {"fisT", "Sing.flank comp.tol.,tooth-to-t.", &TGearPairData::fisT},
    {"fuT", "Adjacent pitch difference tol.", &TGearPairData::fuT},
    {"FrT", "Runout tolerance", &TGearPairData::FrT},
    {"Fi''", "radial composite deviation", &TGearPairData::Fi2},
    {"fi''", "tooth-to-tooth rad.comp.dev.", &TGearPairData::fi2},
};

const TToleranceRow DinRows[] = {
    {"ff", "profile form tolerance", &TGearPairData::ffalphaT},
    {"fHalfa", "profile slope tolerance", &TGearPairData::fHalphaT},
    {"Ff", "profile tolerance, total", &TGearPairData::FalphaT},
    {"fbef", "helix form tolerance", &TGearPairData::ffbetaT},
    {"fHbe", "helix slope tolerance", &TGearPairData::fHbetaT},
    {"Fbe", "helix tolerance, total", &TGearPairData::FbetaT},
    {"fp", "single pitch tolerance", &TGearPairData::fpT},
    {"fu", "adjacent pitch difference", &TGearPairData::fuT},
    {"Fp", "cumulative pitch tol.tot.", &TGearPairData::FpT},
    {"Fr", "runout tolerance", &TGearPairData::FrT},
};

} // namespace

int FlankToleranceTableRows()
{
    return 1 + static_cast<int>(GearPair.ToleranceStandard == 1 ? std::size(IsoRows) : std::size(DinRows));
}

void WriteFlankToleranceTable(int Gear, int TitleMode, Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    const int n = Gear;
    const std::string cls = IntToText(g.FlankToleranceClass[n]);
    const std::string standard = FlankToleranceStandardText(g.ToleranceStandard);
    TCadTable t;
    if (TitleMode == 1)
        t.InitEx(0, X, Y, H, {22, 7, 6}, {cls + "  " + standard});
    else
        t.InitEx(0, X, Y, H, {22, 6, 6}, {"flank tolerances " + cls + " " + "to" + " " + standard});
    auto rows = [&](const auto& Rows) {
        for (const TToleranceRow& r : Rows)
            // The tolerances are held in micrometres.
            t.AddRow(r.Label, r.Symbol, FormatLengthFixed(1, 3, (g.*r.Value)[n] / 1000));
    };
    if (g.ToleranceStandard == 1)
        rows(IsoRows);
    else
        rows(DinRows);
    t.Done();
}

void WriteRollAngleTable(int Gear, Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    const int n = Gear;
    TCadTable t;
    t.Init(X, Y, H, {8, 8, 8}, {g.PartNumber[n], "DIA. " + LengthUnitLabel(), "ROLL " + DegreeSign()});
    // Magnitudes: the ring's diameters are negative, and a negative
    // diameter never exceeds the negative base diameter, so every roll
    // angle of the ring would come out as 0.
    const Extended db = std::fabs(g.db[n]);
    const struct {
        const char* Symbol;
        Extended D;
    } rows[] = {{"da", g.da[n]}, {"dFa", g.dFamax[n]}, {"dNa", g.dNa[n]}, {"d", g.d[n]}, {"dNf", g.dNf[n]}};
    for (const auto& r : rows) {
        const Extended d = std::fabs(r.D);
        t.AddRow(r.Symbol, FormatLengthFixed(3, 2, d), FormatFloatFixed(3, 2, AngleFromRatio(d, db)));
    }
    t.Done();
}
