#pragma once
// A fresh folder for one test (under the system's temporary folder unless given another),
// removed with everything in it afterwards.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace dravenor::testing {

class TempFolder {
public:
    explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path())
    {
        std::string pattern = base / "dravenor-test-XXXXXX";
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;

    std::string folder() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Writes bytes exactly as given and returns the path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }
    static std::string read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Names of everything in the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Whether permission bits stop this process (they do not for the superuser).
    bool permissionsAreEnforced() const
    {
        const std::string probe = write("probe", "x");
        std::filesystem::permissions(probe, std::filesystem::perms::none);
        const bool enforced = !std::ifstream(probe).is_open();
        std::filesystem::remove(probe);
        return enforced;
    }

private:
    std::filesystem::path path_;
};

} // namespace dravenor::testing
