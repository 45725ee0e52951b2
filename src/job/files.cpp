#include "job/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>

namespace dravenor {

namespace fs = std::filesystem;

namespace {

// A short reason for an errno value, in the words the messages use.
std::string reasonFor(int error)
{
    switch (error) {
    case ENOENT: return "no such file";
    case EISDIR: return "is a folder";
    case EACCES:
    case EPERM: return "permission denied";
    case ENOSPC: return "no space left on the disk";
    case EROFS: return "the disk is read-only";
    case ENOTDIR: return "a part of the path is not a folder";
    case ENAMETOOLONG: return "the name is too long";
    default: break;
    }
    return toLowerAscii(std::strerror(error));
}

std::string reasonFor(const std::error_code& ec)
{
    if (ec.category() == std::generic_category() || ec.category() == std::system_category())
        return reasonFor(ec.value());
    return toLowerAscii(ec.message());
}

std::string readError(const std::string& path, const std::string& reason)
{
    return "cannot read " + path + ": " + reason;
}

std::string writeError(const std::string& path, const std::string& reason)
{
    return "cannot write " + path + ": " + reason;
}

// A name for a temporary file beside the target, hidden and unlikely to exist.
fs::path temporaryNameBeside(const fs::path& target, std::mt19937_64& random)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string name(1, '.');
    name.append(target.filename().string()).append(".tmp-");
    std::uint64_t bits = random();
    for (int i = 0; i < 12; ++i, bits >>= 4) name.push_back(hex[bits & 15]);
    return target.parent_path() / name;
}

struct FileCloser {
    void operator()(std::FILE* file) const
    {
        if (file) std::fclose(file);
    }
};

// Writes the bytes to a file that must not exist yet. Returns "" or the reason.
std::string writeNewFile(const fs::path& file, const std::string& bytes, bool& created)
{
    created = false;
    errno = 0;
    std::FILE* raw = std::fopen(file.c_str(), "wbx");
    if (!raw) return errno == EEXIST ? std::string("exists") : reasonFor(errno);
    created = true;
    std::unique_ptr<std::FILE, FileCloser> handle(raw);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), raw) != bytes.size())
        return reasonFor(errno ? errno : EIO);
    if (std::fflush(raw) != 0 || std::ferror(raw)) return reasonFor(errno ? errno : EIO);
    handle.release();
    if (std::fclose(raw) != 0) return reasonFor(errno ? errno : EIO);
    return "";
}

} // namespace

bool fileExists(const std::string& path)
{
    if (path.empty()) return false;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || ec) return false;
    static_cast<void>(fs::file_size(path, ec));
    if (ec) return false;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    return file != nullptr;
}

void deleteFile(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec || fs::is_directory(status) || !fs::exists(status)) return;
    fs::remove(path, ec);
}

void deleteFilesEndingWith(const std::string& folder, const std::string& suffix)
{
    if (folder.empty() || suffix.empty()) return;
    const std::string lowerSuffix = toLowerAscii(suffix);
    std::error_code ec;
    fs::directory_iterator it{fs::path(folder), ec};
    if (ec) return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return;
        std::error_code entryError;
        if (!it->is_regular_file(entryError) || entryError) continue;
        const std::string name = toLowerAscii(it->path().filename().string());
        if (name.size() >= lowerSuffix.size()
            && name.compare(name.size() - lowerSuffix.size(), lowerSuffix.size(), lowerSuffix) == 0)
            fs::remove(it->path(), entryError);
    }
}

