// Any bytes as a key file. Whatever was read, once written, reads back as itself.
#include "answerkey/answer_key_file.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Result<AnswerList> read = ReadAnswerKeyFile(InputFile(data, size));
    if (!read)
        return 0;
    const std::string copy = InputFile(nullptr, 0, ".key");
    if (!WriteAnswerKeyFile(copy, *read))
        std::abort();
    const Result<AnswerList> again = ReadAnswerKeyFile(copy);
    if (!again || *again != *read)
        std::abort();
    return 0;
}
