#pragma once
// The engine's one random sequence: uniform values in [0, 1), reseeded with 1000 at the start of
// every run so that a run on the same job repeats exactly. Sheet choice, key points and the
// seed search of the raster fill all draw from it, in program order.
#include <cstdint>

namespace dravenor {

class UniformRandom {
public:
    static constexpr std::uint64_t kRunSeed = 1000;

    explicit UniformRandom(std::uint64_t seed = kRunSeed) { reseed(seed); }
    void reseed(std::uint64_t seed) { state_ = seed; }

    // splitmix64: small, fast, and the same on every compiler and library.
    double next() { return static_cast<double>(nextBits()) * 0x1.0p-53; }
    // The next value as the 53-bit whole number m of next() = m / 2^53.
    std::uint64_t nextBits() { return bitsAt(state_ += kStep); }

    // The k-th value drawn from here on (k from 1) is bitsAt(counter() + k * kStep): values can be
    // computed out of order, many at a time, and the draws then passed over with skip().
    static constexpr std::uint64_t kStep = 0x9E3779B97F4A7C15ull;
    static constexpr std::uint64_t kMix1 = 0xBF58476D1CE4E5B9ull;
    static constexpr std::uint64_t kMix2 = 0x94D049BB133111EBull;
    static std::uint64_t bitsAt(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * kMix1;
        z = (z ^ (z >> 27)) * kMix2;
        z ^= z >> 31;
        return z >> 11;
    }
    std::uint64_t counter() const { return state_; }
    void skip(std::uint64_t draws) { state_ += draws * kStep; }

private:
    std::uint64_t state_ = kRunSeed;
};

} // namespace dravenor
