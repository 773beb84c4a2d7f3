// What bringing copier scans to the engine's page costs, against the decode of the
// same files, in CPU time of the benchmark's own thread:
//   - a 100-dpi JPEG sheet loaded as a page (LoadSheetPage: load, then the
//     normalisation, which leaves it alone) against LoadFromFile as before;
//   - a 300-dpi page's normalisation against its own decode.
//
//   bench_copier_pages --sheets=DIR100 --copier=DIR300

#include "bench_sheets.h"

#include "image/page_normalise.h"
#include "image/sheet_pages.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr size_t kPagesInMemory = 8;

std::vector<std::string> g_sheets; // 100 dpi
std::vector<std::string> g_copierPages; // 300 dpi
std::vector<std::unique_ptr<SheetImage>> g_decodedCopierPages;

template <typename Load>
void TimeLoads(benchmark::State& state, const std::vector<std::string>& paths, Load load)
{
    size_t next = 0;
    for (auto _ : state) {
        SheetImage page;
        const double start = ThreadCpuSeconds();
        if (!load(page, paths[next++ % paths.size()]))
            state.SkipWithError("cannot load a page");
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations());
}

bool Before(SheetImage& page, const std::string& path)
{
    return page.LoadFromFile(path).ok();
}

bool AsPage(SheetImage& page, const std::string& path)
{
    return LoadSheetPage(page, path, 0, 1).ok();
}

void BM_Sheet100LoadFromFile(benchmark::State& state)
{
    TimeLoads(state, g_sheets, Before);
}

void BM_Sheet100LoadSheetPage(benchmark::State& state)
{
    TimeLoads(state, g_sheets, AsPage);
}

void BM_Page300Decode(benchmark::State& state)
{
    TimeLoads(state, g_copierPages, Before);
}

void BM_Page300Normalise(benchmark::State& state)
{
    SheetImage work;
    size_t next = 0;
    for (auto _ : state) {
        CopySheet(*g_decodedCopierPages[next++ % g_decodedCopierPages.size()], work);
        const double start = ThreadCpuSeconds();
        if (!NormalisePage(work) || work.GetWidth() > 900)
            state.SkipWithError("the page was not brought to 100 dpi");
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Sheet100LoadFromFile)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sheet100LoadSheetPage)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Page300Decode)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Page300Normalise)->UseManualTime()->Unit(benchmark::kMicrosecond);

std::vector<std::string> First(const std::vector<std::string>& paths)
{
    return { paths.begin(),
        paths.begin() + static_cast<std::ptrdiff_t>(std::min(paths.size(), kPagesInMemory)) };
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    g_sheets = First(TakeSheetPaths(argc, argv));
    g_copierPages = First(TakeSheetPaths(argc, argv, "--copier="));
    if (g_sheets.empty() || g_copierPages.empty() || benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    QCoreApplication app(argc, argv);
    for (const std::string& path : g_copierPages) {
        auto page = std::make_unique<SheetImage>();
        if (const Result<DecodeWarnings> loaded = page->LoadFromFile(path); !loaded) {
            std::fprintf(stderr, "%s\n", loaded.message().c_str());
            return 1;
        }
        g_decodedCopierPages.push_back(std::move(page));
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
