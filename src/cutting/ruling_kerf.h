#pragma once
// One kerf rules a job. The cut table's row for the job's material and thickness names the kerf
// its programs cut with; a job nested with another kerf leaves parts the torch cannot cut apart,
// so a run takes that kerf instead of the one entered, and Deep Nesting's spacing is never less.
#include <string>
#include <vector>

#include "cutting/cut_table.h"
#include "job/deep_settings.h"
#include "job/drawing_unit.h"
#include "job/nesting_state.h"

namespace dravenor::cutting {

// The table's kerf (in the job's unit) into details.Kerf and, when Deep Nesting's spacing is
// set below it, into deep.spacing. Returns a note per change, e.g. "Kerf 3 from the cut table
// cutting.dat for S235 10 (2.5 entered)"; nothing changes without such a row.
std::vector<std::string> applyTableKerf(const CutTable& table, const std::string& tableName, BasicDetails& details,
                                        DeepSettings& deep, DrawingUnit unit);

// The same with the table file at path, Deep Nesting's spacing only for a Deep Nesting run. A
// table that is missing or cannot be read changes nothing and gives its first problem.
struct TableKerf {
    std::vector<std::string> notes;
    std::string error;
};
TableKerf applyTableKerfFile(const std::string& path, BasicDetails& details, DeepSettings& deep, bool deepRun,
                             DrawingUnit unit);

} // namespace dravenor::cutting
