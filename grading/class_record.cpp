#include "grading/class_record.h"

#include "grading/record_statement.h"

#include <sqlite3.h>

#include <cstring>
#include <fstream>

namespace {

// "VnTl": marks the database as a class record, whatever its file is called.
constexpr int64_t kApplicationId = 0x566E546C;

// Readings and measures are columns beside each other so that a person can query the
// file with the sqlite3 tool: a sheet's row, its questions, its ID columns, its review.
constexpr const char* kSchema = R"(
CREATE TABLE keys(id INTEGER PRIMARY KEY, name TEXT NOT NULL, answers TEXT NOT NULL,
  count INTEGER NOT NULL, used_for TEXT NOT NULL, at TEXT NOT NULL);
CREATE TABLE pages(id INTEGER PRIMARY KEY, path TEXT NOT NULL, page INTEGER NOT NULL,
  page_count INTEGER NOT NULL, listed_at TEXT NOT NULL, UNIQUE(path, page));
CREATE TABLE sheets(id INTEGER PRIMARY KEY, page_id INTEGER NOT NULL REFERENCES pages,
  sha256 TEXT NOT NULL, size INTEGER NOT NULL, modified_ns INTEGER NOT NULL,
  key_id INTEGER NOT NULL REFERENCES keys, graded_at TEXT NOT NULL,
  status TEXT NOT NULL, refusal TEXT NOT NULL, messages TEXT NOT NULL, write_failure TEXT NOT NULL,
  measured INTEGER NOT NULL, examinee_id INTEGER NOT NULL,
  correct INTEGER NOT NULL, wrong INTEGER NOT NULL, error INTEGER NOT NULL, review TEXT NOT NULL,
  left_mark_x REAL, left_mark_y REAL, right_mark_x REAL, right_mark_y REAL,
  angle_radians REAL, angle_degrees REAL, mark_drift REAL,
  corner_black_left INTEGER, corner_black_right INTEGER, overlay_pixels INTEGER,
  second_read INTEGER, second_degrees REAL, second_left_x REAL, second_left_y REAL,
  second_right_x REAL, second_right_y REAL, second_marked_ink INTEGER,
  second_examinee_id TEXT, second_correct INTEGER, second_wrong INTEGER, second_error INTEGER);
CREATE INDEX sheets_by_page ON sheets(page_id, id);
CREATE TABLE questions(sheet_id INTEGER NOT NULL REFERENCES sheets, question INTEGER NOT NULL,
  box_a INTEGER, box_b INTEGER, box_c INTEGER, box_d INTEGER, box_e INTEGER,
  row_rejected INTEGER, row_margin INTEGER, first_marked TEXT, first_score TEXT,
  second_marked TEXT, ink_a INTEGER, ink_b INTEGER, ink_c INTEGER, ink_d INTEGER, ink_e INTEGER,
  second_doubt INTEGER NOT NULL DEFAULT 0, PRIMARY KEY(sheet_id, question)) WITHOUT ROWID;
CREATE TABLE id_columns(sheet_id INTEGER NOT NULL REFERENCES sheets, id_column INTEGER NOT NULL,
  winner INTEGER, winner_black INTEGER, runner_up INTEGER, runner_up_black INTEGER,
  second_digit INTEGER, second_ink TEXT, second_doubt INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY(sheet_id, id_column)) WITHOUT ROWID;
CREATE TABLE review_items(sheet_id INTEGER NOT NULL REFERENCES sheets, position INTEGER NOT NULL,
  item TEXT, first TEXT, second TEXT, reason TEXT, why INTEGER, figure1 REAL, figure2 REAL,
  PRIMARY KEY(sheet_id, position)) WITHOUT ROWID;
CREATE TABLE resolutions(id INTEGER PRIMARY KEY, sheet_id INTEGER NOT NULL REFERENCES sheets,
  item TEXT NOT NULL, machine_value TEXT NOT NULL, chosen_value TEXT NOT NULL,
  how TEXT NOT NULL CHECK(how IN ('second', 'typed', 'first', 'policy')),
  os_user TEXT NOT NULL, at TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '');
)";

// What the second reading hesitated over in each row and ID column came with format 2;
// a record of format 1 gains the columns, its rows read as nothing doubted.
constexpr const char* kSecondDoubts = R"(
BEGIN IMMEDIATE;
ALTER TABLE questions ADD COLUMN second_doubt INTEGER NOT NULL DEFAULT 0;
ALTER TABLE id_columns ADD COLUMN second_doubt INTEGER NOT NULL DEFAULT 0;
PRAGMA user_version=2;
COMMIT;
)";

