#include "stock/layout_cut.h"

#include <algorithm>
#include <filesystem>

#include "stock/layout_fingerprint.h"

namespace dravenor {

std::vector<std::int32_t> jobLayoutNumbers(const NestingState& state)
{
    std::vector<std::int32_t> numbers;
    for (const LayoutItem& item : state.items)
        if (std::find(numbers.begin(), numbers.end(), item.LayoutNo) == numbers.end()) numbers.push_back(item.LayoutNo);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::int32_t layoutSheetCount(const NestingState& state, std::int32_t layoutNo)
{
    for (const LayoutItem& item : state.items)
        if (item.LayoutNo == layoutNo && item.PartIndex == 0) return std::max<std::int32_t>(item.Qty, 1);
    return 0;
}

std::string stockJobName(const std::string& jobFileName)
{
    if (jobFileName.empty()) return jobFileName;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(jobFileName, ec);
    return ec ? jobFileName : absolute.lexically_normal().string();
}

Remnant jobLayoutRemnant(const Job& job, std::int32_t layoutNo)
{
    const double clearance = remnantClearance(job.nesting.details, job.nesting.deepLayouts ? job.deep.margin : 0);
    return layoutRemnant(job.nesting, layoutNo, clearance, job.remnants);
}

std::string cutRequestOf(const Job& job, const std::vector<LayoutCount>& layouts, const StockTables& tables,
                         const std::string& folder, CutRequest& request)
{
    request.job = stockJobName(job.jobFileName);
    request.material = {job.nesting.details.Mat, job.nesting.details.Grade, job.nesting.details.Thick};
    request.layouts.clear();
    for (const LayoutCount& wanted : layouts) {
        const std::int32_t sheets = layoutSheetCount(job.nesting, wanted.layoutNo);
        if (sheets == 0) return "the job has no layout " + std::to_string(wanted.layoutNo);
        CutLayout cut;
        cut.layoutNo = wanted.layoutNo;
        cut.count = wanted.count > 0 ? wanted.count : sheets;
        cut.fingerprint = layoutFingerprint(job.nesting, wanted.layoutNo);
        for (const LayoutItem& item : job.nesting.items)
            if (item.LayoutNo == wanted.layoutNo && item.PartIndex == 0 && item.SheetIndex >= 1 &&
                item.SheetIndex <= static_cast<std::int32_t>(job.nesting.sheets.size()))
                cut.usedPlate = plateOfSheetFile(tables, folder, job.nesting.sheet(item.SheetIndex).FileName);
        const Remnant remnant = jobLayoutRemnant(job, wanted.layoutNo);
        if (remnant.kept) cut.remnant = remnant.outline;
        request.layouts.push_back(std::move(cut));
    }
    return "";
}

std::vector<std::string> cutLines(const CutRequest& request, const std::vector<std::int64_t>& remnantIds)
{
    const bool done = !remnantIds.empty();
    std::vector<std::string> lines;
    for (size_t i = 0; i < request.layouts.size(); ++i) {
        const CutLayout& c = request.layouts[i];
        std::string line = "Layout " + std::to_string(c.layoutNo) + " x " + std::to_string(c.count) + ": ";
        line += c.usedPlate > 0 ? "plate " + std::to_string(c.usedPlate) + " taken out" : "sheet not from stock";
        if (done && i < remnantIds.size() && remnantIds[i] > 0) line += ", remnant " + std::to_string(remnantIds[i]) + " put in";
        else if (!done && c.remnant) line += ", its remnant put in";
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace dravenor
