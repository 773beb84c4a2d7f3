#include "grading/class_review.h"

#include "framework/format.h"

#include <algorithm>
#include <map>

namespace {

const std::vector<RosterStudent> kNoStudents;

std::string IdText(int32_t id)
{
    return FormatText("%08d", id);
}

bool Settled(const GradedSheet& sheet, const std::string& item)
{
    return std::any_of(
        sheet.resolutions.begin(), sheet.resolutions.end(), [&item](const Resolution& resolution) {
            return resolution.item == item && ResolvedValue(resolution.item, resolution.chosenValue);
        });
}

// Settled ID by ID column: a teacher who gave every digit has settled the whole ID.
bool WholeIdSettled(const GradedSheet& sheet)
{
    for (int column = 1; column <= kIdDigitCount; ++column)
        if (!Settled(sheet, "id:" + std::to_string(column)))
            return false;
    return true;
}

int Group(ClassReviewKind kind)
{
    return kind == ClassReviewKind::Question ? 1 : kind == ClassReviewKind::Sheet ? 2 : 0;
}

// The sheet's own doubts, as the review found them.
void AddDoubts(
    std::vector<ClassReviewItem>& items, size_t page, const GradedSheet& sheet, const AnswerList& key)
{
    const SheetReadings readings = ReadingsOf(sheet);
    const std::string finalId = IdText(sheet.finalReading.examineeId);
    for (const ReviewItem& doubt : sheet.review.items) {
        ClassReviewItem item;
        item.page = page;
        item.item = doubt.item;
        item.doubt = doubt; // a copy: the class's sheets may move when a late one joins
        item.resolved = Settled(sheet, doubt.item);
        item.proposed = ProposedValue(readings, key, doubt.item);
        if (doubt.item.rfind("id:", 0) == 0) {
            const size_t column = std::stoul(doubt.item.substr(3)) - 1;
            item.kind = ClassReviewKind::IdColumn;
            item.first = IdText(sheet.first.examineeId).substr(column, 1);
            const int digit = sheet.second.digits[column];
            item.second = sheet.second.read && digit >= 0 ? std::to_string(digit) : "?";
            item.current = finalId.substr(column, 1);
            const IdColumnMeasure& measure = sheet.measures.idColumns[column];
            item.firstDarkness.assign(10, -1);
            if (measure.winner >= 0)
                item.firstDarkness[static_cast<size_t>(measure.winner)] = measure.winnerBlack;
            if (measure.runnerUp >= 0)
                item.firstDarkness[static_cast<size_t>(measure.runnerUp)] = measure.runnerUpBlack;
            item.secondDarkness.assign(sheet.second.idInk[column].begin(), sheet.second.idInk[column].end());
        } else if (doubt.item[0] == 'q') {
            const size_t row = std::stoul(doubt.item.substr(1)) - 1;
            item.kind = ClassReviewKind::Question;
            item.first = sheet.first.letters[row];
            item.second = sheet.second.read ? sheet.second.marked[row] : "?";
            item.current = sheet.finalReading.letters[row];
            const QuestionMeasure& measure = sheet.measures.questions[row];
            item.firstDarkness.assign(measure.boxBlack.begin(), measure.boxBlack.end());
            item.secondDarkness.assign(
                sheet.second.answerInk[row].begin(), sheet.second.answerInk[row].end());
        } else {
            item.kind = ClassReviewKind::Sheet;
            item.first = doubt.first;
            item.second = doubt.second;
        }
        items.push_back(std::move(item));
    }
}

} // namespace

