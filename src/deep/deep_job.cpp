#include "deep/deep_job.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "deep/coarsen.h"
#include "deep/material.h"
#include "deep/outline_rings.h"
#include "deep/region_builder.h"
#include "geometry/outline_tolerance.h"
#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"
#include "job/part_rules.h"

namespace dravenor::deep {

namespace {

constexpr std::int32_t kNoPriority = 32767;
// Chords stand at most this share of the job's size from their arcs; the grid of the clipping
// library is far finer still.
constexpr double kSagShare = 5e-6;
constexpr double kUnitShare = 1e-8;
constexpr double kFreeTurnStep = 5;
// Outlines without arcs are thinned within this share of the sagitta.
constexpr double kFineThinning = 1.0 / 128;
// Regions may grow by this share of their area to lose corners: outlines of many corners cost the
// search in proportion, and the little material added is mostly in notches nothing fits in.
constexpr double kCoarsenShare = 0.001;
// Instances beyond this are left unplaced, so that no quantity can exhaust memory.
constexpr std::int64_t kMostItems = 100000;

struct Loaded {
    Shape shape;
    Extents box;
    double area = 0;
    bool readable = false;
};

// Each file read once however many records name it.
class ShapeFiles {
public:
    ShapeFiles(DrawingUnit unit, double tolerance) : unit_(unit), tolerance_(tolerance) {}
    const Loaded& operator()(const std::string& file)
    {
        auto it = loaded_.find(file);
        if (it != loaded_.end()) return it->second;
        Loaded l;
        l.readable = loadShape(file, l.shape, unit_).readable && !l.shape.empty();
        l.box = shapeExtents(l.shape);
        l.area = l.readable ? enclosedArea(l.shape, tolerance_) : 0;
        return loaded_.emplace(file, std::move(l)).first->second;
    }

private:
    DrawingUnit unit_;
    double tolerance_;
    std::map<std::string, Loaded> loaded_;
};

bool finiteBox(const Extents& b)
{
    return !b.empty() && std::isfinite(b.xmin) && std::isfinite(b.ymin) && std::isfinite(b.xmax) && std::isfinite(b.ymax);
}

std::int32_t priorityOf(std::int32_t pri) { return pri == 0 ? kNoPriority : pri; }

// Sorted as the classic engine sorts: by priority, then the larger first, keeping the grid's
// order among equals.
template <class Entry, class AreaOf>
void sortRecords(std::vector<Entry>& records, AreaOf areaOf)
{
    for (Entry& e : records) e.Pri = priorityOf(e.Pri);
    std::vector<std::pair<Entry, double>> keyed;
    for (Entry& e : records) keyed.emplace_back(e, areaOf(e));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first.Pri != b.first.Pri) return a.first.Pri < b.first.Pri;
        return a.second > b.second;
    });
    for (std::size_t i = 0; i < records.size(); ++i) records[i] = std::move(keyed[i].first);
}

std::int32_t wholeArea(double area)
{
    return static_cast<std::int32_t>(std::clamp(std::round(area), 0.0, 2147483647.0));
}

struct Grid {
    double sag = 0;
    double unit = 0;
    double pad = 0;   // what rounding to the grid may cost, with room to spare
};

// What growing or shrinking an outline adds to the distance asked for: the chords' sagitta, the
// thinning and the grid's rounding. Outlines of lines alone have no chords and are thinned
// finely: every hundredth of a millimetre parts stand apart beyond the spacing is length lost.
struct Allowance {
    double thinning = 0;
    double extra = 0;
};

Allowance allowanceFor(const OutlineRings& rings, const Grid& grid)
{
    Allowance a;
    a.thinning = rings.sag > 0 ? grid.sag : grid.sag * kFineThinning;
    a.extra = rings.sag + a.thinning + grid.pad;
    return a;
}

// The job's size: the largest box side of any sheet or part.
double jobSize(const std::vector<SheetEntry>& sheets, const std::vector<PartEntry>& parts, ShapeFiles& files)
{
    double size = 0;
    auto take = [&](const std::string& file) {
        const Loaded& l = files(file);
        if (finiteBox(l.box)) size = std::max({size, l.box.width(), l.box.height()});
    };
    for (const SheetEntry& s : sheets) take(s.FileName);
    for (const PartEntry& p : parts) take(p.FileName);
    return size > 0 ? size : 1;
}

