#include "job/recent_files.h"

#include <algorithm>

#include "job/files.h"

namespace dravenor {

namespace {

std::string recentFilesPath(const std::string& folder)
{
    return withTrailingSeparator(folder) + kRecentFilesName;
}

} // namespace

std::vector<std::string> readRecentFiles(const std::string& folder)
{
    const FileText file = readWholeFile(recentFilesPath(folder));
    std::vector<std::string> files;
    if (!file.bytes) return files;
    size_t start = 0;
    while (start < file.bytes->size() && files.size() < kMostRecentFiles) {
        size_t end = file.bytes->find('\n', start);
        if (end == std::string::npos) end = file.bytes->size();
        std::string line = file.bytes->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && std::find(files.begin(), files.end(), line) == files.end()) files.push_back(line);
        start = end + 1;
    }
    return files;
}

std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path)
{
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > kMostRecentFiles) files.resize(kMostRecentFiles);
    return files;
}

std::string rememberRecentFile(const std::string& folder, const std::string& path)
{
    std::string text;
    for (const std::string& file : withRecentFile(readRecentFiles(folder), path)) text += file + "\r\n";
    return writeFileAtomically(recentFilesPath(folder), text);
}

} // namespace dravenor
