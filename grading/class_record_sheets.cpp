#include "grading/class_record.h"

#include "grading/packed_questions.h"
#include "grading/record_statement.h"

#include <sqlite3.h>

#include <array>
#include <optional>
#include <unordered_map>

namespace {

constexpr char kMessageSeparator = '\x1e';

const char* const kSheetColumns
    = "s.id, p.path, p.page, p.page_count, s.sha256, s.size, s.modified_ns, s.status, s.refusal, s.messages,"
      " s.write_failure, s.measured, s.examinee_id, s.correct, s.wrong, s.error, s.left_mark_x, "
      "s.left_mark_y,"
      " s.right_mark_x, s.right_mark_y, s.angle_radians, s.angle_degrees, s.mark_drift, s.corner_black_left,"
      " s.corner_black_right, s.overlay_pixels, s.second_read, s.second_degrees, s.second_left_x,"
      " s.second_left_y, s.second_right_x, s.second_right_y, s.second_marked_ink, s.second_examinee_id,"
      " s.second_correct, s.second_wrong, s.second_error";

const char* const kScanColumns = "s.id, p.path, p.page, p.page_count, s.sha256, s.size, s.modified_ns";

SheetStatus StatusNamed(const std::string& name)
{
    for (const SheetStatus status : { SheetStatus::Reported, SheetStatus::Unreported })
        if (name == StatusName(status))
            return status;
    return SheetStatus::Refused;
}

std::optional<QuestionScore> ScoreOf(const std::string& letter)
{
    for (const QuestionScore score :
        { QuestionScore::Correct, QuestionScore::Wrong, QuestionScore::RowRejected })
        if (letter.size() == 1 && letter[0] == ScoreLetter(score))
            return score;
    return std::nullopt;
}

// A doubt as the record keeps it; one this build does not know is no doubt.
MarkDoubt DoubtOf(int64_t code)
{
    return code > 0 && code < kMarkDoubtCount ? static_cast<MarkDoubt>(code) : MarkDoubt::None;
}

std::string Joined(const std::vector<std::string>& parts, char separator)
{
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i)
        joined += (i == 0 ? "" : std::string(1, separator)) + parts[i];
    return joined;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// Where the sheet came from, the columns kScanColumns and kSheetColumns begin with.
void ScanFromRow(const RecordStatement& row, GradedSheet& sheet)
{
    sheet.page = { row.Text(1), static_cast<int>(row.Int(2)), static_cast<int>(row.Int(3)), {} };
    sheet.fingerprint = { row.Text(4), row.Int(5), row.Int(6) };
    sheet.file = sheet.page.Name();
}

// The sheet's own row, columns in kSheetColumns' order, into an empty sheet.
void SheetFromRow(const RecordStatement& row, GradedSheet& sheet)
{
    ScanFromRow(row, sheet);
    sheet.status = StatusNamed(row.Text(7));
    sheet.refusal = row.Text(8);
    sheet.messages = Split(row.Text(9), kMessageSeparator);
    sheet.writeFailure = row.Text(10);
    sheet.measured = row.Int(11) != 0;
    sheet.first.examineeId = static_cast<int32_t>(row.Int(12));
    sheet.first.counts.correct = static_cast<int32_t>(row.Int(13));
    sheet.first.counts.wrong = static_cast<int32_t>(row.Int(14));
    sheet.first.counts.errors = static_cast<int32_t>(row.Int(15));
    sheet.first.counts.reported = sheet.status == SheetStatus::Reported;
    SkewMeasurement& skew = sheet.measures.skew;
    skew = { static_cast<float>(row.Real(16)), static_cast<float>(row.Real(17)),
        static_cast<float>(row.Real(18)), static_cast<float>(row.Real(19)), row.Real(20), row.Real(21) };
    sheet.measures.markDrift = row.Real(22);
    sheet.measures.cornerBlack = { static_cast<int>(row.Int(23)), static_cast<int>(row.Int(24)) };
    sheet.measures.overlayPixels = static_cast<int>(row.Int(25));
    SecondReading& second = sheet.second;
    second.read = row.Int(26) != 0;
    second.degrees = row.Real(27);
    second.leftCorner = { row.Real(28), row.Real(29) };
    second.rightCorner = { row.Real(30), row.Real(31) };
    second.markedInk = static_cast<int>(row.Int(32));
    SheetReview& review = sheet.review;
    review.secondRead = second.read;
    review.secondId = row.Text(33);
    review.secondCorrect = static_cast<int>(row.Int(34));
    review.secondWrong = static_cast<int>(row.Int(35));
    review.secondErrors = static_cast<int>(row.Int(36));
    review.degrees = skew.angleDegrees;
}

} // namespace

