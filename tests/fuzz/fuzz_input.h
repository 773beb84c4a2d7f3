#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

// The core reads files by path: each input goes to this process's one file.
inline std::string InputFile(const uint8_t* data, size_t size, const char* suffix = "")
{
    const std::string path = "/tmp/vantrel-fuzz-" + std::to_string(getpid()) + suffix;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return path;
}
