#include "sheet_random.h"

#include <cmath>

SheetRandom SheetRandom::Derived(uint64_t seed, uint64_t index)
{
    SheetRandom mixer(seed ^ (index * 0xD1B54A32D192ED03ull));
    return SheetRandom(mixer.Next());
}

uint64_t SheetRandom::Next()
{
    m_state += 0x9E3779B97F4A7C15ull;
    uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int SheetRandom::Below(int bound)
{
    return static_cast<int>(Next() % static_cast<uint64_t>(bound));
}

double SheetRandom::Unit()
{
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

double SheetRandom::Gaussian()
{
    // Box-Muller; 1 - Unit() keeps the logarithm finite.
    const double radius = std::sqrt(-2.0 * std::log(1.0 - Unit()));
    return radius * std::cos(2.0 * 3.141592653589793 * Unit());
}
