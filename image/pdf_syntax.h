#pragma once

#include "image/pdf_objects.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Reads PDF tokens and direct objects from a position in the file's bytes. Never
// reads past the bytes; nesting is held to a small depth, so hostile input costs
// neither the stack nor much time.
class PdfSyntax {
public:
    PdfSyntax(std::span<const uint8_t> bytes, size_t position)
        : m_bytes(bytes)
        , m_position(position)
    {
    }

    // One object: null, boolean, number, name, string, array, dictionary or "N G R".
    // A dictionary followed by a stream is returned as the dictionary; the caller
    // reads the stream. Nothing for anything else.
    std::optional<PdfObject> ReadObject() { return ReadObjectAt(0); }
    // Whether the next token is this keyword; it is taken when it is.
    bool ReadKeyword(std::string_view keyword);
    // The next token as a non-negative integer.
    std::optional<int64_t> ReadUnsigned();
    void SkipSpace();

    size_t Position() const { return m_position; }
    void Seek(size_t position) { m_position = position; }

private:
    std::optional<PdfObject> ReadObjectAt(int depth);
    std::optional<PdfObject> ReadNumberOrReference();
    std::optional<PdfObject> ReadName();
    std::optional<PdfObject> ReadLiteralString();
    std::optional<PdfObject> ReadHexString();
    std::optional<PdfObject> ReadArray(int depth);
    std::optional<PdfObject> ReadDictionary(int depth);
    int Peek(size_t ahead = 0) const;

    std::span<const uint8_t> m_bytes;
    size_t m_position;
};

// PDF's white space and delimiters.
bool IsPdfSpace(int c);
bool IsPdfDelimiter(int c);