Resolution ResolutionFromRow(const RecordStatement& row, int first)
{
    return { row.Text(first), row.Text(first + 1), row.Text(first + 2),
        HowNamed(row.Text(first + 3)).value_or(ResolutionHow::Typed), row.Text(first + 4),
        row.Text(first + 5), row.Text(first + 6) };
}

namespace {

// One ID column's row of the record.
struct IdColumnRow {
    size_t column = 0;
    IdColumnMeasure measure;
    int digit = 0;
    std::array<int, 10> ink {};
    MarkDoubt doubt = MarkDoubt::None;
};

// The row's columns from `first` on: id_column, winner, winner_black, runner_up,
// runner_up_black, second_digit, second_ink, second_doubt. Nothing for a column past the ID.
std::optional<IdColumnRow> IdColumnFromRow(const RecordStatement& row, int first)
{
    const int64_t column = row.Int(first);
    if (column < 0 || column >= kIdDigitCount)
        return std::nullopt;
    IdColumnRow read;
    read.column = static_cast<size_t>(column);
    read.measure = { static_cast<int>(row.Int(first + 1)), static_cast<int>(row.Int(first + 2)),
        static_cast<int>(row.Int(first + 3)), static_cast<int>(row.Int(first + 4)) };
    read.digit = static_cast<int>(row.Int(first + 5));
    const std::vector<std::string> ink = Split(row.Text(first + 6), ',');
    for (size_t digit = 0; digit < ink.size() && digit < read.ink.size(); ++digit)
        read.ink[digit] = std::atoi(ink[digit].c_str());
    read.doubt = DoubtOf(row.Int(first + 7));
    return read;
}

void PutIdColumn(const IdColumnRow& row, GradedSheet& sheet)
{
    sheet.measures.idColumns[row.column] = row.measure;
    sheet.second.digits[row.column] = row.digit;
    sheet.second.idInk[row.column] = row.ink;
    sheet.second.idDoubt[row.column] = row.doubt;
}

// The row's columns from `first` on: item, first, second, reason, why, figure1, figure2.
ReviewItem ReviewItemFromRow(const RecordStatement& row, int first)
{
    return { row.Text(first), row.Text(first + 1), row.Text(first + 2), row.Text(first + 3),
        static_cast<ReviewReason>(row.Int(first + 4)), { row.Real(first + 5), row.Real(first + 6) } };
}

constexpr const char* kIdColumnColumns
    = "id_column, winner, winner_black, runner_up, runner_up_black, second_digit, second_ink, second_doubt";
constexpr const char* kReviewItemColumns = "item, first, second, reason, why, figure1, figure2";
constexpr const char* kResolutionColumns = "item, machine_value, chosen_value, how, os_user, at, reason";

// A whole class's ID columns, review items and resolutions, each table read in one scan:
// three lookups a sheet cost a thousand-sheet class more than its readings.
struct ClassDetails {
    explicit ClassDetails(sqlite3* db)
    {
        RecordStatement columns(
            db, (std::string("SELECT sheet_id, ") + kIdColumnColumns + " FROM id_columns").c_str());
        while (columns.Step() == SQLITE_ROW)
            if (std::optional<IdColumnRow> row = IdColumnFromRow(columns, 1))
                idColumns[columns.Int(0)].push_back(*row);
        RecordStatement items(db,
            (std::string("SELECT sheet_id, ") + kReviewItemColumns
                + " FROM review_items ORDER BY sheet_id, position")
                .c_str());
        while (items.Step() == SQLITE_ROW)
            reviewItems[items.Int(0)].push_back(ReviewItemFromRow(items, 1));
        RecordStatement settled(db,
            (std::string("SELECT sheet_id, ") + kResolutionColumns + " FROM resolutions ORDER BY id")
                .c_str());
        while (settled.Step() == SQLITE_ROW)
            resolutions[settled.Int(0)].push_back(ResolutionFromRow(settled, 1));
        ok = columns.ok() && items.ok() && settled.ok();
    }

