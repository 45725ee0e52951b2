// Reading the seven sections of a job file into a job.
#include <cstdlib>
#include <iterator>
#include <utility>
#include <set>

#include "job/deep_settings_input.h"
#include "job/grid_file.h"
#include "job/job_file_sections.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

bool isBlankLine(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

std::string toUpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// One record line split into its fields, with the words for messages: "line 12 (sa.tlf,
// sheet record 2): ".
class RecordLine {
public:
    RecordLine(const std::string& line, int lineNumber, const std::string& section, const std::string& record)
        : fields(splitGridItems(line)),
          where_("line " + std::to_string(lineNumber) + " (" + section + ", " + record + "): ")
    {
    }

    bool hasFieldCount(size_t expected, std::string& error) const
    {
        if (fields.size() == expected) return true;
        error = where_ + std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields") + " instead of "
            + std::to_string(expected);
        return false;
    }
    std::int32_t whole(size_t index, const char* field, std::string& error) const
    {
        return toWhole(number(index, field, error));
    }
    double number(size_t index, const char* field, std::string& error) const
    {
        const std::string& text = fields.at(index);
        if (isNumberText(text)) return leadingNumber(text);
        if (error.empty()) error = where_ + field + " '" + text + "' is not a number";
        return 0;
    }
    bool boolean(size_t index, const char* field, std::string& error) const
    {
        const std::string text = toUpperAscii(fields.at(index));
        if (text == "#TRUE#" || text == "TRUE") return true;
        if (text != "#FALSE#" && text != "FALSE" && error.empty())
            error = where_ + field + " '" + fields.at(index) + "' is neither #TRUE# nor #FALSE#";
        return false;
    }
    std::string warning(const std::string& text) const { return where_ + text; }

    std::vector<std::string> fields;

private:
    std::string where_;
};

// Calls read(line, lineNumber, recordNumber) for each non-blank line of the section.
template <typename Read>
void forEachRecord(const JobSectionLines& section, Read read)
{
    int record = 0;
    for (size_t i = 0; i < section.lines.size(); ++i)
        if (!isBlankLine(section.lines[i])) read(section.lines[i], section.lineNumber(i), ++record);
}

bool isNumericColumn(const std::string& title)
{
    static const std::set<std::string> numeric{"Qty", "Pri", "Thick", "Kerf", "ActKerf"};
    return numeric.count(title) > 0;
}

// A grid section: one grid row per line, one field per column after "Sr"; the grid ends with
// one empty entry row. A number column holding other text keeps it and warns. The part grid's
// "Mirror" column may be missing (jobs without mirroring leave it out): it is then empty.
std::string readGrid(const JobSectionLines& section, const std::string& name, TextGrid& grid,
                     std::vector<std::string>& warnings)
{
    const size_t columns = static_cast<size_t>(grid.cols() - 1);
    const bool mirrorOptional = grid.columnOf("Mirror") == grid.cols() - 1;
    std::vector<RecordLine> rows;
    std::string error;
    forEachRecord(section, [&](const std::string& line, int lineNumber, int row) {
        RecordLine fields(line, lineNumber, name, "row " + std::to_string(row));
        if (mirrorOptional && fields.fields.size() + 1 == columns) fields.fields.emplace_back();
        if (error.empty() && fields.hasFieldCount(columns, error)) rows.push_back(std::move(fields));
    });
    if (!error.empty()) return error;

    grid.setRows(static_cast<int>(rows.size()) + 2);
    grid.clear();
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < columns; ++c) {
            const int col = static_cast<int>(c) + 1;
            const std::string& text = rows[r].fields[c];
            grid.setText(static_cast<int>(r) + 1, col, text);
            if (isNumericColumn(grid.title(col)) && !isNumberText(text))
                warnings.push_back(rows[r].warning(grid.title(col) + " '" + text + "' is not a number and counts as 0"));
        }
    }
    grid.renumber();
    return "";
}

