#pragma once

#include <QAbstractScrollArea>

#include <memory>

class CVantrelDoc;

// Draws its document's sheet unscaled at the top left, scrolling over the whole
// image. Each view keeps its document alive.
class CVantrelView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr QSize kInitialClientSize { 800, 1000 };

    explicit CVantrelView(std::shared_ptr<CVantrelDoc> document, QWidget* parent = nullptr);

    CVantrelDoc* GetDocument() const { return m_document.get(); }
    const std::shared_ptr<CVantrelDoc>& SharedDocument() const { return m_document; }

    // Once the view sits in its window: sizes the window to an 800 x 1000 client
    // area, then scrolls over the full image.
    void OnInitialUpdate();

    QSize GetTotalSize() const { return m_totalSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void SetScrollSizes(QSize total);
    void UpdateScrollBars();

    std::shared_ptr<CVantrelDoc> m_document;
    QSize m_totalSize;
};
