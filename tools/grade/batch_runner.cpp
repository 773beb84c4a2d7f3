#include "batch_runner.h"

#include "grading/sheet_grader.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// Sheets a thread may be ahead of the delivery: enough that a slow sheet does not
// stall the others, few enough that sheets waiting for it stay small.
constexpr size_t kSheetsAheadPerThread = 4;

} // namespace

void RunBatch(const std::vector<SheetPage>& pages, const std::vector<std::string>& annotated,
    const std::vector<std::string>& reviewImages, const GradeOptions& options, const AnswerKey& key, int jobs,
    const std::function<void(GradedSheet&&)>& deliver, const SheetGrading& grade)
{
    const size_t count = pages.size();
    const int threads = std::max(1, std::min<int>(jobs, static_cast<int>(count)));

    // Sheet i waits in slot i % window until it is delivered; a thread takes sheet i
    // only once sheet i - window has been delivered.
    const size_t window = kSheetsAheadPerThread * static_cast<size_t>(threads);
    std::vector<std::optional<GradedSheet>> finished(window);
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
            const SheetJob job { pages[i], i < annotated.size() ? annotated[i] : std::string(),
                i < reviewImages.size() ? reviewImages[i] : std::string(), NeedsMarkedLetters(options),
                !options.slipsFile.empty() };
            GradedSheet sheet = grade ? grade(job) : ReadSheetFile(job, key);
            {
                std::lock_guard lock(mutex);
                finished[i % window] = std::move(sheet);
            }
            changed.notify_all();
        }
    };

    std::vector<std::jthread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back(work);

    for (size_t i = 0; i < count; ++i) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return finished[i % window].has_value(); });
        GradedSheet sheet = std::move(*finished[i % window]);
        finished[i % window].reset();
        ++delivered;
        lock.unlock();
        changed.notify_all();
        deliver(std::move(sheet));
    }
}
