#include "layouts/deep_progress_text.h"

#include "job/number_format.h"
#include "layouts/sheet_use.h"

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
    const std::optional<SheetUse> least = leastUsedSheet(layouts);
    if (!least) return "";
    const auto shown = [](double v) { return formatGeneral(roundHalfEven(v * 10) / 10); };
    return "least used sheet: layout " + std::to_string(least->layoutNo) + ", " + shown(least->used) + " of " +
        shown(least->length) + " used, offcut " + shown(least->length - least->used) + " x " + shown(least->across);
}

std::string deepRunText(const DeepOutcome& outcome, double spacing, double margin)
{
    return "Deep Nesting: " + countedNoun(static_cast<int>(outcome.iterations), "iteration", "iterations") + " in " +
        formatMask(outcome.seconds, "0.00") + " s, spacing " + formatGeneral(spacing) + ", margin " +
        formatGeneral(margin) + (outcome.stopped ? ", stopped" : "") +
        (outcome.fewestSheets > 0 ? ", fewest possible: " + countedNoun(outcome.fewestSheets, "sheet", "sheets") : "");
}

} // namespace dravenor
