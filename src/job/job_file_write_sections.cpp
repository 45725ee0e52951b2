// Writing the seven sections of a job file.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "job/deep_settings_input.h"
#include "job/grid_file.h"
#include "job/job_file_sections.h"

namespace dravenor {

namespace {

constexpr const char* kLineEnd = "\r\n";

bool isStorable(const std::string& text)
{
    return text.find_first_of("\"\r\n") == std::string::npos;
}

// Collects the first value that a quoted field cannot hold.
class SectionWriter {
public:
    std::string quoted(const std::string& text, const std::string& what)
    {
        if (error.empty() && !isStorable(text))
            error = what + " holds a double quote or a line break, which a job file cannot store";
        return '"' + text + '"';
    }

    std::string grid(const TextGrid& grid, const std::string& gridName)
    {
        for (int r = 1; r < grid.rows(); ++r)
            for (int c = 1; c < grid.cols(); ++c)
                quoted(grid.text(r, c), "row " + std::to_string(r) + ", column \"" + grid.title(c) + "\" of the "
                                            + gridName);
        return gridToFileText(grid, true);
    }

    std::string error;
};

std::string whole(std::int32_t value)
{
    return std::to_string(value);
}

std::string boolean(bool value)
{
    return value ? "#TRUE#" : "#FALSE#";
}

std::string sheetRecords(const std::vector<SheetEntry>& sheets, SectionWriter& writer)
{
    std::string text;
    for (size_t i = 0; i < sheets.size(); ++i) {
        const SheetEntry& e = sheets[i];
        text += whole(e.Area) + "," + whole(e.Remaining) + ","
            + writer.quoted(e.FileName, "the file name of sheet record " + std::to_string(i + 1)) + "," + whole(e.Pri)
            + "," + whole(e.Qty) + kLineEnd;
    }
    return text;
}

// Six fields per record; a job with a part that may be mirrored gives every record a seventh,
// the mirror mark, so that jobs without mirroring keep the file they always had.
std::string partRecords(const std::vector<PartEntry>& parts, SectionWriter& writer)
{
    const bool withMirror = std::any_of(parts.begin(), parts.end(), [](const PartEntry& e) { return e.Mirror; });
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) {
        const PartEntry& e = parts[i];
        const std::string record = "part record " + std::to_string(i + 1);
        text += whole(e.Area) + "," + whole(e.Remaining) + "," + writer.quoted(e.FileName, "the file name of " + record)
            + "," + writer.quoted(e.Orn, "the orientation of " + record) + "," + whole(e.Pri) + "," + whole(e.Qty)
            + (withMirror ? "," + boolean(e.Mirror) : "") + kLineEnd;
    }
    return text;
}

// The part grid leaves out its last column, "Mirror", while no row fills it: the grid section
// of a job without mirroring stays as it always was.
TextGrid partGridAsStored(const TextGrid& parts)
{
    const int mirror = parts.columnOf("Mirror");
    if (mirror != parts.cols() - 1) return parts;
    for (int r = 1; r < parts.rows(); ++r)
        if (!parts.text(r, mirror).empty()) return parts;
    TextGrid stored = parts;
    stored.setCols(mirror);
    return stored;
}

// The check marks of Stack, Continuous Stack and Free Nesting; Deep Nesting checks Free, so that
// a reader that knows only the first line nests the job as Free. Tagged lines follow: the Deep
// Nesting mark and settings, parts inside holes switched off, common lines switched on, and the
// least remnant kept when it is not the default; a job that never had any keeps its one line.
std::string options(NestingMode mode, const DeepSettings& deep, const NestingState& nesting, const RemnantSettings& remnants)
{
    const bool deepMode = mode == NestingMode::Deep;
    std::string text = boolean(mode == NestingMode::Stack) + "," + boolean(mode == NestingMode::ContinuousStack) +
        "," + boolean(mode == NestingMode::Free || deepMode) + kLineEnd;
    if (deepMode || deep != DeepSettings{})
        text += '"' + std::string(kDeepOptionsTag) + "\"," + boolean(deepMode) + ",\"" +
            deepFieldText(DeepField::Spacing, deep) + "\"," + deepFieldText(DeepField::Margin, deep) + "," +
            deepFieldText(DeepField::TimeLimit, deep) + kLineEnd;
    if (!nesting.partsInHoles) text += '"' + std::string(kHolesOptionsTag) + "\"," + boolean(false) + kLineEnd;
    if (nesting.commonLines) text += '"' + std::string(kCommonLinesOptionsTag) + "\"," + boolean(true) + kLineEnd;
    if (remnants != RemnantSettings{})
        text += '"' + std::string(kRemnantOptionsTag) + "\"," + formatRecordDouble(remnants.minWidth) + "," +
            formatRecordDouble(remnants.minArea) + kLineEnd;
    return text;
}

// Part index before sheet index: the order of the file, not of the record. Layouts with a
// mirrored part give every item a ninth field, its mirror mark.
std::string layoutItems(const std::vector<LayoutItem>& items, SectionWriter& writer)
{
    const bool withMirror = std::any_of(items.begin(), items.end(), [](const LayoutItem& e) { return e.Mirror; });
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        const LayoutItem& e = items[i];
        text += writer.quoted(e.Name, "the file name of layout item " + std::to_string(i + 1)) + ","
            + formatRecordDouble(e.X) + "," + formatRecordDouble(e.Y) + "," + formatRecordDouble(e.Angle) + ","
            + whole(e.PartIndex) + "," + whole(e.SheetIndex) + "," + whole(e.LayoutNo) + "," + whole(e.Qty)
            + (withMirror ? "," + boolean(e.Mirror) : "") + kLineEnd;
    }
    return text;
}

} // namespace

std::string formatRecordDouble(double value)
{
    if (!std::isfinite(value) || value == 0) return "0";
    const double size = std::fabs(value);
    const auto format = size >= 1e-5 && size < 1e15 ? std::chars_format::fixed : std::chars_format::scientific;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    return std::string(buffer, result.ptr);
}

JobSectionsOut writeJobSections(const Job& job)
{
    SectionWriter writer;
    JobSectionsOut out;
    out.texts[BasicSection] = writer.grid(job.basic, "basic details");
    out.texts[SheetRecordSection] = sheetRecords(job.nesting.sheets, writer);
    out.texts[PartRecordSection] = partRecords(job.nesting.parts, writer);
    out.texts[OptionsSection] = options(job.mode, job.deep, job.nesting, job.remnants);
    out.texts[SheetGridSection] = writer.grid(job.sheets, "sheet grid");
    out.texts[PartGridSection] = writer.grid(partGridAsStored(job.parts), "part grid");
    out.texts[ItemSection] = layoutItems(job.nesting.items, writer);
    out.error = writer.error;
    return out;
}

} // namespace dravenor
