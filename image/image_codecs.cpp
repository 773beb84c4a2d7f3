#include "image/image_codecs.h"

#include <string_view>

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower
            = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool PatternsList(std::string_view patterns, std::string_view extension)
{
    while (!patterns.empty()) {
        const size_t end = patterns.find(';');
        std::string_view pattern = patterns.substr(0, end);
        // Only the part after "*." names an extension.
        if (const size_t dot = pattern.rfind('.'); dot != std::string_view::npos)
            pattern.remove_prefix(dot + 1);
        if (EqualIgnoringCase(pattern, extension))
            return true;
        patterns = end == std::string_view::npos ? std::string_view {} : patterns.substr(end + 1);
    }
    return false;
}

} // namespace

const ImageCodec* EncoderForPath(const std::string& path)
{
    std::string_view name = path;
    if (const size_t slash = name.rfind('/'); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size())
        return nullptr;
    const std::string_view extension = name.substr(dot + 1);
    for (const ImageCodec& codec : kImageCodecs)
        if (codec.canWrite && PatternsList(codec.patterns, extension))
            return &codec;
    return nullptr;
}

const ImageCodec* DecoderForQtFormat(const std::string& qtFormat)
{
    for (const ImageCodec& codec : kImageCodecs)
        if (qtFormat == codec.qtFormat)
            return &codec;
    return nullptr;
}
