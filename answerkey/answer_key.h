#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int kQuestionCount = 100;

// One string per question, question 1 first; each holds zero or one byte.
using AnswerList = std::array<std::string, kQuestionCount>;

struct AnswerKey {
    AnswerList answers;
    int32_t count = 0; // number of valid answers (a to e) found by the last validation
    std::string name; // title of the key file last loaded
};
