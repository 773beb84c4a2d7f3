#pragma once

#include <QMdiSubWindow>

#include <memory>

class CVantrelDoc;
class CVantrelView;

// One sheet window: an MDI child around one view of a document.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit CChildFrame(std::shared_ptr<CVantrelDoc> document, QWidget* parent = nullptr);

    CVantrelView* View() const { return m_view; }
    CVantrelDoc* Document() const;

private:
    CVantrelView* m_view;
};
