#pragma once
// A fixed list of fields of the gear pair, taken out, given back and compared
// as one block of values.

#include "foundation/guardedmath.h"
#include "foundation/types.h"
#include "gearpair/calculationmemo.h"
#include "gearpair/gearpairdata.h"

#include <cstdint>
#include <cstring>
#include <tuple>
#include <type_traits>
#include <utility>

inline bool SameValue(const Extended& A, const Extended& B)
{
    return SameBits(A, B);
}
inline bool SameValue(int A, int B)
{
    return A == B;
}
[[gnu::always_inline]] inline bool SameValue(const PairArray<Extended>& A, const PairArray<Extended>& B)
{
    return SameValue(A[1], B[1]) && SameValue(A[2], B[2]);
}
inline bool SameValue(const PairArray<int>& A, const PairArray<int>& B)
{
    return A[1] == B[1] && A[2] == B[2];
}

template <auto... Fields> struct TPairFields {
    using TValues =
        std::tuple<std::remove_cvref_t<decltype(std::declval<const TGearPairData&>().*Fields)>...>;

    static void Take(const TGearPairData& Pair, TValues& Values) { Values = TValues{Pair.*Fields...}; }

    static void Give(TGearPairData& Pair, const TValues& Values)
    {
        std::apply([&Pair](const auto&... v) { ((Pair.*Fields = v), ...); }, Values);
    }

    // Bit for bit.
    static bool Same(const TGearPairData& Pair, const TValues& Values)
    {
        return std::apply([&Pair](const auto&... v) { return (SameValue(Pair.*Fields, v) && ...); }, Values);
    }
};
