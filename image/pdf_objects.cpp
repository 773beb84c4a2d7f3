#include "image/pdf_objects.h"

#include "image/pdf_syntax.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

#include <zlib.h>

namespace {

// Where "startxref" must be: near the end, after the last object.
constexpr size_t kTailBytes = 2048;
// More sections than any file updated by hand or by a copier has.
constexpr int kMaxSections = 64;
// A reference to a reference to ... no longer than this.
constexpr int kMaxResolveDepth = 8;
// What one cross-reference or object stream may decode to.
constexpr size_t kMaxTableBytes = 64u << 20;

std::optional<size_t> FindStartXref(std::span<const uint8_t> bytes)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const size_t from = text.size() > kTailBytes ? text.size() - kTailBytes : 0;
    const size_t at = text.rfind("startxref");
    if (at == std::string_view::npos || at < from)
        return std::nullopt;
    PdfSyntax syntax(bytes, at + 9);
    const std::optional<int64_t> offset = syntax.ReadUnsigned();
    if (!offset || static_cast<uint64_t>(*offset) >= bytes.size())
        return std::nullopt;
    return static_cast<size_t>(*offset);
}

// Undoes PNG row predictors (10-15), one filter byte a row, over bytes of one
// sample each, as cross-reference streams use them.
std::optional<std::vector<uint8_t>> UndoPngPredictor(const std::vector<uint8_t>& data, size_t columns)
{
    if (columns == 0 || columns > data.size())
        return std::nullopt;
    const size_t stride = columns + 1;
    std::vector<uint8_t> rows;
    std::vector<uint8_t> previous(columns, 0);
    for (size_t at = 0; at + stride <= data.size(); at += stride) {
        const uint8_t filter = data[at];
        std::vector<uint8_t> row(data.begin() + static_cast<std::ptrdiff_t>(at + 1),
            data.begin() + static_cast<std::ptrdiff_t>(at + stride));
        for (size_t i = 0; i < columns; ++i) {
            const int left = i > 0 ? row[i - 1] : 0;
            const int up = previous[i];
            const int upLeft = i > 0 ? previous[i - 1] : 0;
            int add = 0;
            switch (filter) {
            case 0:
                break;
            case 1:
                add = left;
                break;
            case 2:
                add = up;
                break;
            case 3:
                add = (left + up) / 2;
                break;
            case 4: {
                const int p = left + up - upLeft;
                const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
                add = pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
                break;
            }
            default:
                return std::nullopt;
            }
            row[i] = static_cast<uint8_t>(row[i] + add);
        }
        rows.insert(rows.end(), row.begin(), row.end());
        previous = std::move(row);
    }
    return rows;
}

std::optional<std::vector<uint8_t>> Inflate(std::span<const uint8_t> stored, size_t limit)
{
    z_stream zs {};
    if (inflateInit(&zs) != Z_OK)
        return std::nullopt;
    std::vector<uint8_t> out;
    zs.next_in = const_cast<Bytef*>(stored.data());
    zs.avail_in = static_cast<uInt>(std::min<size_t>(stored.size(), std::numeric_limits<uInt>::max()));
    int status = Z_OK;
    while (status == Z_OK) {
        const size_t done = out.size();
        if (done >= limit)
            break;
        out.resize(std::min(limit, done + 65536));
        zs.next_out = out.data() + done;
        zs.avail_out = static_cast<uInt>(out.size() - done);
        status = inflate(&zs, Z_NO_FLUSH);
        out.resize(out.size() - zs.avail_out);
    }
    inflateEnd(&zs);
    if (status != Z_STREAM_END)
        return std::nullopt;
    return out;
}

} // namespace

const PdfObject* PdfObject::Find(std::string_view key) const
{
    if (kind != Kind::Dictionary && kind != Kind::Stream)
        return nullptr;
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return &items[i];
    return nullptr;
}

std::optional<int32_t> PdfObject::Integer() const
{
    if (kind != Kind::Number || number != std::floor(number) || std::abs(number) > 2147483647.0)
        return std::nullopt;
    return static_cast<int32_t>(number);
}

