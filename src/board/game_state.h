#pragma once

#include "board/checked_math.h"

#include <array>
#include <cstdint>

namespace velmora {

// Booleans of the game state are 16-bit integers: True is -1, False is 0, and
// every test treats any non-zero value as True.
using Boolean = std::int16_t;
inline constexpr Boolean BooleanTrue = -1;
inline constexpr Boolean BooleanFalse = 0;
inline constexpr bool isTrue(Boolean value) { return value != 0; }

// A fixed array indexed First to Last inclusive, as the game's arrays are
// declared (towers 1 to 3, slots 1 to 15). Every access is bounds-checked; a
// bad index is a RuntimeError, never a stray read or write.
template <typename T, int First, int Last>
class CheckedArray {
public:
    T& operator()(int index)
    {
        check(index);
        return items_[static_cast<std::size_t>(index - First)];
    }

    const T& operator()(int index) const
    {
        check(index);
        return items_[static_cast<std::size_t>(index - First)];
    }

    friend bool operator==(const CheckedArray&, const CheckedArray&) = default;

private:
    static void check(int index)
    {
        if (index < First || index > Last)
            throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    }

    std::array<T, Last - First + 1> items_{};
};

// One entry of a tower stack. DiskNumber 1 is the largest disk, DiskCount the
// smallest; TowerNumber is written with every placement and read by no rule.
struct DiskSlot {
    std::int16_t DiskNumber = 0;
    std::int16_t TowerNumber = 0;

    friend bool operator==(const DiskSlot&, const DiskSlot&) = default;
};

// The towers are numbered 1 to LastTower; the game is won when every disk
// stands on the last.
inline constexpr std::int16_t LastTower = 3;
inline constexpr int TowerSlots = 15;
inline constexpr std::int16_t MinDiskCount = 1;
inline constexpr std::int16_t MaxDiskCount = TowerSlots;
// The options a game starts with.
inline constexpr std::int16_t DefaultDiskCount = 10;
inline constexpr std::int16_t DefaultTimeLimit = 60;

// Slot 1 is the bottom; slots 1..TowerCount(t) hold the tower's disks, bottom
// first. Slots above the count keep what they last held and are never read.
using TowerStack = CheckedArray<DiskSlot, 1, TowerSlots>;

// The whole state of the game, owned by the Game. Every member is zero until
// the game's load runs.
//
// Invariants from the first ResetBoard on:
//  - 0 <= TowerCount(t) <= 15;
//  - DiskNumber strictly increases up each stack (a disk only rests on a larger one);
//  - each disk 1..DiskCount stands in exactly one filled slot, except HeldDisk
//    while Holding, so the three counts add up to DiskCount (less one while Holding);
//  - TowerX(2) = 3 TowerX(1), TowerX(3) = 5 TowerX(1); the base lines are equal.
struct GameState {
    // Options and clock.
    std::int16_t DiskCount = 0;
    std::int16_t TimeLimit = 0;
    std::int16_t ElapsedSeconds = 0;

    // Play.
    std::int16_t SelectedTower = 0;
    std::int16_t HeldDisk = 0;
    Boolean Holding = BooleanFalse;
    Boolean Finished = BooleanFalse;
    CheckedArray<std::int16_t, 1, LastTower> TowerCount;
    CheckedArray<TowerStack, 1, LastTower> Towers;

    // Geometry, in pixels of the window's client area.
    CheckedArray<std::int32_t, 1, LastTower> TowerX;
    CheckedArray<std::int32_t, 1, LastTower> TowerBaseY;
    float SelectorWidth = 0.0f;
    std::int32_t MinDiskWidth = 0;
    std::int32_t MaxDiskWidth = 0;
    std::int32_t WidthStep = 0;

    friend bool operator==(const GameState&, const GameState&) = default;
};

} // namespace velmora