Box boxOfMaterial(const Material& material)
{
    Box box;
    for (const Component& c : material)
        for (const Point& p : c.outer) box.take(p);
    return box;
}

bool buildSheet(const SheetEntry& record, std::size_t index, const Loaded& loaded, const Grid& grid, double gapTolerance,
                SheetType& sheet, std::string& problem)
{
    const OutlineRings rings = outlineRings(loaded.shape, grid.sag, gapTolerance);
    if (rings.rings.empty()) {
        problem = record.FileName + ": the sheet has no closed outline and is not used";
        return false;
    }
    // Free space: the outline shrunk by what the chords, the thinning and the grid may have added.
    const Allowance allowance = allowanceFor(rings, grid);
    const Material free =
        simplified(grownMaterial(rings.rings, -allowance.extra, grid.unit), allowance.thinning);
    if (free.empty()) {
        problem = record.FileName + ": the sheet leaves no room for parts";
        return false;
    }
    sheet.record = index;
    sheet.file = record.FileName;
    sheet.priority = record.Pri;
    sheet.stock = std::max(record.Qty, 0);
    sheet.shape = loaded.shape;
    sheet.area = loaded.area;
    sheet.outline = {loaded.box.xmin, loaded.box.ymin, loaded.box.xmax, loaded.box.ymax};
    sheet.axis = sheet.outline.width() >= sheet.outline.height() ? 0 : 1;
    sheet.free = boxOfMaterial(free);
    for (const Component& gap : boxMinus(sheet.free, free, grid.unit)) sheet.hazards.push_back(regionOf({gap}));
    return true;
}

bool buildPart(const PartEntry& record, std::size_t index, const Loaded& loaded, const Grid& grid, double gapTolerance,
               const JobGeometry& geometry, bool holesFree, PartType& part, std::string& problem)
{
    const OutlineRings rings = outlineRings(loaded.shape, grid.sag, gapTolerance);
    if (rings.rings.empty()) {
        problem = record.FileName + ": the part has no closed outline and is not placed";
        return false;
    }
    // Grown corners are never rounded: the allowance alone keeps the true outline inside by at
    // least the distance asked for.
    const Allowance allowance = allowanceFor(rings, grid);
    auto grown = [&](double distance) {
        const Material material = simplified(
            grownMaterial(rings.rings, distance + allowance.extra, grid.unit), allowance.thinning);
        // Without parts in holes a part's holes count as material: nothing lies in them.
        return coarsened(holesFree ? material : filledMaterial(material, grid.unit), kCoarsenShare);
    };
    const Material spacing = grown(geometry.spacing / 2);
    if (spacing.empty()) {
        problem = record.FileName + ": the part encloses no area and is not placed";
        return false;
    }
    const Region spacingRegion = regionOf(spacing);
    const Region marginRegion = geometry.margin == geometry.spacing / 2
                                    ? spacingRegion
                                    : regionOf(grown(geometry.margin));
    part.record = index;
    part.file = record.FileName;
    part.priority = record.Pri;
    part.quantity = std::max(record.Qty, 0);
    part.shape = loaded.shape;
    part.area = loaded.area;
    part.freeTurn = fixedTurns(record.Orn).empty();
    part.mirrors = record.Mirror;
    part.minSide = std::max(std::min(spacingRegion.box.width(), spacingRegion.box.height()), grid.unit);
    const double cx = loaded.box.xmin + loaded.box.width() / 2, cy = loaded.box.ymin + loaded.box.height() / 2;
    for (const bool mirror : {false, true}) {
        if (mirror && !part.mirrors) break;
        // Mirrored about the box's middle, as mirrorShape mirrors the shape, then turned.
        const Region spacingSide = mirror ? mirrored(spacingRegion, cx) : spacingRegion;
        const Region marginSide = mirror ? mirrored(marginRegion, cx) : marginRegion;
        for (double angle : allowedAngles(record.Orn)) {
            Orientation o;
            o.angle = angle;
            o.mirrored = mirror;
            if (angle == 0) {
                o.spacing = spacingSide;
                o.margin = marginSide;
            } else {
                const Turn turn = turnAbout(cx, cy, angle);
                o.spacing = turned(spacingSide, turn);
                o.margin = turned(marginSide, turn);
            }
            part.orientations.push_back(std::move(o));
        }
    }
    return true;
}

bool boxFits(const Box& box, const Box& room)
{
    return box.width() <= room.width() && box.height() <= room.height();
}

} // namespace

