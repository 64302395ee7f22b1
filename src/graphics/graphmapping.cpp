#include "graphics/graphmapping.h"

#include "foundation/programstate.h"

#include <cmath>

TGraphMapping graphmapping;

void ResetGraphMapping() { graphmapping = TGraphMapping{}; }

int DrawAreaPixelsX() { return telmvar.ScreenPixelsX == 0 ? 640 : telmvar.ScreenPixelsX; }

int DrawAreaPixelsY() { return telmvar.ScreenPixelsY == 0 ? 480 : telmvar.ScreenPixelsY; }

Extended WorldUnitAspect()
{
    const Extended a = graphmapping.PixelAspect;
    // A nonsense aspect from a broken display report falls back to square.
    if (!(a > 0.01L && a < 100.0L))
        return 1.0L;
    return 1.0L / a;
}

int32_t RoundPixel(Extended v)
{
    if (std::isnan(v))
        return 0;
    if (v > MaxPixelMagnitude)
        v = MaxPixelMagnitude;
    if (v < -MaxPixelMagnitude)
        v = -MaxPixelMagnitude;
    // lrint rounds in the current mode as nearbyint does, without saving and
    // restoring the floating-point environment around it: a replay rounds
    // every coordinate, so this is its hottest line.
    return static_cast<int32_t>(std::lrint(v));
}
