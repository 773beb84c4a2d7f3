#pragma once

#include "command_line.h"

#include <string>

// Draws the batch: the sheets, key.txt and truth.csv. Returns an error message
// for a person, or an empty string.
std::string GenerateBatch(const BatchCommand& command);

// img001.tif ... img999.tif, then img1000.tif.
std::string BatchFileName(int number, const std::string& extension);
