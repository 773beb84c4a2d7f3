#pragma once

#include "image/image_type.h"

#include <array>
#include <cstdint>
#include <string>

// One image file type the program reads, and writes where it can.
struct ImageCodec {
    ImageType type;
    const char* description; // short name for file dialogs
    const char* patterns; // extension patterns, ";"-separated
    uint32_t maskBit; // bit in the exclusion mask of BuildImageFilter
    const char* qtFormat; // Qt's name for the format
    bool canWrite;
};

// Readable types in the order the file dialogs list them.
inline constexpr std::array<ImageCodec, 6> kImageCodecs { {
    { ImageType::Bmp, "BMP", "*.BMP;*.DIB;*.RLE", ImageTypeMask::Bmp, "bmp", true },
    { ImageType::Jpeg, "JPEG", "*.JPG;*.JPEG;*.JPE;*.JFIF", ImageTypeMask::Jpeg, "jpeg", true },
    { ImageType::Gif, "GIF", "*.GIF", ImageTypeMask::Gif, "gif", true },
    { ImageType::Tiff, "TIFF", "*.TIF;*.TIFF", ImageTypeMask::Tiff, "tiff", true },
    { ImageType::Png, "PNG", "*.PNG", ImageTypeMask::Png, "png", true },
    { ImageType::Icon, "ICO", "*.ICO", ImageTypeMask::Icon, "ico", false },
} };

// The writable type whose patterns list the extension of the path's file name
// (after its last "."), ignoring case; nullptr when none does.
const ImageCodec* EncoderForPath(const std::string& path);

// The readable type Qt names so; nullptr for any other format.
const ImageCodec* DecoderForQtFormat(const std::string& qtFormat);
