#pragma once
// The meshing animation of mesh S-Pi of the default stage recorded on the
// screen device: Frames frames (drawn, paused for 0 ms, erased) in the
// display list of the graphics window, mapped to a window of PixelsX x
// PixelsY when they are given.
void RecordMeshAnimation(int Frames, int PixelsX = 0, int PixelsY = 0);
