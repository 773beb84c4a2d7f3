// The baseline for vantrel-grade's throughput: reading and bare-decoding every
// sheet of a folder with libjpeg-turbo, on one and on two threads. items_per_second
// is sheets per second of wall-clock time.
//
//   bench_batch_decode --sheets=DIR

#include "bench_sheets.h"

#include <benchmark/benchmark.h>

#include <atomic>

namespace {

std::vector<std::string> g_paths;
std::atomic<size_t> g_nextSheet { 0 };

void BM_ReadAndDecodeFiles(benchmark::State& state)
{
    BareJpegDecoder decoder;
    for (auto _ : state) {
        const std::string& path = g_paths[g_nextSheet++ % g_paths.size()];
        if (!decoder.Decode(ReadFileBytes(path)))
            state.SkipWithError("TurboJPEG cannot decode a sheet");
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ReadAndDecodeFiles)->Threads(1)->Threads(2)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    g_paths = TakeSheetPaths(argc, argv);
    if (g_paths.empty() || benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
