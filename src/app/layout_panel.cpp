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

#include "app/app_info.h"
#include "editors/editor_controls.h"
#include "layouts/kerf_note.h"
#include "layouts/layout_list.h"
#include "ui/canvas_view.h"
#include "ui/captioned.h"

namespace dravenor {


LayoutPanel::LayoutPanel(const NestingState& state, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), state_(state), dialogs_(dialogs)
{
    layoutList_ = new QComboBox;
    layoutList_->setToolTip(tr("Show Layout No..."));
    layoutList_->setMinimumContentsLength(14);
    zoomList_ = newZoomList();
    gridList_ = new QComboBox;
    gridList_->addItems({"Auto", "No", "5", "10", "25", "50", "100", "250", "500", "1000"});
    showNames_ = new QCheckBox(tr("Show Part Name"));
    showPositions_ = new QCheckBox(tr("Show Part Position Coordinates"));
    canvas_ = new CanvasView(QSize(560, 560));
    canvas_->setSquareImage(true);
    canvas_->setMinimumSize(280, 280);
    hBar_ = new QScrollBar(Qt::Horizontal);
    vBar_ = new QScrollBar(Qt::Vertical);
    pointerLabel_ = new QLabel(QString::fromLatin1(kIdlePointerText));
    saveDxfButton_ = new QPushButton(tr("Save this layout as DXF..."));
    kerfLabel_ = new QLabel;
    kerfLabel_->setStyleSheet(QStringLiteral("color: #b00000"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(captioned(tr("Layout"), layoutList_));
    controls->addWidget(captioned(tr("Set Zoom Factor"), zoomList_));
    controls->addWidget(captioned(tr("Select Grid Size"), gridList_));
    controls->addStretch();
    controls->addWidget(saveDxfButton_, 0, Qt::AlignBottom);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(showNames_);
    boxes->addWidget(showPositions_);
    boxes->addStretch();
    boxes->addWidget(pointerLabel_);
    auto* view = new QGridLayout;
    view->setSpacing(0);
    view->addWidget(canvas_, 0, 0);
    view->addWidget(vBar_, 0, 1);
    view->addWidget(hBar_, 1, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addLayout(boxes);
    layout->addWidget(kerfLabel_);
    layout->addLayout(view, 1);

    connect(saveDxfButton_, &QPushButton::clicked, this, &LayoutPanel::saveLayoutRequested);
    connect(layoutList_, &QComboBox::currentIndexChanged, this, [this] { drawFitted(); });
    connect(zoomList_, &QComboBox::currentIndexChanged, this, [this] { onZoomChanged(); });
    connect(gridList_, &QComboBox::currentTextChanged, this, [this] { redrawInPlace(); });
    connect(showNames_, &QCheckBox::toggled, this, [this] { redrawInPlace(); });
    connect(showPositions_, &QCheckBox::toggled, this, [this](bool on) { onPositionsToggled(on); });
    connect(hBar_, &QScrollBar::valueChanged, this, [this] { drawCentred(); });
    connect(vBar_, &QScrollBar::valueChanged, this, [this] { drawCentred(); });
    connect(canvas_, &CanvasView::resized, this, [this] { redrawInPlace(); });
    connect(canvas_, &CanvasView::mouseMoved, this, [this](QPointF at) {
        if (currentLayout() > 0)
            pointerLabel_->setText(QString::fromStdString(layoutPointerText(at.x(), at.y(), frame_.mirror)));
    });
    clearLayouts();
}

LayoutViewOptions LayoutPanel::options() const
{
    LayoutViewOptions o;
    o.zoom = zoomList_->currentIndex() + 1;
    o.gridText = gridList_->currentText().toStdString();
    o.showNames = showNames_->isChecked();
    o.showPositions = showPositions_->isChecked();
    return o;
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
    canvas_->clear();
    pointerLabel_->setText(QString::fromLatin1(kIdlePointerText));
    kerfLabel_->clear();
    kerfLabel_->hide();
    setLayoutControlsEnabled(false);
    hBar_->setEnabled(false);
    vBar_->setEnabled(false);
}

void LayoutPanel::refill()
{
    clearLayouts();
    const std::vector<std::string> entries = layoutListEntries(state_);
    if (entries.empty()) return;
    {
        const QSignalBlocker blocker(layoutList_);
        for (const std::string& entry : entries) layoutList_->addItem(QString::fromStdString(entry));
    }
    setLayoutControlsEnabled(true);
    kerfLabel_->setText(QString::fromStdString(kerfUsedNote(state_)));
    kerfLabel_->setVisible(!kerfLabel_->text().isEmpty());
    onZoomChanged();
    layoutList_->setCurrentIndex(0);
    drawFitted();
}

void LayoutPanel::resetZoom()
{
    const QSignalBlocker blocker(zoomList_);
    zoomList_->setCurrentIndex(0);
    onZoomChanged();
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

void LayoutPanel::drawFitted()
{
    const int layout = currentLayout();
    if (layout <= 0) return;
    frame_ = drawLayoutFitted(state_, layout, canvas_->surface(), options(), &sheetSizes_);
    applyScrollRanges();
    canvas_->refresh();
}

void LayoutPanel::drawCentred()
{
    const auto [cx, cy] = scrolledCentre(canvas_->surface().scale(), hBar_->value(), vBar_->value(), vBar_->minimum());
    drawCentredAt(cx, cy);
}

void LayoutPanel::drawCentredAt(double centreX, double centreY)
{
    const int layout = currentLayout();
    if (layout <= 0) return;
    frame_ = drawLayoutCentred(state_, layout, canvas_->surface(), options(), centreX, centreY, &sheetSizes_);
    canvas_->refresh();
}

void LayoutPanel::redrawInPlace()
{
    // A scrolled view stays where the user put it instead of jumping back to the fitted view.
    if (hBar_->value() == 0 && vBar_->value() == 0) {
        drawFitted();
        return;
    }
    const ViewScale view = canvas_->surface().scale();
    drawCentredAt(view.left + view.width / 2, view.top + view.height / 2);
}

void LayoutPanel::onZoomChanged()
{
    const bool zoomed = zoomList_->currentIndex() > 0;
    {
        const QSignalBlocker h(hBar_);
        const QSignalBlocker v(vBar_);
        hBar_->setValue(0);
        vBar_->setValue(0);
    }
    hBar_->setEnabled(zoomed);
    vBar_->setEnabled(zoomed);
    drawFitted();
}

void LayoutPanel::onPositionsToggled(bool on)
{
    redrawInPlace();
    if (on) dialogs_.message(kPartPositionNotice, appTitle().toStdString(), DialogService::Icon::Information, DialogService::Buttons::Ok);
}

} // namespace dravenor
