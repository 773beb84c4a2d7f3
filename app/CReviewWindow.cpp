#include "app/CReviewWindow.h"

#include "image/CVantrelDoc.h"
#include "omr/sheet_review.h"
#include "results/review_texts.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {

// The entry's document, kept weakly: a closed sheet's entry stays, for the record.
constexpr int kDocumentRole = Qt::UserRole;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

CVantrelDoc* DocumentOf(const QTreeWidgetItem* entry)
{
    return qvariant_cast<QPointer<CVantrelDoc>>(entry->data(0, kDocumentRole)).data();
}

} // namespace

CReviewWindow::CReviewWindow(QWidget* parent)
    : QDockWidget(QStringLiteral("ตรวจสอบอีกครั้ง"), parent)
    , m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("review"));
    toggleViewAction()->setText(tr("ตรวจสอบอีกครั้ง (&R)"));
    toggleViewAction()->setStatusTip(tr("แสดงหรือซ่อนรายการแผ่นที่ควรตรวจสอบอีกครั้ง"));
    m_list->setColumnCount(4);
    m_list->setHeaderLabels({ QStringLiteral("แผ่น / รายการ"), QStringLiteral("อ่านครั้งแรก"),
        QStringLiteral("อ่านครั้งที่สอง"), QStringLiteral("เหตุผล") });
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setRootIsDecorated(true);
    setWidget(m_list);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        QTreeWidgetItem* entry = item->parent() ? item->parent() : item;
        if (CVantrelDoc* document = DocumentOf(entry))
            emit SheetChosen(document);
    });
}

void CReviewWindow::Record(CVantrelDoc& document, const SheetReview& review)
{
    delete EntryOf(&document);
    if (!review.IsDoubtful())
        return;
    auto* entry = new QTreeWidgetItem(
        m_list, { document.GetTitle(), QString(), QString(), Text(ReviewListText(review)) });
    entry->setData(0, kDocumentRole, QVariant::fromValue(QPointer<CVantrelDoc>(&document)));
    for (const ReviewItem& item : review.items)
        new QTreeWidgetItem(entry,
            { Text(ReviewPlaceText(item.item)), Text(ReviewReadingText(item.first)),
                Text(ReviewReadingText(item.second)), Text(ReviewReasonText(item.why, item.figures)) });
    entry->setExpanded(true);
}

bool CReviewWindow::Lists(const CVantrelDoc* document) const
{
    return EntryOf(document) != nullptr;
}

int CReviewWindow::SheetCount() const
{
    return m_list->topLevelItemCount();
}

QTreeWidgetItem* CReviewWindow::EntryOf(const CVantrelDoc* document) const
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (DocumentOf(m_list->topLevelItem(i)) == document && document)
            return m_list->topLevelItem(i);
    return nullptr;
}
