#pragma once

#include "framework/status.h"

#include <cstddef>
#include <string>

// Reads a file a person names as an input (the key, the class list): a regular file,
// or /dev/null as an empty one. Anything else (a FIFO, a terminal, a device, a
// folder) is refused at once without a byte read, so a pipe with no writer never
// blocks the program. Reads at most limit + 1 bytes, so the caller tells a file too
// long for what it should be without reading a huge one to its end.
// Messages read "cannot read WHAT PATH: REASON", WHAT being, say, "the key file".
Result<std::string> ReadInputFile(const std::string& path, const char* what, size_t limit);
