#include "geometry/drawing_surface.h"

namespace dravenor {

std::uint32_t consoleRgb(int colour)
{
    static constexpr std::array<std::uint32_t, 16> palette = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    const int index = ((colour % 16) + 16) % 16;
    return palette[static_cast<std::size_t>(index)];
}

} // namespace dravenor
