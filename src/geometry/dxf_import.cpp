#include "geometry/dxf_import.h"

#include <cmath>
#include <string_view>

#include "geometry/dxf_entities.h"
#include "geometry/dxf_entity_cursor.h"
#include "geometry/dxf_groups.h"
#include "geometry/dxf_polyline.h"
#include "geometry/dxf_sections.h"
#include "job/files.h"

namespace dravenor {

namespace {

using EntityCounts = std::vector<std::pair<std::string, int>>;

void count(EntityCounts& counts, std::string name)
{
    for (auto& [known, n] : counts)
        if (known == name) {
            ++n;
            return;
        }
    counts.emplace_back(std::move(name), 1);
}

std::string countsText(const EntityCounts& counts)
{
    std::string text;
    for (const auto& [name, n] : counts) text += (text.empty() ? "" : ", ") + std::to_string(n) + " " + name;
    return text;
}

std::string lineText(std::uint32_t line) { return "line " + std::to_string(line); }

bool isStructureMarker(std::string_view name)
{
    for (std::string_view marker : {"SECTION", "ENDSEC", "EOF", "TABLE", "ENDTAB", "BLOCK", "ENDBLK"})
        if (name == marker) return true;
    return false;
}

bool allFinite(const Shape& shape)
{
    for (const ShapeEntity& e : shape)
        for (double v : {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend})
            if (!std::isfinite(v)) return false;
    return true;
}

// Binary files renamed to .dxf: the drawing program's own format and the binary DXF form.
std::string binaryDrawingReason(std::string_view text)
{
    if (text.starts_with("AC10")) return "a binary DWG drawing, not a DXF text drawing";
    if (text.starts_with("AutoCAD Binary DXF")) return "a binary DXF drawing; only DXF text drawings can be read";
    return "";
}

// Reads the model's entities, appending what they draw and noting what it skips.
class DxfShapeReader {
public:
    explicit DxfShapeReader(Shape& shape) : shape_(shape) {}

    // Reads the entities of one stretch of text; false once a number stopped the import.
    bool readAll(DxfEntityCursor& cursor)
    {
        if (stopLine_ != 0) return false;
        DxfEntity entity;
        Shape drawn; // what one entity draws, kept apart until its numbers prove sound
        while (cursor.next(entity, storage_)) {
            drawn.clear();
            readEntity(entity, cursor, drawn);
            if (tally_.outOfRange || !allFinite(drawn)) {
                stopLine_ = tally_.outOfRange ? tally_.outOfRangeLine : entity.line;
                return false;
            }
            shape_.insert(shape_.end(), drawn.begin(), drawn.end());
        }
        return true;
    }

    void report(ShapeReadReport& report) const
    {
        report.nonNumericFields += tally_.nonNumeric;
        if (stopLine_ != 0) {
            report.notes.push_back(kDxfNumberProblemNote);
            report.notes.push_back(lineText(stopLine_) +
                                   ": a number out of range; the entities from there on are not read");
        }
        report.skippedEntities = skipped_;
        if (!skipped_.empty()) report.notes.push_back("skipped " + countsText(skipped_));
        if (polylinesWithoutSeqend_ > 0)
            report.notes.push_back(lineText(firstPolylineWithoutSeqend_) + ": a POLYLINE without SEQEND (" +
                                   std::to_string(polylinesWithoutSeqend_) + " in all); its segments are kept");
    }

private:
    // Reads the entity (a polyline with its vertices from the cursor) into `drawn`.
    void readEntity(const DxfEntity& entity, DxfEntityCursor& cursor, Shape& drawn)
    {
        const std::string_view name = entity.name;
        if (isStructureMarker(name)) return;
        if (dxfInPaperSpace(entity, tally_)) {
            count(skipped_, std::string(name) + " (paper space)");
            if (name == "POLYLINE") noteSeqend(skipDxfPolylineVertices(cursor), entity);
            return;
        }
        if (name == "POLYLINE") {
            readPolyline(entity, cursor, drawn);
            return;
        }
        bool drew = false;
        if (name == "LINE")
            drew = readDxfLine(entity, tally_, drawn);
        else if (name == "ARC")
            drew = readDxfArc(entity, tally_, drawn);
        else if (name == "CIRCLE")
            drew = readDxfCircle(entity, tally_, drawn);
        else if (name == "LWPOLYLINE")
            drew = readDxfLwPolyline(entity, tally_, drawn);
        else {
            count(skipped_, name.empty() ? "(unnamed)" : std::string(name));
            return;
        }
        if (!drew) count(skipped_, std::string(name) + " (empty)");
    }

    void readPolyline(const DxfEntity& head, DxfEntityCursor& cursor, Shape& drawn)
    {
        const DxfPolylineRead read = readDxfPolyline(head, cursor, tally_, drawn);
        if (read.mesh)
            count(skipped_, "POLYLINE (mesh)");
        else if (read.drawsNothing)
            count(skipped_, "POLYLINE (empty)");
        noteSeqend(read.hasSeqend, head);
    }

    void noteSeqend(bool hasSeqend, const DxfEntity& head)
    {
        if (!hasSeqend && polylinesWithoutSeqend_++ == 0) firstPolylineWithoutSeqend_ = head.line;
    }

    Shape& shape_;
    std::vector<DxfGroup> storage_;
    DxfNumberTally tally_;
    EntityCounts skipped_;
    std::uint32_t stopLine_ = 0;
    int polylinesWithoutSeqend_ = 0;
    std::uint32_t firstPolylineWithoutSeqend_ = 0;
};

void noteDamage(const DxfDrawingLayout& layout, ShapeReadReport& report)
{
    if (!layout.holdsGroups) {
        report.notes.push_back("the file holds no DXF groups");
        return;
    }
    if (layout.unreadableCodes > 0)
        report.notes.push_back(lineText(layout.firstUnreadableLine) + ": a group code that is not a number (" +
                               std::to_string(layout.unreadableCodes) + " in all); the drawing may be damaged");
    if (layout.endsWithoutValue) report.notes.push_back("the last group code has no value line");
    if (layout.hasSections && !layout.hasEntitiesSection) report.notes.push_back("the drawing has no ENTITIES section");
    if (layout.endsEarly) report.notes.push_back("the drawing ends early (no ENDSEC or EOF); it may be cut short");
}

} // namespace

ShapeReadReport parseDxfText(const std::string& text, Shape& shape, const std::string& fileName)
{
    ShapeReadReport report;
    if (const std::string reason = binaryDrawingReason(text); !reason.empty()) {
        report.readable = false;
        report.binary = true;
        report.error = fileName + ": " + reason;
        return report;
    }
    std::string_view body = text;
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3); // byte-order mark some writers add

    const DxfDrawingLayout layout = dxfDrawingLayout(body);
    DxfShapeReader reader(shape);
    for (const DxfTextRange& range : layout.modelRanges) {
        DxfEntityCursor cursor(body.substr(range.begin, range.end - range.begin), range.firstLine);
        if (!reader.readAll(cursor)) break;
    }
    reader.report(report);
    noteDamage(layout, report);
    return report;
}

ShapeReadReport readDxfFile(const std::string& path, Shape& shape)
{
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        ShapeReadReport report;
        report.readable = false;
        report.error = file.error;
        return report;
    }
    return parseDxfText(*file.bytes, shape, path);
}

} // namespace dravenor
