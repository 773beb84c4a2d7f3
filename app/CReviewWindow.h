#pragma once

#include <QDockWidget>
#include <QPointer>

class CVantrelDoc;
class QTreeWidget;
class QTreeWidgetItem;
struct SheetReview;

// The sheets whose reading is doubtful, checked since the program started, each
// with what to look at and why. A sheet checked again replaces its entry; one that
// is no longer doubtful leaves the list. Double-clicking an entry asks for its
// sheet window.
class CReviewWindow : public QDockWidget {
    Q_OBJECT

public:
    explicit CReviewWindow(QWidget* parent = nullptr);

    // After each check of an accepted sheet, doubtful or not.
    void Record(CVantrelDoc& document, const SheetReview& review);
    bool Lists(const CVantrelDoc* document) const;
    int SheetCount() const;

signals:
    void SheetChosen(CVantrelDoc* document);

private:
    QTreeWidgetItem* EntryOf(const CVantrelDoc* document) const;

    QTreeWidget* m_list;
};
