#include "geometry/dxf_import.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "geometry/dxf_ellipse.h"
#include "geometry/dxf_entities.h"
#include "geometry/dxf_entity_cursor.h"
#include "geometry/dxf_groups.h"
#include "geometry/dxf_insert.h"
#include "geometry/dxf_polyline.h"
#include "geometry/dxf_sections.h"
#include "geometry/dxf_spline.h"
#include "geometry/dxf_units.h"
#include "job/files.h"
#include "job/number_format.h"

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

// Where the entities being read are drawn: the map into the shape, and the block (if any)
// they belong to, inside the blocks that insert it.
struct DxfPlacement {
    DxfTransform transform;
    std::string_view block;
    const DxfPlacement* outer = nullptr;
    int depth = 0;

    bool inside(std::string_view name) const
    {
        for (const DxfPlacement* p = this; p; p = p->outer)
            if (toLowerAscii(std::string(p->block)) == toLowerAscii(std::string(name))) return true;
        return false;
    }
};

// Blocks inside blocks deeper than this are not drawn (no drawing program nests them so).
constexpr int kDeepestBlockNesting = 32;
// Inserts stop beyond this many entities drawn, or this many lines of block text read: block
// arrays inside block arrays multiply without end, even where their entities draw nothing. A
// profile drawing stays far below both; beyond them closing and measuring the shape would stall.
constexpr std::size_t kMostInsertedEntities = 100000;
constexpr std::size_t kMostBlockLinesRead = 1000000;

// Reads the model's entities, appending what they draw and noting what it skips.
class DxfShapeReader {
public:
    DxfShapeReader(std::string_view text, const DxfBlockIndex& blocks, const DxfTransform& model, Shape& shape)
        : text_(text), blocks_(blocks), model_{model, {}, nullptr, 0}, shape_(shape)
    {
    }

