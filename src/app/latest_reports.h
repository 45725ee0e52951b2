#pragma once
// Reports from a worker thread kept as their latest values under a lock: the first change after
// the window took them asks it (once) to show them, so a busy worker never builds a backlog of
// repaints.
#include <functional>
#include <mutex>

namespace dravenor {

template <class Values>
class LatestReports {
public:
    // `post` asks the window's thread to call take() and show the values.
    explicit LatestReports(std::function<void()> post) : post_(std::move(post)) {}

    template <class Change>
    void update(Change change)
    {
        bool post = false;
        {
            std::lock_guard lock(mutex_);
            change(values_);
            post = !posted_;
            posted_ = true;
        }
        if (post) post_();
    }

    Values take()
    {
        return take([](Values&) {});
    }
    // The values, then `handedOver` on the kept ones in the same step (values shown only once).
    template <class HandOver>
    Values take(HandOver handedOver)
    {
        std::lock_guard lock(mutex_);
        posted_ = false;
        Values values = values_;
        handedOver(values_);
        return values;
    }

private:
    std::function<void()> post_;
    std::mutex mutex_;
    Values values_;
    bool posted_ = false;
};

} // namespace dravenor
