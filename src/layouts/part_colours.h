#pragma once
// The colours parts are drawn in on a layout: 36 shades built once, of which entries 0 to 34 are
// used in rotation by part index. The sheet (part index 0) is black.
#include <cstdint>

namespace dravenor {

// 0xRRGGBB for a part index; 0 gives black, 1 and 36 give the same colour.
std::uint32_t layoutPartColour(int partIndex);

} // namespace dravenor