    bool ok = false;
    std::unordered_map<int64_t, std::vector<IdColumnRow>> idColumns;
    std::unordered_map<int64_t, std::vector<ReviewItem>> reviewItems;
    std::unordered_map<int64_t, std::vector<Resolution>> resolutions;
};

// The statements that read a sheet's questions, ID columns, review items and resolutions;
// all but its questions taken from `whole` when the whole class was read at once.
struct DetailQueries {
    DetailQueries(sqlite3* db, const ClassDetails* whole)
        : whole(whole)
        , questions(db,
              "SELECT question, box_a, box_b, box_c, box_d, box_e, row_rejected, row_margin, first_marked,"
              " first_score, second_marked, ink_a, ink_b, ink_c, ink_d, ink_e, second_doubt FROM questions "
              "WHERE sheet_id = ?")
        , packed(db, "SELECT rows FROM packed_questions WHERE sheet_id = ?")
        , idColumns(
              db, (std::string("SELECT ") + kIdColumnColumns + " FROM id_columns WHERE sheet_id = ?").c_str())
        , reviewItems(db,
              (std::string("SELECT ") + kReviewItemColumns
                  + " FROM review_items WHERE sheet_id = ? ORDER BY position")
                  .c_str())
        , resolutions(db,
              (std::string("SELECT ") + kResolutionColumns
                  + " FROM resolutions WHERE sheet_id = ? ORDER BY id")
                  .c_str())
    {
    }

    bool Read(int64_t id, GradedSheet& sheet)
    {
        sheet.recordId = id;
        for (RecordStatement* query : { &questions, &packed })
            query->Bind(1, id);
        if (!whole)
            for (RecordStatement* query : { &idColumns, &reviewItems, &resolutions })
                query->Bind(1, id);
        const bool unpacked = packed.Step() == SQLITE_ROW && UnpackQuestions(packed.Blob(0), sheet);
        while (!unpacked && questions.Step() == SQLITE_ROW) {
            const int64_t number = questions.Int(0);
            if (number < 1 || number > kQuestionCount)
                continue;
            const size_t q = static_cast<size_t>(number - 1);
            QuestionMeasure& measure = sheet.measures.questions[q];
            for (size_t letter = 0; letter < kLettersPerRow; ++letter) {
                measure.boxBlack[letter] = static_cast<int>(questions.Int(1 + static_cast<int>(letter)));
                sheet.second.answerInk[q][letter]
                    = static_cast<int>(questions.Int(11 + static_cast<int>(letter)));
            }
            measure.rowRejected = questions.Int(6) != 0;
            measure.rowMargin = static_cast<int>(questions.Int(7));
            sheet.first.letters[q] = questions.Text(8);
            sheet.first.scores[q] = ScoreOf(questions.Text(9));
            sheet.second.marked[q] = questions.Text(10);
            sheet.second.answerDoubt[q] = DoubtOf(questions.Int(16));
        }
        if (whole) {
            TakeFrom(whole->idColumns, id, [&sheet](const IdColumnRow& row) { PutIdColumn(row, sheet); });
            TakeFrom(whole->reviewItems, id,
                [&sheet](const ReviewItem& item) { sheet.review.items.push_back(item); });
            TakeFrom(whole->resolutions, id,
                [&sheet](const Resolution& made) { sheet.resolutions.push_back(made); });
        } else {
            while (idColumns.Step() == SQLITE_ROW)
                if (const std::optional<IdColumnRow> row = IdColumnFromRow(idColumns, 0))
                    PutIdColumn(*row, sheet);
            while (reviewItems.Step() == SQLITE_ROW)
                sheet.review.items.push_back(ReviewItemFromRow(reviewItems, 0));
            while (resolutions.Step() == SQLITE_ROW)
                sheet.resolutions.push_back(ResolutionFromRow(resolutions));
        }
        const bool ok
            = questions.ok() && packed.ok() && idColumns.ok() && reviewItems.ok() && resolutions.ok();
        for (RecordStatement* query : { &questions, &packed, &idColumns, &reviewItems, &resolutions })
            query->Reset();
        return ok;
    }

