#pragma once

#include "answerkey/answer_key.h"
#include "framework/status.h"
#include "grading/rescore.h"
#include "results/roster.h"

#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct sqlite3;

// A resolution with the sheet it was made on, as the audit lists it.
struct RecordedResolution {
    std::string sheet; // the page's name, as the CSV's file column gives it
    Resolution resolution;
};

// A file the record keeps whole, as given: a scoring plan, a class list.
struct KeptPlan {
    std::string path;
    std::string text;
};

// One class in one file, NAME.vantrel: an SQLite database (write-ahead log) holding
// every key the class was scored with, the class lists it was graded with, every page in the order it was
// first listed, and every sheet's readings with their measures. A sheet goes in in its own transaction, so a
// run killed part-way leaves every sheet written before it. The machine's readings are never rewritten
// (triggers refuse it); resolutions are events that are only ever added, each with the sheet row it settles:
// a scan read again is a new row that starts unsettled. Safe to use from several threads.
class ClassRecord {
public:
    // The format this program writes; a record of a later one is refused.
    static constexpr int kFormat = 2;

    // Opens the record, or creates it when `create` and no file is there. A file that
    // is not a class record or one of a newer format is refused. Whether its pages are sound
    // is checked meanwhile (Checked).
    static Result<std::unique_ptr<ClassRecord>> Open(const std::string& path, bool create);
    // The refusal of a damaged record, once the check begun at opening is done. Every
    // write asks first and writes nothing into a damaged record; whoever shows or writes
    // out what it read asks before.
    Status Checked() const;
    ~ClassRecord();
    ClassRecord(const ClassRecord&) = delete;
    ClassRecord& operator=(const ClassRecord&) = delete;

    const std::string& Path() const { return m_path; }

    // Keeps the key with the time and what it was used for ("grade", "rescore").
    Status AddKey(const AnswerKey& key, const std::string& use);
    // Lists the pages of a grading run; a page already listed keeps its place.
    Status ListPages(const std::vector<SheetPage>& pages);
    // The sheet recorded for this page of this content; nothing when there is none.
    std::optional<GradedSheet> Find(const SheetPage& page, const std::string& sha256);
    // Adds one graded sheet, scored with the last key added; its row in the record.
    Result<int64_t> Add(const GradedSheet& sheet);
    // Settles an item of the sheet at that row: one event, in its own transaction. A value
    // that does not fit its item (ResolvedValue) is refused.
    Status AddResolution(int64_t sheetId, const Resolution& resolution);
    // Every resolution ever made in the class, oldest first, with the sheet it settles.
    Result<std::vector<RecordedResolution>> Resolutions();
    using SheetUse = std::function<void(GradedSheet&&)>;
    // Hands every listed page's latest sheet to `use`, in the record's order, one at a time
    // and each read into the same place: touching the fresh memory a whole class would take
    // is a good part of reading it. Without `details`, only where each sheet came from (its
    // page and file). The names of listed pages with no sheet yet go to `ungraded`.
    Status EachSheet(std::vector<std::string>& ungraded, bool details, const SheetUse& use);
    // Keeps the class list the class is graded with, unless it is the one kept last.
    Status KeepClassList(const Roster& roster);
    // The class list kept last; nothing when none was.
    std::optional<Roster> LatestClassList();
    // A student of the class list confirmed absent, or that confirmation taken back.
    Status AddAbsence(int32_t studentId, bool confirmed);
    // The students confirmed absent and not taken back.
    Result<std::set<int32_t>> Absences();
    // The latest key added; nothing in a record that holds none.
    std::optional<AnswerKey> LatestKey();
    // Keeps the scoring plan's file with the time, unless it is the one kept last.
    Status KeepPlan(const KeptPlan& plan);
    // The plan kept last; nothing when none was.
    std::optional<KeptPlan> LatestPlan();

private:
    ClassRecord(sqlite3* db, std::string path);
    Status Failure(const std::string& doing) const;
    // A file kept whole in `table` (path, content, at), unless it is the one kept last; and
    // the one kept last.
    Status KeepFile(const char* table, const KeptPlan& file, const char* what);
    std::optional<KeptPlan> LatestFile(const char* table);
    Status Execute(const char* sql);
    Status MakePlanTable();
    Status ReadSheets(const std::string& where, const std::string& path, int64_t page,
        const std::string& sha256, bool details, const SheetUse& use);
    Result<int64_t> WriteSheet(const GradedSheet& sheet);

    sqlite3* m_db;
    std::string m_path;
    int64_t m_key = 0; // the key the sheets added now are scored with
    std::recursive_mutex m_mutex;
    std::shared_future<std::string> m_check; // the damage found, "" for none; invalid for a new record
};

// The record's words for a refused or a doubtful file, for a person.
std::string RecordRefusal(const std::string& path, const std::string& why);
