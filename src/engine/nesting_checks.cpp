#include "engine/nesting_checks.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "engine/kerf_scale.h"
#include "engine/nesting_driver.h"
#include "engine/raster.h"
#include "geometry/primitives.h"
#include "geometry/shape_diagnosis.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

std::vector<std::string> shapeFiles(const NestingState& state)
{
    std::vector<std::string> files;
    for (const SheetEntry& s : state.sheets) files.push_back(s.FileName);
    for (const PartEntry& p : state.parts) files.push_back(p.FileName);
    return files;
}

std::optional<std::string> problemOf(const std::string& file, double closingTolerance, DrawingUnit unit,
                                     std::vector<std::string>& notes)
{
    Shape shape;
    const ShapeReadReport report = readShapeByExtension(file, shape, unit);
    if (report.readable)
        for (const std::string& warning : shapeReadWarnings(report)) notes.push_back(file + ": " + warning);
    // Gaps close only between ends that meet no other end: an outline closed as drawn is
    // measured as drawn however short its entities or thin the part beside half a kerf.
    const ShapeMeasure measure = measureShape(shape, closingTolerance);
    const ShapeDiagnosis diagnosis = diagnoseShape(file, report, measure);
    if (!diagnosis.error.empty()) return diagnosis.error;
    if (measure.entities == 0)
        return file + ": holds no entity" + (report.notes.empty() ? "" : "; " + report.notes.front());
    if (measure.openEnds > 0)
        return file + ": the outline is not closed (" +
               countedNoun(measure.openEnds, "entity end meets", "entity ends meet") + " no other end)";
    if (measure.extents.width() <= 0 || measure.extents.height() <= 0 || measure.enclosedArea <= 0)
        return file + ": the outline encloses no area";
    return std::nullopt;
}

Shape loadedShape(const std::string& file, DrawingUnit unit)
{
    Shape shape;
    readShapeByExtension(file, shape, unit);
    return shape;
}

} // namespace

std::optional<std::string> missingFileMessage(const NestingState& state)
{
    for (const std::string& file : shapeFiles(state))
        if (!fileExists(file)) return file + " not found";
    return std::nullopt;
}

std::optional<std::string> emptyListMessage(const NestingState& state)
{
    if (state.sheets.empty()) return std::string("No valid sheet(s) specified");
    if (state.parts.empty()) return std::string("No valid CutPieces(s) specified");
    return std::nullopt;
}

ShapeFileReview reviewShapeFiles(const NestingState& state)
{
    ShapeFileReview review;
    std::set<std::string> checked;
    for (const std::string& file : shapeFiles(state)) {
        if (!checked.insert(file).second) continue;
        review.problem = problemOf(file, closingTolerance(state.details), state.drawingUnit, review.notes);
        if (review.problem) break;
    }
    return review;
}

std::optional<std::string> shapeProblemMessage(const NestingState& state)
{
    return reviewShapeFiles(state).problem;
}

std::optional<std::string> rasterSizeMessage(const NestingState& state)
{
    const KerfScale plan = planKerfAndScale(state);
    for (const PartEntry& part : state.parts) {
        const Extents box = shapeExtents(loadedShape(part.FileName, state.drawingUnit));
        const double across = (box.width() * plan.scale + 3) * (box.height() * plan.scale + 3);
        if (across > kMostCellsInAPart)
            return part.FileName + ": far larger than any sheet at this kerf (its raster would be " +
                   formatMask(box.width() * plan.scale, "0") + " x " + formatMask(box.height() * plan.scale, "0") +
                   " cells); check its units and the kerf";
    }
    for (const SheetEntry& sheet : state.sheets) {
        const Extents box = shapeExtents(loadedShape(sheet.FileName, state.drawingUnit));
        // Sheets are nested standing upright: rows of the narrower side, as many as the longer.
        const double across = std::min(box.width(), box.height()) * plan.scale;
        const double along = std::max(box.width(), box.height()) * plan.scale;
        if ((std::ceil((across + Raster::kSpareCells) / 64) + 2) * 64 * (along + Raster::kSpareCells + 1) > Raster::kMaxCells)
            return sheet.FileName + ": too long for a raster at this kerf (" + formatMask(across, "0") + " x " +
                   formatMask(along, "0") + " cells); check its units and the kerf";
    }
    const double cells = plan.largestSheetCells();
    if (cells <= kMostCellsAcrossAnySheet) return std::nullopt;
    return plan.smallestPartFile + ": too small beside " + plan.largestSheetFile + " (two cells across the part make the sheet " +
           formatMask(cells, "0") + " cells across; at most " + formatMask(kMostCellsAcrossAnySheet, "0") + ")";
}

} // namespace dravenor
