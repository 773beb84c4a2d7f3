// The reading library's stand-ins for Qt give what Qt gives: the outputs of a class stay
// byte for byte what they were when Qt made them.

#include "framework/sha256.h"
#include "framework/teacher_text.h"

#include <QCryptographicHash>
#include <QString>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Halves that printf rounds to even and Qt away from zero, and the ordinary figures.
TEST(FixedDecimals, WritesWhatQStringNumberWrites)
{
    const double values[] = { 2.125, 0.125, 0.5, 1.5, 2.5, 0.015, 99.995, 17.0 / 8, 0.0, -0.0, -2.125,
        59.1666, 15.4, 0.905, 1e-7, 123456.789 };
    for (const double value : values)
        for (int decimals = 0; decimals <= 3; ++decimals)
            EXPECT_EQ(FixedDecimals(value, decimals), QString::number(value, 'f', decimals).toStdString())
                << value << " to " << decimals;
}

TEST(FillIn, FillsEachPlaceOnceAsQStringArgDoes)
{
    const struct {
        const char* text;
        std::vector<std::string> values;
    } cases[] = { { "ข้อ %1", { "12" } }, { "%1 (%2)", { "ถูก", "%2" } }, { "%1 % ของ %1", { "95" } },
        { "%2 ก่อน %1", { "a", "b" } }, { "ไม่มี", {} } };
    for (const auto& [text, values] : cases) {
        QString qt = QString::fromUtf8(text);
        if (values.size() == 1)
            qt = qt.arg(QString::fromStdString(values[0]));
        else if (values.size() == 2)
            qt = qt.arg(QString::fromStdString(values[0]), QString::fromStdString(values[1]));
        std::string filled = text;
        if (values.size() == 1)
            filled = FillIn(text, { values[0] });
        else if (values.size() == 2)
            filled = FillIn(text, { values[0], values[1] });
        EXPECT_EQ(filled, qt.toStdString()) << text;
    }
}

// Lengths around the 64-byte block and its 56-byte padding edge, fed in uneven pieces.
TEST(Sha256, DigestsAsQCryptographicHash)
{
    std::mt19937 random(7);
    for (const size_t length : { 0, 1, 55, 56, 63, 64, 65, 119, 120, 1000, 70000 }) {
        std::vector<uint8_t> bytes(length);
        for (uint8_t& byte : bytes)
            byte = static_cast<uint8_t>(random());
        Sha256 hash;
        for (size_t at = 0; at < length;) {
            const size_t piece = std::min<size_t>(length - at, 1 + random() % 97);
            hash.Add(bytes.data() + at, piece);
            at += piece;
        }
        const QByteArray qt = QCryptographicHash::hash(
            QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(length)),
            QCryptographicHash::Sha256);
        EXPECT_EQ(hash.HexDigest(), qt.toHex().toStdString()) << length << " bytes";
    }
}

} // namespace
