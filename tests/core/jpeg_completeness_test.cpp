// A JPEG held in memory is checked for completeness from its end; a JPEG read from
// a device, from its start. Both must agree on every stream.

#include "image/stream_completeness.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <random>

namespace {

bool CompleteOnDevice(const std::string& bytes)
{
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return IsStreamComplete(buffer, "jpeg");
}

bool CompleteInMemory(const std::string& bytes)
{
    return IsJpegStreamComplete(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(JpegCompletenessTest, MemoryAndDeviceAgree)
{
    // Marker bytes and their neighbours, densely mixed: scans, ends, padding 0xFF
    // runs, stuffed zeros, ends before scans, scans after ends.
    const char alphabet[] = { '\xFF', '\xDA', '\xD9', '\x00', '\x12' };
    std::mt19937 random(3);
    int complete = 0;
    constexpr int kStreams = 20000;
    for (int i = 0; i < kStreams; ++i) {
        std::string bytes(random() % 24, '\0');
        for (char& byte : bytes)
            byte = alphabet[random() % sizeof alphabet];
        const bool expected = CompleteOnDevice(bytes);
        ASSERT_EQ(CompleteInMemory(bytes), expected) << testing::PrintToString(bytes);
        complete += expected ? 1 : 0;
    }
    EXPECT_GT(complete, kStreams / 20);
    EXPECT_LT(complete, kStreams - kStreams / 20);
}

} // namespace
