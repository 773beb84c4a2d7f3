#include "app/CMainFrame.h"

#include "answerkey/answer_key_store.h"
#include "app/CCheckingCommands.h"
#include "app/CClassExport.h"
#include "app/CReviewWindow.h"
#include "app/CommandId.h"
#include "framework/qt/RecentFileList.h"
#include "image/CVantrelDoc.h"
#include "image/CVantrelView.h"
#include "omr/sheet_review.h"
#include "results/review_texts.h"

#include <QAction>
#include <QDir>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace {

const QString kReady = QStringLiteral("Ready");
const QString kCheckAgain = QStringLiteral(" — ตรวจสอบอีกครั้ง");

QString MenuEntryText(int number, const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(escaped);
}

} // namespace

CMainFrame::CMainFrame()
    : m_commands(this)
    , m_mdiArea(new QMdiArea(this))
{
    Q_INIT_RESOURCE(vantrel);
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/vantrel.svg")));
    setCentralWidget(m_mdiArea);
    // Sheet windows cascade past the area's edges; scroll bars reach them, as in a
    // Windows MDI workspace.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Shortcuts work whichever menu is shown.
    addActions(m_commands.All().values());

    CreateToolBar();
    CreateStatusBar();
    CreateReviewWindow();
    CreateMenus();
    m_checkingCommands = std::make_unique<CCheckingCommands>(*this);
    m_checkingCommands->SetReviewHandler(
        [this](CVantrelDoc& document, const SheetReview& review) { OnSheetReviewed(document, review); });
    // The checking commands grade with the grading key: what they checked leaves with it.
    m_classExport = std::make_unique<CClassExport>(
        [checking = m_checkingCommands.get()](bool idAreas) -> Result<GradedClass> {
            Result<std::optional<Roster>> roster = CClassExport::ReadRoster();
            if (!roster)
                return Status::Failure(roster.message());
            return GradedClass { g_gradingKey, std::move(*roster), checking->CheckedSheets(idAreas), {}, {} };
        });
    ConnectFrameCommands();

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSheetWindowChanged);
    OnSheetWindowChanged();
    setWindowState(Qt::WindowMaximized);
}

CMainFrame::~CMainFrame()
{
    // The sheet windows go first, without telling a half-destroyed frame.
    m_mdiArea->disconnect(this);
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        window->disconnect(this);
    delete m_mdiArea;
}

void CMainFrame::CreateToolBar()
{
    using namespace CommandId;
    m_toolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_toolBar->setObjectName(QString::number(ViewToolbar));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->addAction(Action(FileOpen));
    m_toolBar->addAction(Action(FileSave));
    m_toolBar->addSeparator();
    for (int id : { AppAbout, ShowMainDialog, MeasureSkew, PrepareSheet, Unassigned, CheckAllSheets,
             CheckActiveSheet, ToggleSheetWindows })
        m_toolBar->addAction(Action(id));
    m_toolBar->addSeparator();
    m_toolBar->addAction(Action(CheckClass));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QString::number(CommandId::ViewStatusBar));
    for (const char* indicator : { "CAP", "NUM", "SCRL" }) {
        // The lock states cannot be read portably: the panes stay greyed.
        auto* label = new QLabel(QString::fromLatin1(indicator), bar);
        label->setEnabled(false);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(label);
    }
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(kReady);
    });
    bar->showMessage(kReady);
}

// Docked at the bottom and hidden until asked for: the status bar and the title
// already say which sheet to look at.
void CMainFrame::CreateReviewWindow()
{
    m_reviewWindow = new CReviewWindow(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_reviewWindow);
    m_reviewWindow->hide();
    connect(m_reviewWindow, &CReviewWindow::SheetChosen, this, &CMainFrame::OnReviewedSheetChosen);
}

