// Before the trials: the kerf and scale, every shape's outline, the areas and the order in which
// sheets and parts are tried.
#include <utility>
#include <vector>

#include "engine/nesting_checks.h"
#include "engine/kerf_growth.h"
#include "engine/kerf_scale.h"
#include "engine/nesting_driver.h"
#include "engine/rasterise.h"
#include "engine/shape_area.h"

namespace dravenor {

namespace {

inline constexpr std::int32_t kNoPriority = 32767;

std::int32_t priorityOf(const SheetEntry& s) { return s.Pri; }
std::int32_t priorityOf(const std::pair<PartEntry, double>& p) { return p.first.Pri; }

// For i = 1 to n, for j = i to n: entries i and j change places when j must come first.
template <class T, class JFirst>
void exchangeSort(std::vector<T>& entries, JFirst jFirst)
{
    for (size_t i = 0; i < entries.size(); ++i)
        for (size_t j = i; j < entries.size(); ++j)
            if (jFirst(entries[j], entries[i])) std::swap(entries[i], entries[j]);
}

// By priority first; then the larger area first among equal priorities.
template <class T, class AreaOf>
void sortByPriorityAndArea(std::vector<T>& entries, AreaOf areaOf)
{
    exchangeSort(entries, [](const T& j, const T& i) { return priorityOf(j) < priorityOf(i); });
    exchangeSort(entries, [&](const T& j, const T& i) {
        return areaOf(j) > areaOf(i) && priorityOf(j) <= priorityOf(i);
    });
}

void readZeroPriorityAsLast(std::int32_t& pri)
{
    if (pri == 0) pri = kNoPriority;
}

void cacheOutline(const std::string& file, NestingRun& run)
{
    if (!run.caches.outlines.count(file))
        run.caches.outlines.emplace(
            file, makeOutline(file, run.scale, run.state.drawingUnit, closingTolerance(run.state.details)));
}

} // namespace

void setUpKerfAndScale(NestingRun& run)
{
    const KerfScale plan = planKerfAndScale(run.state);
    run.state.details.ActKerf = plan.actKerf;
    run.scale = plan.scale;
    run.partGrowth = partGrowthCells(run.state.details.Kerf, plan.scale);
    for (const SheetEntry& sheet : run.state.sheets) cacheOutline(sheet.FileName, run);
    for (const PartEntry& part : run.state.parts) cacheOutline(part.FileName, run);
}

void computeAreasAndSort(NestingRun& run)
{
    NestingState& state = run.state;
    for (SheetEntry& sheet : state.sheets) {
        sheet.Area = outlineArea(loadOutline(sheet.FileName, run), run);
        readZeroPriorityAsLast(sheet.Pri);
    }
    sortByPriorityAndArea(state.sheets, [](const SheetEntry& s) { return static_cast<double>(s.Area); });

    // Parts are ordered by the area of their box; their true area is counted afterwards.
    std::vector<std::pair<PartEntry, double>> parts;
    for (PartEntry& part : state.parts) {
        readZeroPriorityAsLast(part.Pri);
        parts.emplace_back(part, roundedBoxArea(loadOutline(part.FileName, run)));
    }
    sortByPriorityAndArea(parts, [](const std::pair<PartEntry, double>& p) { return p.second; });
    for (size_t i = 0; i < parts.size(); ++i) {
        state.parts[i] = std::move(parts[i].first);
        state.parts[i].Area = outlineArea(loadOutline(state.parts[i].FileName, run), run);
    }
}

} // namespace dravenor
