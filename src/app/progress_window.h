#pragma once
// The modal progress window of an optimisation. The run goes on a worker thread on its own
// copy of the job's state, so the window repaints and Cancel answers while the engine works;
// the engine's single sequence of steps, and so its result, is the same as without a window.
// Reports from the engine are coalesced: the window shows the latest status, never a backlog.
#include <QString>
#include <memory>

#include "app/run_window.h"
#include "engine/nesting_driver.h"

class QLabel;
class QProgressBar;

namespace dravenor {

class ProgressReports;

inline constexpr const char* kProgressStartTitle = "Nesting Progress 0% | Ov. Yield : NA | Layouts : NA";

class ProgressWindow : public RunWindow {
    Q_OBJECT
public:
    // modeCaption: "Free Nesting", "Stack Nesting" or "Continuous Stack Nesting".
    ProgressWindow(NestingState start, NestingMode mode, const QString& modeCaption, QWidget* parent = nullptr);
    ~ProgressWindow() override;

    // The run stops after the sheet being strategised (also before it starts).
    void requestCancel() { requestStopOfRun(); }
    const RunResult& result() const { return result_; }
    // The state the run left (valid once the run finished).
    NestingState takeState() { return std::move(state_); }

    QLabel* statusLabel() const { return statusLabel_; }
    QLabel* layoutLabel() const { return layoutLabel_; }
    QLabel* warningLabel() const { return warningLabel_; }
    QLabel* modeLabel() const { return modeLabel_; }
    // The kerf the run uses when it is not the kerf entered; hidden otherwise.
    QLabel* kerfLabel() const { return kerfLabel_; }
    QProgressBar* progressBar() const { return bar_; }

    // Shows the engine's latest reports (called on the window's thread).
    void showReportsNow();

private:
    void run() override;
    void runEnded() override;

    NestingState state_;
    NestingMode mode_;
    RunResult result_;
    std::unique_ptr<ProgressReports> reports_;

    QLabel* modeLabel_ = nullptr;
    QLabel* kerfLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* layoutLabel_ = nullptr;
    QLabel* warningLabel_ = nullptr;
    QProgressBar* bar_ = nullptr;
};

} // namespace dravenor
