#include "cutting/text_lines.h"

namespace dravenor::cutting {

std::vector<std::pair<int, std::string>> numberedLines(const std::string& content)
{
    std::vector<std::pair<int, std::string>> lines;
    int number = 0;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        lines.emplace_back(++number, content.substr(start, end - start));
        if (end < content.size() && content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace dravenor::cutting