    template <typename Row, typename Use>
    static void TakeFrom(
        const std::unordered_map<int64_t, std::vector<Row>>& rows, int64_t id, const Use& use)
    {
        if (const auto found = rows.find(id); found != rows.end())
            for (const Row& row : found->second)
                use(row);
    }

    const ClassDetails* whole;
    RecordStatement questions;
    RecordStatement packed;
    RecordStatement idColumns;
    RecordStatement reviewItems;
    RecordStatement resolutions;
};

} // namespace

Status ClassRecord::ReadSheets(const std::string& where, const std::string& path, int64_t page,
    const std::string& sha256, bool details, const SheetUse& use)
{
    RecordStatement select(
        m_db, (std::string("SELECT ") + (details ? kSheetColumns : kScanColumns) + where).c_str());
    if (!path.empty())
        select.Bind(1, path).Bind(2, page).Bind(3, sha256);
    // A whole class (no page named) has its small details read in one scan each.
    const std::optional<ClassDetails> whole
        = details && path.empty() ? std::optional<ClassDetails>(ClassDetails(m_db)) : std::nullopt;
    if (whole && !whole->ok)
        return Failure("cannot read the sheets");
    DetailQueries queries(m_db, whole ? &*whole : nullptr);
    GradedSheet sheet;
    int stepped;
    while ((stepped = select.Step()) == SQLITE_ROW) {
        sheet = GradedSheet();
        if (details)
            SheetFromRow(select, sheet);
        else
            ScanFromRow(select, sheet);
        if (details && !queries.Read(select.Int(0), sheet))
            return Failure("cannot read the sheets");
        use(std::move(sheet));
    }
    if (stepped != SQLITE_DONE)
        return Failure("cannot read the sheets");
    return {};
}

std::optional<GradedSheet> ClassRecord::Find(const SheetPage& page, const std::string& sha256)
{
    std::lock_guard lock(m_mutex);
    std::optional<GradedSheet> found;
    const Status read = ReadSheets(
        " FROM sheets s JOIN pages p ON p.id = s.page_id WHERE p.path = ? AND p.page = ? AND s.sha256 = ?"
        " ORDER BY s.id DESC LIMIT 1",
        page.file, page.page, sha256, true, [&found](GradedSheet&& sheet) { found = std::move(sheet); });
    if (!read || !found)
        return std::nullopt;
    found->page.refusal = page.refusal;
    return found;
}

