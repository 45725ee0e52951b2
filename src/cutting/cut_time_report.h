#pragma once
// The report's section on cutting: per layout the cut length, rapids, pierces and the estimated
// time per sheet and for all its identical sheets, from the cut plan with the cut table's data.
#include <string>

#include "cutting/nc_export.h"

namespace dravenor::cutting {

// The section's text, CR LF lines. Without cutting data, or for a layout that cannot be cut,
// it says why instead of giving times.
std::string cutTimeSection(const NestingState& state, const NcSetup& setup);

// Appends the section to the report file written before (atomically). Returns "" or the message.
std::string appendCutTimes(const NestingState& state, const NcSetup& setup, const std::string& reportPath);

} // namespace dravenor::cutting
