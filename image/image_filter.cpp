#include "image/image_codecs.h"
#include "image/sheet_image.h"

#include <new>

Status SheetImage::BuildImageFilter(std::string& filter, std::vector<ImageType>& types,
    const char* firstDescription, uint32_t excludeMask, char separator)
{
    try {
        // Built aside so that a failure leaves the caller's text and list untouched.
        std::string text = filter;
        std::vector<ImageType> listed = types;
        if (firstDescription)
            listed.push_back(ImageType::None);
        std::string entries;
        std::string allPatterns;
        for (const ImageCodec& codec : kImageCodecs) {
            if (excludeMask & codec.maskBit)
                continue;
            entries.append(codec.description).append(" (").append(codec.patterns).append(")");
            entries.append(1, separator).append(codec.patterns).append(1, separator);
            listed.push_back(codec.type);
            if (!allPatterns.empty())
                allPatterns += ';';
            allPatterns += codec.patterns;
        }
        if (firstDescription)
            text.append(firstDescription).append(1, separator).append(allPatterns).append(1, separator);
        text.append(entries).append(1, separator);
        if (listed.empty())
            text.append(1, separator);
        filter = std::move(text);
        types = std::move(listed);
        return {};
    } catch (const std::bad_alloc&) {
        return Status::Failure("not enough memory for the file type list");
    }
}
