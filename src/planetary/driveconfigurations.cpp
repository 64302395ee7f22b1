#include "planetary/driveconfigurations.h"

#include "foundation/programstate.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"

#include <algorithm>

const TArray<TDriveConfiguration, 1, 6> DriveConfigurations = {{{{shaftS, shaftC},
                                                                 {shaftS, shaftH},
                                                                 {shaftC, shaftH},
                                                                 {shaftH, shaftC},
                                                                 {shaftH, shaftS},
                                                                 {shaftC, shaftS}}}};

namespace
{

// Puts the drive data back and calculates the stage again however the
// run ends, so the program goes on with the results it had.
class TDriveRestore
{
  public:
    TDriveRestore() : shafts_(PlanetaryShafts), nThird_(PlanetaryStage.nThird) {}
    TDriveRestore(const TDriveRestore&) = delete;
    TDriveRestore& operator=(const TDriveRestore&) = delete;
    void Restore()
    {
        if (done_) return;
        done_ = true;
        PlanetaryShafts = shafts_;
        PlanetaryStage.nThird = nThird_;
        CalcPlanetaryStage();
    }
    ~TDriveRestore()
    {
        // Only reached without Restore when a calculation threw; the
        // exception goes on, the stage must not stay in a foreign drive.
        try {
            Restore();
        } catch (...) {
        }
    }

  private:
    TPlanetaryShafts shafts_;
    Extended nThird_;
    bool done_ = false;
};

// The smallest of the six safeties of a per-mesh-and-gear table: every
// mesh counts, the ring gear mesh Pe-H as much as the other two. A minimum
// over S-Pi and Pi-Pe alone would overstate the safety of a stage whose
// weakest flank or root is in the ring mesh, and the table is read as the
// stage's safety in that drive.
Extended Smallest(const SlotArray& A)
{
    Extended r = A[1][1];
    for (int s = 1; s <= 2; ++s)
        for (int m = 1; m <= 3; ++m)
            r = std::min(r, A[s][m]);
    return r;
}

} // namespace

TDriveConfigResults CalcDriveConfigurations()
{
    TDriveConfigResults rows{};
    TDriveRestore restore;
    PlanetaryStage.nThird = 0;
    for (int k = 1; k <= 6; ++k) {
        PlanetaryShafts.InputShaft = DriveConfigurations[k].InputShaft;
        PlanetaryShafts.OutputShaft = DriveConfigurations[k].OutputShaft;
        CalcPlanetaryStage();
        // After a failure the records belong to an earlier configuration
        // or to none.
        if (telmvar.FatalCalcError) continue;
        const auto& st = PlanetaryStage;
        TDriveConfigResult& r = rows[k];
        r.Calculated = true;
        r.nOut = st.nOut;
        r.TOut = st.TOut;
        r.Ratio = st.nOut != 0 ? st.nIn / st.nOut : 0;
        r.SHmin = Smallest(PlanetaryGears.SH);
        r.SFmin = Smallest(PlanetaryGears.SF);
    }
    restore.Restore();
    return rows;
}
