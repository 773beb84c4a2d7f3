#pragma once

#include "answerkey/answer_key.h"

// The key in its three stages. Entered and committed belong to the desktop's one
// UI thread (the batch grader fills them once before grading); the grading copy is
// per thread so sheets graded in parallel each read their own.
extern AnswerKey g_enteredKey;
extern AnswerKey g_committedKey;
extern bool g_keyReady;
extern thread_local AnswerKey g_gradingKey;

// The warning that no key has been entered at all, for whatever refuses to go on without one.
inline constexpr const char* kNoAnswerKeyWarning = "คำเตือน!! ยังไม่มีการใส่เฉลยใดๆ\nโปรดใส่ค่าเฉลยให้ครบก่อน";

// Validates the answers (one message per invalid answer, then the count), and
// stores them with the count and name as the entered key.
void AcceptAnswerKey(const AnswerList& answers, const std::string& name);
// Copies the entered key into the committed key and marks the key ready.
void CommitAnswerKey();
// True when question 1 of the entered key has an answer.
bool HasAnswerKey();
// Copies the entered key's answers and count into this thread's grading key.
void TakeGradingCopy();
