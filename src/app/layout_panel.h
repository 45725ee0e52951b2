#pragma once
// The main window's layout area: the layout list, the drawing of the selected layout with zoom,
// grid, part names and positions, the scroll bars, the pointer coordinates and the part under
// the pointer. The sheet fills the whole drawing area; the wheel zooms about the pointer and a
// drag pans, with the zoom list and the scroll bars following. It shows the layouts of a
// NestingState it does not own; the drawing, the view's arithmetic and the part search are the
// core's (layout view, LayoutViewport, LayoutPartFinder).
#include <QPointF>
#include <QWidget>
#include <functional>

#include <functional>

#include "job/nesting_state.h"
#include "layouts/faulty_layouts.h"
#include "layouts/layout_hover.h"
#include "layouts/layout_view.h"
#include "layouts/layout_viewport.h"
#include "ui/dialog_service.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace dravenor {

class CanvasView;

inline constexpr const char* kPartPositionNotice =
    "Part Position is displayed as left bottom coordinates of out to out rectangle";

class LayoutPanel : public QWidget {
    Q_OBJECT
public:
    LayoutPanel(const NestingState& state, DialogService& dialogs, QWidget* parent = nullptr);

    // Lists the layouts of the state and shows the first (or empties and disables everything).
    // The faulty layouts are marked in the list and named above the view.
    void refill(FaultyLayouts faulty = {});
    // No layouts: empty list, blank drawing, controls disabled.
    void clearLayouts();
    // Zoom back to 1 : 1 with the scroll bars at 0.
    void resetZoom();
    // How many times larger than the whole sheet the view shows the layout (1 when it fits).
    double zoom() const { return viewport_.zoom(); }
    // What the view shows, and the wheel and drag as the pointer gives them (in pixels of the
    // drawing area; a notch of the wheel is 120).
    const LayoutViewport& viewport() const { return viewport_; }
    void turnWheel(QPointF pixel, int angleDelta);
    void drag(QPointF pixelDelta);
    // The pointer at a pixel of the drawing area: its coordinates and the part under it.
    void pointAt(QPointF pixel);

    // Layout number of the selected line (0 when none).
    int currentLayout() const;
    void selectLayout(int lineIndex);

    QComboBox* layoutList() const { return layoutList_; }
    QComboBox* zoomList() const { return zoomList_; }
    QComboBox* gridList() const { return gridList_; }
    QCheckBox* showNamesBox() const { return showNames_; }
    QCheckBox* showPositionsBox() const { return showPositions_; }
    // "Show Cut Plan": draws the overlay the main window gives over the layout.
    QCheckBox* showCutPlanBox() const { return showCutPlan_; }
    void setCutPlanOverlay(std::function<void(int layoutNo, DrawingSurface& surface, double mirror)> overlay);
    // The overlay when the box is checked (what the view and the printout draw), else none.
    std::function<void(int, DrawingSurface&, double)> shownOverlay() const;
    QScrollBar* horizontalBar() const { return hBar_; }
    QScrollBar* verticalBar() const { return vBar_; }
    CanvasView* canvas() const { return canvas_; }
    QLabel* pointerLabel() const { return pointerLabel_; }
    // The part under the pointer: its name and position ("" when there is none).
    QLabel* hoverLabel() const { return hoverLabel_; }
    // The kerf the layouts were nested with when it is not the kerf entered; hidden otherwise.
    QLabel* kerfLabel() const { return kerfLabel_; }
    // Why the shown layout fails the overlap check; hidden for a sound layout.
    QLabel* faultLabel() const { return faultLabel_; }
    // "Save this layout as DXF...": emits saveLayoutRequested; always enabled, the command
    // itself tells the user when there is nothing to save.
    QPushButton* saveDxfButton() const { return saveDxfButton_; }
    // Height of the layout area the view shows, in job units (0 before anything was drawn).
    double visibleHeight() const;
    const LayoutViewFrame& frame() const { return frame_; }
    // The remnant marks drawn over each layout (cut line, hatching, size and stock id); none when
    // empty.
    std::function<RemnantMarks()> remnantMarks;

signals:
    void saveLayoutRequested();

private:
    LayoutViewOptions options() const;
    // The selected layout at the zoom of the list, its lower-left corner in view.
    void showSelectedLayout();
    // Draws the view as the viewport stands (false without a layout to draw); redraw also makes
    // the zoom list and scroll bars follow it.
    bool drawView();
    void redraw();
    void applyScrollRanges();
    void followView();
    void onZoomChosen();
    void onScrolled();
    void onPositionsToggled(bool on);
    void setLayoutControlsEnabled(bool enabled);
    void takeAreaSize();
    void pointAtDrawn(double x, double y);

    const NestingState& state_;
    FaultyLayouts faulty_;
    DialogService& dialogs_;
    LayoutViewFrame frame_;
    LayoutViewport viewport_;
    LayoutPartFinder partFinder_;
    SheetExtentsCache sheetSizes_;
    QComboBox* layoutList_ = nullptr;
    QComboBox* zoomList_ = nullptr;
    QComboBox* gridList_ = nullptr;
    QCheckBox* showNames_ = nullptr;
    QCheckBox* showPositions_ = nullptr;
    QCheckBox* showCutPlan_ = nullptr;
    std::function<void(int, DrawingSurface&, double)> cutPlanOverlay_;
    QScrollBar* hBar_ = nullptr;
    QScrollBar* vBar_ = nullptr;
    CanvasView* canvas_ = nullptr;
    QLabel* pointerLabel_ = nullptr;
    QLabel* hoverLabel_ = nullptr;
    QLabel* kerfLabel_ = nullptr;
    QLabel* faultLabel_ = nullptr;
    QPushButton* saveDxfButton_ = nullptr;
};

} // namespace dravenor
