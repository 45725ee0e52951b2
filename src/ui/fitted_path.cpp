#include "ui/fitted_path.h"

namespace dravenor {

namespace {

constexpr const char* kEllipsis = "\u2026";

} // namespace

std::string fittedPath(const std::string& path, double available, const std::function<double(const std::string&)>& width)
{
    if (width(path) <= available) return path;
    const size_t nameStart = path.find_last_of("/\\") + 1; // 0 without a folder
    // Folders cut from the start, at a separator each time.
    for (size_t at = path.find_first_of("/\\", 1); at != std::string::npos && at < nameStart;
         at = path.find_first_of("/\\", at + 1)) {
        const std::string shorter = kEllipsis + path.substr(at);
        if (width(shorter) <= available) return shorter;
    }
    // The name alone, its middle left out: a little more of its start than of its end.
    const std::string name = path.substr(nameStart);
    for (size_t kept = name.size(); kept-- > 1;) {
        const size_t head = (kept + 1) / 2, tail = kept - head;
        const std::string shorter = name.substr(0, head) + kEllipsis + name.substr(name.size() - tail);
        if (width(shorter) <= available) return shorter;
    }
    return kEllipsis;
}

} // namespace dravenor
