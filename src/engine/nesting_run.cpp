#include "engine/nesting_run.h"

namespace dravenor {

void NestingRun::status(const std::string& text)
{
    long long required = 0, placed = 0;
    for (const PartEntry& p : state.parts) {
        required += p.Qty;
        placed += p.Qty - p.Remaining;
    }
    progress.status(text, placed, required);
}

void NestingRun::warnTooSmall()
{
    if (tooSmallReported) return;
    tooSmallReported = true;
    progress.warning("One or more parts are too small, kerf may increase slightly");
}

} // namespace dravenor
