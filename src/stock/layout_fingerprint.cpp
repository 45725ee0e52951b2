#include "stock/layout_fingerprint.h"

#include <cstdio>

#include "job/job_file_sections.h"

namespace dravenor {

std::string layoutFingerprint(const NestingState& state, std::int32_t layoutNo)
{
    // FNV-1a, 64 bits: stable across runs and machines.
    std::uint64_t hash = 1469598103934665603ULL;
    const auto add = [&](const std::string& text) {
        for (unsigned char c : text + '\x1f') hash = (hash ^ c) * 1099511628211ULL;
    };
    for (const LayoutItem& item : state.items) {
        if (item.LayoutNo != layoutNo) continue;
        add(item.Name);
        add(formatRecordDouble(item.X));
        add(formatRecordDouble(item.Y));
        add(formatRecordDouble(item.Angle));
        add(std::to_string(item.PartIndex) + "/" + std::to_string(item.SheetIndex) + "/" + std::to_string(item.Qty));
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace dravenor
