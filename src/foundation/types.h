#pragma once
// Basic types shared by every unit of the program.
//
// Engineering values are 80-bit extended reals: some fallbacks (1e3000 in the
// guarded power) and the 1e-15 convergence of the inverse involute rely on that
// range and precision, so `long double` is used throughout, never `double`.
//
// The calculation units index their per-gear and per-mesh arrays from 1
// (gear 1 pinion, gear 2 wheel; meshes 1..3; gears 1..4 of the stage) and some
// tables from 0. `TArray<T, Lo, Hi>` keeps those bounds, so that `z[2]` in the
// code is the wheel's tooth number; the index is checked in debug builds.

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

using Extended = long double;

template <class T, int Lo, int Hi> struct TArray {
    static_assert(Hi >= Lo, "empty index range");
    static constexpr int Low = Lo;
    static constexpr int High = Hi;
    static constexpr std::size_t Count = static_cast<std::size_t>(Hi - Lo + 1);

    std::array<T, Count> items{};

    constexpr T& operator[](int i)
    {
        assert(i >= Lo && i <= Hi && "index outside the array's bounds");
        return items[static_cast<std::size_t>(i - Lo)];
    }
    constexpr const T& operator[](int i) const
    {
        assert(i >= Lo && i <= Hi && "index outside the array's bounds");
        return items[static_cast<std::size_t>(i - Lo)];
    }
    constexpr void fill(const T& v) { items.fill(v); }
    constexpr auto begin() { return items.begin(); }
    constexpr auto end() { return items.end(); }
    constexpr auto begin() const { return items.begin(); }
    constexpr auto end() const { return items.end(); }
    friend constexpr bool operator==(const TArray&, const TArray&) = default;
};

// Per-gear array of a gear pair: [1] pinion, [2] wheel.
template <class T> using PairArray = TArray<T, 1, 2>;