std::optional<PdfFile> PdfFile::Open(std::span<const uint8_t> bytes)
{
    const std::optional<size_t> start = FindStartXref(bytes);
    if (!start)
        return std::nullopt;
    PdfFile file(bytes);
    if (!file.ReadSections(*start) || file.m_trailer.Find("Encrypt") || !file.m_trailer.Find("Root"))
        return std::nullopt;
    return file;
}

// Newest section first: an object keeps the entry of the first section naming it.
bool PdfFile::ReadSections(size_t offset)
{
    std::vector<size_t> seen;
    for (int section = 0;; ++section) {
        if (section >= kMaxSections || std::find(seen.begin(), seen.end(), offset) != seen.end())
            return false;
        seen.push_back(offset);
        PdfObject trailer;
        PdfSyntax probe(m_bytes, offset);
        const bool read
            = probe.ReadKeyword("xref") ? ReadTable(offset, trailer) : ReadStreamSection(offset, trailer);
        if (!read || trailer.Find("Encrypt"))
            return false;
        // A hybrid file's stream holds what its table leaves out.
        if (const PdfObject* hybrid = trailer.Find("XRefStm");
            hybrid && hybrid->Integer() && *hybrid->Integer() >= 0) {
            PdfObject ignored;
            if (!ReadStreamSection(static_cast<size_t>(*hybrid->Integer()), ignored))
                return false;
        }
        if (section == 0)
            m_trailer = trailer;
        const PdfObject* previous = trailer.Find("Prev");
        if (!previous)
            return true;
        const std::optional<int32_t> at = previous->Integer();
        if (!at || *at < 0 || static_cast<size_t>(*at) >= m_bytes.size())
            return false;
        offset = static_cast<size_t>(*at);
    }
}

bool PdfFile::ReadTable(size_t offset, PdfObject& trailer)
{
    PdfSyntax syntax(m_bytes, offset);
    syntax.ReadKeyword("xref");
    while (!syntax.ReadKeyword("trailer")) {
        const std::optional<int64_t> first = syntax.ReadUnsigned();
        const std::optional<int64_t> count = syntax.ReadUnsigned();
        // Each entry takes 20 bytes: no count can promise more than the file holds.
        if (!first || !count || *first + *count > std::numeric_limits<int32_t>::max()
            || static_cast<uint64_t>(*count) > (m_bytes.size() - syntax.Position()) / 18)
            return false;
        for (int64_t i = 0; i < *count; ++i) {
            const std::optional<int64_t> at = syntax.ReadUnsigned();
            const std::optional<int64_t> generation = syntax.ReadUnsigned();
            const bool used = syntax.ReadKeyword("n");
            if (!at || !generation || (!used && !syntax.ReadKeyword("f")))
                return false;
            if (used && static_cast<uint64_t>(*at) < m_bytes.size())
                m_entries.try_emplace(
                    static_cast<uint32_t>(*first + i), Entry { static_cast<size_t>(*at), 0 });
        }
    }
    std::optional<PdfObject> dictionary = syntax.ReadObject();
    if (!dictionary || dictionary->kind != PdfObject::Kind::Dictionary)
        return false;
    trailer = std::move(*dictionary);
    return true;
}

