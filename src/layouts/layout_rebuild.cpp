#include "layouts/layout_rebuild.h"

#include <map>

#include "engine/layout_results.h"
#include "geometry/primitives.h"
#include "layouts/kept_placement.h"
#include "layouts/placed_shape.h"

namespace dravenor {

namespace {

// Shapes read during one rebuild, by file name, with what went wrong ("" when the shape is usable).
class ShapeCache {
public:
    explicit ShapeCache(const ShapeLoader& load) : load_(load) {}

    struct Loaded {
        Shape shape;
        std::string problem;
    };

    const Loaded& get(const std::string& path)
    {
        if (const auto it = loaded_.find(path); it != loaded_.end()) return it->second;
        Loaded entry;
        const ShapeReadReport report = load_(path, entry.shape);
        if (!report.readable)
            entry.problem = report.error.empty() ? "cannot read " + path : report.error;
        else if (entry.shape.empty())
            entry.problem = path + ": holds no lines, arcs or circles";
        if (!entry.problem.empty()) entry.shape.clear();
        return loaded_.emplace(path, std::move(entry)).first->second;
    }

private:
    const ShapeLoader& load_;
    std::map<std::string, Loaded> loaded_;
};

} // namespace

std::vector<std::string> rebuildEntityList(NestingState& state)
{
    const DrawingUnit unit = state.drawingUnit;
    return rebuildEntityList(state, [unit](const std::string& path, Shape& shape) { return loadShape(path, shape, unit); });
}

std::vector<std::string> rebuildEntityList(NestingState& state, const ShapeLoader& load)
{
    state.entities.clear();
    std::vector<std::string> problems;
    ShapeCache cache(load);
    std::int32_t instance = 0;
    for (size_t k = 0; k < state.items.size(); ++k) {
        LayoutItem& row = state.items[k];
        const bool sheetRow = k + 1 == state.items.size() || state.items[k + 1].LayoutNo != row.LayoutNo;
        // The part is turned by the angle as stored; the row then keeps it within 0..360.
        const double turn = row.Angle;
        if (!sheetRow) {
            ++instance;
            row.Angle = normaliseAngle(row.Angle);
        }
        const ShapeCache::Loaded& loaded = cache.get(row.Name);
        if (!loaded.problem.empty()) {
            problems.push_back("layout " + std::to_string(row.LayoutNo) + ": " + loaded.problem);
        } else if (sheetRow) {
            appendShape(state.entities, loaded.shape, row.LayoutNo, row.SheetIndex, row.PartIndex, 0, row.Angle,
                        row.Qty);
        } else {
            appendShape(state.entities, placedInstance(loaded.shape, turn, row.X, row.Y, row.Mirror), row.LayoutNo,
                        row.SheetIndex, row.PartIndex, instance, row.Angle, row.Qty, row.Mirror);
        }
        if (sheetRow) instance = 0;
    }
    return problems;
}

std::vector<std::string> rebuildRunLayouts(NestingState& state)
{
    std::map<std::int32_t, double> sheetAngles;
    for (const LayoutEntity& e : state.entities)
        if (e.Instance == 0) sheetAngles[e.LayoutNo] = e.Angle;
    for (LayoutItem& row : state.items) {
        row.X = keptPlacement(row.X);
        row.Y = keptPlacement(row.Y);
        // Normalised first: the rebuild turns a part by the angle as it finds it.
        row.Angle = normaliseAngle(keptPlacement(row.Angle));
    }
    std::vector<std::string> problems = rebuildEntityList(state);
    for (LayoutEntity& e : state.entities)
        if (e.Instance == 0) e.Angle = sheetAngles[e.LayoutNo];
    return problems;
}

} // namespace dravenor
