#pragma once
// The CAD drawing layer: one drawing goes to one output device in a fixed
// order of calls:
//
//   CadOpenOutput(device)            stop here when Aborted is set
//   CadBeginDrawing(...) or CadBeginDrawingDefault()
//   CadWriteTables(mode)
//   CadBeginBlocks(); { CadBeginBlock(name) ... CadEndBlock() } CadEndSection()
//   CadBeginEntities(); entities and CadInsertBlock(...)
//   CadDeviceReady(); CadEndSection(); CadCloseOutput()
//
// Devices (cadstate.CadDevice): 0 none, 1 DXF file, 2 IGES, 3 screen, 4 DXF
// for the plot program, 5 text CAD, 6 STL. The layer owns the output: a file
// is written beside its final name and put in place only by CadCloseOutput,
// so a drawing that stops half way leaves the old file as it was. Drawing
// entry points hold a TCadOutputScope, which abandons an output that was
// opened and never closed.
//
// The screen and STL devices keep block definitions as DXF files in a
// directory of their own output and read them back at every insert.

#include "foundation/types.h"

#include <cstddef>
#include <string>

class TCadDevice;
class TCadBlockStore;

// Chooses the device (the "CAD Code" menu for 0) and opens the output. File
// devices ask for the file name unless CadSkipSaveDialog is set, proposing
// ProjectName; the drawing name some callers pass does not change that.
// Cancel, a refused name or a file that cannot be created set Aborted, and
// nothing is opened.
void CadOpenOutput(int Device, const std::string& Name = "");
// The device menu; the item number is the device code. The plot program
// also asks for its command line.
void CadChooseDevice();
void SetCadDevice(int Device);

void CadBeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Height);
void CadBeginDrawingDefault();
// 0 six named layers, 2 named layers and the pens 16..31.
void CadWriteTables(int Mode);
void CadBeginBlocks();
void CadBeginBlock(const std::string& Name);
void CadEndBlock();
void CadEndSection();
void CadBeginEntities();
// Places a block; no offset is added.
void CadInsertBlock(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                    Extended ScaleY);
// The same with CadOffsetX/CadOffsetY added to the point.
void CadInsertBlockShifted(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                           Extended ScaleY);
bool CadDeviceReady();
// Finishes the output: the file is put in place (a failure gives a message
// and Aborted, and the old file stays), the plot program is started, a
// written file is opened with its program when CadExecFile is set. The
// flag of older callers is ignored.
void CadCloseOutput(int Flag = 0);
// Drops an open output without writing anything: no file, no block files.
void CadAbandonOutput();
bool CadOutputIsOpen();

// The current layer is set with CadSetLayer (cadprimitives.h).
void SetCadLayerMode(int32_t Mode);
void SetCadOffset(Extended X, Extended Y);
void SetCadZRange(Extended Low, Extended High);
void GetCadZRange(Extended& Low, Extended& High);
// A pause in the picture (screen device only).
void CadPause(int Ms);

// The frames of an animation on the screen device, which the user may end
// early. The run marks where each frame begins (with the fixed picture it
// draws again, if any) and asks between frames whether to stop; on a yes
// the frames before the marked one are dropped, their pen settings kept, so
// the window keeps the picture from before the frames and the last frame.
// Other devices never stop.
class TCadAnimationFrames
{
  public:
    // The frames begin here; a stop before the first mark drops nothing.
    TCadAnimationFrames();
    void FrameStarts();
    bool StopAsked();

  private:
    size_t first_ = 0;
    size_t frame_ = 0;
};

// Held by every drawing entry point: an output that is still open when the
// scope ends (the drawing stopped on Aborted, or threw) is abandoned.
class TCadOutputScope
{
  public:
    TCadOutputScope() = default;
    TCadOutputScope(const TCadOutputScope&) = delete;
    TCadOutputScope& operator=(const TCadOutputScope&) = delete;
    ~TCadOutputScope();
};

// --- used by the primitives and the block reader --------------------------

// Block files of the current output.
TCadBlockStore& CadBlockFiles();
// Restores the layer's own state for tests: no output, default device.
void ResetCadOutput();
