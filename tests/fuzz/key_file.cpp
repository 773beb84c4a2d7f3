// Any bytes as a key file. Whatever was read, once written, reads back as a key
// that writes the very same file.
#include "answerkey/answer_key_file.h"
#include "fuzz_input.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

static std::string Bytes(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AnswerList read, again;
    if (!ReadAnswerKeyFile(InputFile(data, size), read))
        return 0;
    const std::string first = InputFile(nullptr, 0, ".1"), second = InputFile(nullptr, 0, ".2");
    if (!WriteAnswerKeyFile(first, read) || !ReadAnswerKeyFile(first, again)
        || !WriteAnswerKeyFile(second, again) || Bytes(first) != Bytes(second))
        std::abort();
    return 0;
}
