#include "batch_runner.h"

#include "annotated_paths.h"
#include "sheet_grader.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// Sheets a thread may be ahead of the delivery: enough that a slow sheet does not
// stall the others, few enough that outcomes waiting for it stay small.
constexpr size_t kSheetsAheadPerThread = 4;

} // namespace

void RunBatch(const GradeOptions& options, const AnswerKey& key, int jobs,
    const std::function<void(SheetOutcome&&)>& deliver)
{
    const size_t count = options.sheets.size();
    const int threads = std::max(1, std::min<int>(jobs, static_cast<int>(count)));
    const std::vector<std::string> annotated = options.annotateDir.empty()
        ? std::vector<std::string>(count)
        : AnnotatedPaths(options.sheets, options.annotateDir, options.annotateFormat);

    // Sheet i waits in slot i % window until it is delivered; a thread takes sheet i
    // only once sheet i - window has been delivered.
    const size_t window = kSheetsAheadPerThread * static_cast<size_t>(threads);
    std::vector<std::optional<SheetOutcome>> slots(window);
    std::mutex mutex;
    std::condition_variable changed;
    size_t nextSheet = 0;
    size_t delivered = 0;

    auto work = [&] {
        for (;;) {
            size_t i;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return nextSheet >= count || nextSheet < delivered + window; });
                if (nextSheet >= count)
                    return;
                i = nextSheet++;
            }
            SheetOutcome outcome
                = GradeSheetFile({ options.sheets[i], annotated[i], NeedsMarkedLetters(options) }, key);
            {
                std::lock_guard lock(mutex);
                slots[i % window] = std::move(outcome);
            }
            changed.notify_all();
        }
    };

    std::vector<std::jthread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back(work);

    for (size_t i = 0; i < count; ++i) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return slots[i % window].has_value(); });
        SheetOutcome outcome = std::move(*slots[i % window]);
        slots[i % window].reset();
        ++delivered;
        lock.unlock();
        changed.notify_all();
        deliver(std::move(outcome));
    }
}
