#pragma once

#include "framework/status.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// One student of the class list.
struct RosterStudent {
    int32_t id = 0; // the eight-digit examinee ID as a number, as the sheet gives it
    std::string name; // UTF-8
    std::string className; // empty when the list has no class column
    std::string number; // the student's number in the class; empty when none
};

// A class list is a few thousand lines; anything far longer is not one.
constexpr size_t kMaxRosterFileBytes = 4 * 1024 * 1024;

// The class list: a CSV in UTF-8 (with or without a byte order mark), fields
// separated by commas or by semicolons (as Excel saves it where the comma is the
// decimal sign), with a header naming the columns id and name and optionally
// class and number, in any order and any case. Other columns are ignored. Lines end with
// CR LF, LF or a lone CR. Names, classes and numbers come without control characters.
class Roster {
public:
    // Fails, in Thai, naming the file and its line, on a missing column, an ID that is not one
    // to eight digits, an ID listed twice, a quote left open, no student, or bytes that are
    // not UTF-8.
    static Result<Roster> Parse(std::string_view bytes, const std::string& path);
    static Result<Roster> Read(const std::string& path);

    const std::vector<RosterStudent>& Students() const { return m_students; }
    // Where the list was read from, and its bytes as they were: what a class record keeps.
    const std::string& Path() const { return m_path; }
    const std::string& Text() const { return m_text; }
    // The student with the ID, or nullptr.
    const RosterStudent* Find(int32_t id) const;
    // The students whose ID differs from this one in exactly one of its eight digits.
    std::vector<const RosterStudent*> OneDigitAway(int32_t id) const;

private:
    std::vector<RosterStudent> m_students;
    std::map<int32_t, size_t> m_byId;
    std::string m_path;
    std::string m_text;
};
