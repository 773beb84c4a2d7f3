#pragma once

#include <string>
#include <vector>

enum class ImageError {
    None,
    CannotOpen, // missing or unreadable file
    CannotDecode, // not an image, corrupt or truncated
    TooLarge, // over the pixel limit
    WrongSize, // a page the size of no paper the engine reads
    Locked, // a document that needs a password
    UnknownExtension, // no encoder claims the extension
    CannotEncode,
    CannotWrite,
    OutOfMemory,
    Empty, // the image holds no pixels
};

// Outcome of an image operation; a failure carries a message for a person.
struct ImageResult {
    ImageError error = ImageError::None;
    std::string message;
    // What the decoder said of a file it still read (a TIFF's unknown tags).
    std::vector<std::string> warnings;

    bool ok() const { return error == ImageError::None; }
    explicit operator bool() const { return ok(); }

    static ImageResult Failure(ImageError error, std::string message)
    {
        ImageResult result;
        result.error = error;
        result.message = std::move(message);
        return result;
    }
    // Data a decoder finds damaged or missing: the sheet is refused, never
    // filled out with grey.
    static ImageResult Corrupt(const std::string& why)
    {
        return Failure(ImageError::CannotDecode, "ข้อมูลภาพเสียหาย: " + why);
    }
};
