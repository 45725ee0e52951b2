#include "geometry/drawing_surface.h"

#include <algorithm>

namespace dravenor {

std::uint32_t consoleRgb(int colour)
{
    static constexpr std::array<std::uint32_t, 16> palette = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    const int index = ((colour % 16) + 16) % 16;
    return palette[static_cast<std::size_t>(index)];
}

std::vector<std::string> wrapText(const DrawingSurface& surface, const std::string& text, double width)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line;
        std::size_t at = start;
        while (at < end) {
            const std::size_t space = std::min(text.find(' ', at), end);
            const std::string word = text.substr(at, space - at);
            at = space + 1;
            if (word.empty()) continue;
            const std::string joined = line.empty() ? word : line + " " + word;
            if (!line.empty() && surface.textWidth(joined) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = joined;
            }
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

double writeLines(DrawingSurface& surface, double x, double y, const std::vector<std::string>& lines)
{
    double height = 0;
    for (const std::string& line : lines) {
        if (!line.empty()) surface.text(x, y + height, line);
        height += surface.textHeight("X");
    }
    return height;
}

} // namespace dravenor
