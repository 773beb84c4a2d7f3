#include "image/CVantrelView.h"

#include "image/CVantrelDoc.h"
#include "image/sheet_image_draw.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>

CVantrelView::CVantrelView(std::shared_ptr<CVantrelDoc> document, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_document(std::move(document))
{
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    connect(m_document.get(), &CVantrelDoc::ImageChanged, viewport(), qOverload<>(&QWidget::update));
}

void CVantrelView::OnInitialUpdate()
{
    SetScrollSizes(kInitialClientSize);
    if (QWidget* frame = parentWidget())
        frame->resize(frame->size() + kInitialClientSize - maximumViewportSize());
    if (const SheetImage* image = m_document->GetImage())
        SetScrollSizes(QSize(image->GetWidth(), image->GetHeight()));
    viewport()->update();
}

void CVantrelView::paintEvent(QPaintEvent*)
{
    const SheetImage* image = m_document->GetImage();
    if (!image)
        return;
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    const QRect whole(0, 0, image->GetWidth(), image->GetHeight());
    StretchDraw(*image, painter, whole, whole);
}

void CVantrelView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CVantrelView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CVantrelView::SetScrollSizes(QSize total)
{
    m_totalSize = total;
    UpdateScrollBars();
}

// A page is a tenth of the total size and a line a tenth of a page.
void CVantrelView::UpdateScrollBars()
{
    const QSize visible = viewport()->size();
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, m_totalSize.width() - visible.width()));
    horizontal->setPageStep(std::max(1, m_totalSize.width() / 10));
    horizontal->setSingleStep(std::max(1, m_totalSize.width() / 100));
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, m_totalSize.height() - visible.height()));
    vertical->setPageStep(std::max(1, m_totalSize.height() / 10));
    vertical->setSingleStep(std::max(1, m_totalSize.height() / 100));
}
