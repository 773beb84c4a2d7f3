#pragma once

#include <string>

enum class ImageError {
    None,
    CannotOpen,        // missing or unreadable file
    CannotDecode,      // not an image, corrupt or truncated
    TooLarge,          // over the pixel limit
    UnknownExtension,  // no encoder claims the extension
    CannotEncode,
    CannotWrite,
    OutOfMemory,
    Empty,             // the image holds no pixels
};

// Outcome of an image operation; a failure carries a message for a person.
struct ImageResult {
    ImageError error = ImageError::None;
    std::string message;

    bool ok() const { return error == ImageError::None; }
    explicit operator bool() const { return ok(); }

    static ImageResult Failure(ImageError error, std::string message) { return {error, std::move(message)}; }
};
