#pragma once

#include "app/CClassExport.h"
#include "grading/class_record.h"
#include "grading/class_run.h"
#include "grading/graded_class.h"
#include "grading/graded_sheet.h"
#include "grading/page_list.h"
#include "grading/rescore.h"
#include "results/roster.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <set>
#include <vector>

class CReviewPane;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

// A class graded in one step: a row for every sheet, filled in the background on
// every core as vantrel-grade grades it. No message box is shown for a sheet: what the
// engine would have shown goes to the row's tooltip and the details below the table.
// Nothing enters the results register until the teacher copies the class into it. Every
// export is made of the class as this window graded it: its key, its class list.
class CClassWindow : public QWidget {
    Q_OBJECT

public:
    enum Column { Number, File, Id, Name, Correct, Wrong, Error, Status, Review, ColumnCount };

    explicit CClassWindow(std::vector<SheetPage> pages, QWidget* parent = nullptr);
    ~CClassWindow() override;

    // Grades every page against the key, on a fresh table, reading every scan; the class
    // list chosen in the File menu names the students. The class goes into its record,
    // beside the first scan and named after its folder (ClassRecordPathFor).
    void Grade(const AnswerKey& key);
    // Scores the class again with this key from what was read: no scan is read again and
    // every settled item stays settled.
    void Rescore(const AnswerKey& key);
    // Grades these scans too, into the class; a page the class holds already is skipped.
    void AddScans(const std::vector<std::string>& files);
    // A class reopened from its record as it was left: table, settled items, key. Says
    // which scans changed or went since; nullptr after a message when it cannot be read.
    static CClassWindow* OpenRecord(const QString& path);
    // Asks for a class's scans (images, copier PDFs and TIFFs), in the order the shell lists
    // them; none when cancelled.
    static std::vector<std::string> ChooseScans();
    // The record the class is kept in; empty when none could be opened.
    QString RecordPath() const;
    void Cancel();
    bool IsGrading() const { return m_run != nullptr; }
    const AnswerKey& Key() const { return m_key; }
    // The class as graded, for its exports; the ID areas cut from the scans when asked.
    GradedClass Graded() const;
    // The key as the window names it: its file, or "entered", and the questions it grades.
    static QString KeyText(const AnswerKey& key);
    QTableWidget* Table() const { return m_table; }
    // Settles items of a graded page: each kept with its sheet, and its row shows the new
    // final reading at once (the table is redrawn once, however many were settled).
    void Settle(size_t page, const std::vector<Resolution>& resolutions);
    // Confirms a student of the class list absent, or takes that back: kept in the record.
    void ConfirmAbsent(int32_t studentId, bool absent);
    // What the review pane walks through.
    const std::vector<std::optional<GradedSheet>>& Sheets() const { return m_sheets; }
    const std::set<int32_t>& ConfirmedAbsent() const { return m_absent; }
    const Roster* ClassList() const { return m_roster ? &*m_roster : nullptr; }
    const std::vector<std::string>& ShownNames() const { return m_shown; }
    CReviewPane* ReviewPane() const { return m_reviewPane; }

signals:
    void SheetGraded(int page);
    void GradingEnded();
    // Double-clicked: the sheet to open in a window of its own.
    void SheetChosen(const SheetPage& page);
    // "ตรวจใหม่ด้วยเฉลยที่แก้ไข": the frame answers with Grade and the key as it is now.
    void RegradeAsked();

private:
    void Deliver(int run, size_t page, GradedSheet&& sheet);
    void UseKey(const AnswerKey& key);
    void TakeChosenClassList();
    void ResetTable();
    void GradeFrom(size_t first);
    // Opens or creates the class's record when it has none, and keeps the key in it.
    void KeepInRecord(const std::string& use);
    // Adds a graded sheet to the record; a failure stays on the sheet's row.
    void Record(GradedSheet& sheet);
    void OnAddScans();
    // The page's graded sheet; nothing while it is not graded yet.
    const GradedSheet* SheetOf(size_t page) const;
    void OnEnded(int run);
    void ShowRow(int row);
    int RowOf(size_t page) const;
    // The page a row shows; nothing for a student of the class list with no sheet.
    std::optional<size_t> PageOf(int row) const;
    bool ToReview(size_t page) const;
    void CheckClassList();
    void ApplyFilter();
    void ShowDetails();
    void CopyToRegister();
    void UpdateButtons();

    std::vector<SheetPage> m_pages;
    AnswerKey m_key;
    std::optional<Roster> m_roster;
    std::set<int32_t> m_absent; // students of the list confirmed absent
    // Each page as graded, with all it is scored from and the items settled on it.
    std::vector<std::optional<GradedSheet>> m_sheets;
    std::vector<std::string> m_shown; // each page's file as the teacher reads it
    std::vector<std::string> m_listNotes; // what the class list finds of each page
    CClassExport m_export;
    std::unique_ptr<ClassRecord> m_record;

    QLabel* m_keyText;
    QTableWidget* m_table;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    QPushButton* m_regrade;
    QPushButton* m_readAgain;
    QPushButton* m_addScans;
    QPushButton* m_toRegister;
    QList<QPushButton*> m_exports;
    QCheckBox* m_onlyToReview;
    QPlainTextEdit* m_details;
    CReviewPane* m_reviewPane;
    int m_graded = 0;
    int m_runNumber = 0; // what is still queued from a run given up is left aside
    std::unique_ptr<ClassRun> m_run; // last: its workers reach the members above
};