// Each sheet's resolutions are read with the sheet: without the index every sheet read
// would scan every resolution of the class. Records made before it gain it when opened.
constexpr const char* kResolutionIndex
    = "CREATE INDEX IF NOT EXISTS resolutions_by_sheet ON resolutions(sheet_id, id);";

// The class lists the class was graded with, newest last, and the students of the list a
// teacher has confirmed absent (or taken back). Records made before these were kept gain
// the tables when they are next opened; nothing else of theirs changes.
constexpr const char* kClassLists = R"(
CREATE TABLE IF NOT EXISTS class_lists(id INTEGER PRIMARY KEY, path TEXT NOT NULL,
  content TEXT NOT NULL, at TEXT NOT NULL);
CREATE TRIGGER IF NOT EXISTS class_lists_kept BEFORE UPDATE ON class_lists
  BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;
CREATE TRIGGER IF NOT EXISTS class_lists_not_removed BEFORE DELETE ON class_lists
  BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;
CREATE TABLE IF NOT EXISTS absences(id INTEGER PRIMARY KEY, student_id INTEGER NOT NULL,
  confirmed INTEGER NOT NULL, os_user TEXT NOT NULL, at TEXT NOT NULL);
CREATE TRIGGER IF NOT EXISTS absences_kept BEFORE UPDATE ON absences
  BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;
CREATE TRIGGER IF NOT EXISTS absences_not_removed BEFORE DELETE ON absences
  BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;
)";

// Each sheet's question rows once more as one value (grading/packed_questions.h): a re-score
// reads a class's hundred thousand rows in a tenth of the time. Sheets added before it came,
// and records of builds without it, are read from their rows.
constexpr const char* kPackedQuestions = R"(
CREATE TABLE IF NOT EXISTS packed_questions(sheet_id INTEGER PRIMARY KEY REFERENCES sheets,
  rows BLOB NOT NULL);
CREATE TRIGGER IF NOT EXISTS packed_questions_kept BEFORE UPDATE ON packed_questions
  BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;
CREATE TRIGGER IF NOT EXISTS packed_questions_not_removed BEFORE DELETE ON packed_questions
  BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;
)";

// What the machine read stays as it was read; a resolution is a new event.
constexpr const char* kNeverRewritten[]
    = { "keys", "sheets", "questions", "id_columns", "review_items", "resolutions" };

// What kClassLists, kResolutionIndex, kPackedQuestions and the plans' table make, by name.
constexpr const char* kAddedSince[] = { "class_lists", "class_lists_kept", "class_lists_not_removed",
    "absences", "absences_kept", "absences_not_removed", "resolutions_by_sheet", "packed_questions",
    "packed_questions_kept", "packed_questions_not_removed" };

bool HoldsAllTables(sqlite3* db)
{
    std::string names;
    for (const char* name : kAddedSince)
        names += std::string(names.empty() ? "'" : ", '") + name + "'";
    RecordStatement count(db, ("SELECT count(*) FROM sqlite_schema WHERE name IN (" + names + ")").c_str());
    return count.Step() == SQLITE_ROW && count.Int(0) == static_cast<int64_t>(std::size(kAddedSince));
}

// SQLite's own check of every page, on a read-only connection of its own: "" for a sound
// record, else what it found.
std::string DamageIn(const std::string& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        const std::string why = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        return why;
    }
    sqlite3_busy_timeout(db, 10000);
    sqlite3_exec(db, "PRAGMA mmap_size=268435456;", nullptr, nullptr, nullptr);
    std::string found;
    {
        RecordStatement check(db, "PRAGMA quick_check");
        found = check.Step() == SQLITE_ROW ? check.Text(0) : check.Error();
    }
    sqlite3_close_v2(db);
    return found == "ok" ? std::string() : found;
}

bool IsSqliteFile(const std::string& path, bool& empty)
{
    std::ifstream file(path, std::ios::binary);
    char header[16] {};
    file.read(header, sizeof header);
    empty = file.gcount() == 0;
    return file.gcount() == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0;
}

} // namespace

std::string RecordRefusal(const std::string& path, const std::string& why)
{
    return "class record " + path + ": " + why;
}

ClassRecord::ClassRecord(sqlite3* db, std::string path)
    : m_db(db)
    , m_path(std::move(path))
{
}

ClassRecord::~ClassRecord()
{
    sqlite3_close_v2(m_db);
}

Status ClassRecord::Checked() const
{
    if (!m_check.valid())
        return {};
    const std::string& damage = m_check.get();
    return damage.empty()
        ? Status()
        : Status::Failure(RecordRefusal(m_path, "damaged (" + damage + "); left untouched"));
}

