#include "gearpair/gearbody.h"

#include "foundation/guardedmath.h"
#include <cmath>

namespace
{

// A gear body split into rings of constant width. With a web the body is rim
// (teeth down to the rim inside diameter), web and hub; without one it is a
// single ring between the mean tooth diameter and the bore.
struct TRing {
    Extended outer = 0;
    Extended inner = 0;
    Extended width = 0;
};

struct TBody {
    TRing pieces[3];
    int count = 0;
};

TBody SplitBody(Extended da, Extended df, Extended di, Extended dB, Extended b)
{
    TBody body;
    if (da >= 0) {
        Extended w = di;
        if (df <= w || w <= dB) w = 0; // no web: the rim reaches down to the bore
        const Extended Dm = (df + da) / 2;
        if (dB < w) {
            const Extended s = (df - w) / 2; // rim height, also web thickness and hub wall
            const Extended Dh = dB + 2 * s;
            body.pieces[0] = {Dm, w, b};
            body.pieces[1] = {Dh, dB, b};
            body.pieces[2] = {w, Dh, s};
            body.count = 3;
        } else {
            body.pieces[0] = {Dm, dB, b};
            body.count = 1;
        }
        return body;
    }
    // Internal gear: the ring body lies outside the teeth, dB is its outside.
    const Extended adf = std::fabs(df), ada = std::fabs(da), adB = std::fabs(dB);
    Extended w = std::fabs(di);
    if (w <= adf || adB <= w) w = 0;
    const Extended Dm = (adf + ada) / 2;
    if (adf / 2 + adB / 2 < w) {
        const Extended s = (w - adf) / 2;
        const Extended Dh = adB - 2 * s;
        body.pieces[0] = {w, Dm, b};
        body.pieces[1] = {adB, Dh, b};
        body.pieces[2] = {Dh, w, s};
        body.count = 3;
    } else {
        body.pieces[0] = {adB, Dm, b};
        body.count = 1;
    }
    return body;
}

} // namespace

Extended HollowPolarMoment(Extended D, Extended d)
{
    return Pi / 32 * (D * D * D * D - d * d * d * d);
}

Extended HollowPolarSectionModulus(Extended D, Extended d)
{
    if (D < d || D <= 0) return 0;
    return 2 * HollowPolarMoment(D, d) / D;
}

Extended HollowInertia(Extended D, Extended d, Extended width, Extended rho)
{
    return Pi / 32 * 1e-12L * rho * width * (D * D - d * d) * (D * D + d * d);
}

namespace
{

Extended BodyMass(const TBody& body, Extended rho)
{
    Extended mass = 0;
    for (int i = 0; i < body.count; ++i) {
        const TRing& r = body.pieces[i];
        mass += rho * Pi / 4 * r.width * (r.outer * r.outer - r.inner * r.inner);
    }
    return mass * 1e-6L;
}

Extended BodyInertia(const TBody& body, Extended rho)
{
    Extended J = 0;
    for (int i = 0; i < body.count; ++i)
        J += HollowInertia(body.pieces[i].outer, body.pieces[i].inner, body.pieces[i].width, rho);
    return J;
}

} // namespace

Extended GearBodyMass(Extended da, Extended df, Extended di, Extended dB, Extended b, Extended rho)
{
    return BodyMass(SplitBody(da, df, di, dB, b), rho);
}

Extended GearBodyInertia(Extended da, Extended df, Extended di, Extended dB, Extended b, Extended rho)
{
    return BodyInertia(SplitBody(da, df, di, dB, b), rho);
}

void GearBodyMassInertia(Extended da, Extended df, Extended di, Extended dB, Extended b, Extended rho,
                         Extended& mass, Extended& J)
{
    const TBody body = SplitBody(da, df, di, dB, b);
    mass = BodyMass(body, rho);
    J = BodyInertia(body, rho);
}
