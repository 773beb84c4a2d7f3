#pragma once

#include <cstdint>

// Image types the file dialogs list; None stands for "no particular type".
enum class ImageType { None, Bmp, Jpeg, Gif, Tiff, Png, Icon };

// Bits of the exclusion mask given to BuildImageFilter.
namespace ImageTypeMask {
constexpr uint32_t Gif = 0x01;
constexpr uint32_t Bmp = 0x02;
constexpr uint32_t Emf = 0x04;
constexpr uint32_t Wmf = 0x08;
constexpr uint32_t Jpeg = 0x10;
constexpr uint32_t Png = 0x20;
constexpr uint32_t Tiff = 0x40;
constexpr uint32_t Icon = 0x80;
constexpr uint32_t Other = 0x80000000u;
// EMF, WMF and icon: what every dialog of the program leaves out.
constexpr uint32_t DialogDefault = 140;
} // namespace ImageTypeMask
