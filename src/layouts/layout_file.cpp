#include "layouts/layout_file.h"

#include <algorithm>
#include <filesystem>

#include "job/files.h"
#include "job/grid_file.h"

namespace dravenor {

namespace {

// The text split at its line ends (CR LF, LF or a lone CR); the last line may lack one.
std::vector<std::string> textLines(const std::string& content)
{
    std::vector<std::string> lines;
    std::string current;
    for (size_t pos = 0; pos < content.size(); ++pos) {
        const char c = content[pos];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && pos + 1 < content.size() && content[pos + 1] == '\n') ++pos;
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

LayoutFileLine lineFromItems(std::vector<std::string> items)
{
    items.resize(6);
    return {std::move(items[0]), std::move(items[1]), std::move(items[2]),
            std::move(items[3]), std::move(items[4]), std::move(items[5])};
}

std::vector<const std::string*> fieldsOf(const LayoutFileLine& line)
{
    return {&line.name, &line.x, &line.y, &line.angle, &line.qty, &line.mirror};
}

bool allEmpty(const LayoutFileLine& line)
{
    const auto fields = fieldsOf(line);
    return std::all_of(fields.begin(), fields.end(), [](const std::string* f) { return f->empty(); });
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The first field a layout file cannot hold (a double quote or a line break), as a message.
std::string unstorableField(const std::string& path, const std::vector<LayoutFileLine>& lines)
{
    for (size_t k = 0; k < lines.size(); ++k) {
        const LayoutFileLine& line = lines[k];
        for (const std::string* field : fieldsOf(line))
            if (field->find_first_of("\"\r\n") != std::string::npos)
                return "cannot write " + path + ": line " + std::to_string(k + 1)
                    + " holds a double quote or a line break, which the file cannot store";
    }
    return "";
}

} // namespace

LayoutFileRead readLayoutFile(const std::string& path)
{
    LayoutFileRead result;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        result.error = path + " not found";
        return result;
    }
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        result.error = file.error.empty() ? "cannot read " + path : file.error;
        return result;
    }
    for (const std::string& text : textLines(*file.bytes)) {
        std::vector<std::string> items = splitGridItems(text);
        if (items.empty()) continue; // blank line
        LayoutFileLine line = lineFromItems(std::move(items));
        if (!allEmpty(line)) result.lines.push_back(std::move(line));
    }
    return result;
}

std::string writeLayoutFile(const std::string& path, const std::vector<LayoutFileLine>& lines, bool quoteNumbers)
{
    if (std::string problem = unstorableField(path, lines); !problem.empty()) return problem;
    const auto number = [quoteNumbers](const std::string& text) { return quoteNumbers ? quoted(text) : text; };
    // Files without a mirrored part keep the five fields every older reader knows.
    const bool withMirror =
        std::any_of(lines.begin(), lines.end(), [](const LayoutFileLine& l) { return !l.mirror.empty(); });
    std::string bytes;
    for (const LayoutFileLine& line : lines) {
        if (allEmpty(line)) continue;
        bytes += quoted(line.name) + "," + number(line.x) + "," + number(line.y) + "," + number(line.angle) + ","
            + number(line.qty) + (withMirror ? "," + quoted(line.mirror) : "") + "\r\n";
    }
    return writeFileAtomically(path, bytes);
}

} // namespace dravenor
