#include "app/CClassExport.h"

#include "framework/format.h"
#include "framework/message_box.h"
#include "framework/qt/FileDialog.h"
#include "framework/qt/ModalMessageBox.h"
#include "framework/safe_file_write.h"
#include "results/class_book.h"
#include "results/class_report.h"
#include "results/class_slips.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kRosterSetting = QStringLiteral("Class/Roster");

QSettings Settings()
{
    return QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel"));
}

std::string Shown(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

CClassExport::CClassExport(ClassSource source)
    : m_source(std::move(source))
{
}

QString CClassExport::RosterPath()
{
    return Settings().value(kRosterSetting).toString();
}

Result<std::optional<Roster>> CClassExport::ReadRoster()
{
    const QString path = RosterPath();
    if (path.isEmpty())
        return std::optional<Roster>();
    Result<Roster> read = Roster::Read(path.toStdString());
    if (!read)
        return Status::Failure(FormatText("อ่านรายชื่อนักเรียนไม่ได้\n%s", read.message().c_str()));
    return std::optional<Roster>(std::move(*read));
}

void CClassExport::OnChooseRoster()
{
    FileDialogRequest request;
    request.types = { { QStringLiteral("รายชื่อนักเรียน (CSV)"), QStringLiteral("*.csv") } };
    const FileDialogChoice choice = ChooseFile(request);
    const QString current = RosterPath();
    if (!choice.accepted) {
        if (!current.isEmpty() && AskYesNo(FormatText("เลิกใช้รายชื่อนักเรียน %s หรือไม่", Shown(current).c_str())))
            Settings().remove(kRosterSetting);
        return;
    }
    const Result<Roster> roster = Roster::Read(choice.path.toStdString());
    if (!roster) {
        ShowMessage(FormatText("อ่านรายชื่อนักเรียนไม่ได้\n%s", roster.message().c_str()));
        return;
    }
    Settings().setValue(kRosterSetting, choice.path);
    ShowMessage(FormatText(
        "ใช้รายชื่อนักเรียน %s (%d คน)", Shown(choice.path).c_str(), static_cast<int>(roster->Students().size())));
}

void CClassExport::OnExportWorkbook()
{
    Export(&MakeClassWorkbook, QStringLiteral("Excel"), QStringLiteral("xlsx"), QStringLiteral("class.xlsx"));
}

void CClassExport::OnExportReport()
{
    Export(
        &MakeClassReport, QStringLiteral("PDF"), QStringLiteral("pdf"), QStringLiteral("class-report.pdf"));
}

void CClassExport::OnExportSlips()
{
    Export(&MakeClassSlips, QStringLiteral("PDF"), QStringLiteral("pdf"), QStringLiteral("slips.pdf"), true);
}

void CClassExport::Export(const Maker& make, const QString& description, const QString& suffix,
    const QString& proposedName, bool idAreas)
{
    Result<GradedClass> graded = m_source(false);
    if (!graded) {
        ShowMessage(graded.message());
        return;
    }
    if (graded->sheets.empty()) {
        ShowMessage("ยังไม่มีกระดาษคำตอบที่ตรวจแล้ว\nตรวจกระดาษคำตอบก่อน แล้วจึงส่งออก");
        return;
    }
    if (const int unresolved = m_unresolved ? m_unresolved() : 0;
        unresolved > 0 && !AskYesNo(FormatText("ยังมี %d รายการที่ต้องตรวจสอบ\nต้องการส่งออกหรือไม่", unresolved)))
        return;

    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.types = { { description, QStringLiteral("*.") + suffix } };
    request.initialName = proposedName;
    request.defaultSuffix = suffix;
    request.confirmReplace = false; // MayWrite asks, and knows which files are scans
    const FileDialogChoice choice = ChooseFile(request);
    if (!choice.accepted || !MayWrite(choice.path, *graded))
        return;
    if (idAreas && !(graded = m_source(true))) {
        ShowMessage(graded.message());
        return;
    }
    const Result<std::string> bytes = make(MakeClassBook(std::move(*graded)));
    const Status written
        = bytes ? WriteFileSafely(choice.path.toStdString(), *bytes) : Status::Failure(bytes.message());
    if (!written)
        ShowMessage(FormatText("บันทึก %s ไม่สำเร็จ\n%s", Shown(choice.path).c_str(), written.message().c_str()));
}

bool CClassExport::MayWrite(const QString& path, const GradedClass& graded)
{
    const QFileInfo target(path);
    if (!target.exists())
        return true;
    QStringList inputs { RosterPath() };
    if (graded.roster) // the class's own list, which a reopened class keeps
        inputs << QString::fromStdString(graded.roster->Path());
    for (const GradedSheet& sheet : graded.sheets)
        inputs << QString::fromStdString(sheet.page.file);
    for (const QString& input : inputs)
        if (!input.isEmpty() && QFileInfo(input).canonicalFilePath() == target.canonicalFilePath()) {
            ShowMessage(FormatText("ไฟล์ %s เป็นข้อมูลที่ใช้ตรวจ (ภาพสแกนหรือรายชื่อนักเรียน)\n"
                                   "จะไม่บันทึกทับ กรุณาเลือกชื่อไฟล์อื่น",
                Shown(path).c_str()));
            return false;
        }
    return AskYesNo(FormatText("มีไฟล์ %s อยู่แล้ว\nต้องการบันทึกทับหรือไม่", Shown(path).c_str()));
}
