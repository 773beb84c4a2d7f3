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
    // Rises each time a window is minimized: orders the minimized windows as a
    // desktop stacks them, the latest at the bottom.
    quint64 MinimizedOrder() const { return m_minimizedOrder; }

private:
    CVantrelView* m_view;
    quint64 m_minimizedOrder = 0;
};
