#pragma once
// Entity handles of one exported drawing. The counter starts at 50 and advances once per entity;
// an arc's handle is the counter followed by "26". That suffix can make an arc's handle equal a
// later counter (arc 52 -> "5226"), so every handle written is remembered and a counter value
// whose handle text was already used is skipped: no handle repeats within one file.
#include <cstdint>
#include <string>
#include <unordered_set>

namespace dravenor {

class DxfHandles {
public:
    static constexpr std::int64_t kFirst = 50;

    explicit DxfHandles(std::int64_t first = kFirst) : counter_(first) {}

    // Marks a handle as taken (e.g. one the header or footer template already uses).
    void reserve(const std::string& handleText);
    // The handle text for the next entity (with the "26" suffix for an arc); advances the counter.
    std::string next(bool arc);

private:
    std::int64_t counter_;
    std::unordered_set<std::string> written_;
};

} // namespace dravenor
