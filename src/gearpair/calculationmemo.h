#pragma once
// A few results kept for the calculation under way (see
// CalculationUnderWay): the meshes of a stage share gears, and with a load
// spectrum each mesh is worked out twice, so the same gear's values are
// asked for again and again. A new calculation finds the list empty, so no
// result carries over from one calculation into the next; outside a
// calculation nothing is kept.

#include "foundation/guardedmath.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

// Whether two kept reals are the very same number: the same bits of the
// value (its padding aside), read as integers. Numbers with the same bits
// give the same results, so the test is as good as a comparison that
// tells the zeros apart, and needs no floating point loads. The 80-bit
// number is read as its 8 bytes of mantissa and 2 of sign and exponent:
// a memcmp of 10 bytes is not always expanded inline, and the library
// call costs more than the test itself.
inline bool SameBits(const Extended& a, const Extended& b)
{
    if constexpr (X87Extended) {
        std::uint64_t mantissaA = 0, mantissaB = 0;
        std::uint16_t signExponentA = 0, signExponentB = 0;
        std::memcpy(&mantissaA, &a, sizeof mantissaA);
        std::memcpy(&mantissaB, &b, sizeof mantissaB);
        std::memcpy(&signExponentA, reinterpret_cast<const unsigned char*>(&a) + sizeof mantissaA,
                    sizeof signExponentA);
        std::memcpy(&signExponentB, reinterpret_cast<const unsigned char*>(&b) + sizeof mantissaB,
                    sizeof signExponentB);
        return mantissaA == mantissaB && signExponentA == signExponentB;
    } else {
        constexpr std::size_t bytes = std::numeric_limits<Extended>::digits == 64 ? 10 : sizeof(Extended);
        return std::memcmp(&a, &b, bytes) == 0;
    }
}

template <class T, std::size_t N> class TCalculationMemo
{
  public:
    // The entry of the calculation under way that Same(entry) accepts, or
    // null.
    template <class Pred> const T* Find(Pred Same)
    {
        const unsigned long calculation = CalculationUnderWay();
        if (calculation != calculation_) {
            calculation_ = calculation;
            count_ = 0;
            next_ = 0;
        }
        if (calculation == 0) return nullptr;
        for (std::size_t k = 0; k < count_; ++k)
            if (Same(kept_[k])) return &kept_[k];
        return nullptr;
    }

    // Room for a new entry of the calculation under way (after Find); when
    // the list is full the oldest makes room. Outside a calculation the
    // entry is scratch space that nothing finds again.
    T& Add()
    {
        T& entry = kept_[next_];
        next_ = (next_ + 1) % N;
        if (count_ < N && calculation_ != 0) ++count_;
        return entry;
    }

  private:
    unsigned long calculation_ = 0;
    std::size_t count_ = 0;
    std::size_t next_ = 0;
    T kept_[N];
};
