#include "cli/nest_job_file.h"

#include <filesystem>

#include "cli/option_parser.h"
#include "job/deep_settings_input.h"
#include "job/job_file.h"
#include "job/number_format.h"
#include "job/part_rules.h"
#include "layouts/moved_shape_files.h"

namespace dravenor::cli {

namespace {

constexpr int FileColumn = 1, QtyColumn = 2, PriColumn = 3, OrnColumn = 4, MirrorColumn = 5;

std::string wholeText(const TextGrid& grid, int row, int col)
{
    const std::int32_t value = toWhole(leadingNumber(grid.text(row, col)));
    return std::to_string(value < 0 ? 0 : value);
}

std::string measureText(const TextGrid& grid, const char* title)
{
    return formatGeneral(leadingNumber(grid.text(1, grid.columnOf(title))));
}

// "FILE:QTY:PRI" (and ":ORN", then ":mirror" when allowed, for parts) for every row with a file
// name.
void addRows(const TextGrid& grid, const std::string& option, bool withOrientation, Args& args)
{
    for (int r = 1; r < grid.rows(); ++r) {
        if (grid.text(r, FileColumn).empty()) continue;
        std::string row = grid.text(r, FileColumn) + ":" + wholeText(grid, r, QtyColumn) + ":" + wholeText(grid, r, PriColumn);
        if (withOrientation) row += ":" + grid.text(r, OrnColumn);
        if (withOrientation && mirrorAllowedByText(grid.text(r, MirrorColumn))) row += ":" + std::string(kMirrorField);
        args.insert(args.end(), {option, row});
    }
}

std::string modeName(NestingMode mode)
{
    switch (mode) {
    case NestingMode::Stack: return "stack";
    case NestingMode::ContinuousStack: return "continuous";
    case NestingMode::Deep: return "deep";
    case NestingMode::Free: break;
    }
    return "free";
}

// The parsed arguments back as a list, without the options named in `leaveOut`.
Args argsOf(const ParsedArgs& parsed, const std::set<std::string>& leaveOut)
{
    Args args = parsed.positional;
    for (const auto& [name, values] : parsed.values)
        if (!leaveOut.count(name))
            for (const std::string& value : values) args.insert(args.end(), {name, value});
    for (const std::string& flag : parsed.flags) args.push_back(flag);
    return args;
}

// Text for a grid cell: numbers in general format, 0 as an empty cell as a new row has it.
std::string cellOf(double value)
{
    return value == 0 ? "" : formatGeneral(value);
}

template <typename Entry>
void fillRows(TextGrid& grid, const std::vector<Entry>& entries)
{
    grid.setRows(static_cast<int>(entries.size()) + 2);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        grid.setText(r, FileColumn, entries[i].FileName);
        grid.setText(r, QtyColumn, std::to_string(entries[i].Qty));
        grid.setText(r, PriColumn, cellOf(entries[i].Pri));
        if constexpr (requires { entries[i].Orn; }) {
            grid.setText(r, OrnColumn, entries[i].Orn);
            grid.setText(r, MirrorColumn, mirrorCellText(entries[i].Mirror));
        }
    }
    grid.renumber();
}

// A saved job names its shape files by full path, as a job saved by the window does, so that it
// opens from any folder.
std::string fullPath(const std::string& file)
{
    if (file.empty()) return file;
    return std::filesystem::absolute(file).lexically_normal().string();
}

template <typename Entry>
std::vector<Entry> withFullPaths(std::vector<Entry> entries)
{
    for (Entry& e : entries) e.FileName = fullPath(e.FileName);
    return entries;
}

} // namespace

