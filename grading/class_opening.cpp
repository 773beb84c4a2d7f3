#include "grading/class_opening.h"

#include "grading/class_record.h"

#include <filesystem>

std::vector<ScanChange> ScanChanges(const std::vector<RecordedScan>& scans)
{
    std::vector<ScanChange> changes;
    for (const RecordedScan& sheet : scans) {
        if (sheet.file.sha256.empty() || sheet.page.page > 0)
            continue; // unread, or a later page of a file already looked at
        if (const FileSince since = StateSince(sheet.page.file, sheet.file); since != FileSince::Unchanged)
            changes.push_back({ sheet.page.file, since == FileSince::Gone });
    }
    return changes;
}

Result<OpenedClass> ReadClass(ClassRecord& record)
{
    OpenedClass opened;
    const std::optional<AnswerKey> key = record.LatestKey();
    if (!key)
        return Status::Failure(
            RecordRefusal(record.Path(), "holds no answer key: no class was graded into it"));
    opened.key = *key;
    opened.roster = record.LatestClassList();
    Result<std::set<int32_t>> absent = record.Absences();
    if (!absent)
        return absent.status();
    opened.absent = std::move(absent).value();
    const Status read = record.EachSheet(opened.ungraded, true, [&opened](GradedSheet&& sheet) {
        opened.sheets.push_back(RescoreSheet(std::move(sheet), opened.key));
    });
    if (!read)
        return read;
    if (const Status checked = record.Checked(); !checked)
        return checked;
    std::vector<RecordedScan> scans;
    for (const GradedSheet& sheet : opened.sheets)
        scans.push_back({ sheet.page, sheet.fingerprint });
    opened.changes = ScanChanges(scans);
    return opened;
}

std::string ClassRecordPathFor(const std::vector<SheetPage>& pages)
{
    if (pages.empty())
        return {};
    const std::filesystem::path folder
        = std::filesystem::absolute(std::filesystem::path(pages.front().file)).parent_path();
    std::string name = folder.filename().string();
    return (folder / ((name.empty() ? std::string("class") : name) + ".vantrel")).string();
}
