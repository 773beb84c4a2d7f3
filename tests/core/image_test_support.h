#pragma once

#include "image/sheet_image.h"
#include "test_files.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

// A folder for the files one test writes, removed afterwards.
class ImageFileTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const
    {
        return m_folder.filePath(QString::fromStdString(name)).toStdString();
    }

private:
    QTemporaryDir m_folder;
};

// A little-endian number of `count` bytes, for file headers made by hand.
inline std::string Le(uint32_t value, int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>(i < 4 ? value >> (8 * i) : 0); // zeros past the 32 bits
    return bytes;
}

// Encodes a Qt image with Qt's writer, for fixtures.
inline std::string Encode(const QImage& image, const char* format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return bytes.toStdString();
}

// Blue, green and red of a 24- or 32-bit pixel.
inline std::array<int, 3> BgrAt(const SheetImage& image, int x, int y)
{
    const uint8_t* p = image.GetPixelAddress(x, y);
    return { p[0], p[1], p[2] };
}

// Pixel bytes set from their position so that neighbours differ, fully opaque where
// there is alpha, and distinct colours in the table of depths up to 8.
inline SheetImage Patterned(int width, int height, int depth, bool hasAlpha = false)
{
    SheetImage image;
    EXPECT_TRUE(image.Create(width, height, depth, hasAlpha));
    for (int i = 0; i < image.GetColorTableSize(); ++i) {
        const RgbQuad color { uint8_t(i * 37), uint8_t(255 - i * 11), uint8_t(i * 5 + 9), 0 };
        image.SetColorTable(i, 1, &color);
    }
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < (width * depth + 7) / 8; ++i)
            image.GetPixelAddress(0, y)[i]
                = hasAlpha && i % 4 == 3 ? 255 : uint8_t(i * 7 + y * 13 + int64_t(i) * i / 3);
    return image;
}
