#pragma once

#include "answerkey/answer_key.h"
#include "framework/qt/ModalMessageBox.h"
#include "framework/qt/RecentFileList.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string>

class CChildFrame;
class CClassWindow;
struct SheetPage;
class CMainFrame;
class CVantrelDoc;

// What came of asking the person for a sheet image.
struct SheetImageChoice {
    enum class Outcome { Chosen, Cancelled, FilterFailed };
    Outcome outcome = Outcome::Cancelled;
    QString path; // when chosen: absolute
    std::string filterError; // when the type list could not be built
};

// The application: binds the program's message box to this UI thread, keeps the
// recent-file list, and opens sheets as documents in the main frame.
class CVantrelApp : public QObject {
    Q_OBJECT

public:
    CVantrelApp();
    ~CVantrelApp() override;

    // Start-up: the main frame, then the about box, then the main dialog.
    // False when the program should end.
    bool InitInstance();
    // The first step of start-up on its own, for whoever needs the frame without
    // the dialogs.
    void CreateMainFrame();

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

    // Opens the sheet image as a document in a new window, or activates the
    // window of the file if it is open already; a PDF or multi-page TIFF opens
    // one window per page, titled NAME#N. Returns the first page's document;
    // nullptr (after a message) when no page can be opened or read as an image.
    CVantrelDoc* OpenDocumentFile(const QString& path);
    // Sheet windows from the top of the stacking order down.
    QList<CChildFrame*> SheetWindows() const;
    int SheetWindowCount() const { return static_cast<int>(SheetWindows().size()); }

    // The open dialog for one answer sheet; remembers the chosen type entry.
    SheetImageChoice ChooseSheetImage();
    // Number (from 1) of the type entry last chosen in a sheet-image dialog; 0
    // before any. Save As preselects the entry with this number.
    int ImageFilterIndex() const { return m_nImageFilterIndex; }

    const RecentFileList& RecentFiles() const { return m_recentFiles; }

    // Command 32771 and the last step of start-up.
    virtual void OnShowMainDialog();
    void OnFileOpen();
    void OnAppAbout();
    // Command 32779: asks for the key (the entered one, or a key file) and the scans,
    // and grades them in a class window. Returns the window; nullptr when cancelled.
    CClassWindow* OnCheckClass();
    // File ▸ อ่านเฉลยจากกระดาษคำตอบ…: a scan of a sheet marked as the key becomes the entered
    // and committed key, ready to grade; a sheet that cannot be read for certain changes nothing.
    void OnKeyFromSheet();
    // File ▸ เปิดชั้นเรียน…: asks for a class record and reopens it. Returns the window;
    // nullptr when cancelled or refused.
    CClassWindow* OnOpenClass();
    // Reopens the class kept in this record; nullptr (after a message) when it cannot be.
    CClassWindow* OpenClassRecord(const QString& path);

private:
    // One page of a file as its own window; the page's window when it is open already.
    CVantrelDoc* OpenDocumentPage(const QString& documentPath, int page, int pageCount);
    void ConnectCommands();
    // Opens the chosen sheet and the numbered sheets after it, up to the last
    // number of the main dialog, from the chosen sheet's folder.
    void OpenSheetSequence();
    void OnFileSaveAs();
    void OnRecentFile(const QString& path);
    // Puts the class window in the frame, its record first among the recent classes.
    void ShowClassWindow(CClassWindow* window);
    // The key the checking commands would use; without one, or when the person would
    // rather not grade a new class with the key the last class was graded with, a key
    // file read as the key dialog reads it. Nothing when no valid answer comes of either.
    bool ClassKey(AnswerKey& key, bool newClass);
    // A graded sheet of a class as a sheet window with its overlay, read again silently.
    void OpenClassSheet(const SheetPage& page, const AnswerKey& key);

    ModalMessageBox m_messageBox;
    ScopedMessageBox m_messageBoxBinding;
    RecentFileList m_recentFiles;
    RecentFileList m_recentClasses { QStringLiteral("Recent Class List") };
    std::unique_ptr<CMainFrame> m_mainFrame;
    int m_nImageFilterIndex = 0;
    std::optional<AnswerKey> m_lastClassKey; // the key the last class window graded with
    // The sheet the key was last read from, to keep it out of the class it is the key of.
    struct KeySheet {
        std::string path;
        AnswerList answers;
    };
    std::optional<KeySheet> m_keySheet;
};
