#pragma once

#include "answerkey/answer_key.h"

// The key in its three stages, the desktop's: entered in the key dialog, committed
// by the main dialog, copied for grading by the checking commands. The batch grader
// hands its key to the engine itself.
extern AnswerKey g_enteredKey;
extern AnswerKey g_committedKey;
extern bool g_keyReady;
extern AnswerKey g_gradingKey;

// The warning that no key has been entered at all, for whatever refuses to go on without one.
inline constexpr const char* kNoAnswerKeyWarning = "คำเตือน!! ยังไม่มีการใส่เฉลยใดๆ\nโปรดใส่ค่าเฉลยให้ครบก่อน";

// Validates the answers (one message per invalid answer, then the count), and
// stores them with the count and name as the entered key.
void AcceptAnswerKey(const AnswerList& answers, const std::string& name);
// Copies the entered key into the committed key and marks the key ready.
void CommitAnswerKey();
// True when question 1 of the entered key has an answer.
bool HasAnswerKey();
// Copies the entered key's answers and count into the grading key.
void TakeGradingCopy();
