// Fuzz target of the block reader: the bytes are the block file "$fuzz.dx$"
// of the user's temporary directory, inserted on the screen device twice
// (plain, and turned and mirrored) and once on the plot device, where the
// plot file draws it inline. Whatever the bytes, every insert must come
// back with the nesting depth and block transform as they were.
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "scratch.h"

namespace
{

const std::string& ScratchDir()
{
    return fuzzscratch::Dir("dxfblock");
}

void Check(const char* Where)
{
    const TCadState& S = cadstate;
    if (S.CadBlockCount != 0 || S.BlockInsX != 0 || S.BlockInsY != 0 || S.BlockInsAngle != 0 ||
        S.BlockInsScaleX != 1 || S.BlockInsScaleY != 1) {
        std::fprintf(stderr, "block transform not restored after %s\n", Where);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string file = ScratchDir() + "/$fuzz.dx$";
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    ResetFoundationState();
    ResetCadState();
    ResetCadOutput();
    telmvar.TempDir = ScratchDir();
    telmvar.MessagesEnabled = false;

    CadOpenOutput(3);
    CadBeginDrawingDefault();
    CadBeginEntities();
    CadInsertBlock("FUZZ", 10, 20, 0, 1, 1);
    Check("screen insert");
    telmvar.Aborted = false;
    CadInsertBlock("fuzz", -5, 7, 33, -2, 0.5);
    Check("turned insert");
    CadCloseOutput();

    telmvar.Aborted = false;
    CadOpenOutput(4);
    CadBeginDrawingDefault();
    CadWriteTables(2);
    CadBeginBlocks();
    CadEndSection();
    CadBeginEntities();
    CadInsertBlock("fuzz", 1, 1, 90, 1, 1);
    Check("plot insert");
    CadEndSection();
    CadAbandonOutput();
    std::remove(file.c_str());
    return 0;
}
