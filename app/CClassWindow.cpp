#include "app/CClassWindow.h"

#include "framework/format.h"
#include "grading/csv_report.h"
#include "results/class_report.h"
#include "results/class_workbook.h"
#include "results/results_file.h"
#include "results/results_register.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <thread>

namespace {

const QStringList kHeaders { QStringLiteral("ที่"), QStringLiteral("ไฟล์"), QStringLiteral("รหัสผู้สอบ"),
    QStringLiteral("ชื่อ"), QStringLiteral("ถูก"), QStringLiteral("ผิด"), QStringLiteral("ผิดพลาด"),
    QStringLiteral("สถานะ"), QStringLiteral("ตรวจสอบ") };

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString StatusText(const SheetOutcome& outcome)
{
    switch (outcome.status) {
    case SheetStatus::Reported:
        return QStringLiteral("ตรวจแล้ว");
    case SheetStatus::Unreported:
        return QStringLiteral("ตรวจแล้ว (ไม่ถึงข้อสุดท้ายของเฉลย)");
    case SheetStatus::Refused:
        break;
    }
    return QStringLiteral("ตรวจไม่ได้");
}

bool ToReview(const SheetOutcome& outcome)
{
    return outcome.status == SheetStatus::Refused || outcome.review.IsDoubtful();
}

// A cell that sorts by its number, not its text.
QTableWidgetItem* NumberItem(int number)
{
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, number);
    return item;
}

int Threads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

} // namespace

CClassWindow::CClassWindow(std::vector<SheetPage> pages, QWidget* parent)
    : QWidget(parent)
    , m_pages(std::move(pages))
    , m_export([this](bool) -> const std::vector<ClassSheetRow>& { return GradedRows(); })
    , m_table(new QTableWidget(this))
    , m_progress(new QProgressBar(this))
    , m_cancel(new QPushButton(QStringLiteral("ยกเลิก"), this))
    , m_regrade(new QPushButton(QStringLiteral("ตรวจใหม่ด้วยเฉลยที่แก้ไข"), this))
    , m_toRegister(new QPushButton(QStringLiteral("ส่งเข้าทะเบียนผล"), this))
    , m_onlyToReview(new QCheckBox(QStringLiteral("เฉพาะแผ่นที่ต้องตรวจสอบ"), this))
    , m_details(new QPlainTextEdit(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_regrade->setObjectName(QStringLiteral("regrade"));
    m_toRegister->setObjectName(QStringLiteral("toRegister"));
    setWindowTitle(QStringLiteral("ตรวจทั้งห้อง — %1 แผ่น").arg(m_pages.size()));
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels(kHeaders);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    // Sized to their text once a run ends: measuring every row at every sheet would cost
    // a class of hundreds dearly.
    m_table->horizontalHeader()->setSectionResizeMode(Review, QHeaderView::Stretch);
    m_details->setReadOnly(true);
    m_details->setPlaceholderText(QStringLiteral("เลือกแผ่นเพื่อดูข้อความและสิ่งที่ต้องตรวจสอบ"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_regrade);
    buttons->addWidget(m_toRegister);
    const auto addExport = [this, buttons](const QString& text, auto handler) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QStringLiteral("export%1").arg(m_exports.size()));
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
        m_exports << button;
    };
    addExport(QStringLiteral("CSV…"), [this] {
        m_export.Export(
            [this](const ClassWorkbook&) -> Result<std::string> {
                // As vantrel-grade writes it, with the name column when a class list names them.
                std::string csv = CsvHeader(m_roster);
                for (const std::optional<SheetOutcome>& outcome : m_outcomes)
                    if (outcome)
                        csv += CsvRow(*outcome, m_roster);
                return csv;
            },
            QStringLiteral("CSV"), QStringLiteral("csv"), QStringLiteral("class.csv"));
    });
    addExport(QStringLiteral("Excel…"), [this] { m_export.OnExportWorkbook(); });
    addExport(QStringLiteral("รายงาน PDF…"), [this] { m_export.OnExportReport(); });
    addExport(QStringLiteral("ไฟล์ผลคะแนน…"), [this] {
        m_export.Export(
            [this](const ClassWorkbook&) -> Result<std::string> {
                std::string lines;
                for (const std::optional<SheetOutcome>& outcome : m_outcomes)
                    if (outcome && outcome->status != SheetStatus::Refused && outcome->examineeId != 0)
                        lines += FormatResultLine(outcome->examineeId, outcome->correct);
                return lines;
            },
            QStringLiteral("ไฟล์ผลคะแนน"), QStringLiteral("txt"), QStringLiteral("results.txt"));
    });

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_table);
    splitter->addWidget(m_details);
    splitter->setStretchFactor(0, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_onlyToReview);
    layout->addWidget(splitter, 1);

    connect(m_cancel, &QPushButton::clicked, this, &CClassWindow::Cancel);
    connect(m_regrade, &QPushButton::clicked, this, &CClassWindow::RegradeAsked);
    connect(m_toRegister, &QPushButton::clicked, this, &CClassWindow::CopyToRegister);
    connect(m_onlyToReview, &QCheckBox::toggled, this, &CClassWindow::ApplyFilter);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CClassWindow::ShowDetails);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        const size_t page = m_table->item(row, Number)->data(Qt::UserRole).toULongLong();
        if (m_outcomes[page] && m_outcomes[page]->status != SheetStatus::Refused)
            emit SheetChosen(m_pages[page]);
    });
}

