#pragma once
// Fixed-width text printed page by page: the report and the quote print this way.
#include <functional>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace dravenor {

using TextPages = std::vector<std::vector<std::string>>;

// Prints the pages, in the system's fixed-width font of the point size; pagesFor is told how many
// lines fit on a page.
void printTextPages(QPagedPaintDevice& device, int pointSize, const std::function<TextPages(int linesPerPage)>& pagesFor);

} // namespace dravenor
