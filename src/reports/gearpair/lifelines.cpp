// Service-life lines of the strength pages: finite life in hours and load
// cycles when a safety factor is too low.
#include "foundation/numbertext.h"
#include "gearpair/gearpairdata.h"
#include "reports/engine/reportcolumns.h"
#include "reports/gearpair/gearpairreport.h"

#include <cmath>
#include <string>

namespace
{

// ISO 6336 asks a margin of 1.16 before the life is called finite; the DIN
// methods state life only below a safety of 1.
bool LifeLinesDue(const PairArray<Extended>& S, uint16_t Method)
{
    const Extended limit = Method == 4 ? 1.16L : 1.0L;
    return S[1] < limit || S[2] < limit;
}

// Load cycles from which the life counts as endless.
constexpr Extended InfiniteCycles = 9999999999.0L;

} // namespace

void ReportLifeToothBreakage(const PairArray<Extended>& SF, const PairArray<Extended>& tF, uint16_t Method)
{
    if (!LifeLinesDue(SF, Method)) return;
    const auto& p = GearPair;
    PairArray<std::string> life, cycles;
    for (int i = 1; i <= 2; ++i) {
        if (p.NLF[i] >= InfiniteCycles) {
            life[i] = "infinite";
            cycles[i] = " > 1E10";
        } else if (p.NLF[i] == 0) {
            life[i] = "breakage !";
            cycles[i] = "   0 !";
        } else {
            life[i] = FloatToField(7, std::fabs(tF[i]));
            cycles[i] = FloatToTextAutoE(p.NLF[i]);
        }
    }
    PrintReportRow2("lifetime until tooth breakage", "tF", "h", life[1], life[2]);
    PrintReportRow2("cycles until tooth breakage", "NLF", "", cycles[1], cycles[2]);
}

void ReportLifePitting(const PairArray<Extended>& SH, const PairArray<Extended>& tH1,
                       const PairArray<Extended>& tH2, uint16_t Method)
{
    if (!LifeLinesDue(SH, Method)) return;
    const auto& p = GearPair;
    PairArray<std::string> t1, n1, t2, n2;
    for (int i = 1; i <= 2; ++i) {
        if (p.NLH[i] >= InfiniteCycles) {
            t1[i] = "infinite";
            n1[i] = "> 1E10";
        } else if (tH1[i] == 0) {
            t1[i] = "Pitting!";
            n1[i] = " 0 !";
        } else {
            t1[i] = FloatToSignificantLess(2, std::fabs(tH1[i]));
            n1[i] = FloatToTextAutoE(p.NLH[i]);
        }
        if (p.NLH2[i] >= 1e10L) {
            t2[i] = "infinite";
            n2[i] = " > 1E10";
        } else if (tH2[i] == 0) {
            t2[i] = "Pitting!";
            n2[i] = "   0 !";
        } else {
            t2[i] = FloatToSignificantLess(2, std::fabs(tH2[i]));
            n2[i] = FloatToTextAutoE(p.NLH2[i]);
        }
    }
    // Extreme pitting is worth its own lines only where it comes later.
    const bool extreme = !(tH2[1] == tH1[1] && tH2[2] == tH1[2]);
    PrintReportRow2("time until pitting", "tH1", "h", t1[1], t1[2]);
    if (extreme) PrintReportRow2("time until extreme pitting", "tH2", "h", t2[1], t2[2]);
    PrintReportRow2("cycles until Pitting", "NLH1", "", n1[1], n1[2]);
    if (extreme) PrintReportRow2("cycles until extrem.Pitting", "NLH2", "", n2[1], n2[2]);
}
