#pragma once
// Printed layouts: a layout drawn at a known scale over as many paper sheets as it needs,
// row by row from the top of the sheet, with the job information block on the paper sheet that
// holds the sheet's origin (the last row, first column). Paper sizes are in millimetres of the
// printable area, so the drawing keeps its scale whatever margins the printer has.
#include <cstdint>
#include <string>
#include <vector>

#include "job/nesting_state.h"
#include "geometry/drawing_surface.h"
#include "job/drawing_unit.h"
#include "layouts/layout_metrics.h"
#include "layouts/layout_view.h"

namespace dravenor {

// The two fonts of a printout: the small sans-serif font of drawings and labels (7 points) and
// the fixed-width font of the information block (10 points).
enum class PrintFont { Small, Fixed };
inline constexpr double kSmallPrintPointSize = 7;
inline constexpr double kFixedPrintPointSize = 10;

// A drawing surface on paper: fonts, pen width and pages besides the drawing.
class PrintSurface : public DrawingSurface {
public:
    // Starts a paper sheet; the first call starts the first one.
    virtual void startPage() = 0;
    virtual void setFont(PrintFont font) = 0;
    // The line width setting of print.cfg (1 the thinnest).
    virtual void setPenWidth(int lineWidth) = 0;
};

// The printable area of one paper sheet, in millimetres.
struct PaperArea {
    double width = 0, height = 0;
};

// How large the layout comes out. By zoom (as the layout view's zoom): one paper sheet is
// max(w, h) / zoom + 1 layout units wide. By scale: one millimetre of paper is unitsPerMillimetre
// layout units (1 draws one layout unit as one millimetre).
struct PrintScale {
    enum class Kind { Zoom, Scale } kind = Kind::Zoom;
    double value = 1;
    static PrintScale zoom(double z) { return {Kind::Zoom, z}; }
    static PrintScale unitsPerMillimetre(double units) { return {Kind::Scale, units}; }
    // The true scale 1 : n for layouts in the unit: n millimetres of the job on one of paper.
    static PrintScale oneTo(double n, DrawingUnit unit) { return unitsPerMillimetre(n / millimetresPer(unit)); }
};

// The sheet as the printout sees it: its size and the mirror F (a point (x, y) is drawn at
// (x, F - y)); the sheet's drawn top is F - height.
struct PrintedSheet {
    double width = 0, height = 0, mirror = 0;
};

// Which part of the layout each paper sheet shows: windows of windowWidth x windowHeight layout
// units, `across` columns and `down` rows, no partial row or column dropped.
struct LayoutPagePlan {
    double windowWidth = 0, windowHeight = 0;
    int across = 0, down = 0;
    double top = 0; // drawn y of the top edge of the first row

    int pageCount() const { return across * down; }
    // The window of the paper sheet in row (1 = top) and column (1 = left).
    ViewScale window(int row, int column) const;
    // The sheet's origin lies on the last row, first column.
    bool holdsOrigin(int row, int column) const { return row == down && column == 1; }
    // Millimetres of paper per layout unit.
    double millimetresPerUnit(const PaperArea& paper) const { return paper.width / windowWidth; }
};

// The plan for a sheet on paper of the given printable area; an empty plan (no pages) when the
// sheet, the paper or the scale has no size.
LayoutPagePlan planLayoutPages(const PrintedSheet& sheet, const PaperArea& paper, const PrintScale& scale);

// "N paper sheets will be used for layout L, Continue?"
std::string paperSheetQuestion(int pageCount, int layoutNo);

// "Layouts 2 and 3 take fewer paper sheets across the paper (landscape). Print across?"
std::string landscapeQuestion(const std::vector<int>& layoutNos);

// The scale the plan prints at, for a shop to measure by: "1 : 10" for a true scale, "1 : 14.3
// (fitted)" for a fit by zoom, with at most two decimals.
std::string printScaleText(const LayoutPagePlan& plan, const PaperArea& paper, const PrintScale& scale,
                           DrawingUnit unit);

// What the information block says besides the layout's own numbers.
struct PrintJobDetails {
    std::string date;        // "dd-mm-yyyy"
    std::string jobFileName; // the job file (its folder is left out); "" for a job never saved
    BasicDetails details;
};

// The lines of the information block that follow the origin label: two empty lines, date and
// file, basic details, the kerf note when there is one, note, an empty line, the layout line,
// the scale, grid size, sheet size, yields and cutting lengths.
std::vector<std::string> layoutInformationLines(const PrintJobDetails& job, const std::string& layoutLine,
                                                const std::string& scaleText, double gridSpacing,
                                                const PrintedSheet& sheet, const LayoutMetrics& metrics,
                                                const std::string& kerfNote);
inline constexpr const char* kOriginLabel = "(0,0)";

// The grid spacing the grid list's text gives a sheet: max(w, h) / 10 for "Auto", else the
// text's number (0 for "No").
double printGridSpacing(const std::string& gridText, const PrintedSheet& sheet);

// The size and mirror of a layout's sheet as the layout view takes them; empty when the layout
// does not exist.
PrintedSheet printedSheetOf(const NestingState& state, int layoutNo, SheetExtentsCache* cache = nullptr);

struct LayoutPrintOptions {
    LayoutViewOptions view; // grid text and labels; the zoom counts only through PrintScale
    int lineWidth = 1;
};

// Draws the pages of one layout in plan order (each begun with startPage): grid, entities and
// labels as on screen, and on the origin's page the origin label and the information lines
// below it, kept on the paper.
void printLayoutPages(const NestingState& state, int layoutNo, const LayoutPagePlan& plan,
                      const LayoutPrintOptions& options, const std::vector<std::string>& informationLines,
                      PrintSurface& surface, SheetExtentsCache* cache = nullptr);

} // namespace dravenor
