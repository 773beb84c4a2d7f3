#pragma once

#include "image/sheet_image.h"

#include <QBuffer>
#include <QFile>
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

    static std::string ReadBytes(const std::string& path)
    {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll().toStdString();
    }

    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(
            file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
    }

    static bool Exists(const std::string& path) { return QFile::exists(QString::fromStdString(path)); }

private:
    QTemporaryDir m_folder;
};

// Encodes a Qt image with Qt's writer, for fixtures.
inline std::string Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return bytes.toStdString();
}

// Blue, green and red of a 24- or 32-bit pixel.
inline std::array<int, 3> BgrAt(const SheetImage& image, int x, int y)
{
    const uint8_t* p = image.GetPixelAddress(x, y);
    return { p[0], p[1], p[2] };
}

// Fills every pixel from its position so that neighbours differ: indices for
// depths up to 8 (with a colour table of distinct colours), colours otherwise.
inline void FillPattern(SheetImage& image)
{
    const int depth = image.GetBitsPerPixel();
    for (int i = 0; i < image.GetColorTableSize(); ++i) {
        const RgbQuad color { static_cast<uint8_t>(i * 37), static_cast<uint8_t>(255 - i * 11),
            static_cast<uint8_t>(i * 5 + 9), 0 };
        image.SetColorTable(i, 1, &color);
    }
    for (int y = 0; y < image.GetHeight(); ++y) {
        uint8_t* row = image.GetPixelAddress(0, y);
        for (int x = 0; x < image.GetWidth(); ++x) {
            const int value = x * 7 + y * 13;
            switch (depth) {
            case 1:
                if (value % 3 == 0)
                    row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<uint8_t>((value % 16) << ((x % 2) ? 0 : 4));
                break;
            case 8:
                row[x] = static_cast<uint8_t>(value % 256);
                break;
            case 16: {
                const uint16_t pixel = static_cast<uint16_t>(value * 2731);
                row[2 * x] = static_cast<uint8_t>(pixel);
                row[2 * x + 1] = static_cast<uint8_t>(pixel >> 8);
                break;
            }
            default: {
                uint8_t* p = row + x * (depth / 8);
                p[0] = static_cast<uint8_t>(value * 3);
                p[1] = static_cast<uint8_t>(value * 5 + 40);
                p[2] = static_cast<uint8_t>(255 - value);
                if (depth == 32 && image.HasAlphaChannel())
                    p[3] = 255;
            }
            }
        }
    }
}
