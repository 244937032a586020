#pragma once
// Ten camera positions in hexes that the player stores with Ctrl and a digit and
// recalls with the digit; PlayerDefinedPlaces.txt keeps them.
#include <array>
#include <utility>

struct sCameraBookmarks
{
    static constexpr int kSlots = 10;
    std::array<std::pair<int, int>, kSlots> slots;

    sCameraBookmarks() { Clear(); }
    void Clear() { slots.fill({-1, -1}); }
    // The index is clamped into 0-9.
    std::pair<int, int> Get(int index) const { return slots[size_t(Clamp(index))]; }
    // Stores the pair and returns the slot used.
    int Set(int index, int x, int y)
    {
        const int slot = Clamp(index);
        slots[size_t(slot)] = {x, y};
        return slot;
    }

private:
    static int Clamp(int index) { return index < 0 ? 0 : (index > kSlots - 1 ? kSlots - 1 : index); }
};
