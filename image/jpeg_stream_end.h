#pragma once

#include <cstddef>
#include <cstdint>

// Whether a JPEG held in memory holds all its data: its last scan is followed by the
// end-of-image marker (image/stream_completeness.h checks a file the same way).
bool IsJpegStreamComplete(const uint8_t* data, size_t size);
