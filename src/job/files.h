#pragma once
// File helpers shared by every reader and writer: existence, deletion, names, whole-file reads
// and atomic writes. Paths are native; nothing here depends on the current directory.
#include <optional>
#include <string>

namespace dravenor {

// True when the path names a regular file whose size can be read; never throws.
bool fileExists(const std::string& path);
// Deletes the file; any failure (missing, in use, no permission) is ignored.
void deleteFile(const std::string& path);
// Deletes the files of the folder whose names end with the suffix (case-insensitive), e.g. the
// working files ".tlf"; failures ignored. An empty folder or suffix deletes nothing.
void deleteFilesEndingWith(const std::string& folder, const std::string& suffix);
// The text after the last '/' or '\'; the whole path when it holds neither.
std::string fileNameOnly(const std::string& path);
// The text before the last '/' or '\' ("/" for a file in the root); "." when it holds neither.
std::string folderOfFile(const std::string& path);
// The folder with one separator appended when it does not already end in '/' or '\'.
std::string withTrailingSeparator(const std::string& folder);
// Lower-case copy (ASCII letters only).
std::string toLowerAscii(std::string text);
// The file's name without its folder and without an ending ".nst" in any case: "frame" for
// "/jobs/frame.NST", the stem files written for a job are named after.
std::string jobFileStem(const std::string& jobFile);
// The path with "." + extension appended unless its name already ends with it (in any case):
// "plates" and "plates.v2" get it, "plates.NST" keeps its name; a name ending in "." gets only
// the extension. An empty path or extension is returned unchanged.
std::string withFileExtension(const std::string& path, const std::string& extension);

// Whole file as bytes; std::nullopt with a message naming the file when it cannot be read
// (missing, a directory, no permission).
struct FileText {
    std::optional<std::string> bytes;
    std::string error;
};
FileText readWholeFile(const std::string& path);

// The output name that stands for standard output.
inline constexpr const char* kStandardOutput = "-";

// Writes the bytes to a temporary file beside the target and renames it over the target, so a
// failed write leaves the previous file intact and no temporary file behind. A target that
// exists and is not a regular file (a pipe, a device, /dev/stdout) is written into directly and
// never replaced; "-" is standard output. Returns "" or a message naming the file and the reason.
std::string writeFileAtomically(const std::string& path, const std::string& bytes);
// The file's bytes with the text added at the end, written atomically as above ("-": the text
// written to standard output). Returns "" or a message naming the file.
std::string appendFileAtomically(const std::string& path, const std::string& text);

} // namespace dravenor
