#pragma once
// The report file as the report window shows it: a grid of the single column "REPORT", one row
// per line of the file, each line read as one comma-separated field.
#include <string>
#include <vector>

#include "job/text_grid.h"

namespace dravenor {

inline constexpr const char* kReportColumnTitle = "REPORT";
// Reports longer than this are offered to the text viewer instead of the window.
inline constexpr int kReportGridLineLimit = 100000;

// The field of one line: leading and trailing blanks dropped, the first comma ends it, a quoted
// field taken without its quotes. A blank line gives "".
std::string reportLineField(const std::string& line);
// The lines of the text: CR LF, LF and a lone CR end a line; a last line without its line end
// counts, the line end of the last line starts no further line.
std::vector<std::string> reportLines(const std::string& content);
// Grid with the title "REPORT" and one numbered row per line (blank lines too), at least one row.
TextGrid reportGrid(const std::string& content);

} // namespace dravenor
