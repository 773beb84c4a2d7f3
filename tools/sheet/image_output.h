#pragma once

#include <QImage>
#include <string>

// Writes a 24-bit colour image, the type chosen by the extension: jpg/jpeg (at the
// given quality), bmp, tif/tiff or png. A failed write leaves any existing file
// intact. Returns an error message for a person, or an empty string.
std::string SaveScan(const QImage& image, const std::string& path, int jpegQuality);

// Whether SaveScan knows the extension of this path.
bool IsScanExtension(const std::string& path);