void CMainFrame::CreateMenus()
{
    using namespace CommandId;
    m_recentPlaceholder = new QAction(QStringLiteral("Recent File"), this);
    m_recentPlaceholder->setEnabled(false);
    for (int i = 0; i < RecentFileList::kMaxEntries; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QString::number(FileMru1 + i));
        action->setStatusTip(QStringLiteral("Open this document"));
        action->setVisible(false);
        connect(action, &QAction::triggered, this,
            [this, action] { emit RecentFileChosen(action->data().toString()); });
        m_recentActions << action;
    }
    m_recentClasses = new QMenu(QStringLiteral("ชั้นเรียนล่าสุด"), this);
    m_recentClasses->setObjectName(QStringLiteral("recentClasses"));

    auto* fileWithout = new QMenu(QStringLiteral("&File"), this);
    fileWithout->addActions({ Action(FileNew), Action(FileOpen) });
    fileWithout->addSeparator();
    AddRecentFileActions(fileWithout);
    fileWithout->addSeparator();
    AddClassExportActions(fileWithout);
    fileWithout->addActions({ Action(FileClose), Action(AppExit) });
    m_menusWithoutSheet = { fileWithout, CreateViewMenu(), CreateHelpMenu() };

    auto* fileWith = new QMenu(QStringLiteral("&File"), this);
    fileWith->addActions(
        { Action(FileNew), Action(FileOpen), Action(FileClose), Action(FileSave), Action(FileSaveAs) });
    fileWith->addSeparator();
    AddRecentFileActions(fileWith);
    fileWith->addSeparator();
    AddClassExportActions(fileWith);
    fileWith->addAction(Action(AppExit));
    auto* edit = new QMenu(QStringLiteral("&Edit"), this);
    edit->addAction(Action(EditUndo));
    edit->addSeparator();
    edit->addActions({ Action(EditCut), Action(EditCopy), Action(EditPaste) });
    m_windowMenu = new QMenu(QStringLiteral("&Window"), this);
    m_windowMenu->addActions({ Action(WindowNew), Action(WindowCascade), Action(WindowTile),
        Action(WindowArrange), Action(CloseSheetWindows) });
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowList);
    m_menusWithSheet = { fileWith, edit, CreateViewMenu(), m_windowMenu, CreateHelpMenu() };

    ShowMenus(false);
}

QMenu* CMainFrame::CreateViewMenu()
{
    auto* view = new QMenu(QStringLiteral("&View"), this);
    view->addActions({ Action(CommandId::ViewToolbar), Action(CommandId::ViewStatusBar),
        m_reviewWindow->toggleViewAction() });
    return view;
}

QMenu* CMainFrame::CreateHelpMenu()
{
    auto* help = new QMenu(QStringLiteral("&Help"), this);
    help->addAction(Action(CommandId::AppAbout));
    return help;
}

// What has been checked leaves the program whether or not a sheet is still open.
void CMainFrame::AddClassExportActions(QMenu* menu)
{
    using namespace CommandId;
    menu->addActions({ Action(KeyFromSheet), Action(CheckClass), Action(OpenClass) });
    menu->addMenu(m_recentClasses);
    menu->addActions(
        { Action(ChooseRoster), Action(ExportWorkbook), Action(ExportReport), Action(ExportSlips) });
    menu->addSeparator();
}

void CMainFrame::AddRecentFileActions(QMenu* menu)
{
    menu->addAction(m_recentPlaceholder);
    menu->addActions(m_recentActions);
}

