#pragma once
// The job file's container: seven sections in a fixed order, each a header line holding the
// section file name in upper case in brackets, the section's lines, and "[END]". Sections are
// taken strictly by position; the header's name is not compared.
#include <array>
#include <string>
#include <vector>

namespace dravenor {

inline constexpr int kJobSectionCount = 7;
enum JobSection : int {
    BasicSection,       // basic.tlf: the basic-details grid
    SheetRecordSection, // sa.tlf: the sheet records
    PartRecordSection,  // ca.tlf: the part records
    OptionsSection,     // options.tlf: the nesting-mode marks
    SheetGridSection,   // sheet.tlf: the sheet grid
    PartGridSection,    // part.tlf: the part grid
    ItemSection,        // nest.tlf: the layout item list
};

// The section file name ("basic.tlf", ...) of a section.
const std::string& jobSectionName(int section);

// Each section's text: whole lines, each ended by CR LF.
using JobSectionTexts = std::array<std::string, kJobSectionCount>;

// The job file's text: header, the section's lines and "[END]" for every section, CR LF.
std::string joinJobSections(const JobSectionTexts& sections);

// One section as read from a job file: its lines without line ends, and the job file's line
// number of the first of them (for messages).
struct JobSectionLines {
    std::vector<std::string> lines;
    int firstLine = 0;
    int lineNumber(size_t index) const { return firstLine + static_cast<int>(index); }
};

struct SplitJobFile {
    std::array<JobSectionLines, kJobSectionCount> sections;
    std::string error; // "line N: reason", or ""
    std::vector<std::string> warnings;
};

// Splits job file text (CR LF or LF line ends) into its seven sections. A file that is empty,
// does not start with a section header, ends inside a section or before its seventh section
// gives an error naming the line.
SplitJobFile splitJobSections(const std::string& content);

// A section's lines as a section file: every line ended by CR LF.
std::string sectionFileText(const JobSectionLines& section);

} // namespace dravenor
