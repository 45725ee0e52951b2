#pragma once
// The search's random numbers: a small generator of its own (xoshiro256**, seeded through
// splitmix64), so that a seed gives the same run on every platform and library.
#include <cmath>
#include <cstdint>
#include <numbers>

namespace dravenor::deep {

class Random {
public:
    explicit Random(std::uint64_t seed = 1)
    {
        for (std::uint64_t& s : state_) {
            seed += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            s = z ^ (z >> 31);
        }
    }
    std::uint64_t next()
    {
        const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotl(state_[3], 45);
        return result;
    }
    // In [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double between(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // In [0, n); 0 when n is 0.
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(double p) { return unit() < p; }
    // Standard normal (Box-Muller; one of the pair is used).
    double normal()
    {
        const double u = 1 - unit(), v = unit();
        return std::sqrt(-2 * std::log(u)) * std::cos(2 * std::numbers::pi * v);
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

} // namespace dravenor::deep