CClassWindow::~CClassWindow()
{
    m_run.reset(); // the sheets in progress finish before the window goes
}

void CClassWindow::Grade(const AnswerKey& key)
{
    m_run.reset();
    m_key = key;
    m_roster.reset();
    if (const QString path = CClassExport::RosterPath(); !path.isEmpty())
        if (Result<Roster> roster = Roster::Read(path.toStdString()))
            m_roster = std::move(*roster);
    m_outcomes.assign(m_pages.size(), std::nullopt);
    m_graded = 0;
    m_table->setSortingEnabled(false);
    m_table->setRowCount(static_cast<int>(m_pages.size()));
    for (size_t page = 0; page < m_pages.size(); ++page) {
        const int row = static_cast<int>(page);
        QTableWidgetItem* number = NumberItem(row + 1);
        number->setData(Qt::UserRole, static_cast<qulonglong>(page));
        m_table->setItem(row, Number, number);
        m_table->setItem(row, File, new QTableWidgetItem(QFileInfo(Text(m_pages[page].Name())).fileName()));
        for (int column = Id; column < ColumnCount; ++column)
            m_table->setItem(row, column, new QTableWidgetItem);
        m_table->item(row, Status)->setText(QStringLiteral("รอตรวจ"));
    }
    m_table->setSortingEnabled(true);
    m_table->resizeColumnsToContents();
    m_progress->setRange(0, static_cast<int>(m_pages.size()));
    m_progress->setValue(0);
    m_details->clear();
    // Outcomes cross to this thread as queued calls, which die with the window.
    const int run = ++m_runNumber;
    m_run = std::make_unique<ClassRun>(
        m_pages, key, Threads(),
        [this, run](size_t page, SheetOutcome&& outcome) {
            QMetaObject::invokeMethod(
                this,
                [this, run, page, outcome = std::move(outcome)]() mutable {
                    Deliver(run, page, std::move(outcome));
                },
                Qt::QueuedConnection);
        },
        [this, run] {
            QMetaObject::invokeMethod(
                this, [this, run] { OnEnded(run); }, Qt::QueuedConnection);
        });
    UpdateButtons();
}

void CClassWindow::Cancel()
{
    if (m_run)
        m_run->Cancel();
}

void CClassWindow::Deliver(int run, size_t page, SheetOutcome&& outcome)
{
    if (run != m_runNumber)
        return;
    m_outcomes[page] = std::move(outcome);
    m_progress->setValue(++m_graded);
    ShowRow(RowOf(page));
    emit SheetGraded(static_cast<int>(page));
}

