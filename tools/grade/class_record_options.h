#pragma once

#include "batch_runner.h"
#include "framework/safe_file_write.h"
#include "grade_options.h"
#include "grading/class_opening.h"
#include "grading/class_record.h"
#include "grading/rescore.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// The resolutions a run makes: each line of a --resolve file a typed one, and with
// --accept second a policy one wherever the two readings disagree. Applied to each sheet
// as it is graded or re-scored, so every output of the run gives the final reading they
// make; with a class record they are kept there as events.
class RunResolutions {
public:
    // Reads the --resolve file (file,item,value[,reason]; a header line may lead). The file
    // is refused whole, naming its line and why, when a line names no sheet among `sheets`
    // (their names as the CSV's file column gives them), an unknown item or a value that
    // does not fit its item.
    static Result<RunResolutions> Read(const GradeOptions& options, const std::vector<std::string>& sheets);

    // Whether the run settles anything.
    bool Any() const { return m_acceptSecond || !m_typed.empty(); }

    // Settles the sheet as scored with `key`: appends the run's new events to its
    // resolutions (and to the record when given; a typed event already kept or an item
    // already settled is not added again) and makes its final reading again.
    // A failure to keep an event is the sheet's write failure.
    void Settle(GradedSheet& sheet, const AnswerKey& key, ClassRecord* record) const;

private:
    bool m_acceptSecond = false;
    std::map<std::string, std::vector<Resolution>> m_typed; // by sheet name, in the file's order
};

// The content each page of the record was graded from, known by the page's name.
using RecordedPages = std::map<std::string, std::string>;

// Grades a sheet into the record, unless the record holds it already with the same
// content, and settles it. A scan gone from disk is scored from the sheet the record holds
// for it (`held`): a page that cannot be found is no reading to put in its place.
SheetGrading RecordingGrader(
    ClassRecord& record, const AnswerKey& key, const RunResolutions& resolutions, const RecordedPages& held);

// Grades a sheet and settles it in memory.
SheetGrading SettlingGrader(const AnswerKey& key, const RunResolutions& resolutions);

// The pages the record holds a sheet of; a re-score notes every listed page not graded yet
// (a grading grades it).
Result<std::vector<RecordedScan>> ReadRecord(ClassRecord& record, bool rescore);

// Names each scan of the record changed or gone from disk since it was graded, and what
// the run does with it: a re-score scores the reading the record holds, as a grading does
// for a scan gone; a grading reads a changed scan again; a scan not in the run is left.
void NoteChangedScans(const std::vector<RecordedScan>& scans, bool rescore, const std::set<std::string>& run);

// Every resolution the record holds, oldest first, as the audit's CSV:
// file,item,machine_value,chosen_value,how,user,at,reason.
Status WriteAudit(ClassRecord& record, AtomicFileWriter& file);
