#pragma once

#include "grading/class_review.h"

#include <QString>

// A class review item in the teacher's words, for the review pane.

// A value of the item: letters ("ไม่ระบาย" for a blank row), a digit or an ID; "อ่านไม่ได้"
// for "?".
QString ReviewValueText(const ClassReviewItem& item, const std::string& value);
// Where on the sheet: "ข้อ 12", "รหัสหลักที่ 3", "รหัสผู้สอบ", ...
QString ReviewItemPlace(const ClassReviewItem& item);
// Why it is to settle.
QString ReviewItemWhy(const ClassReviewItem& item);
// Both readings with each box's darkness (rich text), or the students to pick from.
QString ReviewItemReadings(const ClassReviewItem& item);
