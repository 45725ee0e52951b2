#include "layouts/layout_export.h"

#include <algorithm>
#include <map>

#include "geometry/dxf_units.h"
#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "job/files.h"
#include "layouts/layout_list.h"
#include "layouts/layout_range.h"
#include "layouts/placed_shape.h"

namespace dravenor {

namespace {

// Shapes read for one drawing, by file name: a layout of many equal parts reads each file once.
class ExportShapes {
public:
    explicit ExportShapes(const ShapeLoader& load) : load_(load) {}

    // The shape moved to the origin, or nullptr with `problem` saying what is wrong with the file.
    const Shape* get(const std::string& path, std::string& problem)
    {
        auto it = loaded_.find(path);
        if (it == loaded_.end()) {
            Shape shape;
            const ShapeReadReport report = load_(path, shape);
            if (!report.readable) {
                problem = report.error.empty() ? "cannot read " + path : report.error;
                return nullptr;
            }
            it = loaded_.emplace(path, std::move(shape)).first;
        }
        if (it->second.empty()) {
            problem = path + ": holds no lines, arcs or circles";
            return nullptr;
        }
        return &it->second;
    }

private:
    const ShapeLoader& load_;
    std::map<std::string, Shape> loaded_;
};

// The row's shape as it lies on the sheet: mirrored when the row says so, turned about its centre
// and moved so that its box starts at the row's X, Y (the sheet row has X = Y = Angle = 0).
Shape placedShape(const Shape& original, const LayoutItem& row)
{
    return placedInstance(original, row.Angle, row.X, row.Y, row.Mirror);
}

std::string missingLayoutMessage(int layoutNo)
{
    return "there is no layout " + std::to_string(layoutNo);
}

// The layout's entities in list order; with sheetOnly, only its sheet outline.
Shape layoutEntities(const NestingState& state, int layoutNo, bool sheetOnly = false)
{
    Shape shape;
    const auto [first, last] = findEntityRange(state.entities, layoutNo);
    if (first < 0) return shape;
    for (int i = first; i <= last; ++i) {
        const LayoutEntity& e = state.entities[static_cast<size_t>(i)];
        if (!sheetOnly || e.PartIndex == 0) shape.push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
    }
    return shape;
}

std::string cannotWrite(const std::string& path, const std::string& reason)
{
    return "cannot write " + path + ": " + reason;
}

} // namespace

LayoutDrawing layoutDxfDrawing(const NestingState& state, int layoutNo, const DxfTemplates& templates,
                               const LayoutDxfOptions& options)
{
    return layoutDxfDrawing(state, layoutNo, templates, options,
                            [&state](const std::string& path, Shape& shape) {
                                return loadShape(path, shape, state.drawingUnit);
                            });
}

LayoutDrawing layoutDxfDrawing(const NestingState& state, int layoutNo, const DxfTemplates& templates,
                               const LayoutDxfOptions& options, const ShapeLoader& load)
{
    const auto [first, last] = findItemRange(state.items, layoutNo);
    if (first < 0) return {{}, missingLayoutMessage(layoutNo)};

    ExportShapes shapes(load);
    // The header names the job's unit, so that a CAM program reads the lengths as meant.
    DxfTemplates withUnits = templates;
    withUnits.header = headerWithUnits(templates.header, insunitsCode(state.drawingUnit));
    DxfDrawing drawing(withUnits);
    for (int k = first; k <= last; ++k) {
        const LayoutItem& row = state.items[static_cast<size_t>(k)];
        std::string problem;
        const Shape* original = shapes.get(row.Name, problem);
        if (!original) return {{}, "layout " + std::to_string(layoutNo) + ": " + problem};
        const Shape placed = placedShape(*original, row);
        const bool sheetRow = k == last;
        drawing.addShape(placed, sheetRow ? kSheetLayer : kPartsLayer);
        if (options.partNames && !sheetRow) {
            const Extents box = shapeExtents(placed);
            drawing.addText(row.X + box.width() / 2, row.Y + box.height() / 2, options.textHeight,
                            fileNameOnly(row.Name), kPartNamesLayer);
        }
    }
    if (options.remnants)
        if (const std::optional<Remnant> remnant = markedRemnant(state, layoutNo, *options.remnants)) {
            drawing.addShape({{remnant->cutX1, remnant->cutY1, remnant->cutX2, remnant->cutY2}}, kRemnantLayer);
            const Extents box = shapeExtents(remnant->outline);
            drawing.addLabel(box.xmin + box.width() / 2, box.ymin + box.height() / 2, options.textHeight,
                             remnantLabel(*remnant, options.remnants->idOf(layoutNo)), kRemnantLayer);
        }
    return {drawing.finish(), {}};
}

std::string saveLayoutAsDxf(const NestingState& state, int layoutNo, const std::string& path,
                            const std::string& templateFolder, const LayoutDxfOptions& options)
{
    DxfTemplates templates;
    if (std::string e = readDxfTemplates(templateFolder, templates); !e.empty()) return cannotWrite(path, e);
    const LayoutDrawing drawing = layoutDxfDrawing(state, layoutNo, templates, options);
    if (!drawing.ok()) return cannotWrite(path, drawing.error);
    return writeFileAtomically(path, drawing.text);
}

std::string layoutShapeFileText(const NestingState& state, int layoutNo)
{
    return shapeToFileText(layoutEntities(state, layoutNo));
}

std::string saveLayoutAsShapeFile(const NestingState& state, int layoutNo, const std::string& path)
{
    const Shape shape = layoutEntities(state, layoutNo);
    if (shape.empty()) return cannotWrite(path, missingLayoutMessage(layoutNo));
    return saveShapeFile(shape, path);
}

std::string saveLayoutByExtension(const NestingState& state, int layoutNo, const std::string& path,
                                  const std::string& templateFolder, const LayoutDxfOptions& options)
{
    const std::string type = shapeFileType(path);
    if (type == "dxf") return saveLayoutAsDxf(state, layoutNo, path, templateFolder, options);
    if (type == "shp") return saveLayoutAsShapeFile(state, layoutNo, path);
    return cannotWrite(path, "a layout can only be saved as a DXF drawing (.dxf) or a shape file (.shp)");
}

std::string proposedLayoutFileName(const std::string& jobFileName, const std::string& layoutEntry)
{
    std::string name = fileNameOnly(jobFileName);
    name.resize(name.size() > 4 ? name.size() - 4 : 0);
    std::string entry = layoutEntry;
    std::replace(entry.begin(), entry.end(), '/', '-');
    return name + "-" + entry;
}

LayoutDrawingFiles saveEveryLayoutAsDxf(const NestingState& state, const std::string& jobFileName,
                                        const std::string& folder, const std::string& templateFolder,
                                        bool partNames)
{
    LayoutDrawingFiles result;
    for (const std::string& entry : layoutListEntries(state)) {
        const int layoutNo = layoutNumberOfEntry(entry);
        const LayoutDxfOptions options{partNames, defaultLayoutTextHeight(state, layoutNo)};
        const std::string path =
            withTrailingSeparator(folder) + proposedLayoutFileName(jobFileName, entry) + ".dxf";
        result.error = saveLayoutAsDxf(state, layoutNo, path, templateFolder, options);
        if (!result.error.empty()) return result;
        result.files.push_back(path);
    }
    return result;
}

double defaultLayoutTextHeight(const NestingState& state, int layoutNo)
{
    const Shape sheet = layoutEntities(state, layoutNo, true);
    const Shape outline = sheet.empty() ? layoutEntities(state, layoutNo) : sheet;
    if (outline.empty()) return 1;
    const Extents box = shapeExtents(outline);
    const double side = std::max(box.width(), box.height());
    return side > 0 ? side / 100 : 1;
}

} // namespace dravenor
