#include "app/ScreenshotTour.h"

#include "answerkey/CChoice.h"
#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "app/CAboutDlg.h"
#include "app/CCautionDlg.h"
#include "app/CChildFrame.h"
#include "app/CClassWindow.h"
#include "app/CInfo.h"
#include "app/CMainFrame.h"
#include "app/CReviewWindow.h"
#include "app/CVantrelApp.h"
#include "app/CommandId.h"
#include "image/CVantrelView.h"
#include "results/CShow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>

namespace {

class StandardErrorMessages : public MessageBoxService {
public:
    void Show(const std::string& text) override { std::fprintf(stderr, "message: %s\n", text.c_str()); }
};

bool Save(QWidget& widget, const QDir& folder, const QString& name)
{
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (widget.grab().save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// Accepts the results dialog as soon as the checking command has shown it.
void AcceptResultsDialogWhenShown()
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CShow*>(QApplication::activeModalWidget()))
            dialog->accept();
        else
            AcceptResultsDialogWhenShown();
    });
}

// Every checked sheet at once, scrolled to its marks and answer grid.
void ShowSideBySide(CMainFrame& frame)
{
    for (CChildFrame* window : frame.SheetWindows())
        window->showNormal();
    frame.Action(CommandId::WindowTile)->trigger();
    for (CChildFrame* window : frame.SheetWindows())
        window->View()->verticalScrollBar()->setValue(400);
}

// The class graded in its window over the checked sheets, its first doubtful sheet chosen.
bool SaveClassWindow(CMainFrame& frame, const QString& classFolder, const QDir& folder)
{
    std::vector<std::string> files;
    for (const QFileInfo& file :
        QDir(classFolder).entryInfoList({ QStringLiteral("img*.tif") }, QDir::Files, QDir::Name))
        files.push_back(file.absoluteFilePath().toStdString());
    auto* window = new CClassWindow(ListPages(files));
    QMdiSubWindow* sub = frame.MdiArea()->addSubWindow(window);
    sub->show();
    sub->showMaximized();
    QEventLoop waiting;
    QObject::connect(window, &CClassWindow::GradingEnded, &waiting, &QEventLoop::quit);
    window->Grade(g_enteredKey);
    waiting.exec();
    for (int row = 0; row < window->Table()->rowCount(); ++row)
        if (!window->Table()->item(row, CClassWindow::Review)->text().isEmpty()) {
            window->Table()->selectRow(row);
            break;
        }
    const bool saved = Save(frame, folder, QStringLiteral("class-window.png"));
    sub->close();
    return saved;
}

} // namespace

int RunScreenshotTour(const QStringList& arguments)
{
    QStringList sheets = arguments.mid(1);
    const QDir folder(arguments.value(0));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    QString classFolder; // a class to show graded in its window
    if (sheets.size() >= 2 && sheets[0] == QLatin1String("--class")) {
        classFolder = sheets[1];
        sheets = sheets.mid(2);
    }

    CVantrelApp app;
    StandardErrorMessages messages;
    const ScopedMessageBox binding(messages);

    if (sheets.size() >= 2 && sheets[0] == QLatin1String("--key")) {
        const Result<AnswerList> answers = ReadAnswerKeyFile(sheets[1].toStdString());
        if (!answers) {
            std::fprintf(stderr, "cannot read the key %s\n", qPrintable(sheets[1]));
            return 1;
        }
        AcceptAnswerKey(*answers, QFileInfo(sheets[1]).completeBaseName().toStdString());
        CommitAnswerKey();
        sheets = sheets.mid(2);
    }

    app.CreateMainFrame();
    CMainFrame& frame = *app.MainFrame();
    frame.setWindowState(Qt::WindowNoState);
    frame.resize(1280, 960);
    frame.show();
    for (const QString& sheet : sheets)
        app.OpenDocumentFile(sheet);
    if (!sheets.isEmpty()) {
        AcceptResultsDialogWhenShown();
        frame.Action(CommandId::CheckAllSheets)->trigger();
        ShowSideBySide(frame);
        frame.ReviewWindow()->setVisible(frame.ReviewWindow()->SheetCount() > 0);
        frame.resizeDocks({ frame.ReviewWindow() }, { 150 }, Qt::Vertical);
    }

    bool saved = Save(frame, folder, QStringLiteral("main-window.png"));
    if (!classFolder.isEmpty())
        saved = SaveClassWindow(frame, classFolder, folder) && saved;
    CAboutDlg about(&frame);
    about.show();
    saved = Save(about, folder, QStringLiteral("about.png")) && saved;
    CShow results(&frame);
    results.show();
    saved = Save(results, folder, QStringLiteral("results.png")) && saved;
    CInfo mainDialog(&frame);
    mainDialog.show();
    saved = Save(mainDialog, folder, QStringLiteral("main-dialog.png")) && saved;
    CChoice keyDialog(&mainDialog);
    keyDialog.show();
    saved = Save(keyDialog, folder, QStringLiteral("answer-key.png")) && saved;
    CCautionDlg caution(&mainDialog);
    caution.show();
    saved = Save(caution, folder, QStringLiteral("precautions.png")) && saved;
    return saved ? 0 : 1;
}
