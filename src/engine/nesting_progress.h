#pragma once
// How a run reports: the progress window and the batch tool implement it. Every call comes from
// the engine's thread, between steps of the run.
#include <string>

namespace dravenor {

class NestingProgress {
public:
    virtual ~NestingProgress() = default;
    // Status text with the parts placed so far in this trial out of all parts required.
    virtual void status(const std::string& text, long long placed, long long required) = 0;
    // "Nesting Progress : 12%  | Ov. Yield : 81.234% | Layouts : 3"
    virtual void title(const std::string& text) = 0;
    // The number of layouts finished, as the layout-number label shows it.
    virtual void layoutNumber(int layoutNo) = 0;
    // "One or more parts are too small, kerf may increase slightly"
    virtual void warning(const std::string& text) = 0;
    // Polled after each sheet; true stops the run there.
    virtual bool cancelRequested() = 0;
    // Trial t of T has started (for the batch tool's progress line).
    virtual void trialStarted(int /*trial*/, int /*trials*/) {}
};

// Reports nothing and never cancels.
class SilentProgress : public NestingProgress {
public:
    void status(const std::string&, long long, long long) override {}
    void title(const std::string&) override {}
    void layoutNumber(int) override {}
    void warning(const std::string&) override {}
    bool cancelRequested() override { return false; }
};

} // namespace dravenor
