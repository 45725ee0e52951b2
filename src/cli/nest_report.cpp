#include "cli/nest_report.h"

#include "cli/json_writer.h"
#include "engine/layout_summary.h"
#include "job/number_format.h"
#include "layouts/kerf_note.h"
#include "layouts/unplaced_parts.h"

namespace dravenor::cli {

namespace {

const char* statusName(EndStatus status)
{
    switch (status) {
    case EndStatus::Full: return "full";
    case EndStatus::Partial: return "partial";
    case EndStatus::Failed: break;
    }
    return "failed";
}

void writeEntity(JsonWriter& json, const LayoutEntity& e)
{
    json.beginObject(true);
    if (e.RAD == 0) {
        json.field("type", "line");
        json.field("x1", e.X1);
        json.field("y1", e.Y1);
        json.field("x2", e.X2);
        json.field("y2", e.Y2);
    } else {
        json.field("type", e.Nstart == e.Nend ? "circle" : "arc");
        json.field("cx", e.CX);
        json.field("cy", e.CY);
        json.field("rad", e.RAD);
        json.field("start", e.Nstart);
        json.field("end", e.Nend);
    }
    json.endObject();
}

template <class Entries>
std::string fileAt(const Entries& entries, std::int32_t index)
{
    return index >= 1 && static_cast<size_t>(index) <= entries.size() ? entries[static_cast<size_t>(index - 1)].FileName
                                                                      : std::string();
}

// The instances of one layout in list order, each with its entities, then the sheet's entities.
void writeLayoutGeometry(JsonWriter& json, const NestingState& state, std::int32_t layoutNo)
{
    json.key("instances").beginArray();
    std::int32_t openInstance = 0;
    for (const LayoutEntity& e : state.entities) {
        if (e.LayoutNo != layoutNo || e.Instance == 0) continue;
        if (e.Instance != openInstance) {
            if (openInstance != 0) {
                json.endArray();
                json.endObject();
            }
            openInstance = e.Instance;
            json.beginObject();
            json.field("part", fileAt(state.parts, e.PartIndex));
            json.field("partIndex", e.PartIndex);
            json.field("instance", e.Instance);
            json.field("angle", e.Angle);
            json.field("mirrored", e.Mirror);
            json.key("entities").beginArray();
        }
        writeEntity(json, e);
    }
    if (openInstance != 0) {
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.key("sheetEntities").beginArray();
    for (const LayoutEntity& e : state.entities)
        if (e.LayoutNo == layoutNo && e.Instance == 0) writeEntity(json, e);
    json.endArray();
}

double sheetAngleOf(const NestingState& state, std::int32_t layoutNo)
{
    for (const LayoutEntity& e : state.entities)
        if (e.LayoutNo == layoutNo && e.Instance == 0) return e.Angle;
    return 0;
}

void writeDeepRun(JsonWriter& json, const DeepRun& run, const DeepSettings& settings, double spacing)
{
    json.key("deep").beginObject();
    json.field("spacing", spacing);
    json.field("margin", settings.margin);
    json.field("timeLimit", settings.iterations > 0 ? 0.0 : settings.timeLimit);
    json.field("threads", settings.threads);
    json.field("seed", static_cast<double>(settings.seed));
    json.field("iterations", static_cast<double>(run.outcome.iterations));
    json.field("stopped", run.outcome.stopped);
    json.field("sheets", run.outcome.best.sheets);
    json.field("fractionalSheets", run.outcome.best.fractionalSheets);
    json.field("fewestSheets", run.outcome.fewestSheets);
    json.endObject();
}

} // namespace

std::string yieldPercent(double yield)
{
    return formatGeneral(roundHalfEven(yield * 100 * 1000) / 1000);
}

std::string nestSummaryText(const NestingState& state, const RunResult& result)
{
    const std::vector<LayoutSummary> layouts = summariseLayouts(state, trueAreas(state));
    std::string text = result.statusText + "\n";
    if (const std::string note = kerfUsedNote(state); !note.empty()) text += note + "\n";
    for (const LayoutSummary& s : layouts) {
        text += "Layout " + std::to_string(s.layoutNo) + ": " + s.sheetFile + " x " + std::to_string(s.qty) + ", " +
                countedNoun(s.partsPlaced, "part", "parts") + ", yield " + yieldPercent(s.yield()) + "%\n";
    }
    text += "Overall yield: " + yieldPercent(overallYield(layouts)) + "%\n";
    return text + unplacedPartsText(unplacedParts(state));
}

std::string nestResultJson(const NestingState& state, const RunResult& result, const DeepRun* deep,
                           const DeepSettings& settings)
{
    const std::vector<LayoutSummary> layouts = summariseLayouts(state, trueAreas(state));
    JsonWriter json;
    json.beginObject();
    json.field("status", statusName(result.status));
    json.field("statusText", result.statusText);
    json.field("overallYield", overallYield(layouts));
    json.field("seconds", result.seconds);
    json.field("trials", result.trials);
    json.key("details").beginObject();
    json.field("mat", state.details.Mat);
    json.field("grade", state.details.Grade);
    json.field("thick", state.details.Thick);
    json.field("kerf", state.details.Kerf);
    json.field("actKerf", state.details.ActKerf);
    json.field("note", state.details.Note);
    json.endObject();
    json.key("layouts").beginArray();
    for (const LayoutSummary& s : layouts) {
        json.beginObject();
        json.field("number", s.layoutNo);
        json.field("sheet", s.sheetFile);
        json.field("sheetIndex", s.sheetIndex);
        json.field("qty", s.qty);
        json.field("partsPlaced", s.partsPlaced);
        json.field("yield", s.yield());
        json.field("sheetAngle", sheetAngleOf(state, s.layoutNo));
        writeLayoutGeometry(json, state, s.layoutNo);
        json.endObject();
    }
    json.endArray();
    json.key("unplaced").beginArray();
    for (const UnplacedPart& p : unplacedParts(state)) {
        json.beginObject(true);
        json.field("part", p.file);
        json.field("remaining", p.missing);
        json.endObject();
    }
    json.endArray();
    if (deep) writeDeepRun(json, *deep, settings, state.details.ActKerf);
    json.endObject();
    return json.text();
}

} // namespace dravenor::cli
