#include "grading/final_reading.h"

#include "omr/second_reading/second_reading.h"
#include "omr/sheet_review.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace {

constexpr const char* kHowNames[] = { "second", "typed", "first", "policy" };
constexpr const char* kSheetItems[] = { "tilt", "mark", "checked" };

// The question (0 first) or ID column (0 the leftmost) an item names; -1 for another item.
int Numbered(const std::string& item, const std::string& prefix, int count)
{
    if (item.compare(0, prefix.size(), prefix) != 0 || item.size() == prefix.size()
        || item.size() > prefix.size() + 3)
        return -1;
    int number = 0;
    for (size_t i = prefix.size(); i < item.size(); ++i) {
        if (item[i] < '0' || item[i] > '9')
            return -1;
        number = number * 10 + (item[i] - '0');
    }
    return number >= 1 && number <= count ? number - 1 : -1;
}

int QuestionOf(const std::string& item)
{
    return Numbered(item, "q", kQuestionCount);
}

int IdColumnOf(const std::string& item)
{
    return Numbered(item, "id:", kIdDigitCount);
}

int FirstDigit(int32_t id, int column)
{
    for (int i = column + 1; i < kIdDigitCount; ++i)
        id /= 10;
    return id % 10;
}

// The digit of an ID column before anyone settles it: the second reading's where it read
// one digit other than the first reading's.
int ProposedDigit(const SheetReadings& readings, int column)
{
    const int first = FirstDigit(readings.examineeId, column);
    if (!readings.second.read)
        return first;
    const int second = readings.second.digits[static_cast<size_t>(column)];
    return second >= 0 && second <= 9 ? second : first;
}

// A question's letters and score before anyone settles it.
struct ProposedRow {
    std::string letters;
    std::optional<QuestionScore> score;
};

ProposedRow ProposedQuestion(const SheetReadings& readings, const AnswerList& key, int q)
{
    const size_t row = static_cast<size_t>(q);
    const std::optional<QuestionScore> first = readings.scores[row];
    if (!first || !readings.second.read)
        return { readings.letters[row], first };
    // Its letters too where only they differ: a faint or off-centre mark the first
    // reading's boxes missed is a wrong answer either way, but the class's item analysis
    // counts which letter it was.
    const std::string& marked = readings.second.marked[row];
    const std::optional<QuestionScore> second = ScoreOfMarkedLetters(marked, KeyLetterOf(key[row]));
    if (second && (*second != *first || marked != readings.letters[row]))
        return { marked, second };
    return { readings.letters[row], first };
}

} // namespace

const char* HowName(ResolutionHow how)
{
    return kHowNames[static_cast<size_t>(how)];
}

std::optional<ResolutionHow> HowNamed(const std::string& name)
{
    for (size_t i = 0; i < std::size(kHowNames); ++i)
        if (name == kHowNames[i])
            return static_cast<ResolutionHow>(i);
    return std::nullopt;
}

std::string OperatingSystemUser()
{
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name)
        return entry->pw_name;
    const char* name = std::getenv("USER");
    return name ? name : "unknown";
}

std::string UtcNow()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis
        = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc {};
    gmtime_r(&seconds, &utc);
    char text[40];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    return std::string(text, length) + '.' + std::to_string(1000 + millis).substr(1) + 'Z';
}

Resolution MakeResolution(std::string item, std::string machineValue, std::string chosenValue,
    ResolutionHow how, std::string reason)
{
    return { std::move(item), std::move(machineValue), std::move(chosenValue), how, OperatingSystemUser(),
        UtcNow(), std::move(reason) };
}

