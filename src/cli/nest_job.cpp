#include "cli/nest_job.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <tuple>

#include "cli/option_parser.h"
#include "job/cell_editing.h"
#include "job/deep_settings_input.h"
#include "job/number_format.h"
#include "job/part_rules.h"
#include "job/parts_folder.h"
#include "job/parts_list.h"

namespace dravenor::cli {

namespace {

struct RowFields {
    std::string file;
    std::vector<std::string> fields; // the fields after the file name, as given
};

// "FILE[:A[:B...]]" with at most `fieldCount` fields after the file; colons beyond those belong
// to the file name.
RowFields splitRow(const std::string& text, size_t fieldCount)
{
    std::vector<std::string> pieces;
    size_t from = 0;
    for (size_t at; (at = text.find(':', from)) != std::string::npos; from = at + 1) pieces.push_back(text.substr(from, at - from));
    pieces.push_back(text.substr(from));
    RowFields row;
    const size_t fileParts = pieces.size() > fieldCount + 1 ? pieces.size() - fieldCount : 1;
    for (size_t i = 0; i < fileParts; ++i) row.file += (i ? ":" : "") + pieces[i];
    row.fields.assign(pieces.begin() + static_cast<std::ptrdiff_t>(fileParts), pieces.end());
    return row;
}

// A whole number written with digits only (and a leading minus), within 32 bits.
bool readWhole(const std::string& text, std::int32_t& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    const auto result = std::from_chars(begin, end, value);
    return begin != end && result.ec == std::errc() && result.ptr == end;
}

std::int32_t quantityOf(const std::string& option, const std::string& given, const std::string& text)
{
    std::int32_t qty = 0;
    if (!readWhole(text, qty) || qty < 0)
        throw UsageError{option + " " + given + ": quantity '" + text + "' is not a whole number above 0"};
    return qty;
}

std::int32_t priorityOf(const std::string& option, const std::string& given, const std::string& text)
{
    std::int32_t pri = 0;
    if (!readWhole(text, pri) || pri < 0)
        throw UsageError{option + " " + given + ": priority '" + text + "' is not a whole number from 0 up"};
    return pri;
}

// A basic detail as typing it into the window's grid column would leave it (upper case, the
// column's length and characters), so a job reads the same from either.
std::string typedDetail(const std::string& option, const std::string& title, const std::string& text)
{
    const TypedText typed = typeIntoEmptyCell(title, text);
    if (!typed.refusal.empty()) throw UsageError{option + " '" + text + "': " + typed.refusal};
    return typed.text;
}

double measureOf(const std::string& option, const std::string& title, const std::string& text)
{
    const std::optional<double> value = numberFromText(text);
    if (!value) throw UsageError{option + " '" + text + "' is not a number"};
    if (*value < 0) throw UsageError{option + " '" + text + "' must not be negative"};
    typedDetail(option, title, text);
    return *value;
}

NestingMode modeOf(const std::string& text)
{
    if (text == "stack") return NestingMode::Stack;
    if (text == "continuous") return NestingMode::ContinuousStack;
    if (text == "free") return NestingMode::Free;
    if (text == "deep") return NestingMode::Deep;
    throw UsageError{"--mode '" + text + "' is not stack, continuous, free or deep"};
}

// A whole number from `least` up, written with digits only.
template <class Whole>
Whole countOf(const ParsedArgs& parsed, const std::string& option, Whole least)
{
    const std::string text = parsed.value(option);
    Whole value{};
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || value < least)
        throw UsageError{option + " '" + text + "' is not a whole number from " + std::to_string(least) + " up"};
    return value;
}

// The Deep Nesting settings and run options; the run options only go with the deep mode.
void readDeepOptions(const ParsedArgs& parsed, NestJob& job)
{
    const std::tuple<const char*, DeepField, double DeepSettings::*> fields[] = {
        {"--spacing", DeepField::Spacing, &DeepSettings::spacing},
        {"--margin", DeepField::Margin, &DeepSettings::margin},
        {"--time", DeepField::TimeLimit, &DeepSettings::timeLimit}};
    for (const auto& [option, field, member] : fields) {
        if (!parsed.has(option)) continue;
        const std::string text = parsed.value(option);
        // An empty spacing would mean "the kerf": on the command line that is leaving it out.
        const DeepNumber number = text.empty() ? DeepNumber{0, "it is empty"} : readDeepField(field, text);
        if (!number.ok()) throw UsageError{std::string(option) + " '" + text + "': " + number.error};
        job.deep.*member = number.value;
    }
    for (const char* option : {"--threads", "--seed", "--iterations"})
        if (parsed.has(option) && job.mode != NestingMode::Deep)
            throw UsageError{std::string(option) + " goes with --mode deep only"};
    if (parsed.has("--threads")) job.deep.threads = countOf(parsed, "--threads", 1);
    if (parsed.has("--seed")) job.deep.seed = countOf<std::uint64_t>(parsed, "--seed", 0);
    if (parsed.has("--iterations")) job.deep.iterations = countOf<std::int64_t>(parsed, "--iterations", 1);
}

std::string resolved(const std::string& file, const std::string& baseFolder)
{
    if (file.empty()) return file;
    if (baseFolder.empty() || std::filesystem::path(file).is_absolute()) return file;
    return (std::filesystem::path(baseFolder) / file).string();
}

class RowReader {
public:
    RowReader(NestJob& job, const std::string& baseFolder) : job_(job), baseFolder_(baseFolder) {}

