#include "layouts/layout_editing_placement.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "job/files.h"
#include "job/number_format.h"
#include "job/part_rules.h"
#include "layouts/layout_editing.h"
#include "layouts/placed_shape.h"

namespace dravenor {

namespace {

// Distinct parts named in the faults of one kind.
int countPartsIn(const std::vector<LayoutFault>& faults, LayoutFault::Kind kind)
{
    std::set<int> parts;
    for (const LayoutFault& fault : faults) {
        if (fault.kind != kind) continue;
        parts.insert(fault.partA);
        if (fault.partB > 0) parts.insert(fault.partB);
    }
    return static_cast<int>(parts.size());
}

PlacedRow placeRow(const TextGrid& grid, int row, LayoutShapeCache& cache)
{
    PlacedRow placed;
    placed.row = row;
    placed.name = grid.text(row, NameColumn);
    // N is brought into 0..360 first, so -90 turns the part as 270 does.
    const double angle = normaliseAngle(leadingNumber(grid.text(row, AngleColumn)));
    placed.shape = placedInstance(cache.shapeOf(placed.name), angle, leadingNumber(grid.text(row, XColumn)),
                                  leadingNumber(grid.text(row, YColumn)),
                                  mirrorAllowedByText(grid.text(row, MirrorColumn)));
    placed.box = shapeExtents(placed.shape);
    return placed;
}

void checkPlacement(PlacedLayout& layout, const LeastDistances& least)
{
    if (!layout.hasSheet) return;
    std::vector<Shape> parts;
    std::vector<std::string> names;
    for (const PlacedRow& part : layout.parts) {
        parts.push_back(part.shape);
        names.push_back(fileNameOnly(part.name));
    }
    layout.faults = checkPlacedLayout(1, layout.sheet.shape, parts, names, kDefaultCheckTolerance, 0, least);
    for (int placement : faultyParts(layout.faults)) {
        if (placement >= 1 && placement <= static_cast<int>(layout.parts.size()))
            layout.faultyRows.push_back(layout.parts[static_cast<size_t>(placement) - 1].row);
    }
    std::sort(layout.faultyRows.begin(), layout.faultyRows.end());
}

} // namespace

const Shape& LayoutShapeCache::shapeOf(const std::string& path)
{
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    auto found = entries_.find(path);
    if (found != entries_.end() && !error && found->second.written == written) return found->second.shape;

    Entry entry{written, {}};
    if (!error) loadShape(path, entry.shape, unit_);
    return entries_.insert_or_assign(path, std::move(entry)).first->second.shape;
}

std::string missingFileMessage(const std::string& name)
{
    return "File " + name + " not found";
}

PlacedLayout placeLayout(const TextGrid& grid, LayoutShapeCache& cache, const LeastDistances& least)
{
    PlacedLayout layout;
    for (int r = 1; r < grid.rows(); ++r) {
        const std::string& name = grid.text(r, NameColumn);
        if (!name.empty() && !fileExists(name)) {
            layout.missingFile = name;
            return layout;
        }
    }
    for (int r = 1; r < grid.rows(); ++r) {
        if (grid.text(r, NameColumn).empty()) continue;
        PlacedRow placed = placeRow(grid, r, cache);
        if (r == kSheetRow) {
            layout.hasSheet = !placed.shape.empty();
            layout.sheet = std::move(placed);
        } else {
            layout.parts.push_back(std::move(placed));
        }
    }
    checkPlacement(layout, least);
    return layout;
}

std::string layoutStatusText(const PlacedLayout& layout)
{
    if (!layout.hasSheet) return "";
    if (layout.sound()) return "Layout sound";
    std::string text;
    const int overlapping = countPartsIn(layout.faults, LayoutFault::Kind::Overlap);
    const int outside = countPartsIn(layout.faults, LayoutFault::Kind::OutsideSheet);
    const int unchecked = countPartsIn(layout.faults, LayoutFault::Kind::Unchecked);
    const int close = countPartsIn(layout.faults, LayoutFault::Kind::TooClose);
    const int nearEdge = countPartsIn(layout.faults, LayoutFault::Kind::NearSheetEdge);
    auto add = [&](int count, const std::string& one, const std::string& many) {
        if (count == 0) return;
        if (!text.empty()) text += ", ";
        text += countedNoun(count, "part", "parts") + (count == 1 ? one : many);
    };
    add(overlapping, " overlap", " overlap");
    add(outside, " leaves the sheet", " leave the sheet");
    add(close, " closer than the spacing", " closer than the spacing");
    add(nearEdge, " within the margin of the sheet's edge", " within the margin of the sheet's edge");
    add(unchecked, " cannot be checked", " cannot be checked");
    return text;
}

int partRowAt(const PlacedLayout& layout, double x, double y)
{
    int found = 0;
    double smallest = 0;
    for (const PlacedRow& part : layout.parts) {
        const Extents& box = part.box;
        if (box.empty() || x < box.xmin || x > box.xmax || y < box.ymin || y > box.ymax) continue;
        const double area = box.width() * box.height();
        if (found == 0 || area < smallest) {
            found = part.row;
            smallest = area;
        }
    }
    return found;
}

} // namespace dravenor
