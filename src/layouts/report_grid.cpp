#include "layouts/report_grid.h"

#include <algorithm>

#include "job/column_attributes.h"
#include "job/grid_file.h"

namespace dravenor {

std::string reportLineField(const std::string& line)
{
    // The shared item reader drops the blanks, honours quotes and stops at the comma.
    const std::vector<std::string> items = splitGridItems(line);
    return items.empty() ? std::string() : items.front();
}

std::vector<std::string> reportLines(const std::string& content)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos = 0; pos < content.size(); ++pos) {
        if (content[pos] != '\r' && content[pos] != '\n') continue;
        lines.push_back(content.substr(start, pos - start));
        if (content[pos] == '\r' && pos + 1 < content.size() && content[pos + 1] == '\n') ++pos;
        start = pos + 1;
    }
    if (start < content.size()) lines.push_back(content.substr(start));
    return lines;
}

TextGrid reportGrid(const std::string& content)
{
    TextGrid grid({kReportColumnTitle});
    applyColumnWidths(grid);
    grid.colWidths[0] = 0; // no row numbers: the report is read as it was written
    const std::vector<std::string> lines = reportLines(content);
    grid.setRows(std::max(static_cast<int>(lines.size()), 1) + 1);
    for (size_t i = 0; i < lines.size(); ++i) grid.setText(static_cast<int>(i) + 1, 1, reportLineField(lines[i]));
    grid.renumber();
    return grid;
}

} // namespace dravenor