    void sheet(const std::string& given)
    {
        const RowFields row = splitRow(given, 2);
        SheetEntry e;
        readCommonFields("--sheet", given, row, e);
        if (keep("sheet", e.FileName, e.Qty)) job_.state.sheets.push_back(e);
    }

    void part(const std::string& given)
    {
        const RowFields row = splitRow(given, 4);
        PartEntry e;
        readCommonFields("--part", given, row, e);
        e.Orn = row.fields.size() > 2 ? row.fields[2] : "";
        if (!isOrientationRule(e.Orn))
            throw UsageError{"--part " + given + ": orientation '" + e.Orn + "' is not empty, No, step90 or step180"};
        const std::string mirror = row.fields.size() > 3 ? row.fields[3] : "";
        if (!mirror.empty() && mirror != kMirrorField)
            throw UsageError{"--part " + given + ": '" + mirror + "' after the orientation is not empty or "
                             + std::string(kMirrorField)};
        e.Mirror = mirror == kMirrorField;
        if (keep("part", e.FileName, e.Qty)) job_.state.parts.push_back(e);
    }

    // The rows of a parts list or folder after the --part rows; its faults and the rows of other
    // stock are kept for the checks, each named with the list and its line.
    void listed(const PartsList& list, const std::string& source)
    {
        const auto where = [&](int line) { return source + (line > 0 ? " line " + std::to_string(line) : ""); };
        for (const PartsListFault& fault : list.faults)
            job_.listFaults.push_back(where(fault.line) + ": " + fault.message);
        for (const LeftOutRow& left : list.otherStock)
            job_.skippedRows.push_back(where(left.row.line) + " left out: " + left.reason);
        for (const PartsListRow& row : list.rows) {
            PartEntry e;
            e.FileName = row.file;
            e.Qty = row.qty;
            e.Pri = row.pri;
            e.Orn = row.orn;
            e.Mirror = row.mirror;
            e.Remaining = e.Qty;
            job_.namedFiles.push_back(e.FileName);
            if (keep("part", e.FileName, e.Qty)) job_.state.parts.push_back(e);
        }
    }

private:
    // FILE[:QTY[:PRI...]]: the file, a quantity (default 1) and a priority (default 0).
    template <class Entry>
    void readCommonFields(const std::string& option, const std::string& given, const RowFields& row, Entry& e)
    {
        e.FileName = fileOf(option, given, row);
        e.Qty = row.fields.size() > 0 && !row.fields[0].empty() ? quantityOf(option, given, row.fields[0]) : 1;
        e.Pri = row.fields.size() > 1 && !row.fields[1].empty() ? priorityOf(option, given, row.fields[1]) : 0;
        e.Remaining = e.Qty;
    }

    std::string fileOf(const std::string& option, const std::string& given, const RowFields& row)
    {
        if (row.file.empty()) throw UsageError{option + " '" + given + "' names no file"};
        const std::string file = resolved(row.file, baseFolder_);
        job_.namedFiles.push_back(file);
        return file;
    }

    bool keep(const std::string& kind, const std::string& file, std::int32_t qty)
    {
        if (qty > 0) return true;
        job_.skippedRows.push_back(kind + " " + file + " skipped: quantity 0");
        return false;
    }

