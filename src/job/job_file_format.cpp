#include "job/job_file_format.h"

#include <algorithm>
#include <cctype>

namespace dravenor {

namespace {

constexpr const char* kEndLine = "[END]";
constexpr const char* kLineEnd = "\r\n";

std::string upperAscii(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string headerOf(int section)
{
    std::string header(1, '[');
    header.append(upperAscii(jobSectionName(section))).push_back(']');
    return header;
}

// A line that has the form of a section header: "[NAME]" with a name other than END.
bool isHeaderLine(const std::string& line)
{
    return line.size() > 2 && line.front() == '[' && line.back() == ']' && line != kEndLine;
}

bool isBlankLine(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

// Lines without their line ends; a last line without a line end counts, an empty text has none.
std::vector<std::string> splitLines(const std::string& content)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < content.size()) {
        size_t end = content.find('\n', from);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        from = end + 1;
    }
    return lines;
}

std::string at(int lineNumber)
{
    return "line " + std::to_string(lineNumber) + ": ";
}

// Text shown in a message: at most 40 characters of a line.
std::string shown(const std::string& line)
{
    return "'" + (line.size() > 40 ? line.substr(0, 40) + "..." : line) + "'";
}

} // namespace

const std::string& jobSectionName(int section)
{
    static const std::array<std::string, kJobSectionCount> names{
        "basic.tlf", "sa.tlf", "ca.tlf", "options.tlf", "sheet.tlf", "part.tlf", "nest.tlf"};
    return names.at(static_cast<size_t>(section));
}

std::string joinJobSections(const JobSectionTexts& sections)
{
    std::string text;
    for (int s = 0; s < kJobSectionCount; ++s)
        text += headerOf(s) + kLineEnd + sections[static_cast<size_t>(s)] + kEndLine + kLineEnd;
    return text;
}

SplitJobFile splitJobSections(const std::string& content)
{
    SplitJobFile split;
    if (content.find('\0') != std::string::npos) {
        split.error = "holds binary data, not a job file";
        return split;
    }
    const std::vector<std::string> lines = splitLines(content);
    if (lines.empty() || std::all_of(lines.begin(), lines.end(), isBlankLine)) {
        split.error = "is empty, not a job file";
        return split;
    }
    size_t next = 0;
    const auto lineNumber = [](size_t index) { return static_cast<int>(index) + 1; };
    for (int s = 0; s < kJobSectionCount; ++s) {
        while (next < lines.size() && isBlankLine(lines[next])) ++next;
        if (next == lines.size()) {
            split.error = at(lineNumber(next)) + "the file ends after " + std::to_string(s) + " of its "
                + std::to_string(kJobSectionCount) + " sections; " + jobSectionName(s) + " and the rest are missing";
            return split;
        }
        if (!isHeaderLine(lines[next])) {
            split.error = at(lineNumber(next)) + shown(lines[next]) + " is not a section header; " + headerOf(s)
                + " expected" + (s == 0 ? " (not a job file)" : "");
            return split;
        }
        JobSectionLines& section = split.sections[static_cast<size_t>(s)];
        section.firstLine = lineNumber(++next);
        for (;; ++next) {
            if (next == lines.size()) {
                split.error = at(lineNumber(next)) + "the file ends inside section " + jobSectionName(s)
                    + ": its [END] line is missing (the file is cut short)";
                return split;
            }
            if (lines[next] == kEndLine) break;
            if (isHeaderLine(lines[next])) {
                split.error = at(lineNumber(next)) + "section header " + shown(lines[next]) + " inside section "
                    + jobSectionName(s) + ": its [END] line is missing";
                return split;
            }
            section.lines.push_back(lines[next]);
        }
        ++next;
    }
    for (; next < lines.size(); ++next) {
        if (isBlankLine(lines[next])) continue;
        split.warnings.push_back(at(lineNumber(next)) + "text after the last section is ignored");
        break;
    }
    return split;
}

std::string sectionFileText(const JobSectionLines& section)
{
    std::string text;
    for (const std::string& line : section.lines) text += line + kLineEnd;
    return text;
}

} // namespace dravenor
