#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The objects of a PDF, read as far as a scanned page needs: enough to find the one
// picture a copier puts on each page. Every offset, length and count is held to the
// file's bytes; whatever this reader does not follow (encryption, a damaged
// cross-reference) makes it give up, never guess: the page is then rendered.

struct PdfReference {
    uint32_t number = 0;
    uint32_t generation = 0;
};

struct PdfObject {
    enum class Kind { Null, Boolean, Number, Name, String, Array, Dictionary, Reference, Stream };
    Kind kind = Kind::Null;
    double number = 0;
    bool isInteger = false;
    std::string text; // a name (without its slash) or a string's bytes
    std::vector<PdfObject> items; // an array's items, a dictionary's (or stream's) values
    std::vector<std::string> keys; // a dictionary's keys, one for each item
    PdfReference reference;
    size_t streamBegin = 0; // a stream's data, within the file
    size_t streamSize = 0;

    // The value under `key` of a dictionary or stream; nothing for any other object.
    const PdfObject* Find(std::string_view key) const;
    bool IsName(std::string_view name) const { return kind == Kind::Name && text == name; }
    // The number when it is a whole one within int32_t.
    std::optional<int32_t> Integer() const;
};

class PdfFile {
public:
    // The file's cross-reference (tables or streams, with their earlier sections)
    // and trailer; nothing when they cannot be read or the file is encrypted.
    static std::optional<PdfFile> Open(std::span<const uint8_t> bytes);

    const PdfObject& Trailer() const { return m_trailer; }
    // The object a reference names, or the object itself when it is none.
    std::optional<PdfObject> Resolve(const PdfObject& object) const;
    // A stream's data as stored, and as decoded (no filter or FlateDecode) up to
    // `limit` bytes; nothing past the limit or for any other filter.
    std::span<const uint8_t> StoredBytes(const PdfObject& stream) const;
    std::optional<std::vector<uint8_t>> Decoded(const PdfObject& stream, size_t limit) const;

private:
    struct Entry {
        size_t offset = 0; // in the file; or, for an object in an object stream, its index
        uint32_t container = 0; // the object stream holding it; 0: none
    };

    explicit PdfFile(std::span<const uint8_t> bytes)
        : m_bytes(bytes)
    {
    }
    bool ReadSections(size_t offset);
    bool ReadTable(size_t offset, PdfObject& trailer);
    bool ReadStreamSection(size_t offset, PdfObject& trailer);
    std::optional<PdfObject> Load(PdfReference reference, int depth) const;
    std::optional<PdfObject> LoadCompressed(uint32_t container, size_t index, int depth) const;
    std::optional<PdfObject> ResolveAt(const PdfObject& object, int depth) const;

    std::span<const uint8_t> m_bytes;
    std::unordered_map<uint32_t, Entry> m_entries;
    PdfObject m_trailer;
};
