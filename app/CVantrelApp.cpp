#include "app/CVantrelApp.h"

#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CClassWindow.h"
#include "app/CInfo.h"
#include "app/CMainFrame.h"
#include "app/CommandId.h"
#include "framework/format.h"
#include "framework/qt/FileDialog.h"
#include "framework/qt/ModalMessageBox.h"
#include "grading/key_sheet.h"
#include "image/CVantrelDoc.h"
#include "image/sheet_image.h"
#include "image/sheet_pages.h"
#include "image/sheet_sequence.h"
#include "omr/check_sheet.h"
#include "omr/engine_state.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <QAction>
#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

const char* const kSheetImageDescription = "ภาพคำตอบ jpg,bmp,tifแบบ24bitเท่านั้น";
const char* const kSheetImagePatterns = "*.jpg;*.tif;*.bmp";
// A copier delivers a class as one PDF.
const char* const kCopierPdfDescription = "PDF จากเครื่องถ่ายเอกสาร";
const char* const kCopierPdfPatterns = "*.pdf;*.PDF";

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
    m_mainFrame->SetRecentClasses(m_recentClasses.Entries());
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
    connect(frame->Action(CheckClass), &QAction::triggered, this, &CVantrelApp::OnCheckClass);
    connect(frame->Action(OpenClass), &QAction::triggered, this, &CVantrelApp::OnOpenClass);
    connect(frame->Action(KeyFromSheet), &QAction::triggered, this, &CVantrelApp::OnKeyFromSheet);
    connect(frame, &CMainFrame::RecentClassChosen, this, &CVantrelApp::OpenClassRecord);
}

bool CVantrelApp::ClassKey(AnswerKey& key, bool newClass)
{
    const bool usedBefore = newClass && m_lastClassKey && m_lastClassKey->answers == g_enteredKey.answers
        && m_lastClassKey->count == g_enteredKey.count;
    if (g_enteredKey.count == 0
        || (usedBefore
            && !AskYesNo(FormatText("เฉลยที่ใช้อยู่คือ %s ซึ่งใช้ตรวจห้องก่อนหน้าแล้ว\n"
                                    "ตรวจห้องนี้ด้วยเฉลยเดียวกันหรือไม่\n(ตอบ \"ไม่\" เพื่อเลือกไฟล์เฉลยอื่น)",
                CClassWindow::KeyText(g_enteredKey).toStdString().c_str())))) {
        FileDialogRequest request;
        request.types = { { QStringLiteral("เฉลย"), QStringLiteral("*.txt") } };
        const FileDialogChoice choice = ChooseFile(request);
        if (!choice.accepted)
            return false;
        const Result<AnswerList> read = ReadAnswerKeyFile(choice.path.toStdString());
        if (!read) {
            ShowMessage(read.message());
            return false;
        }
        AcceptAnswerKey(*read, QFileInfo(choice.path).completeBaseName().toStdString());
        if (g_enteredKey.count == 0) {
            ShowMessage(kNoAnswerKeyWarning);
            return false;
        }
    }
    key = g_enteredKey;
    return true;
}

CClassWindow* CVantrelApp::OnCheckClass()
{
    AnswerKey key;
    if (!ClassKey(key, true))
        return nullptr;
    std::vector<std::string> files = CClassWindow::ChooseScans();
    // The key sheet scanned with the class is the key, not a student's sheet.
    if (m_keySheet && m_keySheet->answers == key.answers)
        std::erase_if(files, [this](const std::string& file) {
            std::error_code error;
            return std::filesystem::equivalent(file, m_keySheet->path, error);
        });
    if (files.empty())
        return nullptr;

    auto* window = new CClassWindow(ListPages(files));
    m_lastClassKey = key;
    window->Grade(key);
    ShowClassWindow(window);
    return window;
}

void CVantrelApp::OnKeyFromSheet()
{
    FileDialogRequest request;
    request.types = { { QStringLiteral("กระดาษคำตอบที่ระบายเฉลย"),
        QStringLiteral("*.jpg;*.jpeg;*.tif;*.tiff;*.bmp;*.png;*.gif;*.pdf;*.JPG;*.TIF;*.PDF") } };
    const FileDialogChoice choice = ChooseFile(request);
    if (!choice.accepted)
        return;
    const Result<AnswerList> read = ReadKeySheet(choice.path.toStdString());
    if (!read) {
        ShowMessage(read.message());
        return;
    }
    AcceptAnswerKey(*read, QFileInfo(choice.path).completeBaseName().toStdString());
    if (g_enteredKey.count == 0) {
        ShowMessage(kNoAnswerKeyWarning);
        return;
    }
    CommitAnswerKey();
    m_keySheet = KeySheet { choice.path.toStdString(), g_enteredKey.answers };
    ShowMessage(KeyReadyMessage());
}

