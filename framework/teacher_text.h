#pragma once

#include <initializer_list>
#include <string>

// A text a teacher reads, given by its Thai source and the context it is translated in.
// The reading library has no Qt: the program that links Qt installs its translation
// here (framework/teacher_language); without one the Thai source is the text.
// lupdate finds these calls with `-tr-function-alias translate+=TeacherText`.
using TextTranslation = std::string (*)(const char* context, const char* thai);

void SetTextTranslation(TextTranslation translation);
// A text to be translated later (in a table), for lupdate to find with its context:
// `-tr-function-alias QT_TRANSLATE_NOOP+=TEACHER_TEXT_NOOP`.
#define TEACHER_TEXT_NOOP(context, thai) thai
std::string TeacherText(const char* context, const char* thai);

// Puts the values for %1, %2, ... into the text in one pass, as QString::arg does with
// several arguments: a value's own "%1" is never filled in again.
std::string FillIn(const std::string& text, std::initializer_list<std::string> values);

// The value with `decimals` digits after the point, as QString::number(value, 'f',
// decimals) writes it: a value halfway between two is rounded away from zero, where
// printf would round to even.
std::string FixedDecimals(double value, int decimals);
