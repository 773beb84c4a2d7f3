#pragma once

#include "answerkey/answer_key.h"
#include "framework/status.h"
#include "image/rgb_picture.h"
#include "results/item_analysis.h"
#include "results/plan_score.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// An item of a sheet settled by a teacher or by a rule, as the report lists it.
struct SettledItem {
    std::string item; // "q12", "id:3", "tilt"
    std::string machine; // what the program proposed
    std::string chosen; // what the final reading takes
    std::string how; // "second", "typed", "first" or "policy"
    std::string who;
    std::string at; // UTC, ISO 8601
};

// One sheet of the class as the workbook shows it.
struct ClassSheetRow {
    std::string file;
    bool graded = false; // false: the sheet was refused and has only its file and review
    int32_t examineeId = 0;
    int32_t correct = 0;
    int32_t wrong = 0;
    int32_t errors = 0;
    GradedAnswers answers;
    std::string name; // from the class list; UTF-8
    std::string className;
    std::string number; // the student's number in the class
    std::string review; // what a person should look at; empty when nothing
    RgbPicture idArea; // the ID bands cut from the scan, for the slips; may be empty
    int unresolved = 0; // doubtful items nobody has settled
    std::vector<SettledItem> settled; // oldest first
    std::optional<PlanScore> planned; // its score under the class's plan; none without one
};

struct ClassWorkbook {
    AnswerList key;
    std::vector<ClassSheetRow> sheets; // in input order
    ItemAnalysis items;
    std::vector<std::string> notes; // further lines for the Summary sheet
    // What the class list finds, in Thai, files named as ShownFileNames names them: for
    // the Summary sheet and the report.
    std::vector<std::string> findings;
    // The plan the class was scored with; each graded row then has its score under it.
    std::optional<ScoringPlan> plan;
};

// What the workbook and the report list for a teacher: the items' line, then the findings
// (the terminal's English class-list lines, with whole paths, stay out).
std::vector<std::string> TeacherNotes(const ClassWorkbook& book);

// The workbook (XLSX): sheet Scores (file,examinee_id,name,class,correct,wrong,error,
// percent,review, and with a plan points,max_points,points_percent,grade and section:NAME
// each; the ID as text so its leading zeros stay), Answers (the letters
// marked in q1..q100, wrong answers shaded), Items (the item analysis) and Summary.
// Every sheet has its header row frozen and its columns sized to their text. The
// bytes of the file; the caller writes them through the one atomic writer.
Result<std::string> MakeClassWorkbook(const ClassWorkbook& book);