std::string fileNameOnly(const std::string& path)
{
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string folderOfFile(const std::string& path)
{
    const size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return ".";
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::string withTrailingSeparator(const std::string& folder)
{
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder;
    return folder + "/";
}

std::string toLowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string jobFileStem(const std::string& jobFile)
{
    std::string job = fileNameOnly(jobFile);
    const std::string ending = ".nst";
    if (job.size() >= ending.size() && toLowerAscii(job.substr(job.size() - ending.size())) == ending)
        job.resize(job.size() - ending.size());
    return job;
}

std::string withFileExtension(const std::string& path, const std::string& extension)
{
    const std::string name = fileNameOnly(path);
    if (name.empty() || extension.empty()) return path;
    const std::string ending = "." + toLowerAscii(extension);
    if (toLowerAscii(name).ends_with(ending)) return path;
    return path + (name.back() == '.' ? "" : ".") + extension;
}

namespace {

std::string writeInto(std::FILE* stream, const std::string& path, const std::string& bytes)
{
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() || std::fflush(stream) != 0)
        return writeError(path, reasonFor(errno ? errno : EIO));
    return "";
}

} // namespace

FileText readWholeFile(const std::string& path)
{
    FileText result;
    if (path.empty()) {
        result.error = "cannot read a file without a name";
        return result;
    }
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        result.error = readError(path, ec && ec.value() != ENOENT ? reasonFor(ec) : "no such file");
        return result;
    }
    if (fs::is_directory(status)) {
        result.error = readError(path, "is a folder");
        return result;
    }
    // A device or a pipe may never end (a link to /dev/zero): only files are read.
    if (!fs::is_regular_file(status)) {
        result.error = readError(path, "is not a regular file");
        return result;
    }
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        result.error = readError(path, reasonFor(errno ? errno : EIO));
        return result;
    }
    std::string bytes;
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
    if (std::ferror(file.get())) {
        result.error = readError(path, reasonFor(errno ? errno : EIO));
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
}

std::string writeFileAtomically(const std::string& path, const std::string& bytes)
{
    if (path.empty()) return "cannot write a file without a name";
    if (path == kStandardOutput) return writeInto(stdout, path, bytes);
    std::error_code ec;
    fs::path target(path);
    // Writing through a link replaces the file it points to, not the link.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (fs::is_directory(target, ec)) return writeError(path, "is a folder");
    // A pipe, a device or a terminal is written into as it stands; it is never replaced.
    if (const fs::file_status status = fs::status(target, ec); fs::exists(status) && !fs::is_regular_file(status)) {
        errno = 0;
        std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(target.c_str(), "wb"));
        if (!stream) return writeError(path, reasonFor(errno ? errno : EIO));
        return writeInto(stream.get(), path, bytes);
    }
    if (!target.has_filename()) return writeError(path, "no file name given");
    fs::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
        target = folder / target;
    }
    if (!fs::is_directory(folder, ec)) return writeError(path, "the folder " + folder.string() + " does not exist");

    std::random_device seed;
    std::mt19937_64 random((static_cast<std::uint64_t>(seed()) << 32) ^ seed());
    fs::path temporary;
    std::string failure = "exists";
    bool created = false;
    for (int attempt = 0; attempt < 16 && failure == "exists"; ++attempt) {
        temporary = temporaryNameBeside(target, random);
        failure = writeNewFile(temporary, bytes, created);
    }
    if (failure == "exists") failure = "no free temporary file name";
    if (failure.empty()) {
        // Keep the permissions of the file being replaced.
        const fs::file_status previous = fs::status(target, ec);
        if (!ec && fs::exists(previous))
            fs::permissions(temporary, previous.permissions(), fs::perm_options::replace, ec);
        fs::rename(temporary, target, ec);
        if (ec) failure = reasonFor(ec);
    }
    if (!failure.empty()) {
        if (created) fs::remove(temporary, ec);
        return writeError(path, failure);
    }
    return "";
}

std::string appendFileAtomically(const std::string& path, const std::string& text)
{
    // Standard output was written before: the text follows it.
    if (path == kStandardOutput) return writeFileAtomically(path, text);
    const FileText file = readWholeFile(path);
    if (!file.bytes) return file.error;
    return writeFileAtomically(path, *file.bytes + text);
}

} // namespace dravenor
