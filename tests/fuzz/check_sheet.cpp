// Any bytes that load as an image go through the whole checking sequence.
#include "omr/check_sheet.h"
#include "framework/message_box.h"
#include "fuzz_input.h"
#include "image/sheet_image.h"
#include "omr/engine_state.h"

struct SilentMessages : MessageBoxService {
    void Show(const std::string&) override { }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentMessages silent;
    static const AnswerKey key = [] {
        AnswerKey full;
        full.answers.fill("c");
        full.count = kQuestionCount;
        return full;
    }();
    ScopedMessageBox quiet(silent);
    EngineState engine { { &silent } };
    SheetImage image;
    if (image.LoadFromFile(InputFile(data, size)))
        CheckSheet(image, engine, key, [] {});
    return 0;
}