// The fields every record shares: Area, Remaining and the file name, then Pri and Qty at the end.
template <typename Entry>
void readCommonFields(const RecordLine& fields, Entry& entry, std::string& error)
{
    const size_t last = fields.fields.size() - 1;
    entry.Area = fields.whole(0, "area", error);
    entry.Remaining = fields.whole(1, "remaining quantity", error);
    entry.FileName = fields.fields[2];
    entry.Pri = fields.whole(last - 1, "priority", error);
    entry.Qty = fields.whole(last, "quantity", error);
    // Counts no run can leave: what is left never exceeds what was asked for (a sheet on which
    // nothing fitted keeps it negated).
    const std::int64_t left = std::abs(std::int64_t{entry.Remaining});
    if (error.empty() && (entry.Qty < 0 || left > entry.Qty))
        error = fields.warning("remaining quantity " + std::to_string(entry.Remaining) + " does not fit quantity " +
                               std::to_string(entry.Qty));
}

std::string readSheetRecords(const JobSectionLines& section, std::vector<SheetEntry>& sheets)
{
    std::string error;
    const std::string& name = jobSectionName(SheetRecordSection);
    forEachRecord(section, [&](const std::string& line, int lineNumber, int record) {
        const RecordLine fields(line, lineNumber, name, "sheet record " + std::to_string(record));
        if (!error.empty() || !fields.hasFieldCount(5, error)) return;
        SheetEntry entry;
        readCommonFields(fields, entry, error);
        sheets.push_back(std::move(entry));
    });
    return error;
}

std::string readPartRecords(const JobSectionLines& section, std::vector<PartEntry>& parts)
{
    std::string error;
    const std::string& name = jobSectionName(PartRecordSection);
    forEachRecord(section, [&](const std::string& line, int lineNumber, int record) {
        RecordLine fields(line, lineNumber, name, "part record " + std::to_string(record));
        // A seventh field, the mirror mark, follows the quantity in jobs with mirroring.
        bool mirror = false;
        if (error.empty() && fields.fields.size() == 7) {
            mirror = fields.boolean(6, "mirror", error);
            fields.fields.pop_back();
        }
        if (!error.empty() || !fields.hasFieldCount(6, error)) return;
        PartEntry entry;
        entry.Mirror = mirror;
        readCommonFields(fields, entry, error);
        if (error.empty() && entry.Remaining < 0)
            error = fields.warning("remaining quantity " + std::to_string(entry.Remaining) + " is below 0");
        entry.Orn = fields.fields[3];
        parts.push_back(std::move(entry));
    });
    return error;
}

// The Deep Nesting line of the options section: its mark, spacing, margin and time limit. A line
// that cannot be read is left out with a warning; a value that cannot be used keeps its default.
void readDeepOptions(const RecordLine& fields, NestingMode& mode, DeepSettings& deep,
                     std::vector<std::string>& warnings)
{
    std::string error;
    if (fields.fields.size() != 5) {
        warnings.push_back(fields.warning("not a Deep Nesting line; left out"));
        return;
    }
    const bool deepMode = fields.boolean(1, "Deep Nesting", error);
    if (!error.empty()) {
        warnings.push_back(error + "; left out");
        return;
    }
    if (deepMode) mode = NestingMode::Deep;
    const std::pair<DeepField, double DeepSettings::*> values[] = {
        {DeepField::Spacing, &DeepSettings::spacing},
        {DeepField::Margin, &DeepSettings::margin},
        {DeepField::TimeLimit, &DeepSettings::timeLimit},
    };
    for (size_t k = 0; k < std::size(values); ++k) {
        const DeepNumber number = readDeepField(values[k].first, fields.fields[k + 2]);
        if (number.ok()) deep.*values[k].second = number.value;
        else warnings.push_back(fields.warning("'" + fields.fields[k + 2] + "': " + number.error + "; the default is used"));
    }
}

// A line switching one option (parts inside holes, common lines): its tag and one mark. A line that
// cannot be read leaves the option as it was.
void readSwitchOption(const RecordLine& fields, const std::string& tag, bool& option, std::vector<std::string>& warnings)
{
    std::string error;
    const bool on = fields.fields.size() == 2 && fields.boolean(1, tag.c_str(), error);
    if (fields.fields.size() != 2 || !error.empty()) {
        warnings.push_back(fields.fields.size() != 2 ? fields.warning("not a " + tag + " line; left out")
                                                     : error + "; left out");
        return;
    }
    option = on;
}