void CMainFrame::ConnectFrameCommands()
{
    using namespace CommandId;
    connect(Action(FileClose), &QAction::triggered, m_mdiArea, &QMdiArea::closeActiveSubWindow);
    connect(Action(AppExit), &QAction::triggered, this, &QWidget::close);

    Action(ViewToolbar)->setChecked(true);
    connect(Action(ViewToolbar), &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, Action(ViewToolbar), &QAction::setChecked);
    Action(ViewStatusBar)->setChecked(true);
    connect(Action(ViewStatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);

    connect(Action(WindowNew), &QAction::triggered, this, &CMainFrame::OnWindowNew);
    connect(Action(WindowCascade), &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
    connect(Action(WindowTile), &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
    connect(Action(WindowArrange), &QAction::triggered, this, &CMainFrame::OnArrangeIcons);
    connect(Action(CloseSheetWindows), &QAction::triggered, this, [this] {
        for (CChildFrame* window : SheetWindows())
            window->close();
    });

    CClassExport* exports = m_classExport.get();
    connect(Action(ChooseRoster), &QAction::triggered, this, [exports] { exports->OnChooseRoster(); });
    connect(Action(ExportWorkbook), &QAction::triggered, this, [exports] { exports->OnExportWorkbook(); });
    connect(Action(ExportReport), &QAction::triggered, this, [exports] { exports->OnExportReport(); });
    connect(Action(ExportSlips), &QAction::triggered, this, [exports] { exports->OnExportSlips(); });

    CCheckingCommands* checking = m_checkingCommands.get();
    connect(
        Action(CheckActiveSheet), &QAction::triggered, this, [checking] { checking->OnCheckActiveSheet(); });
    connect(Action(CheckAllSheets), &QAction::triggered, this, [checking] { checking->OnCheckAllSheets(); });
    connect(Action(MeasureSkew), &QAction::triggered, this, [checking] { checking->OnMeasureSkew(); });
    connect(Action(PrepareSheet), &QAction::triggered, this, [checking] { checking->OnPrepareSheet(); });
    connect(Action(ToggleSheetWindows), &QAction::triggered, this,
        [checking] { checking->OnToggleSheetWindows(); });
}

CChildFrame* CMainFrame::CreateSheetWindow(std::shared_ptr<CVantrelDoc> document)
{
    auto* window = new CChildFrame(std::move(document));
    m_mdiArea->addSubWindow(window);
    UpdateSheetWindowTitles();
    connect(window, &QWidget::windowTitleChanged, this, &CMainFrame::OnSheetWindowChanged);
    // By then the window is no longer a sheet window: the others are renumbered.
    connect(window, &QObject::destroyed, this, &CMainFrame::UpdateSheetWindowTitles);
    window->show();
    window->View()->OnInitialUpdate();
    ActivateSheetWindow(window);
    return window;
}

QList<CChildFrame*> CMainFrame::SheetWindows() const
{
    QList<CChildFrame*> windows;
    QList<CChildFrame*> minimized;
    const QList<QMdiSubWindow*> stack = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        if (auto* window = qobject_cast<CChildFrame*>(*it))
            (window->isMinimized() ? minimized : windows) << window;
    }
    std::stable_sort(minimized.begin(), minimized.end(),
        [](const CChildFrame* a, const CChildFrame* b) { return a->MinimizedOrder() < b->MinimizedOrder(); });
    return windows + minimized;
}

CChildFrame* CMainFrame::ActiveSheetWindow() const
{
    return qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
}

CVantrelDoc* CMainFrame::ActiveDocument() const
{
    CChildFrame* window = ActiveSheetWindow();
    return window ? window->Document() : nullptr;
}

QList<QMdiSubWindow*> CMainFrame::StackedSheetWindows() const
{
    const QList<CChildFrame*> windows = SheetWindows();
    return QList<QMdiSubWindow*>(windows.cbegin(), windows.cend());
}

CVantrelDoc* CMainFrame::DocumentOf(const QMdiSubWindow* window) const
{
    const auto* sheetWindow = qobject_cast<const CChildFrame*>(window);
    return sheetWindow ? sheetWindow->Document() : nullptr;
}

void CMainFrame::ActivateSheetWindow(QMdiSubWindow* window)
{
    m_mdiArea->setActiveSubWindow(window);
}

void CMainFrame::SetRecentFiles(const QStringList& paths)
{
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        const bool used = i < paths.size();
        action->setVisible(used);
        action->setData(used ? paths[i] : QString());
        action->setText(used ? MenuEntryText(i + 1, QDir::toNativeSeparators(paths[i])) : QString());
    }
    m_recentPlaceholder->setVisible(paths.isEmpty());
}

void CMainFrame::SetRecentClasses(const QStringList& paths)
{
    m_recentClasses->clear();
    for (int i = 0; i < paths.size(); ++i) {
        QAction* action
            = m_recentClasses->addAction(MenuEntryText(i + 1, QDir::toNativeSeparators(paths[i])));
        const QString path = paths[i];
        connect(action, &QAction::triggered, this, [this, path] { emit RecentClassChosen(path); });
    }
    m_recentClasses->setEnabled(!paths.isEmpty());
}

void CMainFrame::UpdateSheetWindowTitles()
{
    QHash<const CVantrelDoc*, QList<CChildFrame*>> windowsOfSheet;
    for (QMdiSubWindow* subWindow : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* window = qobject_cast<CChildFrame*>(subWindow))
            windowsOfSheet[window->Document()] << window;
    for (const QList<CChildFrame*>& windows : windowsOfSheet) {
        const CVantrelDoc* document = windows.constFirst()->Document();
        const QString& title = document->GetTitle();
        const QString note = m_reviewWindow->Lists(document) ? kCheckAgain : QString();
        for (qsizetype i = 0; i < windows.size(); ++i)
            windows[i]->View()->setWindowTitle(
                (windows.size() == 1 ? title : QStringLiteral("%1:%2").arg(title).arg(i + 1)) + note);
    }
}

void CMainFrame::OnSheetReviewed(CVantrelDoc& document, const SheetReview& review)
{
    const bool listedBefore = m_reviewWindow->Lists(&document);
    m_reviewWindow->Record(document, review);
    if (review.IsDoubtful())
        statusBar()->showMessage(document.GetTitle() + kCheckAgain + QStringLiteral(": ")
            + QString::fromStdString(ReviewListText(review)));
    if (listedBefore || review.IsDoubtful())
        UpdateSheetWindowTitles();
}

void CMainFrame::OnReviewedSheetChosen(CVantrelDoc* document)
{
    for (CChildFrame* window : SheetWindows())
        if (window->Document() == document) {
            if (window->isMinimized())
                window->showNormal();
            ActivateSheetWindow(window);
            return;
        }
}

void CMainFrame::OnSheetWindowChanged()
{
    CChildFrame* active = ActiveSheetWindow();
    setWindowTitle(
        active ? QStringLiteral("Vantrel - %1").arg(active->windowTitle()) : QStringLiteral("Vantrel"));
    ShowMenus(active != nullptr);
    UpdateCommandStates();
}

// A command without a handler is greyed; the view's commands have one only
// while a sheet window is active.
void CMainFrame::UpdateCommandStates()
{
    using namespace CommandId;
    const bool sheetActive = ActiveSheetWindow() != nullptr;
    for (int id :
        { FileNew, FileSave, EditUndo, EditCut, EditCopy, EditPaste, NextPane, PrevPane, Unassigned })
        Action(id)->setEnabled(false);
    for (int id : { FileClose, FileSaveAs, WindowNew, CheckAllSheets, MeasureSkew, PrepareSheet,
             CheckActiveSheet, ToggleSheetWindows })
        Action(id)->setEnabled(sheetActive);
}

void CMainFrame::ShowMenus(bool sheetActive)
{
    if (sheetActive == m_showsSheetMenu && !menuBar()->actions().isEmpty())
        return;
    m_showsSheetMenu = sheetActive;
    menuBar()->clear();
    for (QMenu* menu : sheetActive ? m_menusWithSheet : m_menusWithoutSheet)
        menuBar()->addMenu(menu);
}

void CMainFrame::UpdateWindowList()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowListActions << m_windowMenu->addSeparator();
    for (int i = 0; i < windows.size() && i < 9; ++i) {
        QMdiSubWindow* window = windows[i];
        QAction* action = m_windowMenu->addAction(MenuEntryText(i + 1, window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == m_mdiArea->currentSubWindow());
        connect(action, &QAction::triggered, m_mdiArea, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (window)
                m_mdiArea->setActiveSubWindow(window);
        });
        m_windowListActions << action;
    }
}

void CMainFrame::OnWindowNew()
{
    if (CChildFrame* active = ActiveSheetWindow())
        CreateSheetWindow(active->View()->SharedDocument());
}

// Lines the minimized windows up along the bottom edge, left to right.
void CMainFrame::OnArrangeIcons()
{
    const QSize area = m_mdiArea->viewport()->size();
    int x = 0;
    int bottom = area.height();
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        if (x > 0 && x + window->width() > area.width()) {
            x = 0;
            bottom -= window->height();
        }
        window->move(x, bottom - window->height());
        x += window->width();
    }
}
