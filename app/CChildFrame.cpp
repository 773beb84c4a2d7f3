#include "app/CChildFrame.h"

#include "image/CVantrelDoc.h"
#include "image/CVantrelView.h"

#include <QIcon>

namespace {
quint64 g_minimizeCount = 0;
}

CChildFrame::CChildFrame(std::shared_ptr<CVantrelDoc> document, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_view(new CVantrelView(std::move(document)))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/sheet_document.svg")));
    setWidget(m_view);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
        [this](Qt::WindowStates before, Qt::WindowStates now) {
            if (now.testFlag(Qt::WindowMinimized) && !before.testFlag(Qt::WindowMinimized))
                m_minimizedOrder = ++g_minimizeCount;
        });
}

CVantrelDoc* CChildFrame::Document() const
{
    return m_view->GetDocument();
}
