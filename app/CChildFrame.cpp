#include "app/CChildFrame.h"

#include "image/CVantrelDoc.h"
#include "image/CVantrelView.h"

#include <QIcon>

CChildFrame::CChildFrame(std::shared_ptr<CVantrelDoc> document, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_view(new CVantrelView(std::move(document)))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/sheet_document.svg")));
    setWidget(m_view);
}

CVantrelDoc* CChildFrame::Document() const
{
    return m_view->GetDocument();
}
