#pragma once
// The modal progress window of a Deep Nesting run: elapsed time against the limit, the best
// result so far and its layouts drawn, and Stop, which ends the search and keeps that best
// result. The search runs on a worker thread on the window's own copy of the job's state.
#include <memory>

#include "app/run_window.h"
#include "layouts/checked_deep_nesting.h"
#include "layouts/sheet_extents.h"

class QComboBox;
class QLabel;
class QProgressBar;

namespace dravenor {

class CanvasView;
class DeepReports;

class DeepProgressWindow : public RunWindow {
    Q_OBJECT
public:
    DeepProgressWindow(NestingState start, const DeepSettings& settings, QWidget* parent = nullptr);
    ~DeepProgressWindow() override;

    // Stop: the search ends at its next poll and keeps the best result so far.
    void requestStop() { requestStopOfRun(); }
    const DeepRun& deepRun() const { return run_; }
    // The state the run left (valid once the run finished).
    NestingState takeState() { return std::move(state_); }

    QLabel* elapsedLabel() const { return elapsedLabel_; }
    QLabel* bestLabel() const { return bestLabel_; }
    // The least used sheet of the best result: its used length and the offcut it leaves.
    QLabel* gainLabel() const { return gainLabel_; }
    QLabel* statusLabel() const { return statusLabel_; }
    QLabel* warningLabel() const { return warningLabel_; }
    QProgressBar* progressBar() const { return bar_; }
    // The layouts of the best result so far; the selected one is drawn.
    QComboBox* layoutList() const { return layoutList_; }
    CanvasView* canvas() const { return canvas_; }

    // Shows the search's latest reports (called on the window's thread).
    void showReportsNow();

signals:
    // A better result was drawn.
    void bestShown();

private:
    void run() override;
    void runEnded() override;
    void drawSelectedLayout();
    void showLayouts(NestingState best);

    NestingState state_;
    DeepSettings settings_;
    DeepRun run_;
    std::unique_ptr<DeepReports> reports_;
    NestingState shown_; // the best result as drawn
    SheetExtentsCache sheetSizes_;

    QLabel* elapsedLabel_ = nullptr;
    QLabel* bestLabel_ = nullptr;
    QLabel* gainLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* warningLabel_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QComboBox* layoutList_ = nullptr;
    CanvasView* canvas_ = nullptr;
};

} // namespace dravenor
