#pragma once
// The exchange with the layout editor: the current layout written out as the lines of
// "edit.lay", and the edited lines taken back into the job's item list, records and grids.
#include <string>
#include <vector>

#include "job/job.h"
#include "layouts/layout_file.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor {

inline constexpr const char* kExchangeFileName = "edit.lay";

// The lines of layout layoutNo: its sheet row first (with the layout's Qty), then its part
// instances in item order. Numbers in general format. Empty when there is no such layout.
std::vector<LayoutFileLine> exchangeLinesForLayout(const NestingState& state, int layoutNo);

// Replaces layout layoutNo of the item list by the edited lines (read up to the first line with
// an empty name; an empty list removes the layout), adds records for sheet or part files the job
// does not have, renumbers the layouts from 1, and recomputes the stock and demand: a sheet's
// Remaining = Qty - sheets used (Qty raised to the number used when short); a part's Remaining
// is what was unplaced less the pieces added by hand (not below 0) and its Qty = pieces placed
// + Remaining, so an unchanged layout leaves every record as it was. Entities are not touched.
void takeBackEditedLayout(NestingState& state, int layoutNo, const std::vector<LayoutFileLine>& lines);

// takeBackEditedLayout on the job, then the entity list rebuilt from the items, each record's
// Qty written into the grid row it came from (Pri, Orn and the other columns stay with their
// file; files new to the job get rows at the end), the kerf set up again and every record's
// Area recomputed; the job is marked modified. Returns the rebuild's messages (missing or
// unreadable shape files).
std::vector<std::string> applyEditedLayout(Job& job, int layoutNo, const std::vector<LayoutFileLine>& lines);

// The least distances the editor holds a handed-over layout to: the spacing and margin of a
// layout made by Deep Nesting; none (overlaps only) for the classic engine's.
LeastDistances exchangeDistances(const Job& job);

} // namespace dravenor
