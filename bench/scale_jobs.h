#pragma once
// The benchmark's two large jobs, written as job folders (shape files and a job.args) from a
// fixed seed, so that every run nests the same jobs:
// - "offcuts": 12 irregular offcut sheets (cut corners, one or two holes each, 600-2000 mm,
//   stock 1) and 50 parts whose area exceeds what the sheets hold;
// - "many": 2000 parts of 100 types on 3000x1500, 2500x1250 and 2000x1000 sheets, stock enough.
// The part types are the given source shapes scaled to sizes drawn for each type.
#include <filesystem>
#include <vector>

namespace dravenor::bench {

// The shape files the part types are made from: the example parts and the parts of the bench
// jobs under `benchFolder`, one file per distinct shape, in a fixed order.
std::vector<std::filesystem::path> partShapeSources(const std::filesystem::path& examplesFolder,
                                                    const std::filesystem::path& benchFolder);

struct ScaleJobFiles {
    std::filesystem::path offcuts;  // .../offcuts/job.args
    std::filesystem::path many;     // .../many/job.args
};

// Writes both job folders under `folder`, replacing earlier ones.
ScaleJobFiles writeScaleJobs(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& sources);

} // namespace dravenor::bench
