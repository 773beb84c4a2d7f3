#include "omr/second_reading/darkest_samples.h"

#include <algorithm>

// Each sample's rank is counted rather than sorted, sixteen samples at a time: a partial
// sort's comparisons follow the scan's noise, and the processor guesses them wrong. Ties
// need no order: the k-th darkest is the lightest sample with at most k darker.

BoxSamples CountDarker(const BoxSamples& samples)
{
    BoxSamples darker {};
    for (const uint8_t other : samples)
        for (size_t i = 0; i < kPaddedSamples; ++i)
            darker[i] += other > samples[i] ? 1 : 0;
    return darker;
}

uint8_t DarkestAt(const BoxSamples& samples, const BoxSamples& darker, size_t k)
{
    // A sample left out becomes white: a mask, not a branch, so the loops stay vector
    // loops; compared as bytes, sixteen at a time.
    const auto most = static_cast<uint8_t>(std::min<size_t>(k, kPaddedSamples));
    BoxSamples candidates;
    for (size_t i = 0; i < kPaddedSamples; ++i)
        candidates[i] = samples[i] | static_cast<uint8_t>(darker[i] > most ? 255 : 0);
    uint8_t lightest = 255;
    for (const uint8_t candidate : candidates)
        lightest = std::min(lightest, candidate);
    return lightest;
}

int SumOfDarkest(const BoxSamples& samples, const BoxSamples& darker, size_t count)
{
    if (count == 0)
        return 0;
    // Every sample darker than the last one counted, then that one as often as it is
    // still wanted (it may be tied).
    const uint8_t cut = DarkestAt(samples, darker, count - 1);
    int above = 0;
    int aboveCount = 0;
    for (const uint8_t sample : samples) {
        above += sample > cut ? sample : 0;
        aboveCount += sample > cut ? 1 : 0;
    }
    return above + (static_cast<int>(count) - aboveCount) * cut;
}