CClassWindow* CVantrelApp::OnOpenClass()
{
    FileDialogRequest request;
    request.types = { { QStringLiteral("ชั้นเรียน"), QStringLiteral("*.vantrel") } };
    const FileDialogChoice choice = ChooseFile(request);
    return choice.accepted ? OpenClassRecord(choice.path) : nullptr;
}

CClassWindow* CVantrelApp::OpenClassRecord(const QString& path)
{
    CClassWindow* window = CClassWindow::OpenRecord(path);
    if (!window) {
        m_recentClasses.Remove(path);
        m_mainFrame->SetRecentClasses(m_recentClasses.Entries());
        return nullptr;
    }
    ShowClassWindow(window);
    return window;
}

void CVantrelApp::ShowClassWindow(CClassWindow* window)
{
    QMdiSubWindow* frame = m_mainFrame->MdiArea()->addSubWindow(window);
    frame->resize(m_mainFrame->MdiArea()->size() * 0.9);
    frame->show();
    connect(window, &CClassWindow::SheetChosen, this,
        [this, window](const SheetPage& page) { OpenClassSheet(page, window->Key()); });
    // A corrected key re-scores what was read; the scans are read again only when asked.
    connect(window, &CClassWindow::RegradeAsked, this, [this, window] {
        AnswerKey corrected;
        if (ClassKey(corrected, false)) {
            m_lastClassKey = corrected;
            window->Rescore(corrected);
        }
    });
    if (const QString record = window->RecordPath(); !record.isEmpty()) {
        m_recentClasses.Add(QFileInfo(record).absoluteFilePath());
        m_mainFrame->SetRecentClasses(m_recentClasses.Entries());
    }
}

void CVantrelApp::OpenClassSheet(const SheetPage& page, const AnswerKey& key)
{
    const int windowsBefore = SheetWindowCount();
    CVantrelDoc* document
        = OpenDocumentPage(DocumentPath(QString::fromStdString(page.file)), page.page, page.pageCount);
    if (!document || !document->GetImage() || SheetWindowCount() == windowsBefore)
        return; // an open sheet keeps what it shows
    // The class window has the messages; the register takes nothing from here.
    class Silent : public MessageBoxService {
    public:
        void Show(const std::string&) override { }
    } silent;
    EngineState engine({ &silent, nullptr, nullptr });
    CheckSheet(*document->GetImage(), engine, key, [] {});
    document->UpdateAllViews();
}

CVantrelDoc* CVantrelApp::OpenDocumentFile(const QString& path)
{
    const QString documentPath = DocumentPath(path);
    const std::string shownPath = QDir::toNativeSeparators(documentPath).toStdString();
    const Result<int> pages = CountSheetPages(documentPath.toStdString());
    if (!pages) {
        ShowMessage(FormatText("เปิดไฟล์ภาพ %s ไม่ได้\n%s", shownPath.c_str(), pages.message().c_str()));
        return nullptr;
    }
    bool openAlready = false;
    for (CChildFrame* window : SheetWindows())
        openAlready = openAlready || window->Document()->GetPathName() == documentPath;
    CVantrelDoc* first = nullptr;
    for (int page = 0; page < *pages; ++page) {
        CVantrelDoc* opened = OpenDocumentPage(documentPath, page, *pages);
        first = first ? first : opened;
    }
    // A file shown already keeps its place in the recent list.
    if (!first || openAlready)
        return first;
    m_recentFiles.Add(documentPath);
    m_mainFrame->SetRecentFiles(m_recentFiles.Entries());
    return first;
}

CVantrelDoc* CVantrelApp::OpenDocumentPage(const QString& documentPath, int page, int pageCount)
{
    for (CChildFrame* window : SheetWindows()) {
        CVantrelDoc* open = window->Document();
        if (open->GetPathName() == documentPath && open->GetPage() == page) {
            m_mainFrame->ActivateSheetWindow(window);
            return open;
        }
    }
    auto document = std::make_shared<CVantrelDoc>();
    if (const Status opened = document->OnOpenDocument(documentPath, page, pageCount); !opened) {
        ShowMessage(FormatText("เปิดไฟล์ภาพ %s ไม่ได้\n%s",
            QDir::toNativeSeparators(documentPath).toStdString().c_str(), opened.message().c_str()));
        return nullptr;
    }
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
    request.types += { { QString::fromUtf8(kCopierPdfDescription), QString::fromUtf8(kCopierPdfPatterns) } };
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
