#include "batch_generator.h"

#include "answerkey/answer_key_file.h"
#include "classroom_plan.h"
#include "filled_sheet.h"
#include "framework/format.h"
#include "framework/safe_file_write.h"
#include "image_output.h"
#include "sheet_random.h"
#include "sheet_truth.h"

#include <QDir>
#include <QString>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr uint64_t kClassroomStream = 0x434c415353524f4dull;

struct PlannedSheet {
    std::string fileName;
    SheetContent content;
    ScanConditions scan;
    uint64_t renderSeed = 0;
    int quality = 90;
};

// What was drawn at random while rendering a sheet.
struct RenderedSheet {
    int pencilGrey = 0;
    std::optional<QPoint> speck;
};

char RandomLetter(SheetRandom& random)
{
    return static_cast<char>('a' + random.Below(5));
}

AnswerList RandomKey(SheetRandom& random)
{
    AnswerList key;
    for (std::string& answer : key)
        answer = std::string(1, RandomLetter(random));
    return key;
}

std::string RandomId(SheetRandom& random)
{
    std::string id;
    // A quarter of the IDs start with zero, so leading zeros get exercised.
    id += random.Chance(0.25) ? '0' : static_cast<char>('1' + random.Below(9));
    while (id.size() < 8)
        id += static_cast<char>('0' + random.Below(10));
    return id;
}

// A student of some ability: mostly right or wrong single marks, a few blank rows
// and a few rows marked twice.
MarkedAnswers RandomMarks(const AnswerList& key, SheetRandom& random)
{
    const double ability = random.Uniform(0.35, 0.95);
    MarkedAnswers marks;
    for (size_t q = 0; q < marks.size(); ++q) {
        const double roll = random.Unit();
        if (roll < 0.03)
            continue;
        if (roll < 0.06) {
            const char first = RandomLetter(random);
            char second = RandomLetter(random);
            while (second == first)
                second = RandomLetter(random);
            marks[q] = { std::min(first, second), std::max(first, second) };
        } else if (random.Chance(ability)) {
            marks[q] = key[q];
        } else {
            char other = RandomLetter(random);
            while (std::string(1, other) == key[q])
                other = RandomLetter(random);
            marks[q] = std::string(1, other);
        }
    }
    return marks;
}

int Draw(const DrawRange& range, SheetRandom& random)
{
    return random.Between(
        static_cast<int>(std::lround(range.low)), static_cast<int>(std::lround(range.high)));
}

// A classroom's marks and page handling, from a stream of their own: a batch
// without classroom options draws exactly what it always drew.
void PlanClassroom(const ClassroomOptions& options, SheetRandom random, PlannedSheet& sheet)
{
    SheetContent& content = sheet.content;
    const MarkedAnswers answers = content.marks;
    if (options.mix)
        MixClassroomMarks(content, random);
    if (!options.marks.empty()) { // the kinds asked for take the mix's place in the rows
        content.marks = answers;
        content.erased = {};
        content.items = {};
        ApplyMarkKinds(content, options.marks);
    }
    sheet.scan.page = PlanPageHandling(options, random);
}

std::vector<PlannedSheet> PlanSheets(const BatchCommand& command, const AnswerList& key)
{
    std::vector<PlannedSheet> sheets;
    for (int number = 1; number <= command.count; ++number) {
        SheetRandom random = SheetRandom::Derived(command.seed, static_cast<uint64_t>(number));
        PlannedSheet sheet;
        sheet.fileName = BatchFileName(number, command.format);
        sheet.content.examineeId = RandomId(random);
        sheet.content.marks = RandomMarks(key, random);
        sheet.content.tiltDegrees = random.Uniform(-command.maxTilt, command.maxTilt);
        sheet.renderSeed = random.Next();
        sheet.quality = Draw(command.quality, random);
        // Drawn after everything above, so a batch without scan conditions is the same.
        ScanConditions& scan = sheet.scan;
        const double sign = random.Chance(0.5) ? 1 : -1;
        scan.rotateDegrees = sign * random.Uniform(command.rotate.low, command.rotate.high);
        scan.shiftX = random.Uniform(-command.maxShift, command.maxShift);
        scan.shiftY = random.Uniform(-command.maxShift, command.maxShift);
        scan.blurSigma = random.Uniform(command.blur.low, command.blur.high);
        scan.noise = random.Uniform(command.noise.low, command.noise.high);
        scan.pencilGrey = Draw(command.pencil, random);
        scan.speck = command.speck;
        scan.dpi = command.dpi;
        if (command.classroom.on)
            PlanClassroom(
                command.classroom, SheetRandom::Derived(command.seed ^ kClassroomStream, number), sheet);
        sheets.push_back(sheet);
    }
    return sheets;
}

// Draws and writes every sheet on all cores; returns the first error met.
std::string WriteSheets(
    const std::vector<PlannedSheet>& sheets, const QDir& folder, std::vector<RenderedSheet>& rendered)
{
    std::atomic<size_t> next { 0 };
    std::vector<std::string> errors(sheets.size());
    rendered.assign(sheets.size(), {});
    const auto work = [&] {
        for (size_t i = next++; i < sheets.size(); i = next++) {
            const PlannedSheet& sheet = sheets[i];
            const FilledScan scan = RenderFilledSheet(sheet.content, sheet.scan, sheet.renderSeed);
            rendered[i] = { scan.pencilGrey, scan.speck };
            errors[i] = SaveScan(scan.image,
                folder.filePath(QString::fromStdString(sheet.fileName)).toStdString(), sheet.quality);
        }
    };
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    std::vector<std::thread> threads;
    for (unsigned w = 1; w < workers; ++w)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    for (const std::string& error : errors)
        if (!error.empty())
            return error;
    return {};
}

