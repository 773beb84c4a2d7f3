// Any bytes as a key file; what was read is written and must read back the same.
#include "answerkey/answer_key_file.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AnswerList read, again;
    if (!ReadAnswerKeyFile(InputFile(data, size), read))
        return 0;
    const std::string copy = InputFile(nullptr, 0, ".key");
    if (!WriteAnswerKeyFile(copy, read) || !ReadAnswerKeyFile(copy, again) || again != read)
        std::abort();
    return 0;
}
