// Fuzz target for the tooth outline: the bytes become a gear and its tool
// (tooth number, module, pressure and helix angle, profile shifts, tool
// addendum, tip radius, protuberance, machining allowance, usable root
// diameter) and the point-count settings as a project file may hold them.
//
// Whatever the data, the outline must hold only finite coordinates (nothing
// that is no number reaches a CAD file) and a bounded number of vertices,
// and drawing it on the null device must not fail.
//
// Layout (missing bytes read as 0): z (int8), mn, alpha, beta, x, x of the
// tool envelope, haP0/mn, rhoaP0/mn, prP0/mn, alphaprP0, q, xevmin, xevmax,
// dNf factor (one byte each, scaled), InvolutePoints and FilletResolution
// (int16 each, raw), then a flag byte: 1 root curve, 2 centre line, 4 single
// gear, 8 gear 1 instead of gear 2.
#include "drawings/tooth/toothcontour.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{

class Bytes
{
  public:
    Bytes(const uint8_t* Data, size_t Size) : data_(Data), size_(Size) {}
    uint8_t U8() { return pos_ < size_ ? data_[pos_++] : 0; }
    int8_t S8() { return static_cast<int8_t>(U8()); }
    int16_t S16()
    {
        const uint16_t lo = U8();
        return static_cast<int16_t>(lo | (U8() << 8));
    }
    // 0 .. Max in 255 steps.
    Extended Scaled(Extended Max) { return U8() * Max / 255; }
    // -Max .. Max.
    Extended Signed(Extended Max) { return S8() * Max / 127; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

void Fail(const char* What)
{
    std::fprintf(stderr, "toothcontour: %s\n", What);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    ResetFoundationState();
    SetGearDefaults();
    InitGearPairData();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    SetCadDevice(0);

    Bytes b(Data, Size);
    auto& g = GearPair;
    const int z = b.S8();
    g.mn = b.Scaled(25);
    g.alpha = 5 + b.Scaled(40);
    g.beta = b.Scaled(60);
    const Extended x = b.Signed(3);
    const Extended xv = b.Signed(3);
    const Extended haMn = b.Scaled(2);
    const Extended rhoMn = b.Scaled(1);
    const Extended prMn = b.Scaled(0.1L);
    const Extended alphaPr = b.Scaled(30);
    const Extended q = b.Scaled(1);
    const Extended xevmin = b.Signed(3);
    const Extended xevmax = b.Signed(3);
    const Extended dNfFactor = b.Scaled(1.5L);
    g.InvolutePoints = b.S16();
    g.FilletResolution = b.S16();
    const uint8_t flags = b.U8();
    g.DrawRootCurve = (flags & 1) != 0;
    g.DrawingConfiguration = (flags & 2) != 0 ? 2 : 1;
    const bool singleGear = (flags & 4) != 0;
    // An internal gear is always gear 2 of its pair.
    const int i = (flags & 8) != 0 && z >= 0 ? 1 : 2;
    const int points = g.InvolutePoints, steps = g.FilletResolution;

    g.alpha_rad = DegToRad(g.alpha);
    g.beta_rad = DegToRad(g.beta);
    g.alpha_t = std::atan(std::tan(g.alpha_rad) / std::cos(g.beta_rad));
    for (int k = 1; k <= 2; ++k) {
        g.z[k] = k == i ? z : 20;
        g.d[k] = g.z[k] * g.mn / std::cos(g.beta_rad);
        g.db[k] = g.d[k] * std::cos(g.alpha_t);
        g.dw[k] = g.d[k];
        g.haP0[k] = haMn * g.mn;
        g.hfP0[k] = g.mn;
        g.rhoaP0[k] = rhoMn * g.mn;
        g.prP0_mn[k] = prMn;
        g.prP0[k] = prMn * g.mn;
        g.alphaprP0[k] = alphaPr;
        g.q[k] = q;
        g.xevmin[k] = xevmin;
        g.xevmax[k] = xevmax;
        g.x_pic[k] = x;
        g.xv_pic[k] = xv;
        g.dNf[k] = dNfFactor * g.d[k];
    }
    g.a_pic = 0;
    confgraf(g.x_pic);

    const TToothContour c = BuildToothContour(i, singleGear);
    if (c.Paths.size() > 5) Fail("more elements than an outline has");
    const int n = points == 0 ? 20 : std::min(std::max(points, 2), 256);
    const int nf = steps == 0 ? 30 : std::min(std::max(steps, 2), 200);
    for (const TContourPath& p : c.Paths) {
        for (const TContourVertex& v : p.Vertices)
            if (!std::isfinite(v.X) || !std::isfinite(v.Y) || !std::isfinite(v.Angle))
                Fail("a vertex that is not a finite number");
        const size_t bound = p.IsLine ? 2 : static_cast<size_t>(std::max(2 * n + 5, nf + 2));
        if (p.Vertices.size() > bound) Fail("more vertices than the point counts allow");
    }
    SendContourToCad(c);
    ResetCadOutput();
    return 0;
}
