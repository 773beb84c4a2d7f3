#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The ink of a box's samples (0 to 255), padded with blank samples to a length the
// compiler's vector loops take whole: blanks lie at or below every sample, so the
// darkest few stay what they were.
constexpr size_t kPaddedSamples = 32;
using BoxSamples = std::array<uint8_t, kPaddedSamples>;

// How many samples lie darker than each.
BoxSamples CountDarker(const BoxSamples& samples);

// The k-th darkest sample (0 the darkest), from the counts of CountDarker.
uint8_t DarkestAt(const BoxSamples& samples, const BoxSamples& darker, size_t k);

// The sum of the `count` darkest samples.
int SumOfDarkest(const BoxSamples& samples, const BoxSamples& darker, size_t count);
