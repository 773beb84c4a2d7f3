#include "image/tiff_pages.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <set>

namespace {

// The header's layout: classic TIFF keeps 32-bit offsets, BigTIFF 64-bit ones.
struct TiffLayout {
    bool bigEndian = false;
    bool big = false;
    int64_t firstPointerAt = 4; // where the header holds the first directory's offset

    int OffsetBytes() const { return big ? 8 : 4; }
    int CountBytes() const { return big ? 8 : 2; }
    int EntryBytes() const { return big ? 20 : 12; }
    int64_t HeaderBytes() const { return firstPointerAt + OffsetBytes(); }
};

uint64_t Number(const uint8_t* bytes, int count, bool bigEndian)
{
    uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<uint64_t>(bytes[bigEndian ? count - 1 - i : i]) << (8 * i);
    return value;
}

void PutNumber(uint8_t* bytes, int count, bool bigEndian, uint64_t value)
{
    for (int i = 0; i < count; ++i)
        bytes[bigEndian ? count - 1 - i : i] = static_cast<uint8_t>(value >> (8 * i));
}

std::optional<TiffLayout> ReadLayout(const QByteArray& head)
{
    if (head.size() < 8)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const uint8_t*>(head.constData());
    TiffLayout layout;
    if (head.startsWith("MM"))
        layout.bigEndian = true;
    else if (!head.startsWith("II"))
        return std::nullopt;
    const uint64_t magic = Number(bytes + 2, 2, layout.bigEndian);
    if (magic == 43 && head.size() >= 16 && Number(bytes + 4, 2, layout.bigEndian) == 8) {
        layout.big = true;
        layout.firstPointerAt = 8;
    } else if (magic != 42) {
        return std::nullopt;
    }
    return layout;
}

// The number of `count` bytes at `at`, or nothing when the file ends before them.
std::optional<uint64_t> ReadNumber(QIODevice& file, int64_t at, int count, bool bigEndian)
{
    uint8_t bytes[8];
    if (!file.seek(at) || file.read(reinterpret_cast<char*>(bytes), count) != count)
        return std::nullopt;
    return Number(bytes, count, bigEndian);
}

// The file's bytes, but for the header's first-directory offset.
class TiffPageDevice : public QIODevice {
public:
    TiffPageDevice(const QString& path, const TiffLayout& layout, int64_t directory)
        : m_file(path)
        , m_layout(layout)
    {
        PutNumber(m_pointer, layout.OffsetBytes(), layout.bigEndian, static_cast<uint64_t>(directory));
    }

    bool Open()
    {
        // Unbuffered, as QBuffer is: each read starts at pos().
        return m_file.open(QIODevice::ReadOnly) && open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 size() const override { return m_file.size(); }

protected:
    qint64 readData(char* data, qint64 length) override
    {
        const qint64 at = pos();
        if (!m_file.seek(at))
            return -1;
        const qint64 got = m_file.read(data, length);
        const int64_t from = std::max<int64_t>(at, m_layout.firstPointerAt);
        const int64_t to = std::min<int64_t>(at + std::max<qint64>(got, 0), m_layout.HeaderBytes());
        for (int64_t i = from; i < to; ++i)
            data[i - at] = static_cast<char>(m_pointer[i - m_layout.firstPointerAt]);
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QFile m_file;
    TiffLayout m_layout;
    uint8_t m_pointer[8] {};
};

} // namespace

std::string TiffPages::BrokenMessage() const
{
    return "หน้า " + std::to_string(directories.size() + 1)
        + " เป็นต้นไปอ่านไม่ได้ (ไฟล์ TIFF ถูกตัดสั้นหรือหัวหน้าเสียหาย)";
}

std::optional<TiffPages> ReadTiffPages(QIODevice& file)
{
    if (!file.seek(0))
        return std::nullopt;
    const std::optional<TiffLayout> layout = ReadLayout(file.read(16));
    if (!layout)
        return std::nullopt;
    const TiffLayout& l = *layout;
    const int64_t size = file.size();
    TiffPages pages;
    std::set<int64_t> seen;
    std::optional<uint64_t> next = ReadNumber(file, l.firstPointerAt, l.OffsetBytes(), l.bigEndian);
    // A directory must lie past the header and end, with its next-page offset, in the file.
    while (next && *next != 0) {
        const auto at = static_cast<int64_t>(std::min<uint64_t>(*next, INT64_MAX / 2));
        const std::optional<uint64_t> entries = at >= l.HeaderBytes() && at < size
            ? ReadNumber(file, at, l.CountBytes(), l.bigEndian)
            : std::nullopt;
        if (!entries || *entries == 0 || !seen.insert(at).second
            || *entries > static_cast<uint64_t>(size / l.EntryBytes())) {
            next.reset();
            break;
        }
        const int64_t nextAt = at + l.CountBytes() + static_cast<int64_t>(*entries) * l.EntryBytes();
        next = ReadNumber(file, nextAt, l.OffsetBytes(), l.bigEndian);
        if (!next)
            break;
        pages.directories.push_back(at);
    }
    pages.broken = !next;
    return pages;
}

std::unique_ptr<QIODevice> OpenTiffPage(const QString& path, int64_t directory)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const std::optional<TiffLayout> layout = ReadLayout(file.read(16));
    if (!layout)
        return nullptr;
    auto device = std::make_unique<TiffPageDevice>(path, *layout, directory);
    if (!device->Open())
        return nullptr;
    return device;
}
