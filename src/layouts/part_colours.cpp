#include "layouts/part_colours.h"

#include <array>
#include <cstddef>

namespace dravenor {

namespace {

// For v = 127, 143, ..., 207: blue, green, teal, red, purple and olive of strength v.
constexpr std::array<std::uint32_t, 36> buildPalette()
{
    std::array<std::uint32_t, 36> palette{};
    std::size_t next = 0;
    for (std::uint32_t v = 127; v <= 207; v += 16) {
        palette[next++] = v;
        palette[next++] = v << 8;
        palette[next++] = (v << 8) | v;
        palette[next++] = v << 16;
        palette[next++] = (v << 16) | v;
        palette[next++] = (v << 16) | (v << 8);
    }
    return palette;
}

constexpr std::array<std::uint32_t, 36> kPalette = buildPalette();
constexpr int kColoursInRotation = 35;

} // namespace

std::uint32_t layoutPartColour(int partIndex)
{
    if (partIndex == 0) return 0x000000;
    const int entry = ((partIndex - 1) % kColoursInRotation + kColoursInRotation) % kColoursInRotation;
    return kPalette[static_cast<std::size_t>(entry)];
}

} // namespace dravenor
