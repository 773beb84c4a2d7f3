#include "app/CVantrelApp.h"

#include "answerkey/answer_key_store.h"
#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CInfo.h"
#include "app/CMainFrame.h"
#include "app/CommandId.h"
#include "framework/format.h"
#include "framework/qt/FileDialog.h"
#include "image/CVantrelDoc.h"
#include "image/sheet_image.h"
#include "image/sheet_sequence.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace {

const char* const kSheetImageDescription = "ภาพคำตอบ jpg,bmp,tifแบบ24bitเท่านั้น";
const char* const kSheetImagePatterns = "*.jpg;*.tif;*.bmp";

std::string KeyReadyMessage()
{
    return FormatText("ผลเฉลย %s พร้อมตรวจแล้ว ", g_enteredKey.name.c_str());
}

// One name per file, so a file opened twice by different paths shows one window.
QString DocumentPath(const QString& path)
{
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

} // namespace

CVantrelApp::CVantrelApp()
    : m_messageBoxBinding(m_messageBox)
{
}

CVantrelApp::~CVantrelApp() = default;

bool CVantrelApp::InitInstance()
{
    CreateMainFrame();
    m_mainFrame->show();
    OnAppAbout();
    OnShowMainDialog();
    return true;
}

void CVantrelApp::CreateMainFrame()
{
    m_mainFrame = std::make_unique<CMainFrame>();
    m_mainFrame->SetRecentFiles(m_recentFiles.Entries());
    ConnectCommands();
}

void CVantrelApp::ConnectCommands()
{
    using namespace CommandId;
    CMainFrame* frame = m_mainFrame.get();
    connect(frame->Action(FileOpen), &QAction::triggered, this, &CVantrelApp::OnFileOpen);
    connect(frame->Action(FileSaveAs), &QAction::triggered, this, &CVantrelApp::OnFileSaveAs);
    connect(frame->Action(AppAbout), &QAction::triggered, this, &CVantrelApp::OnAppAbout);
    connect(frame->Action(ShowMainDialog), &QAction::triggered, this, &CVantrelApp::OnShowMainDialog);
    connect(frame, &CMainFrame::RecentFileChosen, this, &CVantrelApp::OnRecentFile);
}

CVantrelDoc* CVantrelApp::OpenDocumentFile(const QString& path)
{
    const QString documentPath = DocumentPath(path);
    for (CChildFrame* window : SheetWindows()) {
        if (window->Document()->GetPathName() == documentPath) {
            m_mainFrame->ActivateSheetWindow(window);
            return window->Document();
        }
    }
    auto document = std::make_shared<CVantrelDoc>();
    if (const Status opened = document->OnOpenDocument(documentPath); !opened) {
        ShowMessage(FormatText("เปิดไฟล์ภาพ %s ไม่ได้\n%s",
            QDir::toNativeSeparators(documentPath).toStdString().c_str(), opened.message().c_str()));
        return nullptr;
    }
    m_recentFiles.Add(documentPath);
    m_mainFrame->SetRecentFiles(m_recentFiles.Entries());
    m_mainFrame->CreateSheetWindow(document);
    return document.get();
}

QList<CChildFrame*> CVantrelApp::SheetWindows() const
{
    return m_mainFrame ? m_mainFrame->SheetWindows() : QList<CChildFrame*>();
}

SheetImageChoice CVantrelApp::ChooseSheetImage()
{
    SheetImageChoice choice;
    std::string filter;
    std::vector<ImageType> types;
    if (const Status built
        = SheetImage::BuildImageFilter(filter, types, nullptr, ImageTypeMask::DialogDefault, '|');
        !built) {
        choice.outcome = SheetImageChoice::Outcome::FilterFailed;
        choice.filterError = built.message();
        return choice;
    }
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Open;
    request.types = { { QString::fromUtf8(kSheetImageDescription), QString::fromUtf8(kSheetImagePatterns) } };
    request.types += ParseFileTypeFilter(filter, '|');
    const FileDialogChoice chosen = ChooseFile(request);
    if (!chosen.accepted)
        return choice;
    m_nImageFilterIndex = chosen.selectedType;
    choice.outcome = SheetImageChoice::Outcome::Chosen;
    choice.path = chosen.path;
    return choice;
}

void CVantrelApp::OnShowMainDialog()
{
    CInfo dialog(m_mainFrame.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    CommitAnswerKey();
    if (SheetWindowCount() > 0) {
        // A sequence opened beside other sheets would mix two batches.
        ShowMessage("มีเอกสารถูกเปิดไว้แล้ว\nโปรดปิดเอกสารทั้งหมด\nก่อนการเปิดแบบต่อเนื่อง\t");
        ShowMessage(HasAnswerKey() ? KeyReadyMessage() : "คำเตือน ยังไม่มีการใส่ค่าเฉลย");
        return;
    }
    if (!HasAnswerKey()) {
        ShowMessage(kNoAnswerKeyWarning);
        return;
    }
    ShowMessage(KeyReadyMessage());
    ShowMessage("เลือกเอกสารเริ่มต้นลำดับ\n เช่น img001 จากนั้นเอกสาร\nจะถูกเปิดอัตโนมัติจนถึงจำนวนที่ระบุ");
    OpenSheetSequence();
}

void CVantrelApp::OpenSheetSequence()
{
    const SheetImageChoice choice = ChooseSheetImage();
    if (choice.outcome == SheetImageChoice::Outcome::FilterFailed)
        ShowMessage(choice.filterError);
    if (choice.outcome != SheetImageChoice::Outcome::Chosen)
        return;
    // A sheet that cannot be opened is reported by OpenDocumentFile; the rest still open.
    OpenDocumentFile(choice.path);
    const QFileInfo first(choice.path);
    for (const QString& name : SequenceFileNames(first.fileName(), g_lastSheetNumber))
        OpenDocumentFile(first.dir().filePath(name));
}

void CVantrelApp::OnFileOpen()
{
    const SheetImageChoice choice = ChooseSheetImage();
    if (choice.outcome == SheetImageChoice::Outcome::Chosen)
        OpenDocumentFile(choice.path);
}

void CVantrelApp::OnAppAbout()
{
    CAboutDlg about(m_mainFrame.get());
    about.exec();
}

void CVantrelApp::OnFileSaveAs()
{
    if (CVantrelDoc* document = m_mainFrame->ActiveDocument())
        document->OnFileSaveAs(m_nImageFilterIndex);
}

// An entry that can no longer be opened leaves the list.
void CVantrelApp::OnRecentFile(const QString& path)
{
    if (OpenDocumentFile(path))
        return;
    m_recentFiles.Remove(path);
    m_mainFrame->SetRecentFiles(m_recentFiles.Entries());
}