// The remnant line of the options section: the least width and area of a remnant worth keeping.
// A value that cannot be used keeps its default, with a warning.
void readRemnantOptions(const RecordLine& fields, RemnantSettings& remnants, std::vector<std::string>& warnings)
{
    if (fields.fields.size() != 3) {
        warnings.push_back(fields.warning("not a remnant line; left out"));
        return;
    }
    const std::pair<const char*, double RemnantSettings::*> values[] = {
        {"least remnant width", &RemnantSettings::minWidth},
        {"least remnant area", &RemnantSettings::minArea},
    };
    for (size_t k = 0; k < std::size(values); ++k) {
        const RemnantNumber number = readRemnantMinimum(fields.fields[k + 1], values[k].first);
        if (number.ok()) remnants.*values[k].second = number.value;
        else warnings.push_back(fields.warning(number.error + "; the default is used"));
    }
}

// What the options section sets beside the nesting mode.
struct JobOptions {
    NestingMode& mode;
    DeepSettings& deep;
    bool& partsInHoles;
    bool& commonLines;
    RemnantSettings& remnants;
};

// Stack, Continuous Stack and Free Nesting marks. Free wins, then Stack; with neither the
// engine nests as Continuous Stack. Lines after it are told apart by their first field: the Deep
// Nesting mark and settings, and the parts-in-holes switch.
std::string readOptions(const JobSectionLines& section, const JobOptions& options, std::vector<std::string>& warnings)
{
    std::string error;
    int seen = 0;
    forEachRecord(section, [&](const std::string& line, int lineNumber, int) {
        if (!error.empty()) return;
        if (++seen > 1) {
            const std::vector<std::string> items = splitGridItems(line);
            const std::string tag = items.empty() ? "" : items[0];
            const bool holes = tag == kHolesOptionsTag, common = tag == kCommonLinesOptionsTag;
            const bool remnants = tag == kRemnantOptionsTag;
            const RecordLine fields(line, lineNumber, jobSectionName(OptionsSection),
                                    holes || common ? tag : remnants ? "remnants" : kDeepOptionsTag);
            if (holes) readSwitchOption(fields, tag, options.partsInHoles, warnings);
            else if (common) readSwitchOption(fields, tag, options.commonLines, warnings);
            else if (remnants) readRemnantOptions(fields, options.remnants, warnings);
            else if (!items.empty() && items[0] == kDeepOptionsTag) readDeepOptions(fields, options.mode, options.deep, warnings);
            else warnings.push_back(fields.warning("not a Deep Nesting line; left out"));
            return;
        }
        const RecordLine fields(line, lineNumber, jobSectionName(OptionsSection), "nesting mode");
        if (!fields.hasFieldCount(3, error)) return;
        const bool stack = fields.boolean(0, "Stack Nesting", error);
        const bool continuous = fields.boolean(1, "Continuous Stack Nesting", error);
        const bool free = fields.boolean(2, "Free Nesting", error);
        NestingMode& mode = options.mode;
        mode = free ? NestingMode::Free : stack ? NestingMode::Stack : NestingMode::ContinuousStack;
        if (stack + continuous + free != 1)
            warnings.push_back(fields.warning("not exactly one nesting mode is checked; the job nests as "
                                              + std::string(free ? "Free" : stack ? "Stack" : "Continuous Stack")
                                              + " Nesting"));
    });
    if (seen == 0) {
        options.mode = NestingMode::Free;
        warnings.push_back(jobSectionName(OptionsSection) + " is empty; the job nests as Free Nesting");
    }
    return error;
}

