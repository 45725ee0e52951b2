#include "layouts/layout_exchange.h"

#include <algorithm>

#include "job/number_format.h"
#include "job/part_rules.h"
#include "layouts/job_engine_setup.h"
#include "layouts/kept_placement.h"
#include "layouts/layout_range.h"
#include "layouts/layout_rebuild.h"
#include "layouts/record_rows.h"

namespace dravenor {

namespace {

std::string editorNumber(double value)
{
    return formatGeneral(keptPlacement(value));
}

LayoutFileLine lineOf(const LayoutItem& item)
{
    return {item.Name,         editorNumber(item.X), editorNumber(item.Y), editorNumber(item.Angle),
            std::to_string(item.Qty), mirrorCellText(item.Mirror)};
}

// The lines up to the first one without a name.
std::vector<LayoutFileLine> namedLines(const std::vector<LayoutFileLine>& lines)
{
    const auto end = std::find_if(lines.begin(), lines.end(), [](const LayoutFileLine& l) { return l.name.empty(); });
    return {lines.begin(), end};
}

// 1-based index of the record with exactly this file name; a new record with only the name
// (all numbers 0) is appended when there is none.
template <class Entry>
std::int32_t recordIndexFor(std::vector<Entry>& records, const std::string& fileName)
{
    const auto found =
        std::find_if(records.begin(), records.end(), [&](const Entry& e) { return e.FileName == fileName; });
    if (found != records.end()) return static_cast<std::int32_t>(found - records.begin()) + 1;
    Entry added;
    added.FileName = fileName;
    records.push_back(added);
    return static_cast<std::int32_t>(records.size());
}

// The edited layout as item rows: its part instances in line order, then its sheet row. Every
// row takes the sheet line's QTY: the parts of a layout are cut once per sheet cut with it, so a
// quantity changed on the sheet line alone still counts the parts it places.
std::vector<LayoutItem> itemsFromLines(NestingState& state, int layoutNo, const std::vector<LayoutFileLine>& lines)
{
    std::vector<LayoutItem> rows;
    if (lines.empty()) return rows;
    const LayoutFileLine& sheetLine = lines.front();
    const std::int32_t sheetIndex = recordIndexFor(state.sheets, sheetLine.name);
    const std::int32_t layoutQty = toWhole(leadingNumber(sheetLine.qty));
    for (size_t k = 1; k < lines.size(); ++k) {
        const LayoutFileLine& line = lines[k];
        LayoutItem item;
        item.Name = line.name;
        item.X = leadingNumber(line.x);
        item.Y = leadingNumber(line.y);
        item.Angle = leadingNumber(line.angle);
        item.Mirror = mirrorAllowedByText(line.mirror);
        item.Qty = layoutQty;
        item.LayoutNo = layoutNo;
        item.SheetIndex = sheetIndex;
        item.PartIndex = recordIndexFor(state.parts, line.name);
        rows.push_back(item);
    }
    LayoutItem sheetRow;
    sheetRow.Name = sheetLine.name;
    sheetRow.SheetIndex = sheetIndex;
    sheetRow.LayoutNo = layoutNo;
    sheetRow.Qty = layoutQty;
    rows.push_back(sheetRow);
    return rows;
}

// Layouts numbered 1, 2, ... in order of appearance.
void renumberLayouts(std::vector<LayoutItem>& items)
{
    std::int32_t number = 0, previous = 0;
    for (size_t k = 0; k < items.size(); ++k) {
        const std::int32_t old = items[k].LayoutNo;
        if (k == 0 || old != previous) ++number;
        previous = old;
        items[k].LayoutNo = number;
    }
}

// Sheets used per sheet record and pieces placed per part record, from the item rows (each row
// counts its layout's Qty).
struct ItemCounts {
    std::vector<std::int64_t> sheetsUsed, piecesPlaced;
};

ItemCounts countItems(const NestingState& state)
{
    ItemCounts counts{std::vector<std::int64_t>(state.sheets.size()), std::vector<std::int64_t>(state.parts.size())};
    for (const LayoutItem& item : state.items) {
        if (item.PartIndex == 0) {
            if (item.SheetIndex >= 1 && static_cast<size_t>(item.SheetIndex) <= counts.sheetsUsed.size())
                counts.sheetsUsed[static_cast<size_t>(item.SheetIndex - 1)] += item.Qty;
        } else if (static_cast<size_t>(item.PartIndex) <= counts.piecesPlaced.size()) {
            counts.piecesPlaced[static_cast<size_t>(item.PartIndex - 1)] += item.Qty;
        }
    }
    return counts;
}

// Stock and demand from the new item rows. A sheet keeps its stock unless the layouts use more.
// A part's demand is what the layouts place plus what was still unplaced: pieces the run could
// not place stay wanted, pieces added by hand first fill that want, and pieces removed by hand
// are no longer wanted. placedBefore counts the pieces of the item rows before the edit.
void recountStockAndDemand(NestingState& state, const std::vector<std::int64_t>& placedBefore)
{
    const ItemCounts counts = countItems(state);
    for (size_t i = 0; i < state.sheets.size(); ++i) {
        SheetEntry& sheet = state.sheets[i];
        const auto used = static_cast<std::int32_t>(counts.sheetsUsed[i]);
        sheet.Remaining = sheet.Qty - used;
        if (sheet.Remaining < 0) {
            sheet.Qty = used;
            sheet.Remaining = 0;
        }
    }
    const std::vector<std::int64_t>& placed = counts.piecesPlaced;
    for (size_t i = 0; i < state.parts.size(); ++i) {
        PartEntry& part = state.parts[i];
        const std::int64_t before = i < placedBefore.size() ? placedBefore[i] : 0;
        const std::int64_t unplaced = std::max<std::int64_t>(part.Remaining, 0);
        const std::int64_t addedByHand = std::max<std::int64_t>(placed[i] - before, 0);
        part.Remaining = static_cast<std::int32_t>(std::max<std::int64_t>(unplaced - addedByHand, 0));
        part.Qty = static_cast<std::int32_t>(placed[i]) + part.Remaining;
    }
}

// Each record's Qty written into the grid row it was copied from (rows[i], 0 for none), so
// that Pri, Orn and every other column stay with their file; records without a row get new rows
// after the last filled one. Other rows keep everything. The entry row after them is emptied.
template <class Entry>
void writeRecordQuantities(TextGrid& grid, const std::vector<Entry>& records, std::vector<int> rows)
{
    rows.resize(records.size(), 0);
    int lastFilled = grid.rows() - 1;
    while (lastFilled > 0 && !grid.rowHasText(lastFilled)) --lastFilled;
    for (int& row : rows)
        if (row == 0) row = ++lastFilled;
    grid.setRows(lastFilled + 2);
    for (size_t i = 0; i < records.size(); ++i) {
        grid.setText(rows[i], 1, records[i].FileName);
        grid.setText(rows[i], 2, std::to_string(records[i].Qty));
    }
    const int entryRow = grid.rows() - 1;
    for (int c = 1; c < grid.cols(); ++c) grid.setText(entryRow, c, "");
    grid.renumber();
}

} // namespace

std::vector<LayoutFileLine> exchangeLinesForLayout(const NestingState& state, int layoutNo)
{
    const auto [first, last] = findItemRange(state.items, layoutNo);
    if (first < 0) return {};
    std::vector<LayoutFileLine> lines{lineOf(state.items[static_cast<size_t>(last)])};
    for (int k = first; k < last; ++k) lines.push_back(lineOf(state.items[static_cast<size_t>(k)]));
    return lines;
}

void takeBackEditedLayout(NestingState& state, int layoutNo, const std::vector<LayoutFileLine>& lines)
{
    const std::vector<std::int64_t> placedBefore = countItems(state).piecesPlaced;
    std::vector<LayoutItem> items;
    for (const LayoutItem& item : state.items)
        if (item.LayoutNo < layoutNo) items.push_back(item);
    for (LayoutItem& item : itemsFromLines(state, layoutNo, namedLines(lines))) items.push_back(std::move(item));
    for (const LayoutItem& item : state.items)
        if (item.LayoutNo > layoutNo) items.push_back(item);
    renumberLayouts(items);
    state.items = std::move(items);
    recountStockAndDemand(state, placedBefore);
}

std::vector<std::string> applyEditedLayout(Job& job, int layoutNo, const std::vector<LayoutFileLine>& lines)
{
    // The rows are found while the records still hold the numbers they were read with.
    std::vector<int> sheetRows = gridRowsOfRecords(job.sheets, job.nesting.sheets);
    std::vector<int> partRows = gridRowsOfRecords(job.parts, job.nesting.parts);
    takeBackEditedLayout(job.nesting, layoutNo, lines);
    // A file the editor brought in may have a row already: one with nothing to cut.
    sheetRows = gridRowsOfRecords(job.sheets, job.nesting.sheets, std::move(sheetRows));
    partRows = gridRowsOfRecords(job.parts, job.nesting.parts, std::move(partRows));
    std::vector<std::string> messages = rebuildEntityList(job.nesting);
    writeRecordQuantities(job.sheets, job.nesting.sheets, sheetRows);
    writeRecordQuantities(job.parts, job.nesting.parts, partRows);
    if (recordFilesExist(job.nesting)) {
        setUpActKerf(job);
        recomputeRecordAreas(job.nesting);
    }
    job.modified = true;
    return messages;
}

LeastDistances exchangeDistances(const Job& job)
{
    if (!job.nesting.deepLayouts) return {};
    return {job.nesting.details.ActKerf, job.deep.margin};
}

} // namespace dravenor
