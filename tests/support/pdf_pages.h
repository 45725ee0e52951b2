#pragma once
// Counts the pages of a PDF file as the Qt PDF writer stores them (one "/Type /Page" object each).
#include <string>

#include "support/temp_folder.h"

namespace dravenor::testing {

inline size_t pdfPageCount(const std::string& path)
{
    const std::string bytes = TempFolder::read(path);
    if (bytes.substr(0, 4) != "%PDF") return 0;
    size_t pages = 0;
    for (size_t at = bytes.find("/Type /Page\n"); at != std::string::npos; at = bytes.find("/Type /Page\n", at + 1)) ++pages;
    return pages;
}

} // namespace dravenor::testing
