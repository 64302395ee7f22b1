#pragma once
// The set-up the drawing benchmarks share: the default stage of File New
// calculated with mesh S-Pi in the gear-pair variables, the CAD layer reset,
// and a private temporary directory for the drawing files (no save dialog,
// no program started), removed again when the scope ends.
#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "planetary/meshtransfer.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportservices.h"

#include "scratch/benchscratch.h"
#include <cstdlib>
#include <filesystem>
#include <string>

class TDrawingBenchDir
{
  public:
    // Drawings are written as Stem plus the device's extension.
    explicit TDrawingBenchDir(const std::string& Stem)
    {
        std::string tmpl = BenchScratchPath("qyr7_" + Stem + "_bench_XXXXXX");
        const char* made = ::mkdtemp(tmpl.data());
        dir_ = made != nullptr ? made : "";
        ResetFoundationState();
        InitProgramDefaults();
        SetDefaultInput();
        CalcPlanetaryStage();
        LoadMesh(mSPi);
        CalcGearPair();
        ClearErrorMessages();
        ResetCadSettings();
        ResetCadState();
        ResetCadOutput();
        ResetHatchState();
        telmvar.TempDir = dir_.empty() ? BenchScratchDir() : dir_;
        telmvar.CadDir = telmvar.TempDir;
        telmvar.ProjectName = telmvar.TempDir + "/" + Stem;
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        cadsettings.CadPolylineAllowed = true;
        reportservices.CheckFileName = [](const std::string&) {};
    }
    ~TDrawingBenchDir()
    {
        ResetCadOutput();
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    TDrawingBenchDir(const TDrawingBenchDir&) = delete;
    TDrawingBenchDir& operator=(const TDrawingBenchDir&) = delete;

  private:
    std::string dir_;
};