Status ClassRecord::EachSheet(std::vector<std::string>& ungraded, bool details, const SheetUse& use)
{
    std::lock_guard lock(m_mutex);
    RecordStatement missing(m_db,
        "SELECT path, page, page_count FROM pages p WHERE NOT EXISTS"
        " (SELECT 1 FROM sheets WHERE page_id = p.id) ORDER BY id");
    while (missing.Step() == SQLITE_ROW)
        ungraded.push_back(SheetPage { missing.Text(0), static_cast<int>(missing.Int(1)),
            static_cast<int>(missing.Int(2)),
            {} }.Name());
    return ReadSheets(
        " FROM pages p JOIN sheets s ON s.id = (SELECT max(id) FROM sheets WHERE page_id = p.id)"
        " ORDER BY p.id",
        {}, 0, {}, details, use);
}

Result<int64_t> ClassRecord::Add(const GradedSheet& sheet)
{
    std::lock_guard lock(m_mutex);
    if (const Status checked = Checked(); !checked)
        return checked;
    if (const Status begun = Execute("BEGIN IMMEDIATE"); !begun)
        return begun;
    Result<int64_t> written = WriteSheet(sheet);
    if (!written) {
        Execute("ROLLBACK");
        return written;
    }
    if (const Status committed = Execute("COMMIT"); !committed)
        return committed;
    return written;
}

