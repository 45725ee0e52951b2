#pragma once
// A Deep Nesting run's progress as one line on stderr: time (or iterations) against the limit and
// the best result so far. Warnings get lines of their own.
#include "cli/live_line.h"
#include "layouts/deep_progress_text.h"

namespace dravenor::cli {

class DeepProgressLine : public DeepProgress {
public:
    DeepProgressLine(std::ostream& err, bool live, const DeepSettings& settings) : line_(err, live), settings_(settings)
    {
    }

    void improved(const DeepBest& best, const NestingState&) override
    {
        best_ = deepBestText(best);
        show();
    }
    void tick(double elapsedSeconds, std::int64_t iterations) override
    {
        elapsed_ = deepElapsedText(elapsedSeconds, iterations, settings_);
        show();
    }
    void warning(const std::string& text) override
    {
        line_.finish();
        line_.stream() << "warning: " << text << "\n";
    }
    bool stopRequested() override { return false; }

private:
    void show() { line_.show(elapsed_ + (best_.empty() ? "" : " | " + best_)); }

    LiveLine line_;
    const DeepSettings& settings_;
    std::string elapsed_, best_;
};

} // namespace dravenor::cli