std::vector<ClassReviewItem> ClassReviewItems(const std::vector<std::optional<GradedSheet>>& sheets,
    const AnswerList& key, const Roster* roster, const std::set<int32_t>& confirmedAbsent)
{
    std::vector<ClassReviewItem> items;
    std::map<int32_t, int> sheetsOfId;
    for (const std::optional<GradedSheet>& sheet : sheets)
        if (sheet && sheet->status != SheetStatus::Refused)
            ++sheetsOfId[sheet->finalReading.examineeId];
    for (size_t page = 0; page < sheets.size(); ++page) {
        if (!sheets[page])
            continue;
        const GradedSheet& sheet = *sheets[page];
        if (sheet.status == SheetStatus::Refused) {
            ClassReviewItem item;
            item.page = page;
            item.kind = ClassReviewKind::Refused;
            item.item = "mark";
            item.first = sheet.refusal;
            item.proposed = "ok";
            item.resolved = Settled(sheet, item.item);
            items.push_back(std::move(item));
            continue;
        }
        AddDoubts(items, page, sheet, key);
        const int32_t id = sheet.finalReading.examineeId;
        const bool notOnList = roster && !roster->Find(id);
        if (!notOnList && sheetsOfId[id] < 2)
            continue;
        ClassReviewItem item;
        item.page = page;
        item.kind = notOnList ? ClassReviewKind::NotOnList : ClassReviewKind::SameId;
        item.item = "id";
        item.first = IdText(sheet.first.examineeId);
        item.second = sheet.second.read ? sheet.second.IdText() : "?";
        item.current = IdText(id);
        item.resolved = WholeIdSettled(sheet);
        if (notOnList)
            for (const RosterStudent* student : roster->OneDigitAway(id))
                item.suggestions.push_back(*student);
        item.proposed = item.current; // kept as read unless a student is picked
        items.push_back(std::move(item));
    }
    for (const RosterStudent& student : roster ? roster->Students() : kNoStudents)
        if (!sheetsOfId.contains(student.id)) {
            ClassReviewItem item;
            item.kind = ClassReviewKind::Absent;
            item.item = "absent";
            item.first = item.current = IdText(student.id);
            item.proposed = "ok";
            item.resolved = confirmedAbsent.contains(student.id);
            item.student = student;
            items.push_back(std::move(item));
        }
    std::stable_sort(items.begin(), items.end(), [](const ClassReviewItem& a, const ClassReviewItem& b) {
        return Group(a.kind) != Group(b.kind) ? Group(a.kind) < Group(b.kind) : a.page < b.page;
    });
    return items;
}

int UnresolvedCount(const std::vector<ClassReviewItem>& items)
{
    return static_cast<int>(std::count_if(
        items.begin(), items.end(), [](const ClassReviewItem& item) { return !item.resolved; }));
}

std::vector<Resolution> ResolutionsOf(
    const ClassReviewItem& item, const std::string& value, ResolutionHow how, const std::string& reason)
{
    std::vector<Resolution> events;
    if (item.kind == ClassReviewKind::NotOnList || item.kind == ClassReviewKind::SameId) {
        if (value.size() != static_cast<size_t>(kIdDigitCount)
            || value.find_first_not_of("0123456789") != std::string::npos)
            return {};
        for (size_t column = 0; column < value.size(); ++column)
            events.push_back(MakeResolution("id:" + std::to_string(column + 1),
                item.current.substr(column, 1), value.substr(column, 1), how, reason));
        return events;
    }
    const Result<std::string> chosen = ResolvedValue(item.item, value);
    if (!chosen)
        return {};
    events.push_back(MakeResolution(item.item, item.proposed, *chosen, how, reason));
    return events;
}

std::vector<std::pair<size_t, Resolution>> AcceptSecondEverywhere(const std::vector<ClassReviewItem>& items)
{
    std::vector<std::pair<size_t, Resolution>> events;
    for (const ClassReviewItem& item : items) {
        const bool readTwice
            = item.kind == ClassReviewKind::Question || item.kind == ClassReviewKind::IdColumn;
        if (item.resolved || !readTwice || item.second == "?" || item.second == item.first)
            continue;
        for (Resolution& event : ResolutionsOf(item, item.second, ResolutionHow::Policy, "second"))
            events.emplace_back(item.page, std::move(event));
    }
    return events;
}
