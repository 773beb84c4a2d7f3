#include "framework/teacher_text.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

std::atomic<TextTranslation> g_translation { nullptr };

// Adds one to the decimal digits before `end`, carrying to the left.
void RoundUp(std::string& digits, size_t end)
{
    for (size_t i = end; i-- > 0;) {
        if (digits[i] == '.')
            continue;
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

void SetTextTranslation(TextTranslation translation)
{
    g_translation = translation;
}

std::string TeacherText(const char* context, const char* thai)
{
    const TextTranslation translation = g_translation;
    return translation ? translation(context, thai) : std::string(thai);
}

std::string FillIn(const std::string& text, std::initializer_list<std::string> values)
{
    const std::vector<std::string> given(values);
    std::string filled;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t number = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '0') : 0;
        if (text[i] == '%' && number >= 1 && number <= given.size()) {
            filled += given[number - 1];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::string FixedDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return value != value ? "nan" : value < 0 ? "-inf" : "inf";
    // A double's decimal expansion is finite: printed whole, it is rounded here once.
    std::vector<char> exact(1200);
    const int length = std::snprintf(exact.data(), exact.size(), "%.1100f", std::fabs(value));
    std::string digits(exact.data(), static_cast<size_t>(length));
    const size_t point = digits.find('.');
    const size_t keep = point + (decimals > 0 ? static_cast<size_t>(decimals) + 1 : 0);
    const bool up = digits[point + static_cast<size_t>(decimals) + 1] >= '5';
    digits.resize(keep);
    if (up)
        RoundUp(digits, digits.size());
    return (value < 0 ? "-" : "") + digits;
}
