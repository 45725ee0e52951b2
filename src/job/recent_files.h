#pragma once
// The jobs opened or saved lately, newest first, kept in "recent.cfg" of the working folder:
// one path a line, CR LF. File > Recent Files lists them.
#include <string>
#include <vector>

namespace dravenor {

inline constexpr const char* kRecentFilesName = "recent.cfg";
inline constexpr size_t kMostRecentFiles = 6;

// The paths of the file, newest first: blank lines and repeats left out, at most
// kMostRecentFiles; none when the file does not exist or cannot be read.
std::vector<std::string> readRecentFiles(const std::string& folder);
// The list with path in front (moved there when it was in it already), cut to kMostRecentFiles.
std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path);
// Puts path in front of the folder's list and writes it atomically. Returns "" or the message.
std::string rememberRecentFile(const std::string& folder, const std::string& path);

} // namespace dravenor
