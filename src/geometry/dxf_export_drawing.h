#pragma once
// An exported DXF drawing: the header template, the entity records, the footer template. The
// shape export and the layout export both build their drawings with DxfDrawing.
#include <string>

#include "geometry/dxf_export_handles.h"
#include "geometry/shape.h"

namespace dravenor {

// The texts of "dxf.hd" (ends inside an open ENTITIES section) and "dxf.ft" (closes it and the
// file), copied unchanged around the entities.
struct DxfTemplates {
    std::string header;
    std::string footer;
};

inline constexpr const char* kDxfHeaderName = "dxf.hd";
inline constexpr const char* kDxfFooterName = "dxf.ft";

// Reads both templates from the folder. Returns "" or a message naming the missing or
// unreadable file.
std::string readDxfTemplates(const std::string& folder, DxfTemplates& out);

class DxfDrawing {
public:
    // Starts with the header; entity handles count from 50 and avoid any the templates use.
    explicit DxfDrawing(const DxfTemplates& templates);

    // On layer "0" unless another is named.
    void addShape(const Shape& shape, const std::string& layer = "0");
    void addText(double x, double y, double height, const std::string& fileName, const std::string& layer = "0");
    // A TEXT of the words as given (control characters made blanks).
    void addLabel(double x, double y, double height, const std::string& text, const std::string& layer = "0");
    // The whole drawing: what was added, then the footer followed by CR LF.
    std::string finish() const;

private:
    std::string footer_;
    std::string text_;
    DxfHandles handles_;
};

} // namespace dravenor
