#pragma once
// "Layouts cut" for a job: what each cut layout takes out of the stock and puts in, worked out
// from the job's layouts (shared by the window and the batch tool).
#include <cstdint>
#include <string>
#include <vector>

#include "job/job.h"
#include "stock/remnant.h"
#include "stock/stock_changes.h"

namespace dravenor {

struct LayoutCount {
    std::int32_t layoutNo = 0;
    std::int64_t count = 0; // 0: the layout's own number of identical sheets
};

// The layout numbers of the job, in order.
std::vector<std::int32_t> jobLayoutNumbers(const NestingState& state);
// Identical sheets cut with the layout (its sheet row's quantity), 0 for an unknown layout.
std::int32_t layoutSheetCount(const NestingState& state, std::int32_t layoutNo);

// The job file as the stock records it: its absolute path.
std::string stockJobName(const std::string& jobFileName);

// The kept remnant of a layout of the job (the job's remnant minimums; its clearance the kerf and,
// for Deep Nesting, its margin).
Remnant jobLayoutRemnant(const Job& job, std::int32_t layoutNo);

// The cut of these layouts: each one's fingerprint, the stock plate its sheet is (by its shape
// file) and its kept remnant. "" or why a layout cannot be cut (an unknown layout number).
std::string cutRequestOf(const Job& job, const std::vector<LayoutCount>& layouts, const StockTables& tables,
                         const std::string& folder, CutRequest& request);

// One line per layout of the cut: "Layout 1 x 4: plate 2 taken out, a remnant put in". With the
// ids the stock gave the remnants (one per layout, 0 for none) the line names them ("remnant 7
// put in"); without, it says what will happen.
std::vector<std::string> cutLines(const CutRequest& request, const std::vector<std::int64_t>& remnantIds = {});

} // namespace dravenor
