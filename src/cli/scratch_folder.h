#pragma once
// A private temporary folder (e.g. for a job's section files while it is opened), removed with
// everything in it when the object goes.
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace dravenor::cli {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dravenor-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // "" when the folder could not be made.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace dravenor::cli
