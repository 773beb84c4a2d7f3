#include "batch_runner.h"

#include "sheet_grader.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

void RunBatch(const GradeOptions& options, int jobs, const std::function<void(SheetOutcome&&)>& deliver)
{
    const size_t count = options.sheets.size();
    std::vector<std::optional<SheetOutcome>> finished(count);
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<size_t> nextSheet{0};

    auto work = [&] {
        for (size_t i = nextSheet++; i < count; i = nextSheet++) {
            SheetOutcome outcome = GradeSheetFile(options.sheets[i], options);
            {
                std::lock_guard lock(mutex);
                finished[i] = std::move(outcome);
            }
            ready.notify_one();
        }
    };

    std::vector<std::jthread> workers;
    const int threads = std::max(1, std::min<int>(jobs, static_cast<int>(count)));
    for (int t = 0; t < threads; ++t)
        workers.emplace_back(work);

    for (size_t i = 0; i < count; ++i) {
        std::unique_lock lock(mutex);
        ready.wait(lock, [&] { return finished[i].has_value(); });
        SheetOutcome outcome = std::move(*finished[i]);
        finished[i].reset();
        lock.unlock();
        deliver(std::move(outcome));
    }
}
