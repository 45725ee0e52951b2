#pragma once
// When the part of a sheet beyond a layout's last part is kept as a remnant: at least this wide
// across its cut and this large, in the job's length unit. Kept with the job.
#include <optional>
#include <string>

namespace dravenor {

struct RemnantSettings {
    double minWidth = 100;     // job units, measured square to the cut
    double minArea = 100000;   // square job units (0.1 m² in millimetres)
    bool operator==(const RemnantSettings&) const = default;
};

// The first field of the options section's remnant line.
inline constexpr const char* kRemnantOptionsTag = "Remnants";

// A minimum as typed: a number from 0 up, or the message why it cannot be used.
struct RemnantNumber {
    double value = 0;
    std::string error;
    bool ok() const { return error.empty(); }
};
RemnantNumber readRemnantMinimum(const std::string& text, const char* what);

} // namespace dravenor