// Eight fields per item; older files have seven (no Qty, read as 1), files with mirrored parts
// nine (the mirror mark last), decided by the first line. The fields are counted with quotes
// respected, so a file name holding a comma does not change the decision.
std::string readLayoutItems(const JobSectionLines& section, std::vector<LayoutItem>& items)
{
    std::string error;
    size_t fieldCount = 0;
    forEachRecord(section, [&](const std::string& line, int lineNumber, int record) {
        const RecordLine fields(line, lineNumber, jobSectionName(ItemSection), "layout item " + std::to_string(record));
        if (fieldCount == 0) fieldCount = fields.fields.size() == 8 || fields.fields.size() == 9 ? fields.fields.size() : 7;
        if (!error.empty() || !fields.hasFieldCount(fieldCount, error)) return;
        LayoutItem item;
        item.Name = fields.fields[0];
        item.X = fields.number(1, "X", error);
        item.Y = fields.number(2, "Y", error);
        item.Angle = fields.number(3, "angle", error);
        item.PartIndex = fields.whole(4, "part index", error);
        item.SheetIndex = fields.whole(5, "sheet index", error);
        item.LayoutNo = fields.whole(6, "layout number", error);
        item.Qty = fieldCount >= 8 ? fields.whole(7, "quantity", error) : 1;
        item.Mirror = fieldCount == 9 && fields.boolean(8, "mirror", error);
        items.push_back(std::move(item));
    });
    return error;
}

// The job file line of every record of a section, in order.
std::vector<int> recordLineNumbers(const JobSectionLines& section)
{
    std::vector<int> lines;
    forEachRecord(section, [&](const std::string&, int lineNumber, int) { lines.push_back(lineNumber); });
    return lines;
}

// Items must name records that exist (every window looks them up) and a layout number from 1.
// A layout whose last row is not its sheet row is drawn wrongly but kept, with a warning.
std::string checkLayoutItems(const NestingState& state, const JobSectionLines& section,
                             std::vector<std::string>& warnings)
{
    const auto sheets = static_cast<std::int32_t>(state.sheets.size());
    const auto parts = static_cast<std::int32_t>(state.parts.size());
    const std::string& name = jobSectionName(ItemSection);
    const std::vector<int> lines = recordLineNumbers(section);
    for (size_t i = 0; i < state.items.size(); ++i) {
        const LayoutItem& item = state.items[i];
        const std::string where = "line " + std::to_string(lines.at(i)) + " (" + name
            + ", layout item " + std::to_string(i + 1) + "): ";
        if (item.SheetIndex < 1 || item.SheetIndex > sheets)
            return where + "sheet index " + std::to_string(item.SheetIndex) + " does not name one of the "
                + std::to_string(sheets) + " sheet records";
        if (item.PartIndex < 0 || item.PartIndex > parts)
            return where + "part index " + std::to_string(item.PartIndex) + " does not name one of the "
                + std::to_string(parts) + " part records";
        if (item.LayoutNo < 1) return where + "layout number " + std::to_string(item.LayoutNo) + " is below 1";
        const bool lastOfLayout = i + 1 == state.items.size() || state.items[i + 1].LayoutNo != item.LayoutNo;
        if (lastOfLayout && item.PartIndex != 0)
            warnings.push_back(where + "layout " + std::to_string(item.LayoutNo)
                               + " does not end with its sheet row; it may be drawn wrongly");
    }
    return "";
}

} // namespace

std::string readJobSections(const SplitJobFile& split, Job& job, std::vector<std::string>& warnings)
{
    const auto section = [&](JobSection s) -> const JobSectionLines& { return split.sections[s]; };
    std::string error = readGrid(section(BasicSection), jobSectionName(BasicSection), job.basic, warnings);
    if (error.empty() && job.basic.rows() > 3)
        warnings.push_back(jobSectionName(BasicSection) + " holds " + std::to_string(job.basic.rows() - 2)
                           + " rows; only the first is used");
    job.basic.setRows(2); // the basic-details grid has exactly one data row
    if (error.empty()) error = readSheetRecords(section(SheetRecordSection), job.nesting.sheets);
    if (error.empty()) error = readPartRecords(section(PartRecordSection), job.nesting.parts);
    if (error.empty())
        error = readOptions(section(OptionsSection),
                            {job.mode, job.deep, job.nesting.partsInHoles, job.nesting.commonLines, job.remnants}, warnings);
    if (error.empty())
        error = readGrid(section(SheetGridSection), jobSectionName(SheetGridSection), job.sheets, warnings);
    if (error.empty()) error = readGrid(section(PartGridSection), jobSectionName(PartGridSection), job.parts, warnings);
    if (error.empty()) error = readLayoutItems(section(ItemSection), job.nesting.items);
    if (error.empty()) error = checkLayoutItems(job.nesting, section(ItemSection), warnings);
    return error;
}

} // namespace dravenor
