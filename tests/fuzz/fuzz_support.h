#pragma once
// What every fuzz target shares: a private folder for the readers that only take paths, and the
// way a target reports a broken promise of the code it drives.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_folder.h"

namespace dravenor::fuzz {

// The folder, made on first use and removed with its files when the process ends; in memory where
// the system offers it: a file rewritten for every input costs a disk flush on some file systems.
inline const testing::TempFolder& scratch()
{
    std::error_code ec;
    static const testing::TempFolder folder(std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                                                           : std::filesystem::temp_directory_path());
    return folder;
}

// Writes the bytes to the scratch folder under the name, replacing what was there; returns the path.
inline std::string writeScratchFile(const std::string& name, const std::string& bytes)
{
    const std::string path = scratch().file(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::string inputText(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Equal as stored: NaN equals NaN, so that two ways of computing the same thing may agree on it.
inline bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// A promise of the code under test does not hold: libFuzzer keeps the input as a crash.
[[noreturn]] inline void finding(const char* what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

} // namespace dravenor::fuzz
