// vantrel-grade: grades scanned answer sheets from the command line.

#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "batch_runner.h"
#include "class_outputs.h"
#include "class_record_options.h"
#include "console_report.h"
#include "framework/message_box.h"
#include "framework/safe_file_write.h"
#include "framework/scratch_files.h"
#include "framework/teacher_language.h"
#include "grade_options.h"
#include "grading/annotated_paths.h"
#include "grading/class_record.h"
#include "grading/csv_report.h"
#include "grading/key_sheet.h"
#include "grading/page_list.h"
#include "grading/rescore.h"
#include "grading/review_image.h"
#include "output_guard.h"
#include "plan_options.h"
#include "results/results_file.h"
#include "written_here.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

namespace {

// Excel reads a CSV as UTF-8 only when it starts with this.
constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

enum ExitStatus { AllGraded = 0, SomeNotGraded = 1, UsageError = 2 };

// The key a file or a key sheet gives, or else the key sheet scanned with the class,
// which then leaves the pages graded.
Result<AnswerList> ReadKey(const GradeOptions& options, std::vector<SheetPage>& pages, std::string& source)
{
    source = options.keySheet.empty() ? options.keyFile : options.keySheet;
    if (!options.keyFile.empty())
        return ReadAnswerKeyFile(options.keyFile);
    if (!options.keySheet.empty())
        return ReadKeySheet(options.keySheet);
    Result<std::optional<FoundKeySheet>> found = FindKeySheet(pages);
    if (!found)
        return found.status();
    if (!found->has_value())
        return Status::Failure("no key: give --key KEYFILE or --key-sheet SCAN, or scan a key sheet (ID "
                               "00000000) with the class");
    const FoundKeySheet& keySheet = **found;
    source = pages[keySheet.page].file;
    std::fprintf(stderr, "vantrel-grade: note: %s has the ID 00000000: it is the key sheet, not graded\n",
        pages[keySheet.page].Name().c_str());
    pages.erase(pages.begin() + static_cast<std::ptrdiff_t>(keySheet.page));
    return keySheet.answers;
}

bool LoadKey(const GradeOptions& options, std::vector<SheetPage>& pages)
{
    std::string source;
    const Result<AnswerList> read = ReadKey(options, pages, source);
    if (!read) {
        std::fprintf(stderr, "vantrel-grade: %s\n", read.message().c_str());
        return false;
    }
    // The validation messages go to standard error, as the desktop shows them in boxes.
    AcceptAnswerKey(*read, std::filesystem::path(source).stem().string());
    // Without one valid answer every sheet would come out unreported.
    if (g_enteredKey.count == 0) {
        ShowMessage(kNoAnswerKeyWarning);
        return false;
    }
    return true;
}

int DefaultJobs()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

bool Report(const Status& written)
{
    if (!written)
        std::fprintf(stderr, "vantrel-grade: %s\n", written.message().c_str());
    return written.ok();
}

// An output file the options ask for, created before any sheet is graded so that
// a wrong path is known at once; nullptr when not asked for.
std::unique_ptr<AtomicFileWriter> OpenOutput(const std::string& path, bool& opened)
{
    if (path.empty())
        return nullptr;
    auto file = std::make_unique<AtomicFileWriter>(path);
    opened = Report(file->Open()) && opened;
    return file;
}

// The run's resolutions, or nothing when the --resolve file is refused (nothing is written then).
std::optional<RunResolutions> ReadResolutions(
    const GradeOptions& options, const std::vector<std::string>& sheets)
{
    Result<RunResolutions> read = RunResolutions::Read(options, sheets);
    if (read)
        return std::move(read).value();
    std::fprintf(stderr, "vantrel-grade: nothing written: %s\n", read.message().c_str());
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    // Ctrl-C or a kill leaves no half-written output beside the old one.
    RemoveScratchFilesOnSignal();
    const ParsedGradeOptions parsed = ParseGradeOptions(argc, argv);
    if (parsed.helpRequested) {
        std::fputs(GradeUsage().c_str(), stdout);
        return AllGraded;
    }
    if (parsed.versionRequested) {
        std::printf("vantrel-grade %s\n", VANTREL_VERSION);
        return AllGraded;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "vantrel-grade: %s\n\n%s", parsed.error.c_str(), GradeUsage().c_str());
        return UsageError;
    }
    GradeOptions options = parsed.options;

