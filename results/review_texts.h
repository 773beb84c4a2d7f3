#pragma once

#include "omr/sheet_review.h"

#include <array>
#include <string>

// The one place that turns the review's codes for scripts ("q12", "id:3", "tilt",
// "light mark: key box 62 black pixels") into a teacher's words, in the language
// InstallTeacherLanguage chose. The CSV and the review file keep the codes.

// Where the item is: "ข้อ 12", "รหัสหลักที่ 3", ...
std::string ReviewPlaceText(const std::string& item);
// What a reading made of the item: "ผิด", "ถูก (a)", "ไม่มี", "0.87 องศา", ...
std::string ReviewReadingText(const std::string& reading);
// Why the item is doubtful.
std::string ReviewReasonText(ReviewReason why, const std::array<double, 2>& figures);
// The places of a sheet's doubts, for a table cell or a title: "ข้อ 79, ความเอียงของแผ่น".
std::string ReviewListText(const SheetReview& review);
// One doubt: where, why, and for a question or an ID column what each reading made of it.
std::string ReviewItemText(const ReviewItem& item);
// Each doubt with its reason, for the workbook and the report: "ข้อ 79: รอยระบายจาง ...; ...".
std::string ReviewDetailText(const SheetReview& review);

// The notes of a sheet the class outputs show beside its review.
std::string RefusedText(const std::string& refusal);
std::string UnreportedText();
// The item analysis's flag on a question whose key should be checked.
std::string CheckKeyText();

// How an item was settled ("second", "typed", "first", "policy"), in the teacher's words.
std::string SettledHowText(const std::string& how);
