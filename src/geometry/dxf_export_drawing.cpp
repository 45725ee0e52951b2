#include "geometry/dxf_export_drawing.h"

#include <string_view>

#include "geometry/dxf_export_records.h"
#include "job/files.h"

namespace dravenor {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Handles (group codes 5 and 105) that a template's own records carry, so entities never
// repeat them. The text is read as code/value line pairs.
void reserveTemplateHandles(const std::string& text, DxfHandles& handles)
{
    std::string_view rest(text);
    std::string_view code;
    bool atCode = true;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (atCode) code = trimmed(line);
        else if (code == "5" || code == "105") handles.reserve(std::string(trimmed(line)));
        atCode = !atCode;
    }
}

bool endsWithLineBreak(const std::string& text)
{
    return !text.empty() && text.back() == '\n';
}

std::string readTemplate(const std::string& folder, const char* name, const char* role, std::string& out)
{
    const FileText file = readWholeFile(withTrailingSeparator(folder) + name);
    if (!file.bytes) return "the DXF " + std::string(role) + " template is missing: " + file.error;
    out = *file.bytes;
    return {};
}

} // namespace

std::string readDxfTemplates(const std::string& folder, DxfTemplates& out)
{
    if (std::string e = readTemplate(folder, kDxfHeaderName, "header", out.header); !e.empty()) return e;
    return readTemplate(folder, kDxfFooterName, "footer", out.footer);
}

DxfDrawing::DxfDrawing(const DxfTemplates& templates) : footer_(templates.footer), text_(templates.header)
{
    reserveTemplateHandles(templates.header, handles_);
    reserveTemplateHandles(templates.footer, handles_);
    // The first record must start on a line of its own even when the header's last line ends
    // without a line break.
    if (!text_.empty() && !endsWithLineBreak(text_)) text_ += "\r\n";
}

void DxfDrawing::addShape(const Shape& shape, const std::string& layer)
{
    writeDxfEntities(text_, handles_, shape, layer);
}

void DxfDrawing::addText(double x, double y, double height, const std::string& fileName, const std::string& layer)
{
    writeDxfText(text_, handles_, x, y, height, fileName, layer);
}

void DxfDrawing::addLabel(double x, double y, double height, const std::string& text, const std::string& layer)
{
    writeDxfLabel(text_, handles_, x, y, height, text, layer);
}

std::string DxfDrawing::finish() const
{
    std::string drawing = text_ + footer_;
    if (!endsWithLineBreak(drawing)) drawing += "\r\n";
    return drawing;
}

} // namespace dravenor
