#pragma once
// One progress line on a terminal stream, rewritten in place, and ended before anything else is
// written there.
#include <algorithm>
#include <ostream>
#include <string>

namespace dravenor::cli {

class LiveLine {
public:
    LiveLine(std::ostream& err, bool live) : err_(err), live_(live) {}
    ~LiveLine() { finish(); }

    void show(std::string line)
    {
        if (!live_ || line == shown_) return;
        const size_t width = std::max(line.size(), shown_.size());
        shown_ = line;
        line.resize(width, ' ');
        err_ << "\r" << line << std::flush;
    }
    // Ends the live line so that what follows starts on a line of its own.
    void finish()
    {
        if (shown_.empty()) return;
        err_ << "\n" << std::flush;
        shown_.clear();
    }
    std::ostream& stream() { return err_; }

private:
    std::ostream& err_;
    bool live_;
    std::string shown_;
};

} // namespace dravenor::cli
