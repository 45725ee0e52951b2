#pragma once
// How copies of one part type are turned and repeated by the stack fill, from the part analysis.
#include <cstdint>

namespace dravenor {

struct StackParams {
    std::int32_t StepX = 0;     // column pitch of copies in a row; also the free scans' advance
    std::int32_t StepH = 0;     // simple: box height + 1; auto: row offset of the nearest neighbour
    double BaseAngle = 0;       // turn of the part before nesting, degrees
    std::int32_t ShiftX = 0;    // column of the first copy of the next row
    std::int32_t StepY = 0;     // row of the first copy of the next row
    double PairAngle = 0;       // 0, or 180 when every second row holds copies turned by 180
    std::int32_t PairShiftX = 0;
    std::int32_t PairShiftY = 0;

    bool operator==(const StackParams&) const = default;
};

} // namespace dravenor
