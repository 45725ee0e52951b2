#include "ui/dialog_folders.h"

namespace dravenor {

std::string DialogFolders::startFolder(const std::string& kind, const std::string& fallback) const
{
    if (const auto it = last_.find(kind); it != last_.end() && !it->second.empty() && isFolder_(it->second))
        return it->second;
    if (!jobFolder_.empty() && isFolder_(jobFolder_)) return jobFolder_;
    return fallback;
}

} // namespace dravenor