    // Reads the entities of one stretch of text; false once a number stopped the import.
    bool readAll(DxfEntityCursor& cursor)
    {
        if (stopLine_ != 0) return false;
        DxfEntity entity;
        Shape drawn; // what one entity draws, kept apart until its numbers prove sound
        while (cursor.next(entity, storage_)) {
            drawn.clear();
            readEntity(entity, cursor, model_, drawn);
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
    // Reads the entity (a polyline with its vertices, an insert with its attributes, from the
    // cursor) into `drawn`, placed as `at` says.
    void readEntity(const DxfEntity& entity, DxfEntityCursor& cursor, const DxfPlacement& at, Shape& drawn)
    {
        const std::string_view name = entity.name;
        if (isStructureMarker(name)) return;
        if (dxfInPaperSpace(entity, tally_)) {
            skip(std::string(name) + " (paper space)", at);
            if (name == "POLYLINE") noteSeqend(skipDxfPolylineVertices(cursor), entity);
            return;
        }
        if (name == "INSERT") {
            readInsert(entity, cursor, at, drawn);
            return;
        }
        if (name == "ELLIPSE") {
            if (!readDxfEllipse(entity, tally_, at.transform, drawn)) skip("ELLIPSE (empty)", at);
            return;
        }
        if (name == "SPLINE") {
            if (const std::string problem = readDxfSpline(entity, tally_, at.transform, drawn); !problem.empty())
                skip("SPLINE (" + problem + ")", at);
            return;
        }
        // Lines, arcs and polylines are read as drawn, then placed.
        const bool asDrawn = at.transform.isIdentity();
        if (!asDrawn) unplaced_.clear();
        Shape& target = asDrawn ? drawn : unplaced_;
        if (name == "POLYLINE") {
            readPolyline(entity, cursor, at, target);
        } else {
            bool drew = false;
            if (name == "LINE")
                drew = readDxfLine(entity, tally_, target);
            else if (name == "ARC")
                drew = readDxfArc(entity, tally_, target);
            else if (name == "CIRCLE")
                drew = readDxfCircle(entity, tally_, target);
            else if (name == "LWPOLYLINE")
                drew = readDxfLwPolyline(entity, tally_, target);
            else {
                skip(name.empty() ? "(unnamed)" : std::string(name), at);
                return;
            }
            if (!drew) skip(std::string(name) + " (empty)", at);
        }
        if (!asDrawn) appendPlaced(unplaced_, at.transform, drawn);
    }

    void readPolyline(const DxfEntity& head, DxfEntityCursor& cursor, const DxfPlacement& at, Shape& drawn)
    {
        const DxfPolylineRead read = readDxfPolyline(head, cursor, tally_, drawn);
        if (read.mesh)
            skip("POLYLINE (mesh)", at);
        else if (read.drawsNothing)
            skip("POLYLINE (empty)", at);
        noteSeqend(read.hasSeqend, head);
    }

    // Draws the block the insert names once per cell of its array.
    void readInsert(const DxfEntity& entity, DxfEntityCursor& cursor, const DxfPlacement& at, Shape& drawn)
    {
        const DxfInsert insert = readDxfInsert(entity, tally_);
        if (insert.attributesFollow) skipAttributes(cursor, at);
        const std::string name(insert.blockName);
        const DxfTextRange* block = blocks_.find(name);
        if (!block) return skip("INSERT (no block " + name + ")", at);
        if (insert.tooManyCells)
            return skip("INSERT (an array of more than " + formatGeneral(kMostInsertCells) + " cells)", at);
        if (at.inside(name)) return skip("INSERT (block " + name + " inside itself)", at);
        if (at.depth >= kDeepestBlockNesting) return skip("INSERT (blocks nested too deep)", at);

        DxfEntityCursor blockCursor = cursorOver(*block);
        std::vector<DxfGroup> storage;
        DxfEntity head;
        blockCursor.next(head, storage);
        const DxfBlockHead blockHead = readDxfBlockHead(head, tally_);
        if (blockHead.external) return skip("INSERT (external reference " + name + ")", at);
        const DxfTransform fromBase = DxfTransform::translation(-blockHead.base.x, -blockHead.base.y);
        const std::string_view blockText = text_.substr(block->begin, block->end - block->begin);
        const auto blockLines = static_cast<std::size_t>(std::count(blockText.begin(), blockText.end(), '\n')) + 1;
        for (const DxfTransform& cell : insert.cells) {
            if (shape_.size() + drawn.size() > kMostInsertedEntities)
                return skip("INSERT (beyond " + formatGeneral(kMostInsertedEntities) + " entities)", at);
            if (blockLinesRead_ + blockLines > kMostBlockLinesRead)
                return skip("INSERT (beyond " + formatGeneral(kMostBlockLinesRead) + " lines of block text)", at);
            blockLinesRead_ += blockLines;
            const DxfPlacement inner{at.transform.after(cell).after(fromBase), insert.blockName, &at, at.depth + 1};
            DxfEntityCursor contents = cursorOver(*block);
            DxfEntity e;
            contents.next(e, storage); // the BLOCK entity itself
            while (contents.next(e, storage)) readEntity(e, contents, inner, drawn);
        }
    }

    // The ATTRIB entities (texts) after an insert, and their SEQEND.
    void skipAttributes(DxfEntityCursor& cursor, const DxfPlacement& at)
    {
        std::vector<DxfGroup> storage;
        DxfEntity attribute;
        while (cursor.nextName() == "ATTRIB") {
            cursor.next(attribute, storage);
            skip("ATTRIB", at);
        }
        if (cursor.nextName() == "SEQEND") cursor.next(attribute, storage);
    }

    DxfEntityCursor cursorOver(const DxfTextRange& range) const
    {
        return DxfEntityCursor(text_.substr(range.begin, range.end - range.begin), range.firstLine);
    }

    void skip(const std::string& what, const DxfPlacement& at)
    {
        count(skipped_, at.block.empty() ? what : what + " (in block " + std::string(at.block) + ")");
    }

    void noteSeqend(bool hasSeqend, const DxfEntity& head)
    {
        if (!hasSeqend && polylinesWithoutSeqend_++ == 0) firstPolylineWithoutSeqend_ = head.line;
    }

    std::string_view text_;
    const DxfBlockIndex& blocks_;
    const DxfPlacement model_;
    Shape& shape_;
    Shape unplaced_; // a line, arc or polyline as drawn, before it is placed
    std::vector<DxfGroup> storage_;
    DxfNumberTally tally_;
    EntityCounts skipped_;
    std::size_t blockLinesRead_ = 0; // a block's lines once per cell drawn
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

ShapeReadReport parseDxfText(const std::string& text, Shape& shape, const std::string& fileName, DrawingUnit unit)
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
    const DxfUnitScale units = dxfUnitScale(body, layout.header, unit);
    const DxfBlockIndex blocks(layout.blocks);
    DxfShapeReader reader(body, blocks, DxfTransform::scaling(units.factor, units.factor), shape);
    for (const DxfTextRange& range : layout.modelRanges) {
        DxfEntityCursor cursor(body.substr(range.begin, range.end - range.begin), range.firstLine);
        if (!reader.readAll(cursor)) break;
    }
    reader.report(report);
    noteDamage(layout, report);
    if (!units.note.empty()) report.notes.push_back(units.note);
    return report;
}

ShapeReadReport readDxfFile(const std::string& path, Shape& shape, DrawingUnit unit)
{
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        ShapeReadReport report;
        report.readable = false;
        report.error = file.error;
        return report;
    }
    return parseDxfText(*file.bytes, shape, path, unit);
}

} // namespace dravenor
