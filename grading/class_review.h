#pragma once

#include "grading/rescore.h"
#include "results/roster.h"

#include <array>
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

inline constexpr size_t kNoPage = static_cast<size_t>(-1);

// What a class review item is about, in the order a teacher meets them: who wrote the
// sheet first, then its answers, then the sheet as a whole.
enum class ClassReviewKind {
    IdColumn, // an ID column unread, doubled or read two ways
    NotOnList, // the ID is not on the class list
    SameId, // the ID is on another sheet too
    Absent, // a student of the class list no sheet belongs to
    Refused, // the page could not be graded
    Question,
    Sheet, // tilt, mark, checked
};

// One item of a class to settle, with the evidence a teacher needs for it.
struct ClassReviewItem {
    size_t page = kNoPage; // the sheet; kNoPage for a student with no sheet
    ClassReviewKind kind = ClassReviewKind::Question;
    // As the review names it ("q12", "id:3", "tilt"); "id" for the whole ID, "mark" for
    // a refused page (its resolution says a person has looked at it).
    std::string item;
    std::string first; // the first reading: letters, a digit, the eight digits
    std::string second; // the second reading's; "?" where it read nothing settled
    std::string proposed; // what Enter accepts
    std::string current; // what the final reading holds now
    bool resolved = false;
    std::optional<ReviewItem> doubt; // the review's item, for its reason; none for the class's own
    // Each box's darkness: black pixels (first reading) and ink (second), -1 unknown;
    // five boxes for a question, ten for an ID column, none otherwise.
    std::vector<int> firstDarkness;
    std::vector<int> secondDarkness;
    std::vector<RosterStudent> suggestions; // students one digit away from an ID not on the list
    RosterStudent student; // the student with no sheet
};

// Every item of the class a teacher settles, resolved ones included, identity first
// (the students with no sheet last of it, once the IDs read wrong are put right), then
// questions, then sheet items, each group in page order. A student with no sheet is
// settled once confirmed absent.
std::vector<ClassReviewItem> ClassReviewItems(const std::vector<std::optional<GradedSheet>>& sheets,
    const AnswerList& key, const Roster* roster, const std::set<int32_t>& confirmedAbsent);

int UnresolvedCount(const std::vector<ClassReviewItem>& items);

// The events that settle the item at this value (letters, a digit, eight digits for the
// whole ID, "ok"): one per ID column for the whole ID, else one.
std::vector<Resolution> ResolutionsOf(
    const ClassReviewItem& item, const std::string& value, ResolutionHow how, const std::string& reason = {});

// One policy event per unresolved question or ID column whose two readings disagree,
// taking the second reading.
std::vector<std::pair<size_t, Resolution>> AcceptSecondEverywhere(const std::vector<ClassReviewItem>& items);
