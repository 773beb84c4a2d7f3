#include "image/pdf_syntax.h"

#include <cstdlib>
#include <string>

namespace {

// Deeper nesting than any page of a scan needs.
constexpr int kMaxDepth = 32;
// A number token longer than this is no number a page holds.
constexpr size_t kMaxNumberLength = 32;

int HexValue(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool IsPdfSpace(int c)
{
    return c == 0 || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

bool IsPdfDelimiter(int c)
{
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}'
        || c == '/' || c == '%';
}

int PdfSyntax::Peek(size_t ahead) const
{
    return m_position + ahead < m_bytes.size() ? m_bytes[m_position + ahead] : -1;
}

void PdfSyntax::SkipSpace()
{
    for (;;) {
        const int c = Peek();
        if (c == '%') {
            while (Peek() != -1 && Peek() != '\n' && Peek() != '\r')
                ++m_position;
        } else if (c != -1 && IsPdfSpace(c)) {
            ++m_position;
        } else {
            return;
        }
    }
}

bool PdfSyntax::ReadKeyword(std::string_view keyword)
{
    SkipSpace();
    if (m_bytes.size() - m_position < keyword.size()
        || std::string_view(reinterpret_cast<const char*>(m_bytes.data() + m_position), keyword.size())
            != keyword)
        return false;
    const int after = Peek(keyword.size());
    if (after != -1 && !IsPdfSpace(after) && !IsPdfDelimiter(after))
        return false;
    m_position += keyword.size();
    return true;
}

std::optional<int64_t> PdfSyntax::ReadUnsigned()
{
    SkipSpace();
    int64_t value = 0;
    size_t digits = 0;
    while (Peek() >= '0' && Peek() <= '9') {
        if (++digits > 18)
            return std::nullopt;
        value = value * 10 + (Peek() - '0');
        ++m_position;
    }
    if (digits == 0)
        return std::nullopt;
    return value;
}

std::optional<PdfObject> PdfSyntax::ReadObjectAt(int depth)
{
    if (depth > kMaxDepth)
        return std::nullopt;
    SkipSpace();
    const int c = Peek();
    if (c == '/')
        return ReadName();
    if (c == '(')
        return ReadLiteralString();
    if (c == '[')
        return ReadArray(depth);
    if (c == '<')
        return Peek(1) == '<' ? ReadDictionary(depth) : ReadHexString();
    if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')
        return ReadNumberOrReference();
    PdfObject object;
    if (ReadKeyword("null"))
        return object;
    object.kind = PdfObject::Kind::Boolean;
    if (ReadKeyword("true")) {
        object.number = 1;
        return object;
    }
    if (ReadKeyword("false"))
        return object;
    return std::nullopt;
}

std::optional<PdfObject> PdfSyntax::ReadNumberOrReference()
{
    const size_t start = m_position;
    while (Peek() != -1 && !IsPdfSpace(Peek()) && !IsPdfDelimiter(Peek()))
        ++m_position;
    if (m_position - start > kMaxNumberLength)
        return std::nullopt;
    const std::string token(reinterpret_cast<const char*>(m_bytes.data() + start), m_position - start);
    char* end = nullptr;
    PdfObject object;
    object.kind = PdfObject::Kind::Number;
    object.number = std::strtod(token.c_str(), &end);
    if (end != token.c_str() + token.size())
        return std::nullopt;
    object.isInteger = token.find('.') == std::string::npos;
    // "N G R" is a reference; anything else leaves the number alone.
    const std::optional<int32_t> number = object.Integer();
    if (!number || *number < 0 || token[0] == '+' || token[0] == '-')
        return object;
    const size_t afterNumber = m_position;
    const std::optional<int64_t> generation = ReadUnsigned();
    if (generation && *generation <= 65535 && ReadKeyword("R")) {
        object.kind = PdfObject::Kind::Reference;
        object.reference = { static_cast<uint32_t>(*number), static_cast<uint32_t>(*generation) };
        return object;
    }
    m_position = afterNumber;
    return object;
}

std::optional<PdfObject> PdfSyntax::ReadName()
{
    ++m_position; // the slash
    PdfObject object;
    object.kind = PdfObject::Kind::Name;
    while (Peek() != -1 && !IsPdfSpace(Peek()) && !IsPdfDelimiter(Peek())) {
        if (Peek() == '#' && HexValue(Peek(1)) >= 0 && HexValue(Peek(2)) >= 0) {
            object.text += static_cast<char>(HexValue(Peek(1)) * 16 + HexValue(Peek(2)));
            m_position += 3;
        } else {
            object.text += static_cast<char>(Peek());
            ++m_position;
        }
    }
    return object;
}

// The string's bytes as written: a page's strings are only skipped over.
std::optional<PdfObject> PdfSyntax::ReadLiteralString()
{
    ++m_position;
    PdfObject object;
    object.kind = PdfObject::Kind::String;
    int open = 1;
    while (Peek() != -1) {
        const int c = Peek();
        ++m_position;
        if (c == '\\') {
            if (Peek() != -1)
                object.text += static_cast<char>(Peek());
            ++m_position;
            continue;
        }
        if (c == '(')
            ++open;
        if (c == ')' && --open == 0)
            return object;
        object.text += static_cast<char>(c);
    }
    return std::nullopt;
}

std::optional<PdfObject> PdfSyntax::ReadHexString()
{
    ++m_position;
    PdfObject object;
    object.kind = PdfObject::Kind::String;
    while (Peek() != -1 && Peek() != '>') {
        if (!IsPdfSpace(Peek()) && HexValue(Peek()) < 0)
            return std::nullopt;
        object.text += static_cast<char>(Peek());
        ++m_position;
    }
    if (Peek() != '>')
        return std::nullopt;
    ++m_position;
    return object;
}

std::optional<PdfObject> PdfSyntax::ReadArray(int depth)
{
    ++m_position;
    PdfObject array;
    array.kind = PdfObject::Kind::Array;
    for (;;) {
        SkipSpace();
        if (Peek() == ']') {
            ++m_position;
            return array;
        }
        std::optional<PdfObject> item = ReadObjectAt(depth + 1);
        if (!item)
            return std::nullopt;
        array.items.push_back(std::move(*item));
    }
}

std::optional<PdfObject> PdfSyntax::ReadDictionary(int depth)
{
    m_position += 2;
    PdfObject dictionary;
    dictionary.kind = PdfObject::Kind::Dictionary;
    for (;;) {
        SkipSpace();
        if (Peek() == '>' && Peek(1) == '>') {
            m_position += 2;
            return dictionary;
        }
        if (Peek() != '/')
            return std::nullopt;
        std::optional<PdfObject> key = ReadName();
        std::optional<PdfObject> value = ReadObjectAt(depth + 1);
        if (!value)
            return std::nullopt;
        dictionary.keys.push_back(std::move(key->text));
        dictionary.items.push_back(std::move(*value));
    }
}
