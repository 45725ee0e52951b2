#include "job/job.h"

#include "job/column_attributes.h"
#include "job/files.h"
#include "job/number_format.h"
#include "job/part_rules.h"

namespace dravenor {

namespace {

constexpr int FileColumn = 1, QtyColumn = 2, PriColumn = 3, OrnColumn = 4, MirrorColumn = 5;

// The text of a cell, "" when the grid has no such row or column.
std::string cellText(const TextGrid& grid, int row, int col)
{
    if (row < 0 || row >= grid.rows() || col < 0 || col >= grid.cols()) return "";
    return grid.text(row, col);
}

double cellNumber(const TextGrid& grid, int row, int col)
{
    return leadingNumber(cellText(grid, row, col));
}

// One data row and the layout of a freshly built grid; "ActKerf" is never shown.
void resetGrid(TextGrid& grid)
{
    grid.clear();
    grid.setRows(2);
    grid.renumber();
    applyColumnWidths(grid);
    const int actKerf = grid.columnOf("ActKerf");
    if (actKerf > 0) grid.colWidths[static_cast<size_t>(actKerf)] = 0;
    grid.row = 1;
    grid.col = 1;
    grid.selStartRow = 1;
    grid.selEndRow = 1;
}

// The fields every engine record shares, from one grid row; false when the row is unusable
// (file missing or nothing to cut).
template <typename Entry>
bool readEntryRow(const TextGrid& grid, int row, Entry& entry)
{
    entry.FileName = cellText(grid, row, FileColumn);
    entry.Qty = toWhole(cellNumber(grid, row, QtyColumn));
    entry.Pri = toWhole(cellNumber(grid, row, PriColumn));
    entry.Remaining = entry.Qty;
    return entry.Qty > 0 && fileExists(entry.FileName);
}

} // namespace

const std::vector<std::string>& basicDetailsTitles()
{
    static const std::vector<std::string> titles{"Mat", "Grade", "Thick", "Kerf", "ActKerf", "Note"};
    return titles;
}

const std::vector<std::string>& sheetGridTitles()
{
    static const std::vector<std::string> titles{"Sheet File Name", "Qty", "Pri"};
    return titles;
}

const std::vector<std::string>& partGridTitles()
{
    static const std::vector<std::string> titles{"Part File Name", "Qty", "Pri", "Orn", "Mirror"};
    return titles;
}

Job::Job()
    : basic(basicDetailsTitles()), sheets(sheetGridTitles()), parts(partGridTitles())
{
    reset();
}

TextGrid& Job::grid(int index)
{
    return index == BasicGrid ? basic : index == SheetGrid ? sheets : parts;
}

const TextGrid& Job::grid(int index) const
{
    return index == BasicGrid ? basic : index == SheetGrid ? sheets : parts;
}

void Job::discardResults()
{
    nesting.sheets.clear();
    nesting.parts.clear();
    nesting.entities.clear();
    nesting.items.clear();
    nesting.deepLayouts = false;
    remnantIds.clear();
}

void Job::reset()
{
    resetGrid(basic);
    resetGrid(sheets);
    resetGrid(parts);
    nesting.details = BasicDetails{};
    nesting.partsInHoles = true;
    nesting.commonLines = false;
    discardResults();
    mode = NestingMode::Free;
    deep = DeepSettings{};
    remnants = RemnantSettings{};
    jobFileName.clear();
    modified = false;
}

BasicDetails readBasicDetails(const TextGrid& basic)
{
    const auto text = [&](const char* title) { return cellText(basic, 1, basic.columnOf(title)); };
    const auto number = [&](const char* title) { return leadingNumber(text(title)); };
    BasicDetails details;
    details.Mat = text("Mat");
    details.Grade = text("Grade");
    details.Thick = number("Thick");
    details.Kerf = number("Kerf");
    details.ActKerf = number("ActKerf");
    details.Note = text("Note");
    return details;
}

std::vector<SheetEntry> sheetEntriesFromGrid(const TextGrid& sheets)
{
    std::vector<SheetEntry> entries;
    for (int r = 1; r < sheets.rows(); ++r) {
        SheetEntry entry;
        if (readEntryRow(sheets, r, entry)) entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<PartEntry> partEntriesFromGrid(const TextGrid& parts)
{
    std::vector<PartEntry> entries;
    for (int r = 1; r < parts.rows(); ++r) {
        PartEntry entry;
        if (!readEntryRow(parts, r, entry)) continue;
        entry.Orn = cellText(parts, r, OrnColumn);
        entry.Mirror = mirrorAllowedByText(cellText(parts, r, MirrorColumn));
        entries.push_back(std::move(entry));
    }
    return entries;
}

void copyGridsToRecords(Job& job)
{
    job.nesting.details = readBasicDetails(job.basic);
    job.nesting.sheets = sheetEntriesFromGrid(job.sheets);
    job.nesting.parts = partEntriesFromGrid(job.parts);
}

void discardResultsAndWorkingFiles(Job& job, const std::string& workingFolder)
{
    deleteFilesEndingWith(workingFolder, ".tlf");
    job.discardResults();
}

bool protectResultsBeforeEdit(Job& job, const std::string& workingFolder, const std::function<bool()>& askToContinue)
{
    if (job.hasLayouts() && !askToContinue()) return false;
    job.modified = true;
    discardResultsAndWorkingFiles(job, workingFolder);
    return true;
}

bool cellLeavesLayouts(const Job& job, const TextGrid& grid, int column)
{
    if (&grid != &job.basic || column < 1 || column >= grid.cols()) return false;
    const std::string& title = grid.title(column);
    return title == "Grade" || title == "Note";
}

void refreshDescriptiveDetails(Job& job)
{
    const BasicDetails typed = readBasicDetails(job.basic);
    job.nesting.details.Grade = typed.Grade;
    job.nesting.details.Note = typed.Note;
}

std::string fileCaption(const std::string& title, const std::string& fileName)
{
    return fileName.empty() ? title : title + " - " + fileName;
}

// A job with unsaved changes has " *" after its caption.
std::string jobCaption(const std::string& title, const Job& job)
{
    return fileCaption(title, job.jobFileName) + (job.modified ? " *" : "");
}

} // namespace dravenor
