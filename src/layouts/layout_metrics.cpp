#include "layouts/layout_metrics.h"

#include <cmath>

#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "job/number_format.h"
#include "layouts/kerf_note.h"

namespace dravenor {

namespace {

// RLC of one piece of the shape file; 0 with a warning when the file cannot be read, and a
// warning when the drawing holds entities that were not read (they are not counted).
double fileCuttingLength(const std::string& path, DrawingUnit unit, std::vector<std::string>& warnings)
{
    Shape shape;
    const ShapeReadReport report = readShapeByExtension(path, shape, unit);
    if (!report.readable) warnings.push_back(report.error + "; its area and cutting length count as 0");
    if (!report.skippedEntities.empty()) warnings.push_back(path + ": its cutting length leaves out what was not read");
    return cuttingLength(shape);
}

// Area of the bounding rectangle of the sheet's extents; 0 with a warning when the file cannot
// be read or holds nothing.
double sheetBoxArea(const std::string& path, DrawingUnit unit, std::vector<std::string>& warnings)
{
    Shape shape;
    const ShapeReadReport report = readShapeByExtension(path, shape, unit);
    if (!report.readable || shape.empty()) {
        warnings.push_back((report.readable ? path + ": no outline" : report.error) + "; its area counts as 0");
        return 0;
    }
    const Extents box = shapeExtents(shape);
    return box.width() * box.height();
}

template <class Value>
Value recordValue(const std::vector<Value>& values, std::int32_t oneBasedIndex)
{
    if (oneBasedIndex < 1 || static_cast<size_t>(oneBasedIndex) > values.size()) return Value{};
    return values[static_cast<size_t>(oneBasedIndex - 1)];
}

// RLC of one sheet of the layout: the placed instances of its item rows.
double layoutRlcPerSheet(const NestingState& state, const JobMetrics& metrics, std::int32_t layoutNo)
{
    double rlc = 0;
    for (const LayoutItem& item : state.items)
        if (item.LayoutNo == layoutNo && item.PartIndex > 0) rlc += metrics.rlcOfPart(item.PartIndex);
    return rlc;
}

} // namespace

const LayoutMetrics* JobMetrics::layout(std::int32_t layoutNo) const
{
    for (const LayoutMetrics& m : layouts)
        if (m.layoutNo == layoutNo) return &m;
    return nullptr;
}

double JobMetrics::weight(double area, double count) const
{
    return weightOf(density, thickness, area, count);
}

double JobMetrics::rlcOfPart(std::int32_t partIndex) const
{
    return recordValue(partRlc, partIndex);
}

JobMetrics computeJobMetrics(const NestingState& state, double density)
{
    JobMetrics metrics;
    metrics.density = density;
    metrics.thickness = state.details.Thick;
    for (const PartEntry& part : state.parts)
        metrics.partRlc.push_back(fileCuttingLength(part.FileName, state.drawingUnit, metrics.warnings));
    for (const SheetEntry& sheet : state.sheets)
        metrics.sheetBoxArea.push_back(sheetBoxArea(sheet.FileName, state.drawingUnit, metrics.warnings));
    metrics.areas = trueAreas(state);
    metrics.kerfNote = kerfUsedNote(state);

    const std::vector<LayoutSummary> summaries = summariseLayouts(state, metrics.areas);
    std::vector<LayoutSummary> boxSummaries = summaries;
    for (LayoutSummary& s : boxSummaries) s.sheetArea = recordValue(metrics.sheetBoxArea, s.sheetIndex);

    for (const LayoutSummary& s : summaries) {
        LayoutMetrics m;
        m.layoutNo = s.layoutNo;
        m.sheetIndex = s.sheetIndex;
        m.qty = s.qty;
        m.yield = yieldOfLayouts(summaries, s.layoutNo, s.layoutNo);
        m.baseYield = yieldOfLayouts(boxSummaries, s.layoutNo, s.layoutNo);
        m.rlcPerSheet = layoutRlcPerSheet(state, metrics, s.layoutNo);
        m.totalRlc = m.rlcPerSheet * m.qty;
        metrics.totalRlc += m.totalRlc;
        metrics.layouts.push_back(m);
    }
    metrics.overallYield = yieldOfLayouts(summaries, 1, metrics.highestLayoutNo());
    metrics.overallBaseYield = yieldOfLayouts(boxSummaries, 1, metrics.highestLayoutNo());
    return metrics;
}

double roundedYield(double percent)
{
    return leadingNumber(formatMask(percent, "##.###"));
}

double yieldOfLayouts(const std::vector<LayoutSummary>& layouts, std::int32_t first, std::int32_t last)
{
    std::vector<LayoutSummary> range;
    for (const LayoutSummary& s : layouts)
        if (s.layoutNo >= first && s.layoutNo <= last) range.push_back(s);
    return roundedYield(overallYield(range) * 100);
}

double cuttingLength(const SegmentList& segments)
{
    double length = 0;
    for (const Segment& s : segments) length += std::sqrt((s.X1 - s.X2) * (s.X1 - s.X2) + (s.Y1 - s.Y2) * (s.Y1 - s.Y2));
    return length;
}

double cuttingLength(const Shape& shape)
{
    return cuttingLength(shapeToSegments(shape));
}

double weightOf(double density, double thickness, double area, double count)
{
    return density * thickness * area * count;
}

std::string weightText(double density, double thickness, double area, double count)
{
    return formatMask(weightOf(density, thickness, area, count), "0.00");
}

} // namespace dravenor