bool PdfFile::ReadStreamSection(size_t offset, PdfObject& trailer)
{
    PdfSyntax syntax(m_bytes, offset);
    const std::optional<int64_t> number = syntax.ReadUnsigned();
    if (!number || *number > std::numeric_limits<int32_t>::max() || !syntax.ReadUnsigned())
        return false;
    // Its own entry lets Load read it like any other object.
    m_entries.try_emplace(static_cast<uint32_t>(*number), Entry { offset, 0 });
    const std::optional<PdfObject> stream = Load({ static_cast<uint32_t>(*number), 0 }, 0);
    if (!stream || stream->kind != PdfObject::Kind::Stream || !stream->Find("Type")
        || !stream->Find("Type")->IsName("XRef"))
        return false;
    const PdfObject* widths = stream->Find("W");
    const PdfObject* size = stream->Find("Size");
    if (!widths || widths->kind != PdfObject::Kind::Array || widths->items.size() != 3 || !size
        || !size->Integer())
        return false;
    size_t w[3];
    for (size_t i = 0; i < 3; ++i) {
        const std::optional<int32_t> width = widths->items[i].Integer();
        if (!width || *width < 0 || *width > 8)
            return false;
        w[i] = static_cast<size_t>(*width);
    }
    const size_t entryBytes = w[0] + w[1] + w[2];
    std::optional<std::vector<uint8_t>> data = Decoded(*stream, kMaxTableBytes);
    if (!data || entryBytes == 0)
        return false;
    std::vector<int64_t> ranges { 0, *size->Integer() };
    if (const PdfObject* index = stream->Find("Index"); index && index->kind == PdfObject::Kind::Array) {
        ranges.clear();
        for (const PdfObject& item : index->items) {
            if (!item.Integer() || *item.Integer() < 0)
                return false;
            ranges.push_back(*item.Integer());
        }
    }
    size_t at = 0;
    for (size_t r = 0; r + 1 < ranges.size(); r += 2) {
        for (int64_t i = 0; i < ranges[r + 1]; ++i, at += entryBytes) {
            if (at + entryBytes > data->size() || ranges[r] + i > std::numeric_limits<int32_t>::max())
                return false;
            uint64_t field[3] = { w[0] == 0 ? 1u : 0u, 0, 0 };
            for (size_t f = 0, byte = at; f < 3; ++f)
                for (size_t k = 0; k < w[f]; ++k)
                    field[f] = field[f] << 8 | (*data)[byte++];
            const auto object = static_cast<uint32_t>(ranges[r] + i);
            if (field[0] == 1 && field[1] < m_bytes.size())
                m_entries.try_emplace(object, Entry { static_cast<size_t>(field[1]), 0 });
            else if (field[0] == 2 && field[1] > 0 && field[1] <= std::numeric_limits<int32_t>::max())
                m_entries.try_emplace(
                    object, Entry { static_cast<size_t>(field[2]), static_cast<uint32_t>(field[1]) });
        }
    }
    trailer = *stream;
    trailer.kind = PdfObject::Kind::Dictionary;
    return true;
}

std::optional<PdfObject> PdfFile::Load(PdfReference reference, int depth) const
{
    const auto entry = m_entries.find(reference.number);
    if (entry == m_entries.end() || depth > kMaxResolveDepth)
        return std::nullopt;
    if (entry->second.container != 0)
        return LoadCompressed(entry->second.container, entry->second.offset, depth);
    PdfSyntax syntax(m_bytes, entry->second.offset);
    const std::optional<int64_t> number = syntax.ReadUnsigned();
    if (!number || *number != reference.number || !syntax.ReadUnsigned() || !syntax.ReadKeyword("obj"))
        return std::nullopt;
    std::optional<PdfObject> object = syntax.ReadObject();
    if (!object || object->kind != PdfObject::Kind::Dictionary || !syntax.ReadKeyword("stream"))
        return object;
    // The data starts after the end of the line, CR LF or LF.
    size_t begin = syntax.Position();
    if (begin < m_bytes.size() && m_bytes[begin] == '\r')
        ++begin;
    if (begin < m_bytes.size() && m_bytes[begin] == '\n')
        ++begin;
    const PdfObject* lengthEntry = object->Find("Length");
    const std::optional<PdfObject> length = lengthEntry ? ResolveAt(*lengthEntry, depth + 1) : std::nullopt;
    const std::optional<int32_t> bytes = length ? length->Integer() : std::nullopt;
    if (!bytes || *bytes < 0 || static_cast<size_t>(*bytes) > m_bytes.size() - begin)
        return std::nullopt;
    syntax.Seek(begin + static_cast<size_t>(*bytes));
    if (!syntax.ReadKeyword("endstream"))
        return std::nullopt;
    object->kind = PdfObject::Kind::Stream;
    object->streamBegin = begin;
    object->streamSize = static_cast<size_t>(*bytes);
    return object;
}

