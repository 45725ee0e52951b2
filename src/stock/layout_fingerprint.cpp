#include "stock/layout_fingerprint.h"

#include <cstdio>

#include "job/job_file_sections.h"

namespace dravenor {

std::string textsFingerprint(const std::vector<std::string>& texts)
{
    std::uint64_t hash = 1469598103934665603ULL;
    for (const std::string& text : texts)
        for (unsigned char c : text + '\x1f') hash = (hash ^ c) * 1099511628211ULL;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

std::string layoutFingerprint(const NestingState& state, std::int32_t layoutNo)
{
    std::vector<std::string> texts;
    for (const LayoutItem& item : state.items) {
        if (item.LayoutNo != layoutNo) continue;
        texts.push_back(item.Name);
        texts.push_back(formatRecordDouble(item.X));
        texts.push_back(formatRecordDouble(item.Y));
        texts.push_back(formatRecordDouble(item.Angle));
        texts.push_back(std::to_string(item.PartIndex) + "/" + std::to_string(item.SheetIndex) + "/" + std::to_string(item.Qty));
    }
    return textsFingerprint(texts);
}

} // namespace dravenor
