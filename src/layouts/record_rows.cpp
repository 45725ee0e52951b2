#include "layouts/record_rows.h"

#include "job/number_format.h"
#include "job/part_rules.h"

namespace dravenor {

namespace {

constexpr int FileColumn = 1, QtyColumn = 2, PriColumn = 3, OrnColumn = 4, MirrorColumn = 5;
// How a run reads a priority of 0: after the last one given.
constexpr std::int32_t kPriorityOfZero = 32767;

std::string cellText(const TextGrid& grid, int row, int col)
{
    return col < grid.cols() ? grid.text(row, col) : std::string();
}

std::int32_t cellWhole(const TextGrid& grid, int row, int col)
{
    return toWhole(leadingNumber(cellText(grid, row, col)));
}

bool priorityAgrees(std::int32_t rowPri, std::int32_t recordPri)
{
    return rowPri == recordPri || (rowPri == 0 && recordPri == kPriorityOfZero);
}

// How many of the record's numbers (and its orientation) the row still holds.
int agreement(const TextGrid& grid, int row, const SheetEntry& record)
{
    return (cellWhole(grid, row, QtyColumn) == record.Qty) + priorityAgrees(cellWhole(grid, row, PriColumn), record.Pri);
}

int agreement(const TextGrid& grid, int row, const PartEntry& record)
{
    return (cellWhole(grid, row, QtyColumn) == record.Qty) + priorityAgrees(cellWhole(grid, row, PriColumn), record.Pri)
        + (cellText(grid, row, OrnColumn) == record.Orn)
        + (mirrorAllowedByText(cellText(grid, row, MirrorColumn)) == record.Mirror);
}

template <class Entry>
std::vector<int> rowsOf(const TextGrid& grid, const std::vector<Entry>& records, std::vector<int> rows)
{
    rows.resize(records.size(), 0);
    std::vector<bool> taken(static_cast<size_t>(grid.rows()), false);
    for (int row : rows)
        if (row > 0 && row < grid.rows()) taken[static_cast<size_t>(row)] = true;
    for (size_t i = 0; i < records.size(); ++i) {
        if (rows[i] > 0) continue;
        int best = 0, bestAgreement = -1;
        for (int r = 1; r < grid.rows(); ++r) {
            if (taken[static_cast<size_t>(r)] || cellText(grid, r, FileColumn) != records[i].FileName) continue;
            const int agrees = agreement(grid, r, records[i]);
            if (agrees > bestAgreement) {
                best = r;
                bestAgreement = agrees;
            }
        }
        if (best > 0) taken[static_cast<size_t>(best)] = true;
        rows[i] = best;
    }
    return rows;
}

} // namespace

std::vector<int> gridRowsOfRecords(const TextGrid& grid, const std::vector<SheetEntry>& records,
                                   std::vector<int> found)
{
    return rowsOf(grid, records, std::move(found));
}

std::vector<int> gridRowsOfRecords(const TextGrid& grid, const std::vector<PartEntry>& records,
                                   std::vector<int> found)
{
    return rowsOf(grid, records, std::move(found));
}

} // namespace dravenor