Status ClassRecord::Failure(const std::string& doing) const
{
    return Status::Failure(RecordRefusal(m_path, doing + ": " + sqlite3_errmsg(m_db)));
}

Status ClassRecord::Execute(const char* sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK ? Status()
                                                                           : Failure("cannot write");
}

Result<std::unique_ptr<ClassRecord>> ClassRecord::Open(const std::string& path, bool create)
{
    bool empty = true;
    const bool exists = std::ifstream(path).good();
    if (exists && !IsSqliteFile(path, empty) && !empty)
        return Status::Failure(
            RecordRefusal(path, "not a class record (not an SQLite database); left untouched"));
    if (!exists && !create)
        return Status::Failure(RecordRefusal(path, "no such file"));
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        const std::string why = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        return Status::Failure(RecordRefusal(path, "cannot open: " + why));
    }
    std::unique_ptr<ClassRecord> record(new ClassRecord(db, path));
    sqlite3_busy_timeout(db, 10000);
    RecordStatement identity(db,
        "SELECT (SELECT application_id FROM pragma_application_id),"
        " (SELECT user_version FROM pragma_user_version),"
        " (SELECT count(*) FROM sqlite_schema)");
    if (identity.Step() != SQLITE_ROW)
        return Status::Failure(
            RecordRefusal(path, std::string("damaged or not a class record: ") + identity.Error()));
    const int64_t application = identity.Int(0);
    const int64_t format = identity.Int(1);
    const bool blank = application == 0 && format == 0 && identity.Int(2) == 0;
    identity.Reset(); // ends its read, so the journal mode can change
    if (!blank && application != kApplicationId)
        return Status::Failure(
            RecordRefusal(path, "an SQLite database, but not a class record; left untouched"));
    if (format > kFormat)
        return Status::Failure(RecordRefusal(path,
            "made by a newer Vantrel (format " + std::to_string(format) + ", this one reads up to "
                + std::to_string(kFormat) + "); left untouched"));
    // Read through a mapping rather than a read call a page: a class's readings are read whole.
    if (const Status mapped = record->Execute("PRAGMA mmap_size=268435456;"); !mapped)
        return mapped;
    // Checked on a connection of its own while the class is read: the check takes as long
    // as reading a class does. Every write waits for it (Checked).
    if (!blank)
        record->m_check = std::async(std::launch::async, DamageIn, path).share();
    if (const Status wal = record->Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;"
                                           " PRAGMA foreign_keys=ON;");
        !wal)
        return wal;
    if (blank) {
        std::string schema = "BEGIN IMMEDIATE;";
        schema += kSchema;
        for (const char* table : kNeverRewritten)
            schema += std::string("CREATE TRIGGER ") + table + "_kept BEFORE UPDATE ON " + table
                + " BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END; CREATE TRIGGER " + table
                + "_not_removed BEFORE DELETE ON " + table
                + " BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;";
        schema += "PRAGMA application_id=" + std::to_string(kApplicationId)
            + "; PRAGMA user_version=" + std::to_string(kFormat) + "; COMMIT;";
        if (const Status made = record->Execute(schema.c_str()); !made)
            return made;
    }
    if (blank || !HoldsAllTables(db) || format < 2) {
        // A record of an earlier build gains what it lacks; never a damaged one.
        if (const Status checked = record->Checked(); !checked)
            return checked;
        if (!blank && format < 2)
            if (const Status doubts = record->Execute(kSecondDoubts); !doubts)
                return doubts;
        for (const char* added : { kClassLists, kResolutionIndex, kPackedQuestions })
            if (const Status done = record->Execute(added); !done)
                return done;
        if (const Status plans = record->MakePlanTable(); !plans)
            return plans;
    }
    return record;
}

Status ClassRecord::AddKey(const AnswerKey& key, const std::string& use)
{
    std::lock_guard lock(m_mutex);
    if (const Status checked = Checked(); !checked)
        return checked;
    std::string answers;
    for (const std::string& answer : key.answers)
        answers += (answer.empty() ? std::string("-") : answer);
    RecordStatement insert(
        m_db, "INSERT INTO keys(name, answers, count, used_for, at) VALUES(?, ?, ?, ?, ?)");
    insert.Bind(1, key.name)
        .Bind(2, answers)
        .Bind(3, static_cast<int64_t>(key.count))
        .Bind(4, use)
        .Bind(5, UtcNow());
    if (!insert.Run())
        return Failure("cannot keep the key");
    m_key = sqlite3_last_insert_rowid(m_db);
    return {};
}

