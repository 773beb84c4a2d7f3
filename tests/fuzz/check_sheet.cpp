// Any bytes that load as an image go through the whole checking sequence.
#include "omr/check_sheet.h"
#include "answerkey/answer_key_store.h"
#include "framework/message_box.h"
#include "fuzz_input.h"
#include "image/sheet_image.h"

struct SilentMessages : MessageBoxService {
    void Show(const std::string&) override { }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentMessages silent;
    ScopedMessageBox quiet(silent);
    static const bool keyed = [] {
        AnswerList answers;
        answers.fill("c");
        AcceptAnswerKey(answers, "fuzz");
        return true;
    }();
    SheetImage image;
    if (keyed && image.LoadFromFile(InputFile(data, size)))
        CheckSheet(image, [] {});
    return 0;
}
