#include "grading/class_run.h"

#include "grading/sheet_grader.h"

#include <algorithm>

ClassRun::ClassRun(std::vector<SheetPage> pages, AnswerKey key, int threads, Deliver deliver,
    std::function<void()> ended, bool cutIdAreas)
    : m_pages(std::move(pages))
    , m_key(std::move(key))
    , m_deliver(std::move(deliver))
    , m_ended(std::move(ended))
    , m_cutIdAreas(cutIdAreas)
{
    const int count = std::max(1, std::min<int>(threads, static_cast<int>(m_pages.size())));
    m_working = count;
    for (int t = 0; t < count; ++t)
        m_threads.emplace_back([this] { Work(); });
}

ClassRun::~ClassRun()
{
    Cancel();
    m_threads.clear(); // joins
}

void ClassRun::Work()
{
    for (size_t i = m_next++; i < m_pages.size() && !m_cancelled; i = m_next++) {
        SheetJob job { m_pages[i], {}, {}, true, m_cutIdAreas };
        GradedSheet sheet = GradeAndRecordSheet(job, m_key);
        sheet.fingerprint = m_fingerprints.Of(m_pages[i].file);
        m_deliver(i, std::move(sheet));
    }
    if (--m_working == 0)
        m_ended();
}
