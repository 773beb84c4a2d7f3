#pragma once

#include <cstdint>
#include <cstdlib>
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

// A PDF page is rendered by a process of its own, within limits that end it well inside the
// fuzzer's 10-second timeout even when a harness loads three pages of one input. Not inline:
// libFuzzer looks the symbol up, so it must be emitted (each harness is one source file).
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("VANTREL_PDF_PAGE_LIMITS", "2,512", 1);
    return 0;
}
