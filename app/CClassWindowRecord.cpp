// The class window's class record: where its class is kept, re-scored, added to and
// reopened from.

#include "app/CClassWindow.h"
#include "app/CReviewPane.h"

#include "framework/format.h"
#include "framework/message_box.h"
#include "framework/qt/FileDialog.h"
#include "grading/class_opening.h"
#include "results/class_book.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QTableWidget>

namespace {

std::string Shown(const std::string& path)
{
    return QDir::toNativeSeparators(QString::fromStdString(path)).toStdString();
}

// What a teacher should know of a reopened class: scans changed or gone, pages never graded.
std::string OpeningNotes(const OpenedClass& opened)
{
    std::string notes;
    for (const ScanChange& change : opened.changes)
        notes += FormatText(change.gone ? "ไม่พบไฟล์ %s แล้ว คะแนนคิดจากที่อ่านไว้ในบันทึกชั้นเรียน\n"
                                        : "ไฟล์ %s เปลี่ยนไปหลังจากตรวจ คะแนนยังคิดจากที่อ่านไว้ในบันทึกชั้นเรียน\n",
            Shown(change.file).c_str());
    for (const std::string& page : opened.ungraded)
        notes += FormatText("%s อยู่ในรายการแต่ยังไม่ได้ตรวจ\n", Shown(page).c_str());
    return notes;
}

} // namespace

QString CClassWindow::RecordPath() const
{
    return m_record ? QString::fromStdString(m_record->Path()) : QString();
}

void CClassWindow::KeepInRecord(const std::string& use)
{
    if (!m_record) {
        const std::string path = ClassRecordPathFor(m_pages);
        Result<std::unique_ptr<ClassRecord>> opened = ClassRecord::Open(path, true);
        if (!opened) {
            ShowMessage(FormatText("เก็บผลของห้องนี้ไว้ใน %s ไม่ได้ จะเปิดห้องนี้อีกภายหลังไม่ได้\n%s", Shown(path).c_str(),
                opened.message().c_str()));
            return;
        }
        m_record = std::move(opened).value();
    }
    ::Status kept = m_record->AddKey(m_key, use);
    if (kept && m_roster)
        kept = m_record->KeepClassList(*m_roster);
    if (kept && use == "grade")
        kept = m_record->ListPages(m_pages);
    if (!kept)
        ShowMessage(kept.message());
}

void CClassWindow::Record(GradedSheet& sheet)
{
    if (!m_record)
        return;
    if (const Result<int64_t> added = m_record->Add(sheet))
        sheet.recordId = *added;
    else
        sheet.writeFailure = added.message();
}

void CClassWindow::ConfirmAbsent(int32_t studentId, bool absent)
{
    if (m_record)
        if (const ::Status kept = m_record->AddAbsence(studentId, absent); !kept) {
            ShowMessage(kept.message());
            return;
        }
    if (absent)
        m_absent.insert(studentId);
    else
        m_absent.erase(studentId);
}

void CClassWindow::Rescore(const AnswerKey& key)
{
    if (IsGrading())
        return;
    UseKey(key);
    TakeChosenClassList();
    KeepInRecord("rescore");
    for (std::optional<GradedSheet>& sheet : m_sheets) {
        if (!sheet)
            continue;
        sheet = RescoreSheet(*sheet, key);
    }
    ResetTable();
    CheckClassList();
    ApplyFilter();
    m_reviewPane->Refresh();
}

void CClassWindow::AddScans(const std::vector<std::string>& files)
{
    if (IsGrading())
        return;
    std::vector<SheetPage> added;
    for (SheetPage& page : ListPages(files)) {
        bool held = false;
        for (const SheetPage& kept : m_pages)
            held = held || (kept.file == page.file && kept.page == page.page);
        if (!held)
            added.push_back(std::move(page));
    }
    if (added.empty())
        return;
    const size_t first = m_pages.size();
    m_pages.insert(m_pages.end(), added.begin(), added.end());
    std::vector<std::string> names;
    for (const SheetPage& page : m_pages)
        names.push_back(page.Name());
    m_shown = ShownFileNames(names);
    m_sheets.resize(m_pages.size());
    m_listNotes.resize(m_pages.size());
    if (m_record)
        if (const ::Status listed = m_record->ListPages(added); !listed)
            ShowMessage(listed.message());
    setWindowTitle(QStringLiteral("ตรวจทั้งห้อง — %1 แผ่น").arg(m_pages.size()));
    ResetTable();
    GradeFrom(first);
}

std::vector<std::string> CClassWindow::ChooseScans()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::OpenMany;
    request.types
        = { { QStringLiteral("ภาพคำตอบและ PDF จากเครื่องถ่ายเอกสาร"),
                QStringLiteral("*.jpg;*.jpeg;*.tif;*.tiff;*.bmp;*.png;*.gif;*.pdf;*.JPG;*.TIF;*.PDF") },
              { QStringLiteral("ทุกไฟล์"), QStringLiteral("*") } };
    const FileDialogChoice choice = ChooseFile(request);
    if (!choice.accepted)
        return {};
    QStringList paths = choice.paths;
    paths.sort(); // as the shell lists img*.jpg for vantrel-grade
    std::vector<std::string> files;
    for (const QString& path : paths)
        files.push_back(path.toStdString());
    return files;
}

void CClassWindow::OnAddScans()
{
    AddScans(ChooseScans());
}

CClassWindow* CClassWindow::OpenRecord(const QString& path)
{
    Result<std::unique_ptr<ClassRecord>> record = ClassRecord::Open(path.toStdString(), false);
    Result<OpenedClass> opened = record ? ReadClass(**record) : Result<OpenedClass>(record.status());
    if (!opened) {
        ShowMessage(
            FormatText("เปิดชั้นเรียน %s ไม่ได้\n%s", Shown(path.toStdString()).c_str(), opened.message().c_str()));
        return nullptr;
    }
    OpenedClass graded = std::move(opened).value();
    std::vector<SheetPage> pages;
    for (const GradedSheet& sheet : graded.sheets)
        pages.push_back(sheet.page);
    auto* window = new CClassWindow(std::move(pages));
    window->m_record = std::move(record).value();
    window->UseKey(graded.key);
    window->m_absent = std::move(graded.absent);
    if (graded.roster)
        window->m_roster = std::move(graded.roster);
    else
        window->TakeChosenClassList(); // a record made before class lists were kept
    for (GradedSheet& sheet : graded.sheets)
        window->m_sheets.emplace_back(std::move(sheet));
    window->m_listNotes.assign(window->m_pages.size(), std::string());
    window->m_graded = static_cast<int>(window->m_pages.size());
    window->m_progress->setRange(0, window->m_graded);
    window->m_progress->setValue(window->m_graded);
    window->ResetTable();
    window->CheckClassList();
    window->m_reviewPane->Refresh(); // the review as it was left
    window->UpdateButtons();
    if (const std::string notes = OpeningNotes(graded); !notes.empty())
        ShowMessage(notes);
    return window;
}