Args jobArgs(const Job& job)
{
    const TextGrid& basic = job.basic;
    Args args{"--mat",   basic.text(1, basic.columnOf("Mat")),  "--grade", basic.text(1, basic.columnOf("Grade")),
              "--note",  basic.text(1, basic.columnOf("Note")), "--thick", measureText(basic, "Thick"),
              "--kerf",  measureText(basic, "Kerf"),            "--mode",  modeName(job.mode)};
    // Deep Nesting settings only where the job has them, so that other jobs give the arguments they always gave.
    if (job.deep.spacing >= 0) args.insert(args.end(), {"--spacing", deepFieldText(DeepField::Spacing, job.deep)});
    const DeepSettings defaults;
    if (job.deep.margin != defaults.margin) args.insert(args.end(), {"--margin", deepFieldText(DeepField::Margin, job.deep)});
    if (job.deep.timeLimit != defaults.timeLimit)
        args.insert(args.end(), {"--time", deepFieldText(DeepField::TimeLimit, job.deep)});
    const RemnantSettings least;
    if (job.remnants.minWidth != least.minWidth)
        args.insert(args.end(), {"--remnant-width", formatGeneral(job.remnants.minWidth)});
    if (job.remnants.minArea != least.minArea)
        args.insert(args.end(), {"--remnant-area", formatGeneral(job.remnants.minArea)});
    addRows(job.sheets, "--sheet", false, args);
    addRows(job.parts, "--part", true, args);
    return args;
}

Args withJobFileArgs(const Args& args, std::vector<std::string>& warnings)
{
    std::set<std::string> valueOptions = nestValueOptions();
    valueOptions.insert("--job");
    const ParsedArgs parsed = parseArgs(args, valueOptions, nestFlagOptions());
    if (!parsed.has("--job")) return args;
    if (parsed.values.at("--job").size() > 1) throw UsageError{"--job may be given once"};

    Job job;
    const std::string jobPath = parsed.value("--job");
    const JobFileResult read = readJobFile(jobPath, "", job);
    if (!read.ok()) throw UsageError{read.error};
    warnings.insert(warnings.end(), read.warnings.begin(), read.warnings.end());
    // Files still missing are named by the run's own check.
    const ShapeFileSearch search = findMovedShapeFiles(job, jobPath);
    if (!search.foundNote.empty()) warnings.push_back(search.foundNote);

    // The command line's own rows replace the job's rows of that kind.
    Args merged;
    const Args fromJob = jobArgs(job);
    for (size_t i = 0; i + 1 < fromJob.size(); i += 2)
        if (!parsed.has(fromJob[i])) merged.insert(merged.end(), {fromJob[i], fromJob[i + 1]});
    const Args given = argsOf(parsed, {"--job"});
    merged.insert(merged.end(), given.begin(), given.end());
    // The job's switches, flags without a value, after the pairs of options.
    if (!job.nesting.partsInHoles && !parsed.flags.count(std::string(kNoPartsInHolesFlag)))
        merged.emplace_back(kNoPartsInHolesFlag);
    if (job.nesting.commonLines && !parsed.flags.count(std::string(kCommonLineFlag)))
        merged.emplace_back(kCommonLineFlag);
    return merged;
}

Job jobAfterRun(const NestingState& given, const NestJob& finished)
{
    Job job;
    const BasicDetails& d = finished.state.details;
    const std::vector<std::string> basic{d.Mat, d.Grade, cellOf(d.Thick), cellOf(d.Kerf), cellOf(d.ActKerf), d.Note};
    for (size_t c = 0; c < basic.size(); ++c) job.basic.setText(1, static_cast<int>(c) + 1, basic[c]);
    fillRows(job.sheets, withFullPaths(given.sheets));
    fillRows(job.parts, withFullPaths(given.parts));
    job.nesting = finished.state;
    job.nesting.sheets = withFullPaths(job.nesting.sheets);
    job.nesting.parts = withFullPaths(job.nesting.parts);
    for (LayoutItem& item : job.nesting.items) item.Name = fullPath(item.Name);
    job.nesting.entities.clear(); // the geometry is rebuilt from the items when the job is opened
    job.mode = finished.mode;
    // What the job keeps of the settings; threads, seed and iterations belong to the run.
    job.deep.spacing = finished.deep.spacing;
    job.deep.margin = finished.deep.margin;
    job.deep.timeLimit = finished.deep.timeLimit;
    job.remnants = finished.remnants;
    return job;
}

} // namespace dravenor::cli
