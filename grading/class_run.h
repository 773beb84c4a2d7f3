#pragma once

#include "answerkey/answer_key.h"
#include "grading/fingerprint_cache.h"
#include "grading/page_list.h"
#include "grading/rescore.h"

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Grades a class in the background, each page with an engine state of its own, as
// vantrel-grade does, on several threads, as the class record keeps them (with the
// scan's fingerprint, the measures and the second reading). Sheets are handed over from the worker
// threads as they finish, with the page's index, in no particular order; `ended`
// comes once, from the last worker, after the last sheet. Destroying the run
// cancels it and waits for the pages in progress.
class ClassRun {
public:
    using Deliver = std::function<void(size_t page, GradedSheet&& sheet)>;

    // With `cutIdAreas`, each sheet's sheet carries its ID area cut from the scan, for the slips.
    ClassRun(std::vector<SheetPage> pages, AnswerKey key, int threads, Deliver deliver,
        std::function<void()> ended, bool cutIdAreas = false);
    ~ClassRun();
    ClassRun(const ClassRun&) = delete;
    ClassRun& operator=(const ClassRun&) = delete;

    // No page is started after this; the ones in progress are still handed over.
    void Cancel() { m_cancelled = true; }

private:
    void Work();

    const std::vector<SheetPage> m_pages;
    const AnswerKey m_key;
    const Deliver m_deliver;
    const std::function<void()> m_ended;
    const bool m_cutIdAreas;
    FingerprintCache m_fingerprints;
    std::atomic<size_t> m_next { 0 };
    std::atomic<bool> m_cancelled { false };
    std::atomic<int> m_working { 0 };
    std::vector<std::jthread> m_threads; // last: they start once everything above is set
};
