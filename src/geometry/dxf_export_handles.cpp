#include "geometry/dxf_export_handles.h"

namespace dravenor {

namespace {

std::string handleText(std::int64_t counter, bool arc)
{
    std::string text = std::to_string(counter);
    if (arc) text += "26";
    return text;
}

// Readers take handles as hexadecimal numbers: "0a1" and "A1" are the same handle.
std::string canonicalHandle(const std::string& text)
{
    std::string canonical;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (canonical.empty() && c == '0') continue;
        canonical += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return canonical.empty() ? "0" : canonical;
}

} // namespace

void DxfHandles::reserve(const std::string& handleText)
{
    written_.insert(canonicalHandle(handleText));
}

std::string DxfHandles::next(bool arc)
{
    std::string text = handleText(counter_, arc);
    while (written_.count(text)) text = handleText(++counter_, arc);
    written_.insert(text);
    ++counter_;
    return text;
}

} // namespace dravenor
