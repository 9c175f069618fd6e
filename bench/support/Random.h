#pragma once

// The random numbers of the generated drawings: SplitMix64, so that a seed
// gives the same drawing on every machine (the standard library's
// distributions differ between implementations).

#include <cstdint>

class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // [0, n)
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    // [low, high)
    double Between(double low, double high)
    {
        const double unit = static_cast<double>(Next() >> 11) * 0x1.0p-53;
        return low + unit * (high - low);
    }

private:
    std::uint64_t state_;
};
