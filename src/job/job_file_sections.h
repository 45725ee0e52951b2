#pragma once
// The seven sections of a job file as text, and back: the grids as grid files, the sheet and
// part records, the nesting-mode marks and the layout item list, each line a comma-separated
// record with strings in double quotes and Booleans as #TRUE# / #FALSE#.
#include <string>
#include <vector>

#include "job/job.h"
#include "job/job_file_format.h"

namespace dravenor {

// The first field of the options section's Deep Nesting line.
inline constexpr const char* kDeepOptionsTag = "Deep Nesting";
// The first field of the options section's line that switches parts inside holes off.
inline constexpr const char* kHolesOptionsTag = "Parts In Holes";
// The first field of the options section's line that switches nesting for common lines on.
inline constexpr const char* kCommonLinesOptionsTag = "Common Lines";

struct JobSectionsOut {
    JobSectionTexts texts;
    std::string error; // names the first value a job file cannot store (a double quote, a line break)
};

// The job's seven section texts in their fixed order.
JobSectionsOut writeJobSections(const Job& job);

// Fills a freshly constructed job from the sections. Returns "" or "line N (section, record):
// reason"; what can be read although it is odd (a grid quantity that is not a number) adds a
// warning instead.
std::string readJobSections(const SplitJobFile& split, Job& job, std::vector<std::string>& warnings);

// A double in plain decimal notation with "." (exponent form only for magnitudes below 1e-5 or
// from 1e15), the shortest text that reads back as the same double.
std::string formatRecordDouble(double value);

} // namespace dravenor
