// dravenor-cli check-layout: whether the layouts of a layout file or a saved job can be cut as
// drawn: no part reaches into another and none leaves its sheet; asked for, parts the spacing
// apart and the margin inside the sheet.
#include <filesystem>
#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/scratch_folder.h"
#include "geometry/shape_file.h"
#include "job/deep_settings_input.h"
#include "job/files.h"
#include "job/number_format.h"
#include "job/part_rules.h"
#include "layouts/job_open.h"
#include "layouts/moved_shape_files.h"
#include "layouts/layout_file.h"
#include "layouts/layout_clearances.h"
#include "layouts/layout_geometry_check.h"
#include "layouts/placed_layouts.h"
#include "layouts/placed_shape.h"

namespace dravenor::cli {

namespace {

// A file that cannot be checked: exit code 2 with the message.
struct BadFile {
    std::string message;
};

struct CheckOutcome {
    int layouts = 0;
    std::vector<LayoutFault> faults;
    std::vector<std::string> warnings; // from opening a job (files found beside it)
    std::vector<std::string> clearances; // per layout, when asked for
};

double toleranceOf(const std::string& text)
{
    const std::optional<double> value = numberFromText(text);
    if (!value || *value < 0) throw UsageError{"--tolerance '" + text + "' is not a number from 0 up"};
    return *value;
}

// What the check measures besides overlaps: the options given, else for a Deep Nesting job its
// own spacing and margin.
struct DistanceOptions {
    std::optional<double> spacing, margin;
    bool measure = false; // --least: also print each layout's least distances

