#include "deep_measure.h"
#include "layout_gaps.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/nest_job.h"
#include "engine/nesting_checks.h"
#include "job/part_rules.h"
#include "engine/nesting_driver.h"
#include "geometry/layout_lists.h"
#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace fs = std::filesystem;

namespace dravenor::bench {

bool betterMeasure(const Measure& a, const Measure& b)
{
    if (a.ok != b.ok) return a.ok;
    if (a.placed != b.placed) return a.placed > b.placed;
    return a.fractional < b.fractional;
}

Measure medianMeasure(std::vector<Measure> runs)
{
    if (runs.empty()) return {};
    std::sort(runs.begin(), runs.end(), betterMeasure);
    return runs[(runs.size() - 1) / 2];
}

std::vector<fs::path> defaultJobs()
{
    const fs::path repository(DRAVENOR_SOURCE_DIR);
    std::vector<fs::path> jobs{repository / "resources" / "examples" / "job.args"};
    std::vector<fs::path> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(repository / ".." / "shared" / "bench", ec))
        for (const char* name : {"job.args", "strip.args"})
            if (fs::exists(entry.path() / name)) found.push_back(entry.path() / name);
    std::sort(found.begin(), found.end());
    jobs.insert(jobs.end(), found.begin(), found.end());
    return jobs;
}

std::string jobName(const fs::path& file)
{
    const std::string folder = file.parent_path().filename().string();
    const std::string name = folder == "examples" ? "example" : folder;
    return file.filename() == "strip.args" ? name + "-strip" : name;
}

bool readJob(const fs::path& file, NestingState& state)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    try {
        state = cli::parseNestJob(cli::readArgsFile(text.str()), file.parent_path().string()).state;
    } catch (const cli::UsageError& e) {
        std::cerr << file.string() << ": " << e.message << "\n";
        return false;
    }
    for (auto check : {missingFileMessage, emptyListMessage, shapeProblemMessage})
        if (auto problem = check(state)) {
            std::cerr << file.string() << ": " << *problem << "\n";
            return false;
        }
    return true;
}

double AreaBook::areaOf(const std::string& file)
{
    auto it = areas_.find(file);
    if (it != areas_.end()) return it->second;
    Shape shape;
    loadShape(file, shape, state_.drawingUnit);
    return areas_[file] = enclosedArea(shape, closingTolerance(state_.details));
}

double AreaBook::placedArea(const NestingState& state)
{
    double area = 0;
    for (const PartEntry& p : state.parts) area += areaOf(p.FileName) * (p.Qty - std::max(p.Remaining, 0));
    return area;
}

Measure measureLayouts(const NestingState& state, AreaBook& areas, bool withGaps)
{
    Measure m;
    std::map<int, Shape> sheetOf;
    std::map<int, Extents> partsOf;
    std::map<int, int> copies;
    double partArea = 0, sheetArea = 0;
    for (const LayoutItem& item : state.items) {
        if (item.PartIndex > 0) partArea += areas.areaOf(state.part(item.PartIndex).FileName) * item.Qty;
        else sheetArea += areas.areaOf(state.sheet(item.SheetIndex).FileName) * item.Qty;
    }
    for (const LayoutEntity& e : state.entities) {
        const ShapeEntity s = shapeEntityOf(e);
        if (e.Instance == 0) sheetOf[e.LayoutNo].push_back(s);
        else {
            const Extents x = shapeExtents({s});
            Extents& box = partsOf[e.LayoutNo];
            includePoint(box, x.xmin, x.ymin);
            includePoint(box, x.xmax, x.ymax);
        }
        copies[e.LayoutNo] = e.Qty;
    }
    double least = 1, fullArea = 0, leastArea = sheetOf.empty() ? 0 : shapeExtents(sheetOf.begin()->second).width() *
                                                                       shapeExtents(sheetOf.begin()->second).height();
    for (const auto& [layout, sheet] : sheetOf) {
        const Extents s = shapeExtents(sheet);
        const Extents p = partsOf[layout];
        const bool alongX = s.width() >= s.height();
        const double length = alongX ? s.width() : s.height();
        const double used = p.empty() ? 0 : (alongX ? p.xmax - s.xmin : p.ymax - s.ymin);
        const double share = length > 0 ? used / length : 1;
        m.sheets += copies[layout];
        if (share < least) {
            least = share;
            leastArea = s.width() * s.height();
        }
        fullArea += s.width() * s.height() * copies[layout];
    }
    // The least used sheet counts by its used share, the others whole.
    m.fractional = m.sheets > 0 ? m.sheets - 1 + least : 0;
    const double counted = fullArea - leastArea * (1 - least);
    m.density = counted > 0 ? partArea / counted : 0;
    m.yield = sheetArea > 0 ? partArea / sheetArea : 0;
    if (withGaps) {
        const LayoutGaps gaps = smallestGaps(state);
        m.gapParts = gaps.betweenParts;
        m.gapSheet = gaps.toSheet;
    }
    for (const PartEntry& p : state.parts) {
        m.required += p.Qty;
        m.placed += p.Qty - std::max(p.Remaining, 0);
        m.requiredArea += areas.areaOf(p.FileName) * p.Qty;
    }
    m.placedArea = areas.placedArea(state);
    m.ok = true;
    return m;
}

void applyOverrides(const JobOverrides& overrides, NestingState& state)
{
    if (overrides.spacing >= 0) state.details.Kerf = overrides.spacing;
    if (overrides.halfTurn)
        for (auto& part : state.parts)
            if (part.Orn == kOrnNo) part.Orn = std::string(kOrnStep180);
}

int forEachJob(const std::vector<std::filesystem::path>& jobs, const JobOverrides& overrides,
               const std::function<void(const std::filesystem::path&, const NestingState&)>& run)
{
    int failures = 0;
    for (const std::filesystem::path& file : jobs) {
        NestingState state;
        if (!readJob(file, state)) {
            ++failures;
            continue;
        }
        applyOverrides(overrides, state);
        std::printf("%-22s |", jobName(file).c_str());
        std::fflush(stdout);
        run(file, state);
    }
    return failures;
}

} // namespace dravenor::bench
