#include "batch_generator.h"

#include "answerkey/answer_key_file.h"
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
#include <thread>
#include <vector>

namespace
{

struct PlannedSheet {
    std::string fileName;
    SheetContent content;
    uint64_t renderSeed = 0;
    int quality = 90;
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
        sheet.quality = random.Between(75, 95);
        sheets.push_back(sheet);
    }
    return sheets;
}

// Draws and writes every sheet on all cores; returns the first error met.
std::string WriteSheets(const std::vector<PlannedSheet>& sheets, const QDir& folder, int noise)
{
    std::atomic<size_t> next { 0 };
    std::vector<std::string> errors(sheets.size());
    const auto work = [&] {
        for (size_t i = next++; i < sheets.size(); i = next++) {
            const PlannedSheet& sheet = sheets[i];
            const QImage image = RenderFilledSheet(sheet.content, noise, sheet.renderSeed);
            errors[i] = SaveScan(
                image, folder.filePath(QString::fromStdString(sheet.fileName)).toStdString(), sheet.quality);
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
        const SheetTruth truth = ScoreDrawnSheet(sheet.content.marks, key);
        table += FormatText("%s,%s,%d,%d,%d", sheet.fileName.c_str(), sheet.content.examineeId.c_str(),
                            truth.correct, truth.wrong, truth.error);
        for (const std::string& letters : sheet.content.marks)
            table += ',' + letters;
        table += '\n';
    }
    return table;
}

} // namespace

std::string BatchFileName(int number, const std::string& extension)
{
    return FormatText("img%03d.%s", number, extension.c_str());
}

std::string GenerateBatch(const BatchCommand& command)
{
    const QString folderPath = QString::fromStdString(command.outputDir);
    if (!QDir().mkpath(folderPath))
        return "cannot create the folder " + command.outputDir;
    const QDir folder(folderPath);

    SheetRandom keyRandom = SheetRandom::Derived(command.seed, 0);
    const AnswerList key = RandomKey(keyRandom);
    const std::vector<PlannedSheet> sheets = PlanSheets(command, key);
    if (std::string error = WriteSheets(sheets, folder, command.noise); !error.empty())
        return error;

    const std::string keyPath = folder.filePath(QStringLiteral("key.txt")).toStdString();
    if (const FileWriteResult written = WriteAnswerKeyFile(keyPath, key); !written)
        return written.message;
    const std::string truthPath = folder.filePath(QStringLiteral("truth.csv")).toStdString();
    if (const FileWriteResult written = WriteFileSafely(truthPath, TruthTable(sheets, key)); !written)
        return written.message;
    return {};
}
