#include "results/CCheckingCommands.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "image/CVantrelDoc.h"
#include "omr/check_sheet.h"
#include "results/CShow.h"
#include "results/results_register.h"

#include <QPointer>

CCheckingCommands::CCheckingCommands(CMainFrame& frame)
    : m_frame(frame)
{
}

void CCheckingCommands::OnCheckActiveSheet()
{
    CChildFrame* const active = m_frame.ActiveSheetWindow();
    if (!active || !ConfirmInResultsDialog() || !active->Document()->GetImage())
        return;
    CheckDocument(*active->Document());

    const QList<CChildFrame*> windows = m_frame.SheetWindows();
    const qsizetype position = windows.indexOf(active);
    if (position >= 0 && position + 1 < windows.size())
        MinimizeKeepingActive(windows[position + 1], active);
}

void CCheckingCommands::OnCheckAllSheets()
{
    CChildFrame* const active = m_frame.ActiveSheetWindow();
    if (!active || !ConfirmInResultsDialog() || !active->Document()->GetImage())
        return;
    QList<QPointer<CChildFrame>> others;
    for (CChildFrame* window : m_frame.SheetWindows())
        if (window != active)
            others << window;

    CheckDocument(*active->Document());
    for (const QPointer<CChildFrame>& window : others) {
        if (!window)
            continue;
        MinimizeKeepingActive(window, active);
        if (window->Document()->GetImage())
            CheckDocument(*window->Document());
    }
}

void CCheckingCommands::OnMeasureSkew()
{
    CVantrelDoc* document = m_frame.ActiveDocument();
    if (!document || !document->GetImage())
        return;
    SheetImage& image = *document->GetImage();
    if (image.PrepareSheet() == SheetCheck::Accepted)
        image.MeasureSkew(1);
    document->UpdateAllViews();
}

void CCheckingCommands::OnPrepareSheet()
{
    CVantrelDoc* document = m_frame.ActiveDocument();
    if (!document || !document->GetImage())
        return;
    document->GetImage()->PrepareSheet();
    document->UpdateAllViews();
}

void CCheckingCommands::OnToggleSheetWindows()
{
    CChildFrame* active = m_frame.ActiveSheetWindow();
    const QList<CChildFrame*> windows = m_frame.SheetWindows();
    if (m_sheetWindowsMinimized) {
        // Restoring raises a window: bottom first, so the stack ends as it was.
        for (auto it = windows.crbegin(); it != windows.crend(); ++it)
            (*it)->showNormal();
    } else {
        for (CChildFrame* window : windows)
            window->showMinimized();
    }
    if (active)
        m_frame.ActivateSheetWindow(active);
    m_sheetWindowsMinimized = !m_sheetWindowsMinimized;
}

bool CCheckingCommands::ConfirmInResultsDialog()
{
    CShow dialog(&m_frame);
    return dialog.exec() == QDialog::Accepted;
}

void CCheckingCommands::CheckDocument(CVantrelDoc& document)
{
    const std::string title = document.GetTitle().toStdString();
    CheckSheet(*document.GetImage(), [&title] { g_resultsRegister.recordTitle(title); });
    document.UpdateAllViews();
}

void CCheckingCommands::MinimizeKeepingActive(CChildFrame* window, CChildFrame* active)
{
    window->showMinimized();
    if (active)
        m_frame.ActivateSheetWindow(active);
}