Result<int64_t> ClassRecord::WriteSheet(const GradedSheet& sheet)
{
    RecordStatement page(m_db,
        "INSERT INTO pages(path, page, page_count, listed_at) VALUES(?, ?, ?, ?)"
        " ON CONFLICT(path, page) DO UPDATE SET path = path RETURNING id");
    page.Bind(1, sheet.page.file)
        .Bind(2, int64_t { sheet.page.page })
        .Bind(3, int64_t { sheet.page.pageCount });
    page.Bind(4, UtcNow());
    if (page.Step() != SQLITE_ROW)
        return Failure("cannot list the page");
    const int64_t pageId = page.Int(0);
    page.Reset();
    const SkewMeasurement& skew = sheet.measures.skew;
    const SecondReading& second = sheet.second;
    RecordStatement insert(m_db,
        "INSERT INTO sheets(page_id, sha256, size, modified_ns, key_id, graded_at, status, refusal, messages,"
        " write_failure, measured, examinee_id, correct, wrong, error, review, left_mark_x, left_mark_y,"
        " right_mark_x, right_mark_y, angle_radians, angle_degrees, mark_drift, corner_black_left,"
        " corner_black_right, overlay_pixels, second_read, second_degrees, second_left_x, second_left_y,"
        " second_right_x, second_right_y, second_marked_ink, second_examinee_id, second_correct, "
        "second_wrong,"
        " second_error) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, "
        "?18,"
        " ?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, ?29, ?30, ?31, ?32, ?33, ?34, ?35, ?36, ?37)");
    insert.Bind(1, pageId)
        .Bind(2, sheet.fingerprint.sha256)
        .Bind(3, sheet.fingerprint.size)
        .Bind(4, sheet.fingerprint.modifiedNs);
    insert.Bind(5, m_key).Bind(6, UtcNow());
    insert.Bind(7, std::string(StatusName(sheet.status))).Bind(8, sheet.refusal);
    insert.Bind(9, Joined(sheet.messages, kMessageSeparator)).Bind(10, sheet.writeFailure);
    insert.Bind(11, int64_t { sheet.measured }).Bind(12, int64_t { sheet.first.examineeId });
    insert.Bind(13, int64_t { sheet.first.counts.correct }).Bind(14, int64_t { sheet.first.counts.wrong });
    insert.Bind(15, int64_t { sheet.first.counts.errors }).Bind(16, sheet.review.List());
    insert.Bind(17, double { skew.leftMarkX }).Bind(18, double { skew.leftMarkY });
    insert.Bind(19, double { skew.rightMarkX }).Bind(20, double { skew.rightMarkY });
    insert.Bind(21, skew.angleRadians).Bind(22, skew.angleDegrees).Bind(23, sheet.measures.markDrift);
    insert.Bind(24, int64_t { sheet.measures.cornerBlack[0] })
        .Bind(25, int64_t { sheet.measures.cornerBlack[1] });
    insert.Bind(26, int64_t { sheet.measures.overlayPixels }).Bind(27, int64_t { second.read });
    insert.Bind(28, second.degrees).Bind(29, second.leftCorner.x).Bind(30, second.leftCorner.y);
    insert.Bind(31, second.rightCorner.x)
        .Bind(32, second.rightCorner.y)
        .Bind(33, int64_t { second.markedInk });
    insert.Bind(34, sheet.review.secondId).Bind(35, int64_t { sheet.review.secondCorrect });
    insert.Bind(36, int64_t { sheet.review.secondWrong }).Bind(37, int64_t { sheet.review.secondErrors });
    if (!insert.Run())
        return Failure("cannot add the sheet " + sheet.file);
    const int64_t id = sqlite3_last_insert_rowid(m_db);
    if (!sheet.measured)
        return id;

    RecordStatement question(m_db,
        "INSERT INTO questions VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, "
        "?17, ?18)");
    for (size_t q = 0; q < kQuestionCount; ++q) {
        const QuestionMeasure& measure = sheet.measures.questions[q];
        question.Bind(1, id).Bind(2, static_cast<int64_t>(q + 1));
        for (size_t letter = 0; letter < kLettersPerRow; ++letter) {
            question.Bind(3 + static_cast<int>(letter), int64_t { measure.boxBlack[letter] });
            question.Bind(13 + static_cast<int>(letter), int64_t { second.answerInk[q][letter] });
        }
        question.Bind(8, int64_t { measure.rowRejected }).Bind(9, int64_t { measure.rowMargin });
        question.Bind(10, sheet.first.letters[q]);
        const std::optional<QuestionScore>& score = sheet.first.scores[q];
        question.Bind(11, score ? std::string(1, ScoreLetter(*score)) : std::string());
        question.Bind(12, second.marked[q]).Bind(18, static_cast<int64_t>(second.answerDoubt[q]));
        if (!question.Run())
            return Failure("cannot add the sheet " + sheet.file);
    }
    RecordStatement packed(m_db, "INSERT INTO packed_questions VALUES(?1, ?2)");
    if (!packed.Bind(1, id).BindBlob(2, PackQuestions(sheet)).Run())
        return Failure("cannot add the sheet " + sheet.file);
    RecordStatement column(m_db, "INSERT INTO id_columns VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    for (size_t c = 0; c < kIdDigitCount; ++c) {
        const IdColumnMeasure& measure = sheet.measures.idColumns[c];
        std::vector<std::string> ink;
        for (const int value : second.idInk[c])
            ink.push_back(std::to_string(value));
        column.Bind(1, id).Bind(2, static_cast<int64_t>(c)).Bind(3, int64_t { measure.winner });
        column.Bind(4, int64_t { measure.winnerBlack }).Bind(5, int64_t { measure.runnerUp });
        column.Bind(6, int64_t { measure.runnerUpBlack })
            .Bind(7, int64_t { second.digits[c] })
            .Bind(8, Joined(ink, ','))
            .Bind(9, static_cast<int64_t>(second.idDoubt[c]));
        if (!column.Run())
            return Failure("cannot add the sheet " + sheet.file);
    }
    RecordStatement item(m_db, "INSERT INTO review_items VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    for (size_t i = 0; i < sheet.review.items.size(); ++i) {
        const ReviewItem& entry = sheet.review.items[i];
        item.Bind(1, id).Bind(2, static_cast<int64_t>(i)).Bind(3, entry.item).Bind(4, entry.first);
        item.Bind(5, entry.second).Bind(6, entry.reason).Bind(7, static_cast<int64_t>(entry.why));
        item.Bind(8, entry.figures[0]).Bind(9, entry.figures[1]);
        if (!item.Run())
            return Failure("cannot add the sheet " + sheet.file);
    }
    return id;
}