Status ClassRecord::KeepFile(const char* table, const KeptPlan& file, const char* what)
{
    std::lock_guard lock(m_mutex);
    if (const Status checked = Checked(); !checked)
        return checked;
    // Compared as stored: parsing the kept file again only to compare it would be waste.
    RecordStatement latest(m_db,
        (std::string("SELECT path = ? AND content = ? FROM ") + table + " ORDER BY id DESC LIMIT 1").c_str());
    const bool kept = latest.Bind(1, file.path).Bind(2, file.text).Step() == SQLITE_ROW && latest.Int(0) == 1;
    latest.Reset(); // its read ends before the write
    if (kept)
        return {};
    RecordStatement insert(
        m_db, (std::string("INSERT INTO ") + table + "(path, content, at) VALUES(?, ?, ?)").c_str());
    if (!insert.Bind(1, file.path).Bind(2, file.text).Bind(3, UtcNow()).Run())
        return Failure(std::string("cannot keep the ") + what);
    return {};
}

std::optional<KeptPlan> ClassRecord::LatestFile(const char* table)
{
    std::lock_guard lock(m_mutex);
    RecordStatement select(
        m_db, (std::string("SELECT path, content FROM ") + table + " ORDER BY id DESC LIMIT 1").c_str());
    if (select.Step() != SQLITE_ROW)
        return std::nullopt;
    return KeptPlan { select.Text(0), select.Text(1) };
}

Status ClassRecord::KeepClassList(const Roster& roster)
{
    return KeepFile("class_lists", { roster.Path(), roster.Text() }, "class list");
}

std::optional<Roster> ClassRecord::LatestClassList()
{
    const std::optional<KeptPlan> kept = LatestFile("class_lists");
    if (!kept)
        return std::nullopt;
    // Read once already; a list the reader no longer takes is no list of this class.
    Result<Roster> roster = Roster::Parse(kept->text, kept->path);
    return roster ? std::optional<Roster>(std::move(roster).value()) : std::nullopt;
}

Status ClassRecord::AddAbsence(int32_t studentId, bool confirmed)
{
    std::lock_guard lock(m_mutex);
    if (const Status checked = Checked(); !checked)
        return checked;
    RecordStatement insert(
        m_db, "INSERT INTO absences(student_id, confirmed, os_user, at) VALUES(?, ?, ?, ?)");
    if (!insert.Bind(1, int64_t { studentId })
             .Bind(2, int64_t { confirmed ? 1 : 0 })
             .Bind(3, OperatingSystemUser())
             .Bind(4, UtcNow())
             .Run())
        return Failure("cannot keep the absence");
    return {};
}

Result<std::set<int32_t>> ClassRecord::Absences()
{
    std::lock_guard lock(m_mutex);
    // Each student's latest word counts.
    RecordStatement select(m_db,
        "SELECT student_id FROM absences a WHERE confirmed = 1 AND id = "
        "(SELECT max(id) FROM absences WHERE student_id = a.student_id)");
    std::set<int32_t> absent;
    int stepped;
    while ((stepped = select.Step()) == SQLITE_ROW)
        absent.insert(static_cast<int32_t>(select.Int(0)));
    if (stepped != SQLITE_DONE)
        return Failure("cannot read the absences");
    return absent;
}

std::optional<AnswerKey> ClassRecord::LatestKey()
{
    std::lock_guard lock(m_mutex);
    RecordStatement select(m_db, "SELECT name, answers, count FROM keys ORDER BY id DESC LIMIT 1");
    if (select.Step() != SQLITE_ROW)
        return std::nullopt;
    AnswerKey key;
    key.name = select.Text(0);
    const std::string answers = select.Text(1);
    for (size_t q = 0; q < kQuestionCount && q < answers.size(); ++q)
        key.answers[q] = answers[q] == '-' ? std::string() : std::string(1, answers[q]);
    key.count = static_cast<int32_t>(select.Int(2));
    return key;
}

Status ClassRecord::ListPages(const std::vector<SheetPage>& pages)
{
    std::lock_guard lock(m_mutex);
    if (const Status checked = Checked(); !checked)
        return checked;
    if (const Status begun = Execute("BEGIN IMMEDIATE"); !begun)
        return begun;
    RecordStatement insert(
        m_db, "INSERT OR IGNORE INTO pages(path, page, page_count, listed_at) VALUES(?, ?, ?, ?)");
    const std::string now = UtcNow();
    for (const SheetPage& page : pages)
        if (!insert.Bind(1, page.file)
                 .Bind(2, int64_t { page.page })
                 .Bind(3, int64_t { page.pageCount })
                 .Bind(4, now)
                 .Run()) {
            const Status failed = Failure("cannot list the pages");
            Execute("ROLLBACK");
            return failed;
        }
    return Execute("COMMIT");
}
