#pragma once
// The report "Report.tlf": yields, running lengths of cutting and weights of the whole job, its
// basic details with the kerf used when the engine changed it, the use of every sheet and part
// type, and every layout with the positions of its parts. One text shared by the report window,
// its printout and the batch tool.
#include <cstdint>
#include <string>
#include <vector>

#include "job/density_table.h"
#include "job/job.h"
#include "layouts/layout_metrics.h"

namespace dravenor {

inline constexpr const char* kReportFileName = "Report.tlf";
inline constexpr const char* kNoLayoutMessage = "This File does not contain any Layout";

// The file name without its folder, whole, commas replaced by blanks.
std::string reportDisplayName(const std::string& path);
// The priority as text; "-" for 0 and 32767 (no priority).
std::string reportPriorityText(std::int32_t pri);
// The orientation rule, "-" when there is none.
std::string reportOrientationText(const std::string& orn);

// The report text, CR LF line ends, from metrics computed for the job.
std::string reportText(const Job& job, const JobMetrics& metrics);
// The same with the metrics computed here; shape files that cannot be read are added to
// warnings when given.
std::string reportText(const Job& job, const DensityTable& densities, std::vector<std::string>* warnings = nullptr);

struct ReportWriteResult {
    std::string error;                 // "" when written
    std::vector<std::string> warnings; // shape files that could not be measured
    std::string path;                  // the file written
    bool ok() const { return error.empty(); }
};

// Writes the report of the job atomically to the path. A job without layouts writes nothing and
// gives kNoLayoutMessage.
ReportWriteResult writeReportFile(const Job& job, const DensityTable& densities, const std::string& path);
// writeReportFile to "Report.tlf" of the working folder.
ReportWriteResult writeReport(const Job& job, const DensityTable& densities, const std::string& workingFolder);

} // namespace dravenor