    // For the image codec plugins; no display is needed. Review pictures and the
    // report carry text, which takes the font machinery of a GUI application, shown
    // on no screen.
    const bool drawsText
        = !options.reviewImagesDir.empty() || !options.reportFile.empty() || !options.slipsFile.empty();
    if (drawsText && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = drawsText ? std::make_unique<QGuiApplication>(argc, argv)
                                                            : std::make_unique<QCoreApplication>(argc, argv);
    InstallTeacherLanguage();

    // One scan named twice is one sheet, never two with one student's score.
    DistinctFiles sheetFiles = DropRepeatedFiles(options.sheets);
    for (const std::string& note : sheetFiles.notes)
        std::fprintf(stderr, "vantrel-grade: %s\n", note.c_str());
    options.sheets = std::move(sheetFiles.files);
    // The key sheet scanned with the class is the key, not a student's sheet.
    if (const std::string keySheet = options.keySheet; !keySheet.empty())
        std::erase_if(options.sheets, [&keySheet](const std::string& sheet) {
            std::error_code error;
            if (!std::filesystem::equivalent(sheet, keySheet, error))
                return false;
            std::fprintf(
                stderr, "vantrel-grade: note: %s is the key sheet; it is not graded\n", sheet.c_str());
            return true;
        });
    // A copier's PDF or TIFF is a class of sheets: every page is graded on its own.
    std::vector<SheetPage> pages = ListPages(options.sheets);
    if (!LoadKey(options, pages))
        return UsageError;
    std::optional<Roster> roster;
    if (!options.rosterFile.empty()) {
        Result<Roster> read = Roster::Read(options.rosterFile);
        if (!read) {
            std::fprintf(stderr, "vantrel-grade: %s\n", read.message().c_str());
            return UsageError;
        }
        roster = std::move(read).value();
    }
    RunPlan plan;
    if (const Status read = plan.ReadOption(options, g_enteredKey.answers); !read) {
        std::fprintf(stderr, "vantrel-grade: nothing written: %s\n", read.message().c_str());
        return UsageError;
    }
    std::vector<std::string> names;
    for (const SheetPage& page : pages)
        names.push_back(page.Name());
    // Before the record is made: a refused --resolve file leaves nothing behind.
    std::optional<RunResolutions> resolutions;
    if (!options.rescore && !(resolutions = ReadResolutions(options, names)))
        return UsageError;
    std::unique_ptr<ClassRecord> record;
    std::vector<RecordedScan> recorded; // the pages the record holds; what --rescore scores
    RecordedPages held;
    GradeOptions guarded = options;
    if (!options.classFile.empty()) {
        // Before the record is opened: a path that names an input is never touched.
        if (const std::string clash = OutputClash(options, {}); !clash.empty()) {
            std::fprintf(stderr, "vantrel-grade: nothing written: %s\n", clash.c_str());
            return UsageError;
        }
        Result<std::unique_ptr<ClassRecord>> opened = ClassRecord::Open(options.classFile, !options.rescore);
        if (!opened) {
            std::fprintf(stderr, "vantrel-grade: %s\n", opened.message().c_str());
            return UsageError;
        }
        record = std::move(opened).value();
        Result<std::vector<RecordedScan>> read = ReadRecord(*record, options.rescore);
        if (!read) {
            std::fprintf(stderr, "vantrel-grade: %s\n", read.message().c_str());
            return UsageError;
        }
        recorded = std::move(read).value();
        if (options.rescore && !roster && (roster = record->LatestClassList()))
            std::fprintf(stderr,
                "vantrel-grade: note: the class list kept in the record (%s) names the students\n",
                roster->Path().c_str());
        if (const Status kept = options.rescore ? plan.TakeKept(*record, g_enteredKey.answers) : Status();
            !kept) {
            std::fprintf(stderr, "vantrel-grade: %s\n", kept.message().c_str());
            return UsageError;
        }
        NoteChangedScans(
            recorded, options.rescore, std::set<std::string>(options.sheets.begin(), options.sheets.end()));
        for (const RecordedScan& sheet : recorded)
            held.emplace(sheet.page.Name(), sheet.file.sha256);
        if (options.rescore) {
            for (const RecordedScan& sheet : recorded) {
                guarded.sheets.push_back(sheet.page.file);
                names.push_back(sheet.page.Name());
            }
            if (!(resolutions = ReadResolutions(options, names)))
                return UsageError;
        }
    }
    const std::vector<std::string> annotated = options.annotateDir.empty()
        ? std::vector<std::string>()
        : AnnotatedPaths(pages, options.annotateDir, options.annotateFormat);
    const std::vector<std::string> reviewImages = ReviewImagePaths(pages, options.reviewImagesDir);
    std::vector<std::string> outputs = annotated;
    for (const std::string& picture : reviewImages)
        if (!picture.empty())
            outputs.push_back(picture);
    if (const std::string clash = OutputClash(guarded, outputs); !clash.empty()) {
        std::fprintf(stderr, "vantrel-grade: nothing written: %s\n", clash.c_str());
        return UsageError;
    }
    const std::pair<const std::string&, const std::vector<std::string>&> pictureFolders[]
        = { { options.annotateDir, annotated }, { options.reviewImagesDir, reviewImages } };
    for (const auto& [directory, paths] : pictureFolders)
        if (const std::string foreign = FirstFileNotWrittenHere(directory, paths);
            !directory.empty() && !foreign.empty()) {
            std::fprintf(stderr,
                "vantrel-grade: nothing written: %s is there and vantrel-grade did not write it; move it "
                "away or "
                "choose another folder\n",
                foreign.c_str());
            return UsageError;
        }
    for (const std::string& directory : { options.annotateDir, options.reviewImagesDir }) {
        if (directory.empty())
            continue;
        std::error_code error;
        std::filesystem::create_directories(directory, error);
        if (error) {
            std::fprintf(
                stderr, "vantrel-grade: cannot create %s: %s\n", directory.c_str(), error.message().c_str());
            return UsageError;
        }
    }

    bool opened = true;
    const std::unique_ptr<AtomicFileWriter> csv = OpenOutput(options.csvFile, opened);
    const std::unique_ptr<AtomicFileWriter> results = OpenOutput(options.resultsFile, opened);
    const std::unique_ptr<AtomicFileWriter> review = OpenOutput(options.reviewFile, opened);
    const std::unique_ptr<AtomicFileWriter> items = OpenOutput(options.itemsFile, opened);
    std::unique_ptr<AtomicFileWriter> workbook = OpenOutput(options.xlsxFile, opened);
    std::unique_ptr<AtomicFileWriter> report = OpenOutput(options.reportFile, opened);
    std::unique_ptr<AtomicFileWriter> slips = OpenOutput(options.slipsFile, opened);
    std::unique_ptr<AtomicFileWriter> audit = OpenOutput(options.auditFile, opened);
    for (const auto& [directory, paths] : pictureFolders)
        opened = opened && (directory.empty() || Report(ListAsWrittenHere(directory, paths)));
    if (!opened)
        return UsageError;
    if (csv && options.csvExcel)
        csv->Append(kUtf8ByteOrderMark);
    if (csv)
        csv->Append(plan.Header(CsvHeader(roster)));
    if (review)
        review->Append(ReviewHeader());

    // The record keeps what the class is scored with: before grading, whose sheets name the
    // key; after a re-score, which so reads the class while the record is checked.
    const auto keepKey = [&] {
        Status kept = record->AddKey(g_enteredKey, options.rescore ? "rescore" : "grade");
        if (kept && roster)
            kept = record->KeepClassList(*roster);
        if (kept && plan.file)
            kept = record->KeepPlan({ plan.file->path, plan.file->text });
        return Report(kept) && (options.rescore || Report(record->ListPages(pages)));
    };
    if (record && !options.rescore && !keepKey())
        return SomeNotGraded;
    ConsoleReport console(options.rescore ? recorded.size() : pages.size(), options.quiet);
    ClassOutputs whole(options, g_enteredKey, roster,
        plan.file ? std::optional(plan.file->plan) : std::nullopt,
        options.rescore ? recorded.size() : pages.size(), slips.get());
    const auto deliver = [&](GradedSheet&& sheet) {
        console.Add(sheet);
        if (csv)
            csv->Append(plan.Row(CsvRow(sheet, roster), g_enteredKey.answers, sheet));
        if (results && sheet.status != SheetStatus::Refused && sheet.first.examineeId != 0)
            results->Append(FormatResultLine(sheet.first.examineeId, sheet.first.counts.correct));
        if (review)
            review->Append(ReviewLines(sheet));
        whole.Add(std::move(sheet));
    };
    if (options.rescore) {
        std::vector<std::string> ungraded; // noted when the record was opened
        const auto rescore = [&](GradedSheet&& recorded) {
            GradedSheet sheet = RescoreSheet(std::move(recorded), g_enteredKey);
            resolutions->Settle(sheet, g_enteredKey, record.get());
            deliver(std::move(sheet));
        };
        if (!Report(record->EachSheet(ungraded, true, rescore)))
            return UsageError; // no output written
        if (!keepKey())
            return SomeNotGraded; // nor here
    } else
        RunBatch(pages, annotated, reviewImages, options, g_enteredKey,
            options.jobs > 0 ? options.jobs : DefaultJobs(), deliver,
            record                   ? RecordingGrader(*record, g_enteredKey, *resolutions, held)
                : resolutions->Any() ? SettlingGrader(g_enteredKey, *resolutions)
                                     : SheetGrading());
    console.Finish();
    bool written = true;
    if (audit && !Report(WriteAudit(*record, *audit))) {
        audit.reset(); // the old audit stays
        written = false;
    }
    if (const Status finished = whole.Finish(items.get(), workbook.get(), report.get()); !finished) {
        std::fprintf(stderr, "vantrel-grade: %s\n", finished.message().c_str());
        // Nothing replaces what was there.
        workbook.reset();
        report.reset();
        slips.reset();
        written = false;
    }

    for (AtomicFileWriter* file : { csv.get(), results.get(), review.get(), items.get(), workbook.get(),
             report.get(), slips.get(), audit.get() })
        if (file)
            written = Report(file->Commit()) && written;
    return console.RefusedCount() == 0 && console.WriteFailureCount() == 0 && written ? AllGraded
                                                                                      : SomeNotGraded;
}
