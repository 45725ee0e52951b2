// A stand-in for the Deep Nesting search, so that everything around it can be built and tried:
// it checks the settings, puts each part (never turned) at the lowest, then leftmost, free spot of
// a coarse scan where its box keeps the spacing from the other boxes and the margin from the
// sheet's outline and holes, reports that result, and then waits out the time limit as a search
// would. The real search replaces this file.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <thread>

#include "deep/deep_nesting.h"
#include "geometry/entity_distance.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"
#include "job/deep_settings_input.h"

namespace dravenor {

namespace {

using Clock = std::chrono::steady_clock;

std::int32_t priorityRank(std::int32_t pri) { return pri == 0 ? 32767 : pri; }

struct Loaded {
    Shape shape;
    Extents box;
    double area = 0;
};

Loaded load(const std::string& file, DrawingUnit unit)
{
    Loaded l;
    loadShape(file, l.shape, unit);
    l.box = shapeExtents(l.shape);
    l.area = enclosedArea(l.shape);
    return l;
}

// Whether a box lies in the sheet's material at least `margin` from its outline and holes: its
// edges keep the margin from every entity, no entity lies inside it, and its centre is inside.
bool boxInSheet(const Shape& sheet, const SegmentList& chords, double x, double y, double w, double h, double margin)
{
    const ShapeEntity edges[] = {{x, y, x + w, y}, {x + w, y, x + w, y + h}, {x + w, y + h, x, y + h}, {x, y + h, x, y}};
    for (const ShapeEntity& e : sheet) {
        const Extents box = entityExtents(e);
        if (box.xmin > x && box.xmax < x + w && box.ymin > y && box.ymax < y + h) return false;
        for (const ShapeEntity& edge : edges)
            if (entityDistance(edge, e) < margin) return false;
    }
    const double cx = x + w / 2, cy = y + h / 2;
    bool inside = false;
    for (const Segment& s : chords)
        if ((s.Y1 > cy) != (s.Y2 > cy) && cx < s.X1 + (cy - s.Y1) * (s.X2 - s.X1) / (s.Y2 - s.Y1)) inside = !inside;
    return inside;
}

void append(NestingState& state, const Shape& shape, std::int32_t layoutNo, std::int32_t sheetIndex,
            std::int32_t partIndex, std::int32_t instance)
{
    for (const ShapeEntity& s : shape) {
        LayoutEntity e{s.X1, s.Y1, s.X2, s.Y2, s.CX, s.CY, s.RAD, s.Nstart, s.Nend};
        e.SheetIndex = sheetIndex;
        e.PartIndex = partIndex;
        e.LayoutNo = layoutNo;
        e.Instance = instance;
        e.Qty = 1;
        state.entities.push_back(e);
    }
}

class BottomLeftFill {
public:
    BottomLeftFill(NestingState& state, double spacing, double margin) : state_(state), gap_(spacing + 1e-7), margin_(margin)
    {
        for (const SheetEntry& s : state.sheets) sheets_.push_back(load(s.FileName, state.drawingUnit));
        for (const PartEntry& p : state.parts) parts_.push_back(load(p.FileName, state.drawingUnit));
        for (size_t i = 0; i < sheets_.size(); ++i) state.sheets[i].Area = static_cast<std::int32_t>(sheets_[i].area);
        for (size_t i = 0; i < parts_.size(); ++i) state.parts[i].Area = static_cast<std::int32_t>(parts_[i].area);
    }

    // Fills sheets in priority order while parts remain; stops at once when asked to.
    void run(DeepProgress& progress)
    {
        std::vector<size_t> sheetOrder(sheets_.size()), partOrder(parts_.size());
        for (size_t i = 0; i < sheetOrder.size(); ++i) sheetOrder[i] = i;
        for (size_t i = 0; i < partOrder.size(); ++i) partOrder[i] = i;
        std::stable_sort(sheetOrder.begin(), sheetOrder.end(), [&](size_t a, size_t b) {
            return priorityRank(state_.sheets[a].Pri) < priorityRank(state_.sheets[b].Pri);
        });
        std::stable_sort(partOrder.begin(), partOrder.end(), [&](size_t a, size_t b) {
            const auto pa = priorityRank(state_.parts[a].Pri), pb = priorityRank(state_.parts[b].Pri);
            return pa != pb ? pa < pb : parts_[a].box.height() > parts_[b].box.height();
        });
        for (size_t s : sheetOrder) {
            while (state_.sheets[s].Remaining > 0 && !progress.stopRequested() && fillSheet(s, partOrder)) {
                --state_.sheets[s].Remaining;
                progress.improved(best(), state_);
            }
        }
    }

