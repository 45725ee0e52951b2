#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace dravenor::test {

class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path()
            / ("dravenor-job-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string folder() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Writes bytes exactly as given and returns the path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(file(name), std::ios::binary);
        out << bytes;
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
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

// Whether permission bits stop this process (they do not for the superuser).
inline bool permissionsAreEnforced(const TempFolder& temp)
{
    const std::string probe = temp.write("probe", "x");
    std::filesystem::permissions(probe, std::filesystem::perms::none);
    std::ifstream in(probe);
    const bool enforced = !in.is_open();
    std::filesystem::permissions(probe, std::filesystem::perms::owner_all);
    std::filesystem::remove(probe);
    return enforced;
}

} // namespace dravenor::test
