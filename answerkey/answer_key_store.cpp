#include "answerkey/answer_key_store.h"

#include "framework/format.h"
#include "framework/message_box.h"

AnswerKey g_enteredKey;
AnswerKey g_committedKey;
bool g_keyReady = false;
AnswerKey g_gradingKey;

namespace {

bool IsValidAnswer(const std::string& answer)
{
    return !answer.empty() && answer.front() >= 'a' && answer.front() <= 'e';
}

} // namespace

void AcceptAnswerKey(const AnswerList& answers, const std::string& name)
{
    g_enteredKey.name = name;
    int32_t validCount = 0;
    for (int q = 1; q <= kQuestionCount; ++q) {
        const std::string& answer = answers[static_cast<size_t>(q - 1)];
        if (IsValidAnswer(answer))
            ++validCount;
        else if (!answer.empty())
            ShowMessage(FormatText("มีการใส่ค่าเฉลยผิดข้อกำหนด\nในข้อที่ %d\nจะทำให้การตรวจผิดพลาดได้", q));
    }
    ShowMessage(FormatText("จำนวนข้อที่จะตรวจได้ = %d ข้อ", validCount));
    g_enteredKey.count = validCount;
    // Invalid answers are kept as typed: validation only reports and counts.
    g_enteredKey.answers = answers;
}

void CommitAnswerKey()
{
    g_committedKey = g_enteredKey;
    g_keyReady = true;
}

bool HasAnswerKey()
{
    return !g_enteredKey.answers.front().empty();
}

void TakeGradingCopy()
{
    g_gradingKey.answers = g_enteredKey.answers;
    g_gradingKey.count = g_enteredKey.count;
}
