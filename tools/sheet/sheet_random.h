#pragma once

#include <cstdint>

// Small deterministic generator (SplitMix64): the same seed gives the same sheets
// whatever the standard library's own engines and distributions do.
class SheetRandom {
public:
    explicit SheetRandom(uint64_t seed)
        : m_state(seed)
    {
    }

    // A generator for the index-th item of a run, independent of the others.
    static SheetRandom Derived(uint64_t seed, uint64_t index);

    uint64_t Next();
    // Uniform in 0 .. bound - 1; bound must be positive.
    int Below(int bound);
    // Uniform in [low, high].
    int Between(int low, int high) { return low + Below(high - low + 1); }
    // Uniform in [0, 1).
    double Unit();
    double Uniform(double low, double high) { return low + (high - low) * Unit(); }
    bool Chance(double probability) { return Unit() < probability; }
    // Standard normal.
    double Gaussian();

private:
    uint64_t m_state;
};
