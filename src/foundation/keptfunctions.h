#pragma once
// The elementary functions as the calculations call them: while a
// calculation is under way (CalculationUnderWay) each keeps the values it
// has worked out, keyed by the argument's bits, and answers the same
// argument again from what it kept. A stage meets the same arguments many
// times in one calculation: a gear of two meshes has the same tooth form
// and test dimensions in both, the limit load searches and a load
// spectrum raise the same bases to other powers. The values are the
// library's own, bit for bit; a new calculation finds nothing kept, and
// outside a calculation every call goes to the library.

#include "foundation/guardedmath.h"
#include "foundation/types.h"

#include <cmath>
#include <cstdint>

namespace kept_detail
{

// The key of an argument: its mantissa, and its sign and exponent.
struct TKeyBits {
    uint64_t Mantissa;
    uint64_t SignExponent;
};

// The bits of X read where X lies, 8 bytes of mantissa and the 2 of sign
// and exponent. The compiler's own copy read 4 bytes for the latter, more
// than the caller's 80-bit store of X holds there: such a load cannot take
// its bytes from the store still under way and waits until it is written.
// X stays where it is, for the library's call on a miss.
inline TKeyBits BitsWhereItLies(const Extended& X)
{
#if defined(__GNUC__) && defined(__x86_64__)
    if constexpr (X87Extended) {
        TKeyBits b{};
        asm("movq (%2), %0\n\tmovzwl 8(%2), %k1" : "=&r"(b.Mantissa), "=r"(b.SignExponent) : "r"(&X), "m"(X));
        return b;
    }
#endif
    const TExtendedBits b = BitsOf(X);
    return TKeyBits{b.Mantissa, b.SignExponent};
}

// X as the x87 holds it, so that a call passes it on with one 80-bit
// store. Passed on from memory it is copied in two 8-byte pieces, and the
// second one's load waits in the same way on an 80-bit store of X.
inline Extended InRegister(Extended X)
{
#if defined(__GNUC__) && defined(__x86_64__)
    if constexpr (X87Extended) asm("" : "+t"(X));
#endif
    return X;
}

// One place of a table: the argument's mantissa, and its sign and exponent
// beside the number of the calculation that kept it.
struct TPlace {
    uint64_t Mantissa;
    uint64_t Stamp;
    Extended Value;
};

// Out of line, and out of the whole-program optimiser's reach where the
// compiler can say so (clang cannot).
#if defined(__clang__)
#define KEPT_OUT_OF_LINE [[gnu::noinline]]
#else
#define KEPT_OUT_OF_LINE [[gnu::noipa]]
#endif

// Each argument has the two places of the set its bits hash to:
// a new argument goes into the first and moves the one there into the
// second, whose argument is dropped.
template <Extended (*Function)(Extended), unsigned Bits> struct TTable {
    static inline constinit thread_local TPlace Places[2u << Bits] = {};

    static Extended Value(const Extended& X)
    {
        if constexpr (!X87Extended) return Function(X);
        const unsigned long calculation = CalculationUnderWay();
        if (calculation == 0) return Library(X);
        const auto [mantissa, signExponent] = BitsWhereItLies(X);
        const uint64_t stamp = (static_cast<uint64_t>(calculation) << 16) | signExponent;
        // Arguments of few mantissa bits, or of one mantissa and several
        // exponents, are common (2.5, 10, x / 10^k): the mantissa's upper
        // half is folded onto its lower one, the sign and exponent added,
        // and the product with 2^64 / golden ratio spreads them all over
        // its top bits, in few steps for the caller to wait for.
        const uint64_t mixed = (mantissa ^ (mantissa >> 32)) + signExponent;
        TPlace* set = &Places[2 * ((mixed * 0x9e3779b97f4a7c15ULL) >> (64 - Bits))];
        if (set[0].Mantissa == mantissa && set[0].Stamp == stamp) return set[0].Value;
        if (set[1].Mantissa == mantissa && set[1].Stamp == stamp) return set[1].Value;
        return Keep(X, set, mantissa, stamp);
    }

  private:
    // The calls of the library are kept out of Value, which then saves no
    // registers and answers a kept value in a few steps. Not inlined nor
    // rewritten by the whole-program optimiser, which would pass X by value
    // again, copied from memory.
    KEPT_OUT_OF_LINE static Extended Library(const Extended& X) { return Function(InRegister(X)); }

    KEPT_OUT_OF_LINE static Extended Keep(const Extended& X, TPlace* Set, uint64_t Mantissa, uint64_t Stamp)
    {
        const Extended value = Function(InRegister(X));
        Set[1] = Set[0];
        Set[0] = TPlace{Mantissa, Stamp, value};
        return value;
    }
};

#undef KEPT_OUT_OF_LINE

inline Extended Tan(Extended X)
{
    return std::tan(X);
}
inline Extended Sin(Extended X)
{
    return std::sin(X);
}
inline Extended Cos(Extended X)
{
    return std::cos(X);
}
inline Extended ArcTan(Extended X)
{
    return std::atan(X);
}
inline Extended ArcSin(Extended X)
{
    return std::asin(X);
}
inline Extended ArcCos(Extended X)
{
    return std::acos(X);
}
inline Extended Exp(Extended X)
{
    return std::exp(X);
}
inline Extended Ln(Extended X)
{
    return std::log(X);
}
inline Extended Log10(Extended X)
{
    return std::log10(X);
}

} // namespace kept_detail

// Sets: a default stage calls the busiest function about 120 times per
// calculation, a load spectrum about 180.
inline Extended KeptTan(Extended X)
{
    return kept_detail::TTable<kept_detail::Tan, 6>::Value(X);
}
inline Extended KeptSin(Extended X)
{
    return kept_detail::TTable<kept_detail::Sin, 5>::Value(X);
}
inline Extended KeptCos(Extended X)
{
    return kept_detail::TTable<kept_detail::Cos, 6>::Value(X);
}
inline Extended KeptArcTan(Extended X)
{
    return kept_detail::TTable<kept_detail::ArcTan, 5>::Value(X);
}
inline Extended KeptArcSin(Extended X)
{
    return kept_detail::TTable<kept_detail::ArcSin, 5>::Value(X);
}
inline Extended KeptArcCos(Extended X)
{
    return kept_detail::TTable<kept_detail::ArcCos, 5>::Value(X);
}
inline Extended KeptExp(Extended X)
{
    return kept_detail::TTable<kept_detail::Exp, 7>::Value(X);
}
inline Extended KeptLn(Extended X)
{
    return kept_detail::TTable<kept_detail::Ln, 7>::Value(X);
}
inline Extended KeptLog10(Extended X)
{
    return kept_detail::TTable<kept_detail::Log10, 4>::Value(X);
}
