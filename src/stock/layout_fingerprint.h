#pragma once
// What a layout holds, as a short text that changes whenever a part, its place or turn, or the
// sheet changes: how the stock recognises a layout it has taken in already.
#include <cstdint>
#include <string>
#include <vector>

#include "job/nesting_state.h"

namespace dravenor {

// 16 hexadecimal digits over the layout's item rows (names, places, turns, indices, counts).
std::string layoutFingerprint(const NestingState& state, std::int32_t layoutNo);
// 16 hexadecimal digits over the texts in order (64-bit FNV-1a: the same on every machine).
std::string textsFingerprint(const std::vector<std::string>& texts);

} // namespace dravenor
