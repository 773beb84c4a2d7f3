#include "app/CCheckingCommands.h"

#include "answerkey/answer_key_store.h"
#include "image/CVantrelDoc.h"
#include "image/rgb_picture_qt.h"
#include "image/sheet_image.h"
#include "image/sheet_pages.h"
#include "omr/check_sheet.h"
#include "omr/marked_letters.h"
#include "omr/page_size_box.h"
#include "omr/reviewed_check.h"
#include "omr/sheet_cuts.h"
#include "results/CShow.h"
#include "results/SheetWindowStack.h"
#include "results/results_register.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QPointer>

CCheckingCommands::CCheckingCommands(SheetWindowStack& windows)
    : m_windows(windows)
{
    m_engine.services.recorder = &g_resultsRegister;
}

void CCheckingCommands::OnCheckActiveSheet()
{
    QMdiSubWindow* const active = m_windows.ActiveSheetWindow();
    CVantrelDoc* const document = m_windows.ActiveDocument();
    if (!active || !ConfirmInResultsDialog(active->window()) || !document->GetImage())
        return;
    CheckDocument(*document);

    const QList<QMdiSubWindow*> windows = m_windows.StackedSheetWindows();
    const qsizetype position = windows.indexOf(active);
    if (position >= 0 && position + 1 < windows.size())
        MinimizeKeepingActive(windows[position + 1], active);
}

void CCheckingCommands::OnCheckAllSheets()
{
    QMdiSubWindow* const active = m_windows.ActiveSheetWindow();
    CVantrelDoc* const document = m_windows.ActiveDocument();
    if (!active || !ConfirmInResultsDialog(active->window()) || !document->GetImage())
        return;
    QList<QPointer<QMdiSubWindow>> others;
    for (QMdiSubWindow* window : m_windows.StackedSheetWindows())
        if (window != active)
            others << window;

    CheckDocument(*document);
    for (const QPointer<QMdiSubWindow>& window : others) {
        if (!window)
            continue;
        MinimizeKeepingActive(window, active);
        if (CVantrelDoc* other = m_windows.DocumentOf(window); other && other->GetImage())
            CheckDocument(*other);
    }
}

void CCheckingCommands::OnMeasureSkew()
{
    CVantrelDoc* document = m_windows.ActiveDocument();
    if (!document || !document->GetImage())
        return;
    SheetImage& image = *document->GetImage();
    if (image.PrepareSheet(m_engine) == SheetCheck::Accepted)
        image.MeasureSkew(m_engine, 1);
    document->UpdateAllViews();
}

void CCheckingCommands::OnPrepareSheet()
{
    CVantrelDoc* document = m_windows.ActiveDocument();
    if (!document || !document->GetImage())
        return;
    document->GetImage()->PrepareSheet(m_engine);
    document->UpdateAllViews();
}

void CCheckingCommands::OnToggleSheetWindows()
{
    QMdiSubWindow* active = m_windows.ActiveSheetWindow();
    const QList<QMdiSubWindow*> windows = m_windows.StackedSheetWindows();
    if (m_sheetWindowsMinimized) {
        // Restoring raises a window: bottom first, so the stack ends as it was.
        for (auto it = windows.crbegin(); it != windows.crend(); ++it)
            (*it)->showNormal();
    } else {
        for (QMdiSubWindow* window : windows)
            window->showMinimized();
    }
    if (active)
        m_windows.ActivateSheetWindow(active);
    m_sheetWindowsMinimized = !m_sheetWindowsMinimized;
}

bool CCheckingCommands::ConfirmInResultsDialog(QWidget* parent)
{
    CShow dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

void CCheckingCommands::CheckDocument(CVantrelDoc& document)
{
    const std::string title = document.GetTitle().toStdString();
    TakeGradingCopy();
    // This sheet's size may explain a missing registration mark better than the mark.
    PageSizeBox messages(m_engine.services.messages, *document.GetImage());
    MessageBoxService* const shownBefore = m_engine.services.messages;
    m_engine.services.messages = &messages;
    const SheetReading reviewed = CheckAndReviewSheet(
        *document.GetImage(), m_engine, g_gradingKey, [&title] { g_resultsRegister.recordTitle(title); });
    m_engine.services.messages = shownBefore;
    document.UpdateAllViews();
    if (reviewed.checked.check == SheetCheck::Accepted) {
        // The folder as well as the name: two classes may both have an img001.tif.
        GradedSheet sheet;
        sheet.page.file = document.GetPathName().toStdString();
        sheet.page.page = document.GetPage();
        sheet.file = QFileInfo(document.GetPathName()).dir().filePath(document.GetTitle()).toStdString();
        // The official reading as handed over (the engine's own tally is cleared once
        // reported); these checks keep no second reading to settle doubts with.
        sheet.first = reviewed.first;
        sheet.first.letters = ReadMarkedLetters(*document.GetImage(), reviewed.checked.rows);
        sheet.status = sheet.first.counts.reported ? SheetStatus::Reported : SheetStatus::Unreported;
        KeepCheckedSheet(std::move(sheet), { document.GetPathName(), document.GetPage(), m_engine.g_skew });
    }
    if (reviewed.checked.check == SheetCheck::Accepted && m_reviewed)
        m_reviewed(document, reviewed.review);
}

void CCheckingCommands::KeepCheckedSheet(GradedSheet sheet, SheetOrigin origin)
{
    for (size_t s = 0; s < m_checkedSheets.size(); ++s)
        if (m_checkedSheets[s].file == sheet.file) {
            m_checkedSheets[s] = std::move(sheet);
            m_origins[s] = std::move(origin);
            return;
        }
    m_checkedSheets.push_back(std::move(sheet));
    m_origins.push_back(std::move(origin));
}

const std::vector<GradedSheet>& CCheckingCommands::CheckedSheets(bool idAreas)
{
    // Cut from the scan as it came in: the sheet on screen is thresholded and painted.
    for (size_t s = 0; idAreas && s < m_checkedSheets.size(); ++s) {
        SheetImage scan;
        const SheetOrigin& origin = m_origins[s];
        if (m_checkedSheets[s].idArea.IsEmpty()
            && LoadSheetPage(scan, origin.path.toStdString(), origin.page, origin.page + 1)) {
            scan.ConvertTo24Bits();
            m_checkedSheets[s].idArea = PictureOf(CutIdArea(scan, LayIdBands(origin.skew)));
        }
    }
    return m_checkedSheets;
}

void CCheckingCommands::MinimizeKeepingActive(QMdiSubWindow* window, QMdiSubWindow* active)
{
    window->showMinimized();
    if (active)
        m_windows.ActivateSheetWindow(active);
}