// The counts a grader must report, then the letters drawn in each row (m1..m100).
std::string TruthTable(const std::vector<PlannedSheet>& sheets, const AnswerList& key)
{
    std::string table = "file,examinee_id,correct,wrong,error";
    for (int question = 1; question <= kSheetQuestions; ++question)
        table += ",m" + std::to_string(question);
    table += '\n';
    for (const PlannedSheet& sheet : sheets) {
        const SheetTruth truth = ScoreClearItems(sheet.content, key);
        table += FormatText("%s,%s,%d,%d,%d", sheet.fileName.c_str(), sheet.content.examineeId.c_str(),
            truth.correct, truth.wrong, truth.error);
        for (const std::string& letters : sheet.content.marks)
            table += ',' + letters;
        table += '\n';
    }
    return table;
}

// What a classroom page went through, after the scan's columns.
std::string PageColumns(const PageHandling& page)
{
    const char* tone = page.tone == ScanTone::Light ? "light"
        : page.tone == ScanTone::Dark               ? "dark"
                                                    : "normal";
    const std::string grey = page.tone == ScanTone::Normal ? "" : std::to_string(page.toneGrey);
    return FormatText(",%s,%s,%.1f,%d,%d,%d,%d,%d,%d", tone, grey.c_str(), 100 * page.printScale,
        page.upsideDown, page.fold, page.holes, page.showThrough, page.edgeShadow, page.perspective);
}

// How each sheet was scanned, beside the truth, which stays what was drawn.
std::string ScanTable(const std::vector<PlannedSheet>& sheets, const std::vector<RenderedSheet>& rendered,
    const std::string& format, bool classroom)
{
    std::string table = "file,tilt,rotate,shift_x,shift_y,blur,noise,pencil,quality,speck_x,speck_y";
    table += classroom
        ? ",tone,tone_grey,print_scale,upside_down,fold,holes,show_through,edge_shadow,perspective\n"
        : "\n";
    for (size_t i = 0; i < sheets.size(); ++i) {
        const ScanConditions& scan = sheets[i].scan;
        const std::string quality = format == "jpg" ? std::to_string(sheets[i].quality) : "";
        const std::optional<QPoint>& speck = rendered[i].speck;
        table += FormatText("%s,%.3f,%.3f,%.2f,%.2f,%.3f,%.2f,%d,%s,%s,%s", sheets[i].fileName.c_str(),
            sheets[i].content.tiltDegrees, scan.rotateDegrees, scan.shiftX, scan.shiftY, scan.blurSigma,
            scan.noise, rendered[i].pencilGrey, quality.c_str(),
            speck ? std::to_string(speck->x()).c_str() : "", speck ? std::to_string(speck->y()).c_str() : "");
        table += (classroom ? PageColumns(scan.page) : std::string()) + '\n';
    }
    return table;
}

// The files of the folder a batch would replace, named (the first few), or empty.
std::string FilesInTheWay(const BatchCommand& command)
{
    std::vector<std::string> names { "key.txt", "truth.csv", "scan.csv", "items.csv" };
    for (int number = 1; number <= command.count; ++number)
        names.push_back(BatchFileName(number, command.format));
    std::string taken;
    int shown = 0;
    for (const std::string& name : names) {
        std::error_code error;
        if (!std::filesystem::exists(
                std::filesystem::symlink_status(std::filesystem::path(command.outputDir) / name, error)))
            continue;
        if (++shown <= 3)
            taken += (taken.empty() ? "" : ", ") + name;
    }
    if (shown > 3)
        taken += FormatText(" and %d more", shown - 3);
    return taken;
}

} // namespace

std::string BatchFileName(int number, const std::string& extension)
{
    return FormatText("img%03d.%s", number, extension.c_str());
}

std::string GenerateBatch(const BatchCommand& command)
{
    if (std::string taken = FilesInTheWay(command); !taken.empty() && !command.force)
        return command.outputDir + " already holds " + taken
            + ": nothing written; give an empty folder, or --force to replace them";
    const QString folderPath = QString::fromStdString(command.outputDir);
    if (!QDir().mkpath(folderPath))
        return "cannot create the folder " + command.outputDir;
    const QDir folder(folderPath);

    SheetRandom keyRandom = SheetRandom::Derived(command.seed, 0);
    const AnswerList key = RandomKey(keyRandom);
    const std::vector<PlannedSheet> sheets = PlanSheets(command, key);
    std::vector<RenderedSheet> rendered;
    if (std::string error = WriteSheets(sheets, folder, rendered); !error.empty())
        return error;

    const std::string keyPath = folder.filePath(QStringLiteral("key.txt")).toStdString();
    if (const Status written = WriteAnswerKeyFile(keyPath, key); !written)
        return written.message();
    const std::string truthPath = folder.filePath(QStringLiteral("truth.csv")).toStdString();
    if (const Status written = WriteFileSafely(truthPath, TruthTable(sheets, key)); !written)
        return written.message();
    if (command.classroom.on) {
        std::string items = "file,item,kind,reads\n";
        for (const PlannedSheet& sheet : sheets)
            items += ItemRows(sheet.fileName, sheet.content);
        const std::string itemsPath = folder.filePath(QStringLiteral("items.csv")).toStdString();
        if (const Status written = WriteFileSafely(itemsPath, items); !written)
            return written.message();
    }
    if (!command.describeScans)
        return {};
    const std::string scanPath = folder.filePath(QStringLiteral("scan.csv")).toStdString();
    const std::string table = ScanTable(sheets, rendered, command.format, command.classroom.on);
    if (const Status written = WriteFileSafely(scanPath, table); !written)
        return written.message();
    return {};
}
