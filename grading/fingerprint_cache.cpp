#include "grading/fingerprint_cache.h"

FileFingerprint FingerprintCache::Of(const std::string& path)
{
    std::shared_ptr<Entry> entry;
    {
        std::lock_guard lock(m_mutex);
        std::shared_ptr<Entry>& slot = m_entries[path];
        if (!slot)
            slot = std::make_shared<Entry>();
        entry = slot;
    }
    std::call_once(entry->taken, [&] { entry->print = FingerprintOf(path); });
    return entry->print;
}
