#pragma once

#include "image/jpeg_stream_end.h"

#include <string>

class QIODevice;

// Whether a JPEG, BMP or GIF stream holds all the data its headers promise. Qt
// decodes such truncated files "successfully", filling the missing part with grey
// or black, which would be graded as if it were paper. Other formats fail in the
// decoder and count as complete here. Reads the device from its start.
bool IsStreamComplete(QIODevice& device, const std::string& qtFormat);
