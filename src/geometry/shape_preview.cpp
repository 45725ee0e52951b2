#include "geometry/shape_preview.h"

#include <algorithm>

#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor {

bool previewShapeFile(const std::string& path, DrawingSurface& surface, const PreviewOptions& options,
                      DrawingUnit unit)
{
    if (!fileExists(path)) {
        surface.clear();
        surface.setToolTip("");
        return false;
    }
    Shape shape;
    readShapeByExtension(path, shape, unit);
    previewShape(shape, surface, options);
    return true;
}

void previewShape(const Shape& shape, DrawingSurface& surface, const PreviewOptions& options)
{
    surface.clear();
    const Extents box = shapeExtents(shape);
    if (box.empty()) {
        surface.setToolTip("");
        return;
    }
    const double mirror = box.ymin + box.ymax;
    fitViewToShape(surface, box, options.aspect);
    drawGrid(surface, options.gridText, mirror, box.width(), options.gridLabels);
    drawShape(shape, surface, options, mirror);
}

void fitViewToShape(DrawingSurface& surface, const Extents& extents, double aspect)
{
    const double w = extents.xmax - extents.xmin;
    const double h = extents.ymax - extents.ymin;
    if (!(aspect > 0)) aspect = 1;
    ViewScale view;
    view.height = std::max(w / aspect, h) * 1.1;
    view.width = view.height * aspect;
    // Centred, with room on every side: an edge lying on the frame would vanish under it.
    view.left = extents.xmin - (view.width - w) / 2;
    view.top = extents.ymin - (view.height - h) / 2;
    surface.setScale(view); // a refused scale keeps the previous one; the tooltip still follows
    surface.setToolTip("Xmax=" + formatGeneral(w) + " Ymax=" + formatGeneral(h));
}

} // namespace dravenor
