#pragma once

#include "grading/class_review.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class CClassWindow;
class QLabel;
class QPushButton;
class SheetImage;

// The class window's review: one item at a time, with its row or ID column cut from the
// scan as it came in, both readings and each box's darkness, settled by keys alone.
// a–e toggle letters, Space a blank row, digits an ID digit or a suggested student,
// Enter settles (what was typed, else what is proposed), Backspace undoes the last
// settlement with a new event, Left and Right walk the items.
class CReviewPane : public QWidget {
    Q_OBJECT

public:
    explicit CReviewPane(CClassWindow& window, QWidget* parent = nullptr);
    ~CReviewPane() override;

    // The class's items again, after grading or a change made elsewhere.
    void Refresh();
    // Goes to the sheet's first item left to settle, else its first item; stays when it has none.
    void ShowSheet(size_t page);
    int Remaining() const { return UnresolvedCount(m_items); }
    // The item shown; nothing when the class has none.
    const ClassReviewItem* Current() const;
    // The value Enter would settle the item shown at.
    std::string Pending() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What one key press settled, to undo it with new events.
    struct Step {
        size_t page; // kNoPage: a student confirmed absent
        std::vector<Resolution> events;
        std::vector<std::string> before; // each event's item's value before it
        int32_t absentStudent = 0;
    };

    void Settle(const std::string& value, ResolutionHow how);
    void AcceptSecondEverywhere();
    void Undo();
    void Move(int by);
    void Show();
    void ShowPicture(const ClassReviewItem& item);
    // Settles and remembers what each item held before, for an undo.
    void Apply(size_t page, const std::vector<Resolution>& events, std::vector<Step>& done);

    CClassWindow& m_window;
    std::vector<ClassReviewItem> m_items;
    size_t m_current = 0;
    std::optional<std::string> m_typed;
    std::vector<std::vector<Step>> m_undo; // one entry a key press or button
    std::optional<size_t> m_scanPage; // the page whose scan is loaded
    std::unique_ptr<SheetImage> m_scan;

    QLabel* m_remaining;
    QLabel* m_place;
    QLabel* m_picture;
    QLabel* m_readings;
    QLabel* m_value;
    QLabel* m_keys;
    QPushButton* m_acceptAll;
};