std::vector<double> allowedAngles(const std::string& rule)
{
    if (std::vector<double> fixed = fixedTurns(rule); !fixed.empty()) return fixed;
    std::vector<double> angles;
    for (double a = 0; a < 360; a += kFreeTurnStep) angles.push_back(a);
    return angles;
}

int turnedBy(const PartType& part, int orient, int step)
{
    const int count = static_cast<int>(part.orientations.size());
    const int side = part.mirrors ? count / 2 : count;
    if (side < 1) return orient;
    const int first = orient >= side ? side : 0;
    return first + ((orient - first + step) % side + side) % side;
}

DeepJob buildDeepJob(NestingState& state, const JobGeometry& geometry, const std::function<bool()>& stop)
{
    const double gapTolerance = closingTolerance(state.details);
    ShapeFiles files(state.drawingUnit, gapTolerance);
    sortRecords(state.sheets, [&](const SheetEntry& s) { return files(s.FileName).area; });
    sortRecords(state.parts, [&](const PartEntry& p) {
        const Extents b = files(p.FileName).box;
        return finiteBox(b) ? b.width() * b.height() : 0.0;
    });

    DeepJob job;
    job.spacing = geometry.spacing;
    job.margin = geometry.margin;
    const double size = jobSize(state.sheets, state.parts, files);
    Grid grid;
    grid.sag = size * kSagShare;
    grid.unit = size * kUnitShare;
    grid.pad = kRoundingUnits * grid.unit;

    for (std::size_t i = 0; i < state.sheets.size() && !stop(); ++i) {
        SheetEntry& record = state.sheets[i];
        const Loaded& loaded = files(record.FileName);
        record.Area = wholeArea(loaded.area);
        record.Remaining = record.Qty;
        SheetType sheet;
        std::string problem;
        if (!loaded.readable || !finiteBox(loaded.box))
            problem = record.FileName + ": the sheet cannot be read and is not used";
        else if (record.Qty > 0 && buildSheet(record, i, loaded, grid, gapTolerance, sheet, problem))
            job.sheets.push_back(std::move(sheet));
        if (!problem.empty()) job.warnings.push_back(problem);
    }
    for (std::size_t i = 0; i < state.parts.size() && !stop(); ++i) {
        PartEntry& record = state.parts[i];
        const Loaded& loaded = files(record.FileName);
        record.Area = wholeArea(loaded.area);
        record.Remaining = record.Qty;
        if (record.Qty <= 0) continue;
        PartType part;
        std::string problem;
        if (!loaded.readable || !finiteBox(loaded.box))
            problem = record.FileName + ": the part cannot be read and is not placed";
        else if (buildPart(record, i, loaded, grid, gapTolerance, geometry, state.partsInHoles, part, problem)) {
            bool any = false;
            for (const SheetType& sheet : job.sheets) {
                bool fits = false;
                for (const Orientation& o : part.orientations) fits = fits || boxFits(o.margin.box, sheet.free);
                part.fits.push_back(fits);
                any = any || fits;
            }
            if (any) job.parts.push_back(std::move(part));
            else problem = record.FileName + ": the part fits no sheet once spacing and margin apply";
        }
        if (!problem.empty()) job.warnings.push_back(problem);
    }

    // Instances in placing order: by priority, the larger parts first.
    std::vector<int> order(job.parts.size());
    for (std::size_t t = 0; t < order.size(); ++t) order[t] = static_cast<int>(t);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const PartType &pa = job.parts[static_cast<std::size_t>(a)], &pb = job.parts[static_cast<std::size_t>(b)];
        if (pa.priority != pb.priority) return pa.priority < pb.priority;
        return pa.orientations[0].spacing.area > pb.orientations[0].spacing.area;
    });
    for (int t : order) {
        const PartType& part = job.parts[static_cast<std::size_t>(t)];
        const std::int64_t room = kMostItems - static_cast<std::int64_t>(job.items.size());
        const int count = static_cast<int>(std::min<std::int64_t>(part.quantity, std::max<std::int64_t>(room, 0)));
        if (count < part.quantity)
            job.warnings.push_back(part.file + ": only " + std::to_string(count) + " of " + std::to_string(part.quantity) +
                                   " are nested (at most " + std::to_string(kMostItems) + " parts in all)");
        job.items.insert(job.items.end(), static_cast<std::size_t>(count), t);
        job.partArea += part.area * count;
    }
    return job;
}

} // namespace dravenor::deep
