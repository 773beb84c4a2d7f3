#include "sheet_content.h"

#include <algorithm>
#include <cctype>

std::string ParseExamineeId(const std::string& text, std::string& id)
{
    const bool digits = std::all_of(text.begin(), text.end(),
                                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    if (text.size() != 8 || !digits)
        return "the examinee ID must be exactly 8 digits, got '" + text + "'";
    id = text;
    return {};
}

std::string ParseMarkList(const std::string& text, MarkedAnswers& marks)
{
    MarkedAnswers parsed;
    size_t question = 0;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string entry = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (question == parsed.size())
            return "more than 100 answers given";
        std::string letters;
        for (const char c : entry) {
            if (c < 'a' || c > 'e')
                return "answer " + std::to_string(question + 1) + " ('" + entry
                    + "'): use the letters a to e, several for a multiple mark";
            if (letters.find(c) != std::string::npos)
                return "answer " + std::to_string(question + 1) + " ('" + entry + "') repeats a letter";
            letters += c;
        }
        std::sort(letters.begin(), letters.end());
        parsed[question++] = letters;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    marks = parsed;
    return {};
}
