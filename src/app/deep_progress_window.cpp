#include "app/deep_progress_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "app/latest_reports.h"
#include "engine/run_texts.h"
#include "layouts/deep_progress_text.h"
#include "layouts/layout_list.h"
#include "layouts/layout_view.h"
#include "layouts/layout_viewport.h"
#include "ui/canvas_view.h"

namespace dravenor {

namespace {

// Space left around the sheet in the drawing, in pixels.
constexpr double kDrawingMarginPixels = 8;

} // namespace

// The search's reports, kept as their latest values for the window's thread; a better result is
// copied whole, since the search goes on changing its own.
class DeepReports : public DeepProgress {
public:
    struct Values {
        double elapsed = 0;
        std::int64_t iterations = 0;
        std::optional<DeepBest> best;
        std::optional<NestingState> layouts; // a result not shown yet
        std::string warning;
    };

    DeepReports(DeepProgressWindow& window, const std::atomic<bool>& stop)
        : latest_([w = &window] { QMetaObject::invokeMethod(w, [w] { w->showReportsNow(); }, Qt::QueuedConnection); }),
          stop_(stop)
    {
    }

    void improved(const DeepBest& best, const NestingState& layouts) override
    {
        latest_.update([&](Values& v) {
            v.best = best;
            v.layouts = layouts;
        });
    }
    void tick(double elapsedSeconds, std::int64_t iterations) override
    {
        latest_.update([&](Values& v) {
            v.elapsed = elapsedSeconds;
            v.iterations = iterations;
        });
    }
    void warning(const std::string& text) override { latest_.update([&](Values& v) { v.warning = text; }); }
    bool stopRequested() override { return stop_; }

    // The latest values; a result is handed over once.
    Values take()
    {
        return latest_.take([](Values& kept) { kept.layouts.reset(); });
    }

private:
    LatestReports<Values> latest_;
    const std::atomic<bool>& stop_;
};

DeepProgressWindow::DeepProgressWindow(NestingState start, const DeepSettings& settings, QWidget* parent)
    : RunWindow(tr("Stop"), parent), state_(std::move(start)), settings_(settings)
{
    setWindowTitle(tr("Deep Nesting"));
    reports_ = std::make_unique<DeepReports>(*this, stopFlag());

    auto* mode = new QLabel(tr("Deep Nesting"));
    QFont bold = mode->font();
    bold.setBold(true);
    mode->setFont(bold);
    elapsedLabel_ = new QLabel(QString::fromStdString(deepElapsedText(0, 0, settings_)));
    bar_ = new QProgressBar;
    bar_->setRange(0, 1000);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bestLabel_ = new QLabel(tr("Best so far: %1").arg(QString::fromStdString(deepBestText({}))));
    layoutList_ = new QComboBox;
    layoutList_->setEnabled(false);
    layoutList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layoutList_->setMinimumContentsLength(14);
    layoutList_->setToolTip(tr("Layouts of the best result so far"));
    connect(layoutList_, &QComboBox::currentIndexChanged, this, [this] { drawSelectedLayout(); });
    canvas_ = new CanvasView(QSize(360, 360));
    connect(canvas_, &CanvasView::resized, this, [this] { drawSelectedLayout(); });
    // What the search can still gain once the sheets are as few as they go: the least used one.
    gainLabel_ = new QLabel;
    statusLabel_ = new QLabel;
    warningLabel_ = new QLabel;
    warningLabel_->setWordWrap(true);
    warningLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    button()->setToolTip(tr("End the search and keep the best result so far"));

    auto* top = new QHBoxLayout;
    top->addWidget(mode, 1);
    top->addWidget(elapsedLabel_);
    auto* best = new QHBoxLayout;
    best->addWidget(bestLabel_, 1);
    best->addWidget(layoutList_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(bar_);
    layout->addLayout(best);
    layout->addWidget(gainLabel_);
    layout->addWidget(canvas_, 1);
    layout->addWidget(statusLabel_);
    layout->addWidget(warningLabel_);
    layout->addWidget(notesLabel());
    layout->addWidget(button(), 0, Qt::AlignRight);
}

DeepProgressWindow::~DeepProgressWindow()
{
    stopAndWait();
}

void DeepProgressWindow::run()
{
    run_ = nestDeepChecked(state_, settings_, *reports_);
}

void DeepProgressWindow::showReportsNow()
{
    DeepReports::Values v = reports_->take();
    elapsedLabel_->setText(QString::fromStdString(deepElapsedText(v.elapsed, v.iterations, settings_)));
    const double done = settings_.iterations > 0 ? static_cast<double>(v.iterations) / settings_.iterations
                                                 : v.elapsed / settings_.timeLimit;
    bar_->setValue(static_cast<int>(std::lround(std::clamp(done, 0.0, 1.0) * 1000)));
    if (v.best) bestLabel_->setText(tr("Best so far: %1").arg(QString::fromStdString(deepBestText(*v.best))));
    if (v.layouts) {
        gainLabel_->setText(QString::fromStdString(leastUsedSheetText(*v.layouts)));
        showLayouts(std::move(*v.layouts));
    }
    warningLabel_->setText(QString::fromStdString(v.warning));
}

void DeepProgressWindow::showLayouts(NestingState best)
{
    shown_ = std::move(best);
    const int selected = std::max(0, layoutList_->currentIndex());
    const QSignalBlocker quiet(layoutList_);
    layoutList_->clear();
    for (const std::string& entry : layoutListEntries(shown_)) layoutList_->addItem(QString::fromStdString(entry));
    layoutList_->setEnabled(layoutList_->count() > 0);
    if (layoutList_->count() > 0) layoutList_->setCurrentIndex(std::min(selected, layoutList_->count() - 1));
    drawSelectedLayout();
    emit bestShown();
}

void DeepProgressWindow::drawSelectedLayout()
{
    ImageSurface& surface = canvas_->surface();
    surface.clear();
    const int layoutNo = layoutNumberOfEntry(layoutList_->currentText().toStdString());
    if (layoutNo > 0) {
        // The sheet fitted to the pane, whatever its proportions, as the layout view fits it.
        LayoutViewOptions options;
        options.gridText = "No";
        LayoutViewport viewport;
        viewport.setMarginPixels(kDrawingMarginPixels);
        viewport.setArea(surface.image().width(), surface.image().height());
        viewport.setSheet(drawnSheetBox(layoutViewFrame(shown_, layoutNo, &sheetSizes_)));
        viewport.zoomFromLowerLeft(1);
        drawLayoutInView(shown_, layoutNo, surface, options, viewport.view(), &sheetSizes_);
    }
    canvas_->refresh();
}

void DeepProgressWindow::runEnded()
{
    showReportsNow();
    // The run's own result is what the job takes: show it as it ends.
    gainLabel_->setText(QString::fromStdString(leastUsedSheetText(state_)));
    showLayouts(state_);
    statusLabel_->setText(QString::fromStdString(run_.result.statusText));
    addNote(commonLineRunText(run_.result));
}

} // namespace dravenor
