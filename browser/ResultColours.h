#pragma once
// The result colour table: each search of a kind draws the rows it adds in the colour its
// kind's counter selects (search/SearchEngine.h advances the counters), so the results of
// successive searches can be told apart in one list.

#include "search/SearchEngine.h"

#include <array>
#include <cstdint>

namespace k2k {

struct ResultColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const ResultColour&) const = default;
};

inline constexpr std::array<ResultColour, kResultColours> kResultColourTable = {{
    {0, 0, 255},
    {255, 0, 0},
    {128, 0, 0},
    {0, 128, 128},
    {128, 128, 0},
    {0, 128, 0},
    {0, 0, 128},
    {255, 0, 255},
    {0, 0, 0},
}};

// The colour of table entry index; an index outside the table draws black, the last entry.
constexpr ResultColour ResultColourOf(int index) noexcept {
    if (index < 0 || index >= kResultColours)
        return kResultColourTable[kResultColours - 1];
    return kResultColourTable[static_cast<std::size_t>(index)];
}

} // namespace k2k
