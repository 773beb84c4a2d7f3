#pragma once

#include <string>

// printf-style formatting into a string that grows to fit; never truncates.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
