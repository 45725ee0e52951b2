#include "engine/record_areas.h"

#include <map>
#include <string>

#include "engine/nesting_checks.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace dravenor {

namespace {

double areaAt(const std::vector<double>& areas, std::int32_t oneBasedIndex)
{
    if (oneBasedIndex < 1 || static_cast<size_t>(oneBasedIndex) > areas.size()) return 0;
    return areas[static_cast<size_t>(oneBasedIndex - 1)];
}

// Each file is read once, however many records name it.
class TrueAreaOfFile {
public:
    TrueAreaOfFile(double tolerance, DrawingUnit unit) : tolerance_(tolerance), unit_(unit) {}
    double operator()(const std::string& file)
    {
        const auto known = areas_.find(file);
        if (known != areas_.end()) return known->second;
        Shape shape;
        const double area = readShapeByExtension(file, shape, unit_).readable ? enclosedArea(shape, tolerance_) : 0;
        areas_.emplace(file, area);
        return area;
    }

private:
    double tolerance_;
    DrawingUnit unit_;
    std::map<std::string, double> areas_;
};

} // namespace

double RecordAreas::sheet(std::int32_t sheetIndex) const
{
    return areaAt(sheets, sheetIndex);
}

double RecordAreas::part(std::int32_t partIndex) const
{
    return areaAt(parts, partIndex);
}

RecordAreas countedAreas(const NestingState& state)
{
    RecordAreas areas;
    for (const SheetEntry& s : state.sheets) areas.sheets.push_back(s.Area);
    for (const PartEntry& p : state.parts) areas.parts.push_back(p.Area);
    return areas;
}

RecordAreas trueAreas(const NestingState& state)
{
    TrueAreaOfFile areaOf(closingTolerance(state.details), state.drawingUnit);
    RecordAreas areas;
    for (const SheetEntry& s : state.sheets) areas.sheets.push_back(areaOf(s.FileName));
    for (const PartEntry& p : state.parts) areas.parts.push_back(areaOf(p.FileName));
    return areas;
}

} // namespace dravenor
