#include "job/job_file_commit.h"

#include <filesystem>
#include <random>

#include "job/files.h"

namespace dravenor {

namespace fs = std::filesystem;

namespace {

// One file on its way: the target, its staged new content and the backup of its old content.
struct Staged {
    fs::path target;
    fs::path temporary;
    fs::path backup;     // empty when the target did not exist
    bool replaced = false;
};

// The file a path stands for: a link is followed, so the file it points to is replaced.
fs::path resolvedTarget(const std::string& path)
{
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec) return resolved;
    }
    return target;
}

// A name beside the target that does not exist yet: ".NAME.<kind>-<hex>".
fs::path unusedNameBeside(const fs::path& target, const std::string& kind, std::mt19937_64& random)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::error_code ec;
    for (;;) {
        std::string name(1, '.');
        name.append(target.filename().string()).append(".").append(kind).append("-");
        std::uint64_t bits = random();
        for (int i = 0; i < 12; ++i, bits >>= 4) name.push_back(hex[bits & 15]);
        const fs::path candidate = target.parent_path() / name;
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
}

std::string failure(const fs::path& target, const std::error_code& ec)
{
    std::error_code probe;
    const std::string reason = fs::is_directory(target, probe) ? "is a folder" : toLowerAscii(ec.message());
    return "cannot write " + target.string() + ": " + reason;
}

// Keeps the old content reachable under the backup name while the target is replaced: a hard
// link where the file system has them, else a copy.
bool keepBackup(const fs::path& target, const fs::path& backup)
{
    std::error_code ec;
    fs::create_hard_link(target, backup, ec);
    if (!ec) return true;
    return fs::copy_file(target, backup, ec) && !ec;
}

// The reason of a write message about the temporary file, so the message can name the target.
std::string reasonOf(const std::string& message, const fs::path& temporary)
{
    const std::string prefix = "cannot write " + temporary.string() + ": ";
    return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
}

void removeQuietly(const fs::path& path)
{
    if (path.empty()) return;
    std::error_code ec;
    fs::remove(path, ec);
}

// Puts back what the targets held before, newest first, and removes every staged file.
void rollBack(std::vector<Staged>& staged)
{
    std::error_code ec;
    for (auto it = staged.rbegin(); it != staged.rend(); ++it) {
        if (it->replaced) {
            if (it->backup.empty()) fs::remove(it->target, ec);
            else fs::rename(it->backup, it->target, ec);
        }
        removeQuietly(it->temporary);
        removeQuietly(it->backup);
    }
}

} // namespace

void FileSetWriter::add(std::string path, std::string bytes)
{
    files_.push_back({std::move(path), std::move(bytes)});
}

std::string FileSetWriter::commit()
{
    std::random_device seed;
    std::mt19937_64 random((static_cast<std::uint64_t>(seed()) << 32) ^ seed());
    std::vector<Staged> staged;
    for (const Pending& file : files_) {
        if (file.path.empty()) {
            rollBack(staged);
            return "cannot write a file without a name";
        }
        Staged s;
        s.target = resolvedTarget(file.path);
        s.temporary = unusedNameBeside(s.target, "save", random);
        const std::string problem = writeFileAtomically(s.temporary.string(), file.bytes);
        if (!problem.empty()) {
            rollBack(staged);
            return "cannot write " + file.path + ": " + reasonOf(problem, s.temporary);
        }
        staged.push_back(std::move(s));
    }

    std::error_code ec;
    for (Staged& s : staged) {
        const fs::file_status previous = fs::status(s.target, ec);
        if (fs::is_regular_file(previous)) {
            fs::permissions(s.temporary, previous.permissions(), fs::perm_options::replace, ec);
            s.backup = unusedNameBeside(s.target, "old", random);
            if (!keepBackup(s.target, s.backup)) {
                s.backup.clear();
                rollBack(staged);
                return "cannot write " + s.target.string() + ": its previous content could not be kept while saving";
            }
        }
        fs::rename(s.temporary, s.target, ec);
        if (ec) {
            const std::string message = failure(s.target, ec);
            rollBack(staged);
            return message;
        }
        s.replaced = true;
        s.temporary.clear();
    }
    for (const Staged& s : staged) removeQuietly(s.backup);
    files_.clear();
    return "";
}

} // namespace dravenor
