#include "app/layout_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

#include "app/app_info.h"
#include "editors/editor_controls.h"
#include "job/number_format.h"
#include "layouts/faulty_layouts.h"
#include "layouts/kerf_note.h"
#include "layouts/layout_list.h"
#include "ui/canvas_view.h"
#include "ui/captioned.h"

namespace dravenor {

namespace {

// Space left around the fitted sheet, in pixels.
constexpr double kViewMarginPixels = 20;
// One notch of the wheel zooms by this factor.
constexpr double kZoomPerNotch = 1.25;
constexpr double kWheelNotch = 120;
// How near the pointer must come to a thin part's edge to point at it, in pixels.
constexpr double kPointingPixels = 3;
// The zoom list's entries: 1 : 1 to 9 : 1.
constexpr int kListedZooms = 9;

} // namespace

LayoutPanel::LayoutPanel(const NestingState& state, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), state_(state), dialogs_(dialogs)
{
    layoutList_ = new QComboBox;
    layoutList_->setToolTip(tr("Show Layout No..."));
    layoutList_->setMinimumContentsLength(14);
    // "12/12  [QTY 100]  FAILS CHECK" is read whole.
    layoutList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    zoomList_ = newZoomList();
    gridList_ = new QComboBox;
    gridList_->addItems({"Auto", "No", "5", "10", "25", "50", "100", "250", "500", "1000"});
    showNames_ = new QCheckBox(tr("Show Part Name"));
    showPositions_ = new QCheckBox(tr("Show Part Position Coordinates"));
    showCutPlan_ = new QCheckBox(tr("Show Cut Plan"));
    showCutPlan_->setToolTip(tr("Cut order numbers, torch paths, lead-ins and dashed rapids"));
    canvas_ = new CanvasView(QSize(560, 560));
    canvas_->setMinimumSize(280, 200);
    hBar_ = new QScrollBar(Qt::Horizontal);
    vBar_ = new QScrollBar(Qt::Vertical);
    pointerLabel_ = new QLabel(QString::fromLatin1(kIdlePointerText));
    // Long part names are cut off rather than widening the window.
    hoverLabel_ = new QLabel;
    hoverLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    hoverLabel_->setMinimumHeight(hoverLabel_->fontMetrics().height());
    saveDxfButton_ = new QPushButton(tr("Save this layout as DXF..."));
    kerfLabel_ = new QLabel;
    kerfLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    faultLabel_ = new QLabel;
    faultLabel_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    faultLabel_->setWordWrap(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(captioned(tr("Layout"), layoutList_));
    controls->addWidget(captioned(tr("Set Zoom Factor"), zoomList_));
    controls->addWidget(captioned(tr("Select Grid Size"), gridList_));
    controls->addStretch();
    controls->addWidget(saveDxfButton_, 0, Qt::AlignBottom);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(showNames_);
    boxes->addWidget(showPositions_);
    boxes->addWidget(showCutPlan_);
    boxes->addStretch();
    boxes->addWidget(pointerLabel_);
    auto* view = new QGridLayout;
    view->setSpacing(0);
    view->addWidget(canvas_, 0, 0);
    view->addWidget(vBar_, 0, 1);
    view->addWidget(hBar_, 1, 0);
    view->addWidget(hoverLabel_, 2, 0, 1, 2);
    view->setRowStretch(0, 1); // the drawing takes all the height there is
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addLayout(boxes);
    layout->addWidget(kerfLabel_);
    layout->addWidget(faultLabel_);
    layout->addLayout(view, 1);

    viewport_.setMarginPixels(kViewMarginPixels);
    takeAreaSize();
    connect(saveDxfButton_, &QPushButton::clicked, this, &LayoutPanel::saveLayoutRequested);
    connect(layoutList_, &QComboBox::currentIndexChanged, this, [this] { showSelectedLayout(); });
    connect(zoomList_, &QComboBox::currentIndexChanged, this, [this] { onZoomChosen(); });
    connect(gridList_, &QComboBox::currentTextChanged, this, [this] { redraw(); });
    connect(showNames_, &QCheckBox::toggled, this, [this] { redraw(); });
    connect(showCutPlan_, &QCheckBox::toggled, this, [this] { redraw(); });
    connect(showPositions_, &QCheckBox::toggled, this, [this](bool on) { onPositionsToggled(on); });
    connect(hBar_, &QScrollBar::valueChanged, this, [this] { onScrolled(); });
    connect(vBar_, &QScrollBar::valueChanged, this, [this] { onScrolled(); });
    connect(canvas_, &CanvasView::resized, this, [this] {
        takeAreaSize();
        redraw();
    });
    connect(canvas_, &CanvasView::wheelTurned, this, &LayoutPanel::turnWheel);
    connect(canvas_, &CanvasView::dragged, this, &LayoutPanel::drag);
    connect(canvas_, &CanvasView::mouseMoved, this, [this](QPointF at) { pointAtDrawn(at.x(), at.y()); });
    connect(canvas_, &CanvasView::pointerLeft, hoverLabel_, &QLabel::clear);
    clearLayouts();
}

LayoutViewOptions LayoutPanel::options() const
{
    LayoutViewOptions o;
    o.zoom = zoomList_->currentIndex() + 1;
    o.gridText = gridList_->currentText().toStdString();
    o.showNames = showNames_->isChecked();
    o.showPositions = showPositions_->isChecked();
    o.overlay = shownOverlay();
    if (remnantMarks) o.remnants = remnantMarks();
    return o;
}

void LayoutPanel::setCutPlanOverlay(std::function<void(int, DrawingSurface&, double)> overlay)
{
    cutPlanOverlay_ = std::move(overlay);
}

std::function<void(int, DrawingSurface&, double)> LayoutPanel::shownOverlay() const
{
    return showCutPlan_->isChecked() ? cutPlanOverlay_ : nullptr;
}

int LayoutPanel::currentLayout() const
{
    if (layoutList_->currentIndex() < 0) return 0;
    return layoutNumberOfEntry(layoutList_->currentText().toStdString());
}

double LayoutPanel::visibleHeight() const
{
    return frame_.drawn ? canvas_->surface().scale().height : 0;
}

void LayoutPanel::selectLayout(int lineIndex)
{
    layoutList_->setCurrentIndex(lineIndex);
}

void LayoutPanel::setLayoutControlsEnabled(bool enabled)
{
    layoutList_->setEnabled(enabled);
    canvas_->setEnabled(enabled);
    pointerLabel_->setEnabled(enabled);
}

void LayoutPanel::clearLayouts()
{
    {
        const QSignalBlocker blocker(layoutList_);
        layoutList_->clear();
    }
    frame_ = {};
    partFinder_ = {};
    canvas_->clear();
    canvas_->setDraggable(false);
    pointerLabel_->setText(QString::fromLatin1(kIdlePointerText));
    hoverLabel_->clear();
    kerfLabel_->clear();
    kerfLabel_->hide();
    faultLabel_->clear();
    faultLabel_->hide();
    setLayoutControlsEnabled(false);
    hBar_->setEnabled(false);
    vBar_->setEnabled(false);
}

void LayoutPanel::refill(FaultyLayouts faulty)
{
    clearLayouts();
    faulty_ = std::move(faulty);
    const std::vector<std::string> entries = markedLayoutListEntries(state_, faulty_);
    if (entries.empty()) return;
    {
        const QSignalBlocker blocker(layoutList_);
        for (const std::string& entry : entries) layoutList_->addItem(QString::fromStdString(entry));
    }
    setLayoutControlsEnabled(true);
    kerfLabel_->setText(QString::fromStdString(kerfUsedNote(state_)));
    kerfLabel_->setVisible(!kerfLabel_->text().isEmpty());
    layoutList_->setCurrentIndex(0);
    showSelectedLayout();
}

void LayoutPanel::resetZoom()
{
    {
        const QSignalBlocker blocker(zoomList_);
        zoomList_->setCurrentIndex(0);
    }
    onZoomChosen();
}

void LayoutPanel::takeAreaSize()
{
    const QSize area = canvas_->surface().image().size();
    viewport_.setArea(area.width(), area.height());
}

void LayoutPanel::applyScrollRanges()
{
    const QSignalBlocker h(hBar_);
    const QSignalBlocker v(vBar_);
    hBar_->setRange(0, frame_.hMaximum);
    hBar_->setSingleStep(frame_.hSmallStep);
    hBar_->setPageStep(frame_.hLargeStep);
    vBar_->setRange(frame_.vMinimum, 0);
    vBar_->setSingleStep(frame_.vSmallStep);
    vBar_->setPageStep(frame_.vLargeStep);
}

void LayoutPanel::showSelectedLayout()
{
    const int layout = currentLayout();
    if (layout <= 0) return;
    frame_ = layoutViewFrame(state_, layout, &sheetSizes_);
    partFinder_ = LayoutPartFinder(state_, layout);
    hoverLabel_->clear();
    faultLabel_->setText(QString::fromStdString(faultyLayoutLine(faulty_, layout)));
    faultLabel_->setVisible(!faultLabel_->text().isEmpty());
    const double zoomNow = viewport_.zoom();
    viewport_.setSheet(drawnSheetBox(frame_));
    viewport_.zoomFromLowerLeft(zoomList_->currentIndex() >= 0 ? zoomList_->currentIndex() + 1 : zoomNow);
    applyScrollRanges();
    redraw();
}

bool LayoutPanel::drawView()
{
    const int layout = currentLayout();
    if (layout <= 0) return false;
    frame_ = drawLayoutInView(state_, layout, canvas_->surface(), options(), viewport_.view(), &sheetSizes_);
    canvas_->refresh();
    return true;
}

void LayoutPanel::redraw()
{
    if (drawView()) followView();
}

// The zoom list shows the zoom when it is one of its entries and the zoom itself otherwise; the
// scroll bars show where the view lies over the sheet.
void LayoutPanel::followView()
{
    const double z = viewport_.zoom();
    const long listed = std::lround(z);
    {
        const QSignalBlocker blocker(zoomList_);
        if (std::fabs(z - static_cast<double>(listed)) < 0.005 && listed >= 1 && listed <= kListedZooms) {
            zoomList_->setCurrentIndex(static_cast<int>(listed) - 1);
        } else {
            zoomList_->setPlaceholderText(QString::fromStdString(formatMask(z, "0.0") + " : 1"));
            zoomList_->setCurrentIndex(-1);
        }
    }
    const bool zoomed = viewport_.zoomedIn();
    hBar_->setEnabled(zoomed);
    vBar_->setEnabled(zoomed);
    canvas_->setDraggable(zoomed);
    const ScrollPosition at = viewport_.scrollPosition(frame_.hMaximum, frame_.vMinimum);
    const QSignalBlocker h(hBar_);
    const QSignalBlocker v(vBar_);
    hBar_->setValue(at.h);
    vBar_->setValue(at.v);
}

void LayoutPanel::onZoomChosen()
{
    const int index = zoomList_->currentIndex();
    if (index < 0) return;
    viewport_.zoomAboutMiddle(index + 1);
    redraw();
}

void LayoutPanel::onScrolled()
{
    viewport_.scrollTo({hBar_->value(), vBar_->value()}, frame_.hMaximum, frame_.vMinimum);
    drawView(); // the bars keep the values the user gave them
}

void LayoutPanel::turnWheel(QPointF pixel, int angleDelta)
{
    if (currentLayout() <= 0) return;
    double x = 0, y = 0;
    viewport_.pixelToDrawn(pixel.x(), pixel.y(), x, y);
    viewport_.zoomAbout(x, y, viewport_.zoom() * std::pow(kZoomPerNotch, angleDelta / kWheelNotch));
    redraw();
}

void LayoutPanel::drag(QPointF pixelDelta)
{
    if (currentLayout() <= 0 || !viewport_.zoomedIn()) return;
    viewport_.panByPixels(pixelDelta.x(), pixelDelta.y());
    redraw();
}

void LayoutPanel::pointAt(QPointF pixel)
{
    double x = 0, y = 0;
    viewport_.pixelToDrawn(pixel.x(), pixel.y(), x, y);
    pointAtDrawn(x, y);
}

void LayoutPanel::pointAtDrawn(double x, double y)
{
    if (currentLayout() <= 0) return;
    pointerLabel_->setText(QString::fromStdString(layoutPointerText(x, y, frame_.mirror)));
    const int row = partFinder_.partAt(x, frame_.mirror - y, kPointingPixels * viewport_.unitsPerPixel());
    hoverLabel_->setText(row < 0 ? QString()
                                 : QString::fromStdString(hoveredPartText(state_.items[static_cast<size_t>(row)])));
}

void LayoutPanel::onPositionsToggled(bool on)
{
    redraw();
    if (on) dialogs_.message(kPartPositionNotice, appTitle().toStdString(), DialogService::Icon::Information, DialogService::Buttons::Ok);
}

} // namespace dravenor
