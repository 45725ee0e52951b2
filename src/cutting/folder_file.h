#pragma once
// Where a working file of the cutting side lies in a folder.
#include <string>

namespace dravenor::cutting {

// An existing file of the folder whose name matches without regard to case, else folder + name.
std::string folderFilePath(const std::string& folder, const std::string& name);

} // namespace dravenor::cutting
