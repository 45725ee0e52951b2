#include "cutting/folder_file.h"

#include <filesystem>

#include "job/files.h"

namespace dravenor::cutting {

std::string folderFilePath(const std::string& folder, const std::string& name)
{
    namespace fs = std::filesystem;
    const std::string exact = withTrailingSeparator(folder) + name;
    if (fileExists(exact)) return exact;
    const std::string lower = toLowerAscii(name);
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec))
        if (toLowerAscii(it->path().filename().string()) == lower && fileExists(it->path().string()))
            return it->path().string();
    return exact;
}

} // namespace dravenor::cutting