    DeepBest best() const
    {
        DeepBest b;
        double partArea = 0, sheetArea = 0;
        for (size_t i = 0; i < parts_.size(); ++i) {
            b.partsRequired += state_.parts[i].Qty;
            b.partsPlaced += state_.parts[i].Qty - state_.parts[i].Remaining;
            partArea += parts_[i].area * (state_.parts[i].Qty - state_.parts[i].Remaining);
        }
        for (size_t i = 0; i < sheets_.size(); ++i)
            sheetArea += sheets_[i].area * (state_.sheets[i].Qty - state_.sheets[i].Remaining);
        b.sheets = layouts_;
        b.fractionalSheets = layouts_;
        b.yield = sheetArea > 0 ? partArea / sheetArea * 100 : 0;
        return b;
    }

private:
    // One more layout on a sheet of type s; false when no part went onto it.
    bool fillSheet(size_t s, const std::vector<size_t>& partOrder)
    {
        const Extents& sheet = sheets_[s].box;
        const SegmentList chords = shapeToSegments(sheets_[s].shape);
        const double stepX = sheet.width() / 100, stepY = sheet.height() / 100;
        std::vector<Extents> placed;
        const auto spot = [&](double w, double h) -> std::optional<std::pair<double, double>> {
            for (double y = sheet.ymin + margin_; y + h <= sheet.ymax; y += stepY)
                for (double x = sheet.xmin + margin_; x + w <= sheet.xmax;) {
                    const auto blocking = std::find_if(placed.begin(), placed.end(), [&](const Extents& b) {
                        return x < b.xmax + gap_ && b.xmin < x + w + gap_ && y < b.ymax + gap_ && b.ymin < y + h + gap_;
                    });
                    if (blocking != placed.end()) x = blocking->xmax + gap_;
                    else if (boxInSheet(sheets_[s].shape, chords, x, y, w, h, margin_ + 1e-7)) return std::pair{x, y};
                    else x += stepX;
                }
            return std::nullopt;
        };
        const std::int32_t layoutNo = layouts_ + 1;
        std::int32_t instance = 0;
        for (size_t p : partOrder) {
            const Extents& box = parts_[p].box;
            while (state_.parts[p].Remaining > 0) {
                const auto at = spot(box.width(), box.height());
                if (!at) break;
                const auto [x, y] = *at;
                placed.push_back({x, y, x + box.width(), y + box.height()});
                Shape shape = parts_[p].shape;
                moveShape(shape, x - box.xmin, y - box.ymin);
                append(state_, shape, layoutNo, static_cast<std::int32_t>(s + 1), static_cast<std::int32_t>(p + 1),
                       ++instance);
                state_.items.push_back({state_.parts[p].FileName, x, y, 0, static_cast<std::int32_t>(s + 1),
                                        static_cast<std::int32_t>(p + 1), layoutNo, 1});
                --state_.parts[p].Remaining;
            }
        }
        if (instance == 0) return false;
        append(state_, sheets_[s].shape, layoutNo, static_cast<std::int32_t>(s + 1), 0, 0);
        state_.items.push_back({state_.sheets[s].FileName, 0, 0, 0, static_cast<std::int32_t>(s + 1), 0, layoutNo, 1});
        layouts_ = layoutNo;
        return true;
    }

    NestingState& state_;
    double gap_, margin_;
    std::vector<Loaded> sheets_, parts_;
    std::int32_t layouts_ = 0;
};

} // namespace

DeepOutcome runDeepNesting(NestingState& state, const DeepSettings& settings, DeepProgress& progress)
{
    DeepOutcome outcome;
    if (const auto problem = deepSettingsProblem(settings)) {
        outcome.error = *problem;
        return outcome;
    }
    const Clock::time_point start = Clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    state.entities.clear();
    state.items.clear();
    for (SheetEntry& s : state.sheets) s.Remaining = s.Qty;
    for (PartEntry& p : state.parts) p.Remaining = p.Qty;
    BottomLeftFill fill(state, effectiveSpacing(settings, state.details.Kerf), settings.margin);
    fill.run(progress);
    outcome.ran = true;
    outcome.best = fill.best();
    // Waits out the time (or counts the iterations) as the search would spend it.
    while (!(outcome.stopped = progress.stopRequested())) {
        if (settings.iterations > 0 ? outcome.iterations >= settings.iterations : elapsed() >= settings.timeLimit) break;
        ++outcome.iterations;
        progress.tick(elapsed(), outcome.iterations);
        if (settings.iterations == 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    outcome.seconds = elapsed();
    return outcome;
}

} // namespace dravenor