    NestJob& job_;
    const std::string& baseFolder_;
};

} // namespace

const std::set<std::string>& nestValueOptions()
{
    static const std::set<std::string> options{"--sheet", "--part", "--mat", "--grade", "--thick", "--kerf", "--note",
                                               "--mode", "--json", "--dxf-dir", "--templates", "--save", "--png",
                                               "--units", "--spacing", "--margin", "--time", "--threads",
                                               "--seed", "--iterations", "--parts-list",
                                               "--parts-dir", "--nc-dir", "--post", "--cut-table", "--remnants-dir",
                                               "--remnant-width", "--remnant-area", "--stock", "--skeleton-cut",
                                               "--microjoints"};
    return options;
}

const std::set<std::string>& nestFlagOptions()
{
    static const std::set<std::string> flags{"--progress", "--yes", std::string(kNoPartsInHolesFlag), "--from-stock",
                                             std::string(kCommonLineFlag)};
    return flags;
}

NestJob parseNestJob(const Args& args, const std::string& baseFolder)
{
    const ParsedArgs parsed = parseArgs(args, nestValueOptions(), nestFlagOptions());
    if (!parsed.positional.empty()) throw UsageError{"unexpected argument '" + parsed.positional.front() + "'"};

    NestJob job;
    BasicDetails& d = job.state.details;
    d.Mat = typedDetail("--mat", "Mat", parsed.value("--mat"));
    d.Grade = typedDetail("--grade", "Grade", parsed.value("--grade"));
    d.Note = typedDetail("--note", "Note", parsed.value("--note"));
    if (parsed.has("--thick")) d.Thick = measureOf("--thick", "Thick", parsed.value("--thick"));
    if (parsed.has("--kerf")) d.Kerf = measureOf("--kerf", "Kerf", parsed.value("--kerf"));
    if (parsed.has("--mode")) job.mode = modeOf(parsed.value("--mode"));
    readDeepOptions(parsed, job);
    job.progress = parsed.flags.count("--progress") > 0;
    job.yes = parsed.flags.count("--yes") > 0;
    job.state.partsInHoles = parsed.flags.count(std::string(kNoPartsInHolesFlag)) == 0;
    job.state.commonLines = parsed.flags.count(std::string(kCommonLineFlag)) > 0;
    job.jsonPath = parsed.value("--json");
    job.pngFolder = parsed.value("--png");
    job.savePath = parsed.value("--save");
    job.dxfFolder = parsed.value("--dxf-dir");
    job.templateFolder = parsed.value("--templates");
    job.ncFolder = parsed.value("--nc-dir");
    job.postPath = parsed.value("--post");
    job.cutTablePath = parsed.value("--cut-table");
    job.cutOptions = cutOptionsOf(parsed);
    job.remnantsFolder = parsed.value("--remnants-dir");
    const std::pair<const char*, double RemnantSettings::*> least[] = {
        {"--remnant-width", &RemnantSettings::minWidth}, {"--remnant-area", &RemnantSettings::minArea}};
    for (const auto& [option, member] : least) {
        if (!parsed.has(option)) continue;
        const RemnantNumber number = readRemnantMinimum(parsed.value(option), option + 2);
        if (!number.ok()) throw UsageError{std::string(option) + ": " + number.error};
        job.remnants.*member = number.value;
    }
    job.state.drawingUnit = drawingUnitOption(parsed);

    RowReader rows(job, baseFolder);
    if (const auto it = parsed.values.find("--sheet"); it != parsed.values.end())
        for (const std::string& given : it->second) rows.sheet(given);
    if (const auto it = parsed.values.find("--part"); it != parsed.values.end())
        for (const std::string& given : it->second) rows.part(given);
    const JobStock stock{d.Mat, d.Thick};
    if (const auto it = parsed.values.find("--parts-list"); it != parsed.values.end())
        for (const std::string& given : it->second) rows.listed(readPartsListFile(resolved(given, baseFolder), stock), given);
    if (const auto it = parsed.values.find("--parts-dir"); it != parsed.values.end())
        for (const std::string& given : it->second) rows.listed(readPartsFolder(resolved(given, baseFolder)), given);
    return job;
}

Args readArgsFile(const std::string& text)
{
    Args args;
    size_t from = 0;
    while (from <= text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) args.push_back(line);
        from = end + 1;
    }
    return args;
}

} // namespace dravenor::cli
