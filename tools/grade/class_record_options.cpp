#include "class_record_options.h"

#include "framework/input_file.h"
#include "grading/csv_report.h"
#include "grading/fingerprint_cache.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string_view>

namespace {

constexpr size_t kResolveFileLimit = 16 << 20;

// The fields of one CSV line; a quoted field may hold commas and doubled quotes. Nothing
// for a quote left open.
std::optional<std::vector<std::string>> FieldsOf(std::string_view line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (quoted)
        return std::nullopt;
    return fields;
}

// The item's resolutions on the sheet, the latest last.
const Resolution* LatestOf(const std::vector<Resolution>& resolutions, const std::string& item)
{
    const auto found = std::find_if(resolutions.rbegin(), resolutions.rend(),
        [&item](const Resolution& resolution) { return resolution.item == item; });
    return found == resolutions.rend() ? nullptr : &*found;
}

} // namespace

Result<RunResolutions> RunResolutions::Read(
    const GradeOptions& options, const std::vector<std::string>& sheets)
{
    RunResolutions run;
    run.m_acceptSecond = options.acceptSecond;
    if (options.resolveFile.empty())
        return run;
    const std::string& path = options.resolveFile;
    Result<std::string> text = ReadInputFile(path, "the resolutions file", kResolveFileLimit);
    if (!text)
        return text.status();
    std::string_view rest = *text;
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);
    const std::set<std::string> names(sheets.begin(), sheets.end());
    for (int number = 1; !rest.empty(); ++number) {
        std::string_view line = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(rest.size(), line.size() + 1));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || (number == 1 && line.starts_with("file,item,value")))
            continue;
        const auto refuse = [&](const std::string& why) {
            return Status::Failure(path + " line " + std::to_string(number) + ": " + why);
        };
        const std::optional<std::vector<std::string>> fields = FieldsOf(line);
        if (!fields)
            return refuse("a quote is left open");
        if (fields->size() < 3 || fields->size() > 4)
            return refuse("give file,item,value and optionally a reason");
        const std::string& sheet = (*fields)[0];
        if (!names.contains(sheet))
            return refuse(
                "no sheet named '" + sheet + "' in " + (options.rescore ? "the record" : "this run"));
        const Result<std::string> value = ResolvedValue((*fields)[1], (*fields)[2]);
        if (!value)
            return refuse(value.message());
        run.m_typed[sheet].push_back(MakeResolution(
            (*fields)[1], {}, *value, ResolutionHow::Typed, fields->size() > 3 ? (*fields)[3] : ""));
    }
    return run;
}

void RunResolutions::Settle(GradedSheet& sheet, const AnswerKey& key, ClassRecord* record) const
{
    if (!sheet.finalReading.graded)
        return; // refused: nothing read to settle
    const SheetReadings readings = ReadingsOf(sheet);
    std::vector<Resolution> made;
    if (const auto typed = m_typed.find(sheet.file); typed != m_typed.end())
        for (const Resolution& line : typed->second) {
            const Resolution* latest = LatestOf(sheet.resolutions, line.item);
            if (latest && latest->how == ResolutionHow::Typed && latest->chosenValue == line.chosenValue
                && latest->reason == line.reason)
                continue; // kept by an earlier run
            Resolution event = line;
            event.machineValue = ProposedValue(readings, key.answers, line.item);
            made.push_back(std::move(event));
        }
    if (m_acceptSecond)
        for (const ReviewItem& doubt : sheet.review.items) {
            const bool settled = LatestOf(sheet.resolutions, doubt.item) || LatestOf(made, doubt.item);
            if (!settled && ReadingsDisagree(readings, key.answers, doubt.item))
                made.push_back(MakeResolution(doubt.item, FirstValue(readings, doubt.item),
                    ProposedValue(readings, key.answers, doubt.item), ResolutionHow::Policy));
        }
    for (Resolution& event : made) {
        if (record && sheet.recordId > 0)
            if (const Status kept = record->AddResolution(sheet.recordId, event); !kept)
                sheet.writeFailure = kept.message();
        sheet.resolutions.push_back(std::move(event));
    }
    sheet.finalReading = ReadFinally(ReadingsOf(sheet), key.answers, sheet.resolutions);
}

SheetGrading RecordingGrader(
    ClassRecord& record, const AnswerKey& key, const RunResolutions& resolutions, const RecordedPages& held)
{
    return [&record, &key, &resolutions, &held, fingerprints = std::make_shared<FingerprintCache>()](
               const SheetJob& job) {
        const FileFingerprint print = fingerprints->Of(job.page.file);
        std::optional<GradedSheet> kept = record.Find(job.page, print.sha256);
        if (const auto was = held.find(job.page.Name()); !kept && print.size < 0 && was != held.end())
            kept = record.Find(job.page, was->second);
        if (kept) {
            GradedSheet sheet = RescoreSheet(*kept, key);
            resolutions.Settle(sheet, key, &record);
            return sheet;
        }
        GradedSheet sheet = GradeAndRecordSheet(job, key);
        sheet.fingerprint = print;
        if (const Result<int64_t> added = record.Add(sheet); !added)
            sheet.writeFailure = added.message();
        else
            sheet.recordId = *added;
        resolutions.Settle(sheet, key, &record);
        return sheet;
    };
}

SheetGrading SettlingGrader(const AnswerKey& key, const RunResolutions& resolutions)
{
    return [&key, &resolutions](const SheetJob& job) {
        GradedSheet sheet = GradeAndRecordSheet(job, key);
        resolutions.Settle(sheet, key, nullptr);
        return sheet;
    };
}

Result<std::vector<RecordedScan>> ReadRecord(ClassRecord& record, bool rescore)
{
    std::vector<std::string> ungraded;
    std::vector<RecordedScan> scans;
    const Status read = record.EachSheet(ungraded, false, [&scans](const GradedSheet& sheet) {
        scans.push_back({ sheet.page, sheet.fingerprint });
    });
    if (!read)
        return read;
    for (const std::string& page : rescore ? ungraded : std::vector<std::string>())
        std::fprintf(
            stderr, "vantrel-grade: note: %s is listed in the record but was never graded\n", page.c_str());
    return scans;
}

void NoteChangedScans(const std::vector<RecordedScan>& scans, bool rescore, const std::set<std::string>& run)
{
    for (const ScanChange& change : ScanChanges(scans)) {
        const char* then = !rescore && !run.contains(change.file) ? "the record keeps its sheet"
            : rescore || change.gone                              ? "scored from the record"
                                                                  : "graded again";
        std::fprintf(stderr, "vantrel-grade: note: %s %s; %s\n", change.file.c_str(),
            change.gone ? "is gone from disk" : "has changed on disk since it was graded", then);
    }
}

Status WriteAudit(ClassRecord& record, AtomicFileWriter& file)
{
    const Result<std::vector<RecordedResolution>> events = record.Resolutions();
    if (!events)
        return events.status();
    file.Append("file,item,machine_value,chosen_value,how,user,at,reason\n");
    for (const auto& [sheet, event] : *events)
        file.Append(CsvField(sheet) + ',' + CsvField(event.item) + ',' + CsvField(event.machineValue) + ','
            + CsvField(event.chosenValue) + ',' + HowName(event.how) + ',' + CsvField(event.user) + ','
            + CsvField(event.at) + ',' + CsvTextField(event.reason) + '\n');
    return {};
}