std::optional<PdfObject> PdfFile::LoadCompressed(uint32_t container, size_t index, int depth) const
{
    const auto entry = m_entries.find(container);
    if (entry == m_entries.end() || entry->second.container != 0)
        return std::nullopt;
    const std::optional<PdfObject> stream = Load({ container, 0 }, depth + 1);
    if (!stream || stream->kind != PdfObject::Kind::Stream)
        return std::nullopt;
    const PdfObject* count = stream->Find("N");
    const PdfObject* first = stream->Find("First");
    if (!count || !count->Integer() || !first || !first->Integer() || *first->Integer() < 0
        || index >= static_cast<size_t>(std::max(0, *count->Integer())))
        return std::nullopt;
    const std::optional<std::vector<uint8_t>> data = Decoded(*stream, kMaxTableBytes);
    if (!data)
        return std::nullopt;
    PdfSyntax pairs(*data, 0);
    std::optional<int64_t> offset;
    for (size_t i = 0; i <= index; ++i)
        if (!pairs.ReadUnsigned() || !(offset = pairs.ReadUnsigned()))
            return std::nullopt;
    const uint64_t at = static_cast<uint64_t>(*first->Integer()) + static_cast<uint64_t>(*offset);
    if (at >= data->size())
        return std::nullopt;
    PdfSyntax syntax(*data, static_cast<size_t>(at));
    return syntax.ReadObject();
}

std::optional<PdfObject> PdfFile::ResolveAt(const PdfObject& object, int depth) const
{
    if (object.kind != PdfObject::Kind::Reference)
        return object;
    std::optional<PdfObject> loaded = Load(object.reference, depth);
    if (loaded && loaded->kind == PdfObject::Kind::Reference)
        return ResolveAt(*loaded, depth + 1);
    return loaded;
}

std::optional<PdfObject> PdfFile::Resolve(const PdfObject& object) const
{
    return ResolveAt(object, 0);
}

std::span<const uint8_t> PdfFile::StoredBytes(const PdfObject& stream) const
{
    if (stream.kind != PdfObject::Kind::Stream)
        return {};
    return m_bytes.subspan(stream.streamBegin, stream.streamSize);
}

std::optional<std::vector<uint8_t>> PdfFile::Decoded(const PdfObject& stream, size_t limit) const
{
    const std::span<const uint8_t> stored = StoredBytes(stream);
    const PdfObject* filter = stream.Find("Filter");
    if (filter && filter->kind == PdfObject::Kind::Array && filter->items.size() == 1)
        filter = &filter->items[0];
    if (!filter) {
        if (stored.size() > limit)
            return std::nullopt;
        return std::vector<uint8_t>(stored.begin(), stored.end());
    }
    if (!filter->IsName("FlateDecode"))
        return std::nullopt;
    std::optional<std::vector<uint8_t>> data = Inflate(stored, limit);
    const PdfObject* parameters = stream.Find("DecodeParms");
    if (parameters && parameters->kind == PdfObject::Kind::Array && parameters->items.size() == 1)
        parameters = &parameters->items[0];
    const PdfObject* predictor = parameters ? parameters->Find("Predictor") : nullptr;
    if (!data || !predictor || predictor->Integer() == 1)
        return data;
    const PdfObject* columns = parameters->Find("Columns");
    const PdfObject* colours = parameters->Find("Colors");
    const PdfObject* bits = parameters->Find("BitsPerComponent");
    if (!predictor->Integer() || *predictor->Integer() < 10 || !columns || !columns->Integer()
        || *columns->Integer() <= 0 || (colours && colours->Integer() != 1) || (bits && bits->Integer() != 8))
        return std::nullopt;
    return UndoPngPredictor(*data, static_cast<size_t>(*columns->Integer()));
}
