// Any bytes as a key file. Whatever was read, once written, reads back as a key
// that writes and reads back as itself.
#include "answerkey/answer_key_file.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AnswerList read, again, third;
    const std::string copy = InputFile(nullptr, 0, ".key");
    if (ReadAnswerKeyFile(InputFile(data, size), read)
        && (!WriteAnswerKeyFile(copy, read) || !ReadAnswerKeyFile(copy, again)
            || !WriteAnswerKeyFile(copy, again) || !ReadAnswerKeyFile(copy, third) || third != again))
        std::abort();
    return 0;
}
