// What one sheet costs, stage by stage, against the bare libjpeg-turbo decode of
// the same files. Every figure is the CPU time of the benchmark's own thread, so
// other processes on the machine stretch none of them.
//
//   bench_sheet_stages --sheets=DIR

#include "bench_sheets.h"

#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "framework/message_box.h"
#include "omr/check_sheet.h"
#include "omr/engine_state.h"
#include "omr/reading_band.h"
#include "omr/reviewed_check.h"
#include "omr/score_recorder.h"
#include "omr/second_reading/grey_page.h"
#include "omr/second_reading/second_reading.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Enough different sheets that no stage works on one sheet over and over.
constexpr size_t kSheetsInMemory = 24;

class Silent : public MessageBoxService, public ScoreRecorder {
public:
    void Show(const std::string&) override { }
    void RecordId(int32_t) override { }
    void RecordScores(const SheetScores&) override { }
};

// An engine state whose texts and counts go nowhere.
struct SilentEngine {
    Silent silent;
    EngineState state { { &silent, &silent, nullptr } };
};

struct Sheets {
    AnswerKey key;
    std::vector<std::string> paths;
    std::vector<std::vector<uint8_t>> jpegs;
    std::vector<std::unique_ptr<SheetImage>> decoded;
};

Sheets g_sheets;

// Times `stage` on a fresh copy of each decoded sheet in turn; `before` readies
// the copy, untimed.
template <typename Before, typename Stage>
void TimeOnCopies(benchmark::State& state, Before before, Stage stage)
{
    SilentEngine engine;
    SheetImage work;
    size_t next = 0;
    for (auto _ : state) {
        CopySheet(*g_sheets.decoded[next++ % g_sheets.decoded.size()], work);
        before(work, engine.state);
        const double start = ThreadCpuSeconds();
        stage(work, engine.state);
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations());
}

void Nothing(SheetImage&, EngineState&)
{
}

void Prepare(SheetImage& sheet, EngineState& engine)
{
    sheet.PrepareSheet(engine);
}

void PrepareAndMeasure(SheetImage& sheet, EngineState& engine)
{
    sheet.PrepareSheet(engine);
    sheet.MeasureSkew(engine, 0);
}

void Grade(SheetImage& sheet, EngineState& engine)
{
    sheet.GradeSheet(engine, g_sheets.key.answers, g_sheets.key.count);
}

void BM_BareDecode(benchmark::State& state)
{
    BareJpegDecoder decoder;
    size_t next = 0;
    for (auto _ : state) {
        const std::vector<uint8_t>& jpeg = g_sheets.jpegs[next++ % g_sheets.jpegs.size()];
        const double start = ThreadCpuSeconds();
        if (!decoder.Decode(jpeg))
            state.SkipWithError("TurboJPEG cannot decode a sheet");
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations());
}

// Loading the whole page, or only the reading band as the batch grader does.
void TimeLoading(benchmark::State& state, NeededRows needed)
{
    size_t next = 0;
    for (auto _ : state) {
        SheetImage sheet;
        const double start = ThreadCpuSeconds();
        if (!sheet.LoadPage(g_sheets.paths[next++ % kSheetsInMemory], 0, needed))
            state.SkipWithError("cannot load a sheet");
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_LoadFromFile(benchmark::State& state)
{
    TimeLoading(state, {});
}

void BM_LoadReadingBand(benchmark::State& state)
{
    const PixelSpan band = ReadingBand();
    TimeLoading(state, { band.first, band.end });
}

void BM_PrepareSheet(benchmark::State& state)
{
    TimeOnCopies(state, Nothing, Prepare);
}

// Thresholding a sheet straight after its decode, as the grader does, rather than
// after a copy: what the decoder's writes leave in the caches shows here.
void BM_PrepareAfterLoad(benchmark::State& state)
{
    SilentEngine engine;
    size_t next = 0;
    for (auto _ : state) {
        SheetImage sheet;
        sheet.LoadFromFile(g_sheets.paths[next++ % g_sheets.paths.size()]);
        const double start = ThreadCpuSeconds();
        sheet.PrepareSheet(engine.state);
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_MeasureSkew(benchmark::State& state)
{
    TimeOnCopies(
        state, Prepare, [](SheetImage& sheet, EngineState& engine) { sheet.MeasureSkew(engine, 0); });
}

void BM_GradeSheet(benchmark::State& state)
{
    TimeOnCopies(state, PrepareAndMeasure, Grade);
}

// The engine's whole work on a decoded sheet.
void BM_EngineWork(benchmark::State& state)
{
    TimeOnCopies(state, Nothing, [](SheetImage& sheet, EngineState& engine) {
        PrepareAndMeasure(sheet, engine);
        Grade(sheet, engine);
    });
}

// From file name to graded sheet, as the batch grader does it.
void BM_WholeSheet(benchmark::State& state)
{
    size_t next = 0;
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        SilentEngine engine;
        SheetImage sheet;
        if (!sheet.LoadFromFile(g_sheets.paths[next++ % kSheetsInMemory])
            || CheckSheet(sheet, engine.state, g_sheets.key, [] {}).check != SheetCheck::Accepted)
            state.SkipWithError("a sheet was not graded");
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations());
}

// The second reading alone: the reading band of the scan seen as brightness, then read.
void BM_SecondReading(benchmark::State& state)
{
    TimeOnCopies(state, Nothing, [](SheetImage& sheet, EngineState&) {
        benchmark::DoNotOptimize(ReadSecondly(GreyPage(sheet, ReadingBand())));
    });
}

// The engine's work with the review beside it: the first reading, its measures, the
// second reading and the verdict; over BM_EngineWork, what the review costs.
void BM_ReviewedEngineWork(benchmark::State& state)
{
    TimeOnCopies(state, Nothing, [](SheetImage& sheet, EngineState& engine) {
        benchmark::DoNotOptimize(CheckAndReviewSheet(sheet, engine, g_sheets.key, [] {}));
    });
}

BENCHMARK(BM_BareDecode)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadFromFile)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadReadingBand)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrepareSheet)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrepareAfterLoad)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MeasureSkew)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GradeSheet)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineWork)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeSheet)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SecondReading)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReviewedEngineWork)->UseManualTime()->Unit(benchmark::kMicrosecond);

bool LoadSheets(const std::vector<std::string>& paths)
{
    g_sheets.paths.assign(
        paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(std::min(paths.size(), kSheetsInMemory)));
    for (const std::string& path : g_sheets.paths) {
        g_sheets.jpegs.push_back(ReadFileBytes(path));
        auto sheet = std::make_unique<SheetImage>();
        if (const Result<DecodeWarnings> loaded = sheet->LoadFromFile(path); !loaded) {
            std::fprintf(stderr, "%s\n", loaded.message().c_str());
            return false;
        }
        g_sheets.decoded.push_back(std::move(sheet));
    }
    // Grade against the folder's key, as the batch grader would.
    const Result<AnswerList> answers = ReadAnswerKeyFile(KeyPathBeside(paths.front()));
    if (!answers) {
        std::fprintf(stderr, "no key.txt beside the sheets\n");
        return false;
    }
    Silent silent;
    ScopedMessageBox messages(silent);
    AcceptAnswerKey(*answers, "key");
    g_sheets.key = g_enteredKey;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::vector<std::string> paths = TakeSheetPaths(argc, argv);
    if (paths.empty() || benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    QCoreApplication app(argc, argv);
    if (!LoadSheets(paths))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
