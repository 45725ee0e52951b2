#include "layouts/deep_progress_text.h"

#include <algorithm>
#include <map>

#include "geometry/layout_lists.h"
#include "geometry/primitives.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

std::string tenths(double seconds)
{
    return formatMask(seconds, "0.0");
}

} // namespace

std::string deepElapsedText(double elapsedSeconds, std::int64_t iterations, const DeepSettings& settings)
{
    if (settings.iterations > 0)
        return std::to_string(iterations) + " of " + std::to_string(settings.iterations) + " iterations";
    return tenths(elapsedSeconds) + " s of " + formatGeneral(settings.timeLimit) + " s";
}

std::string deepBestText(const DeepBest& best)
{
    if (best.sheets == 0 && best.partsPlaced == 0) return "no result yet";
    // The bound tells the user when waiting can no longer save a sheet.
    const std::string fewest =
        best.fewestSheets > 0 ? " (fewest possible: " + std::to_string(best.fewestSheets) + ")" : "";
    return countedNoun(best.sheets, "sheet", "sheets") + fewest + ", yield " +
        formatGeneral(roundHalfEven(best.yield * 1000) / 1000) + "%, " + std::to_string(best.partsPlaced) + " of " +
        std::to_string(best.partsRequired) + " parts placed";
}

std::string leastUsedSheetText(const NestingState& layouts)
{
    struct Boxes {
        Extents sheet, parts;
    };
    std::map<std::int32_t, Boxes> boxes;
    for (const LayoutEntity& e : layouts.entities) {
        Boxes& b = boxes[e.LayoutNo];
        const Extents one = shapeExtents(Shape{shapeEntityOf(e)});
        Extents& into = e.Instance <= 0 ? b.sheet : b.parts;
        into = {std::min(into.xmin, one.xmin), std::min(into.ymin, one.ymin), std::max(into.xmax, one.xmax),
                std::max(into.ymax, one.ymax)};
    }
    std::string text;
    double leastShare = 2;
    for (const auto& [layoutNo, b] : boxes) {
        if (b.sheet.empty()) continue;
        const bool alongX = b.sheet.width() >= b.sheet.height();
        const double length = alongX ? b.sheet.width() : b.sheet.height();
        const double across = alongX ? b.sheet.height() : b.sheet.width();
        const double used = b.parts.empty() ? 0 : (alongX ? b.parts.xmax - b.sheet.xmin : b.parts.ymax - b.sheet.ymin);
        const double share = length > 0 ? used / length : 1;
        if (share >= leastShare) continue;
        leastShare = share;
        const auto shown = [](double v) { return formatGeneral(roundHalfEven(v * 10) / 10); };
        text = "least used sheet: layout " + std::to_string(layoutNo) + ", " + shown(used) + " of " + shown(length)
            + " used, offcut " + shown(length - used) + " x " + shown(across);
    }
    return text;
}

std::string deepRunText(const DeepOutcome& outcome, double spacing, double margin)
{
    return "Deep Nesting: " + countedNoun(static_cast<int>(outcome.iterations), "iteration", "iterations") + " in " +
        formatMask(outcome.seconds, "0.00") + " s, spacing " + formatGeneral(spacing) + ", margin " +
        formatGeneral(margin) + (outcome.stopped ? ", stopped" : "") +
        (outcome.fewestSheets > 0 ? ", fewest possible: " + countedNoun(outcome.fewestSheets, "sheet", "sheets") : "");
}

} // namespace dravenor