Result<std::string> ResolvedValue(const std::string& item, const std::string& value)
{
    if (QuestionOf(item) >= 0) {
        if (value == "-")
            return std::string();
        std::string letters;
        for (char letter = 'a'; letter <= 'e'; ++letter)
            if (value.find(letter) != std::string::npos)
                letters += letter;
        if (value.find_first_not_of("abcde") != std::string::npos)
            return Status::Failure(
                item + " takes the letters a to e, or - for a blank row; got '" + value + "'");
        return letters;
    }
    if (IdColumnOf(item) >= 0) {
        if (value.size() != 1 || value[0] < '0' || value[0] > '9')
            return Status::Failure(item + " takes one digit; got '" + value + "'");
        return value;
    }
    for (const char* sheetItem : kSheetItems)
        if (item == sheetItem)
            return std::string("ok");
    return Status::Failure("no such item: '" + item + "' (q1 to q100, id:1 to id:8, tilt, mark or checked)");
}

std::string ProposedValue(const SheetReadings& readings, const AnswerList& key, const std::string& item)
{
    if (const int q = QuestionOf(item); q >= 0)
        return ProposedQuestion(readings, key, q).letters;
    if (const int column = IdColumnOf(item); column >= 0)
        return std::to_string(ProposedDigit(readings, column));
    return "ok";
}

FinalReading ReadFinally(
    const SheetReadings& readings, const AnswerList& key, const std::vector<Resolution>& resolutions)
{
    FinalReading reading;
    reading.graded = true;
    std::array<const Resolution*, kQuestionCount> settledQuestions {};
    std::array<const Resolution*, kIdDigitCount> settledColumns {};
    std::vector<const std::string*> settledItems;
    for (const Resolution& resolution : resolutions) { // the latest of an item holds
        if (!ResolvedValue(resolution.item, resolution.chosenValue))
            continue; // not one this program would have kept
        settledItems.push_back(&resolution.item);
        reading.settled.push_back(resolution);
        if (const int q = QuestionOf(resolution.item); q >= 0)
            settledQuestions[static_cast<size_t>(q)] = &resolution;
        else if (const int column = IdColumnOf(resolution.item); column >= 0)
            settledColumns[static_cast<size_t>(column)] = &resolution;
    }

    for (int column = 0; column < kIdDigitCount; ++column) {
        const Resolution* settled = settledColumns[static_cast<size_t>(column)];
        const int digit = settled ? settled->chosenValue[0] - '0' : ProposedDigit(readings, column);
        reading.examineeId = reading.examineeId * 10 + digit;
    }
    for (int q = 0; q < kQuestionCount; ++q) {
        const size_t row = static_cast<size_t>(q);
        const Resolution* settled = settledQuestions[row];
        ProposedRow proposed = settled ? ProposedRow { settled->chosenValue,
            ScoreOfMarkedLetters(settled->chosenValue, KeyLetterOf(key[row])) }
                                       : ProposedQuestion(readings, key, q);
        reading.letters[row] = std::move(proposed.letters);
        reading.scores[row] = proposed.score;
        if (proposed.score)
            ++(*proposed.score == QuestionScore::Correct      ? reading.correct
                    : *proposed.score == QuestionScore::Wrong ? reading.wrong
                                                              : reading.errors);
    }
    for (const ReviewItem& doubt : readings.review.items)
        reading.unresolved += std::none_of(settledItems.begin(), settledItems.end(),
            [&doubt](const std::string* item) { return *item == doubt.item; });
    return reading;
}

std::string FirstValue(const SheetReadings& readings, const std::string& item)
{
    if (const int q = QuestionOf(item); q >= 0)
        return readings.letters[static_cast<size_t>(q)];
    if (const int column = IdColumnOf(item); column >= 0)
        return std::to_string(FirstDigit(readings.examineeId, column));
    return "ok";
}

bool ReadingsDisagree(const SheetReadings& readings, const AnswerList& key, const std::string& item)
{
    if (const int q = QuestionOf(item); q >= 0) {
        const size_t row = static_cast<size_t>(q);
        const ProposedRow proposed = ProposedQuestion(readings, key, q);
        return proposed.letters != readings.letters[row] || proposed.score != readings.scores[row];
    }
    if (const int column = IdColumnOf(item); column >= 0)
        return ProposedDigit(readings, column) != FirstDigit(readings.examineeId, column);
    return false;
}