void CClassWindow::OnEnded(int run)
{
    if (run != m_runNumber)
        return;
    m_run.reset();
    m_table->resizeColumnsToContents();
    UpdateButtons();
    emit GradingEnded();
}

int CClassWindow::RowOf(size_t page) const
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, Number)->data(Qt::UserRole).toULongLong() == page)
            return row;
    return -1;
}

void CClassWindow::ShowRow(int row)
{
    const size_t page = m_table->item(row, Number)->data(Qt::UserRole).toULongLong();
    const SheetOutcome& outcome = *m_outcomes[page];
    const bool sorting = m_table->isSortingEnabled();
    m_table->setSortingEnabled(false); // the row stays where it is while it is filled
    const bool graded = outcome.status != SheetStatus::Refused;
    if (graded) {
        m_table->item(row, Id)->setText(Text(FormatText("%08d", outcome.examineeId)));
        m_table->setItem(row, Correct, NumberItem(outcome.correct));
        m_table->setItem(row, Wrong, NumberItem(outcome.wrong));
        m_table->setItem(row, Error, NumberItem(outcome.errors));
        m_table->item(row, Name)->setText(m_roster ? Text(NameOnRoster(outcome, *m_roster)) : QString());
    }
    m_table->item(row, Status)->setText(StatusText(outcome));
    m_table->item(row, Review)->setText(graded ? Text(outcome.review.List()) : Text(outcome.refusal));
    QStringList lines;
    for (const std::string& message : outcome.messages)
        lines << Text(message);
    for (int column = 0; column < ColumnCount; ++column)
        m_table->item(row, column)->setToolTip(lines.join(QLatin1Char('\n')));
    m_table->setRowHidden(row, m_onlyToReview->isChecked() && !ToReview(outcome));
    m_table->setSortingEnabled(sorting);
}

void CClassWindow::ApplyFilter()
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const size_t page = m_table->item(row, Number)->data(Qt::UserRole).toULongLong();
        m_table->setRowHidden(
            row, m_onlyToReview->isChecked() && !(m_outcomes[page] && ToReview(*m_outcomes[page])));
    }
}

void CClassWindow::ShowDetails()
{
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty())
        return;
    const size_t page = m_table->item(selected.first()->row(), Number)->data(Qt::UserRole).toULongLong();
    QStringList lines { Text(m_pages[page].Name()) };
    if (const std::optional<SheetOutcome>& outcome = m_outcomes[page]) {
        for (const std::string& message : outcome->messages)
            lines << Text(message);
        for (const ReviewItem& item : outcome->review.items)
            lines << QStringLiteral("ตรวจสอบ %1: ครั้งแรก %2, ครั้งที่สอง %3 — %4")
                         .arg(Text(item.item), Text(item.first), Text(item.second), Text(item.reason));
    }
    m_details->setPlainText(lines.join(QLatin1Char('\n')));
}

// In page order, with the register's own rules: its cursors, its wrap, its warning.
void CClassWindow::CopyToRegister()
{
    for (size_t page = 0; page < m_outcomes.size(); ++page) {
        const std::optional<SheetOutcome>& outcome = m_outcomes[page];
        if (!outcome || outcome->status == SheetStatus::Refused)
            continue;
        g_resultsRegister.recordTitle(QFileInfo(Text(m_pages[page].Name())).fileName().toStdString());
        g_resultsRegister.recordId(outcome->examineeId);
        g_resultsRegister.recordScores(outcome->correct, outcome->errors);
    }
}

void CClassWindow::UpdateButtons()
{
    m_cancel->setEnabled(IsGrading());
    m_regrade->setEnabled(!IsGrading());
    m_toRegister->setEnabled(!IsGrading());
    for (QPushButton* button : m_exports)
        button->setEnabled(!IsGrading());
}

const std::vector<ClassSheetRow>& CClassWindow::GradedRows()
{
    m_rows.clear();
    for (const std::optional<SheetOutcome>& outcome : m_outcomes)
        if (outcome)
            m_rows.push_back(ClassRowOf(*outcome));
    return m_rows;
}