    LeastDistances forJob(const Job& job) const
    {
        if (job.mode != NestingMode::Deep) return {spacing.value_or(0), margin.value_or(0)};
        return {spacing.value_or(effectiveSpacing(job.deep, job.nesting.details.Kerf)), margin.value_or(job.deep.margin)};
    }
};

std::optional<double> distanceOption(const ParsedArgs& parsed, const std::string& option)
{
    if (!parsed.has(option)) return std::nullopt;
    const std::string text = parsed.value(option);
    const std::optional<double> value = numberFromText(text);
    if (!value || *value < 0) throw UsageError{option + " '" + text + "' is not a number from 0 up"};
    return value;
}

std::string lowerExtension(const std::string& path)
{
    return toLowerAscii(std::filesystem::path(path).extension().string());
}

// A shape file named in a layout file: as written, else beside the layout file.
std::string shapePathFor(const std::string& name, const std::string& layoutPath)
{
    if (fileExists(name) || std::filesystem::path(name).is_absolute()) return name;
    const std::filesystem::path beside = std::filesystem::path(layoutPath).parent_path() / name;
    return fileExists(beside.string()) ? beside.string() : name;
}

Shape placedLine(const LayoutFileLine& line, const std::string& layoutPath, DrawingUnit unit)
{
    const std::string path = shapePathFor(line.name, layoutPath);
    if (!fileExists(path)) throw BadFile{layoutPath + ": " + line.name + " not found"};
    Shape shape;
    const ShapeReadReport report = loadShape(path, shape, unit);
    if (!report.readable) throw BadFile{report.error.empty() ? "cannot read " + path : report.error};
    return placedInstance(shape, leadingNumber(line.angle), leadingNumber(line.x), leadingNumber(line.y),
                          mirrorAllowedByText(line.mirror));
}

// A layout file: line 1 the sheet, the others the parts, each placed as the layout drawing
// places it.
CheckOutcome checkLayoutFile(const std::string& path, double tolerance, const DistanceOptions& distances,
                             DrawingUnit unit)
{
    const LayoutFileRead read = readLayoutFile(path);
    if (!read.ok()) throw BadFile{read.error};
    if (read.lines.empty() || read.lines.front().name.empty()) throw BadFile{path + ": holds no sheet line"};
    const Shape sheet = placedLine(read.lines.front(), path, unit);
    std::vector<Shape> parts;
    std::vector<std::string> names;
    for (size_t k = 1; k < read.lines.size(); ++k) {
        const LayoutFileLine& line = read.lines[k];
        names.push_back(line.name);
        parts.push_back(line.name.empty() ? Shape{} : placedLine(line, path, unit));
    }
    const LeastDistances least{distances.spacing.value_or(0), distances.margin.value_or(0)};
    CheckOutcome outcome{1, checkPlacedLayout(1, sheet, parts, names, tolerance, 0, least), {}, {}};
    if (distances.measure) outcome.clearances.push_back(clearanceText(measureClearance(1, sheet, parts), names));
    return outcome;
}

CheckOutcome checkJobFile(const std::string& path, double tolerance, const DistanceOptions& distances,
                          DrawingUnit unit)
{
    const ScratchFolder scratch;
    if (scratch.path().empty()) throw BadFile{"cannot create a temporary folder to open " + path};
    Job job;
    job.nesting.drawingUnit = unit;
    const JobOpenResult opened = openJob(path, scratch.path(), job);
    if (!opened.ok()) throw BadFile{opened.error};
    if (job.nesting.items.empty()) throw BadFile{path + ": " + kNoLayoutNotice};
    // A layout lacking a shape cannot be judged; files only the grids name do not matter here.
    if (opened.layoutsLackShapes) throw BadFile{layoutsLackShapesMessage(path, opened.missingShapes)};
    for (const std::string& warning : opened.warnings)
        if (warning.starts_with("layout ")) throw BadFile{path + ": " + warning};
    CheckOutcome outcome{job.nesting.items.back().LayoutNo, checkLayouts(job.nesting, tolerance, distances.forJob(job)),
                         opened.warnings, {}};
    if (distances.measure)
        for (const auto& [layoutNo, layout] : placedLayoutShapes(job.nesting))
            outcome.clearances.push_back(clearanceText(measureClearance(layoutNo, layout.sheet, layout.parts), layout.names));
    return outcome;
}

std::string summary(const CheckOutcome& outcome)
{
    int overlaps = 0, outside = 0, unchecked = 0, close = 0, nearEdge = 0;
    for (const LayoutFault& fault : outcome.faults) {
        switch (fault.kind) {
        case LayoutFault::Kind::Overlap: ++overlaps; break;
        case LayoutFault::Kind::OutsideSheet: ++outside; break;
        case LayoutFault::Kind::TooClose: ++close; break;
        case LayoutFault::Kind::NearSheetEdge: ++nearEdge; break;
        case LayoutFault::Kind::Unchecked: ++unchecked; break;
        }
    }
    return countedNoun(outcome.layouts, "layout", "layouts") + " checked: "
        + (overlaps ? countedNoun(overlaps, "overlap", "overlaps") : std::string("no overlaps")) + ", "
        + (outside ? countedNoun(outside, "part outside the sheet", "parts outside the sheet")
                   : std::string("every part on its sheet"))
        + (close ? ", " + countedNoun(close, "pair of parts", "pairs of parts") + " closer than the spacing" : std::string())
        + (nearEdge ? ", " + countedNoun(nearEdge, "part", "parts") + " closer to the sheet's outline than the margin"
                    : std::string())
        + (unchecked ? ", " + countedNoun(unchecked, "outline", "outlines") + " that cannot be checked" : std::string());
}

int checkLayout(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = parseArgs(args, {"--tolerance", "--units", "--spacing", "--margin"}, {"--least"});
    if (parsed.positional.size() != 1)
        throw UsageError{"give one layout file or job file (see dravenor-cli check-layout --help)"};
    const std::string& path = parsed.positional[0];
    const std::string extension = lowerExtension(path);
    if (extension != ".lay" && extension != ".nst")
        throw UsageError{path + ": not a layout file (.lay) or a job file (.nst)"};
    const double tolerance =
        parsed.has("--tolerance") ? toleranceOf(parsed.value("--tolerance")) : kDefaultCheckTolerance;
    const DrawingUnit unit = drawingUnitOption(parsed);
    const DistanceOptions distances{distanceOption(parsed, "--spacing"), distanceOption(parsed, "--margin"),
                                    parsed.has("--least")};
    try {
        const CheckOutcome outcome = extension == ".lay" ? checkLayoutFile(path, tolerance, distances, unit)
                                                         : checkJobFile(path, tolerance, distances, unit);
        for (const std::string& w : outcome.warnings) err << "dravenor-cli check-layout: warning: " << w << "\n";
        for (const std::string& line : outcome.clearances) out << line << "\n";
        for (const LayoutFault& fault : outcome.faults) out << fault.text << "\n";
        out << summary(outcome) << "\n";
        return outcome.faults.empty() ? kExitOk : kExitFailed;
    } catch (const BadFile& bad) {
        err << "dravenor-cli check-layout: " << bad.message << "\n";
        return kExitBadInput;
    }
}

} // namespace

Command checkLayoutCommand()
{
    return {"check-layout", "check that no parts of a layout overlap and none leaves its sheet",
            "Usage: dravenor-cli check-layout FILE.lay|FILE.nst [--tolerance T] [--units mm|in]\n"
            "                                 [--spacing S] [--margin M] [--least]\n"
            "Checks the layouts on their outlines (arcs as the short chords the drawing uses): two\n"
            "parts overlap when one reaches into the other (a part lying in another's hole is fine)\n"
            "deeper than the tolerance; a part leaves its sheet when it gets past the sheet's edge, or\n"
            "over one of its holes, by more than the tolerance. Parts that touch pass.\n"
            "A .lay file is read as the layout editor reads it (line 1 the sheet, each further line\n"
            "one placed part); shape files named with a relative path are looked for in the current\n"
            "folder, then beside the layout file. A .nst job is opened and its layouts rebuilt from\n"
            "the shape files.\n"
            "Prints one line per fault, then a summary line.\n"
            "  --tolerance T   how deep an outline may reach before it counts, in the job's length\n"
            "                  unit (default " + formatGeneral(kDefaultCheckTolerance) + ")\n"
            "  --units mm|in   the job's length unit (default mm): drawings that name their units are\n"
            "                  converted to it\n"
            "  --spacing S     parts closer than S to each other are faults, and\n"
            "  --margin M      parts closer than M to the sheet's outline or its holes, both measured\n"
            "                  exactly on the true outlines (arcs as arcs); a Deep Nesting job is\n"
            "                  checked at its own spacing and margin unless these are given\n"
            "  --least         first prints, per layout, the least distance between two parts and\n"
            "                  from a part to the sheet's outline or holes, exact on the true outlines\n"
            "Exit codes: 0 every layout sound, 1 a fault found, 2 a file that cannot be read (a\n"
            "missing shape file, a job without layouts) or bad arguments.\n",
            checkLayout};
}

} // namespace dravenor::cli
