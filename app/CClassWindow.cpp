#include "app/CClassWindow.h"

#include "app/CReviewPane.h"
#include "framework/format.h"
#include "framework/message_box.h"
#include "framework/qt/ModalMessageBox.h"
#include "grading/csv_report.h"
#include "grading/graded_sheet.h"
#include "grading/review_image.h"
#include "results/class_book.h"
#include "results/results_file.h"
#include "results/results_register.h"
#include "results/review_texts.h"
#include "results/roster_check.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
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

QString StatusText(const GradedSheet& sheet)
{
    switch (sheet.status) {
    case SheetStatus::Reported:
        return QStringLiteral("ตรวจแล้ว");
    case SheetStatus::Unreported:
        return QStringLiteral("ตรวจแล้ว (ไม่ถึงข้อสุดท้ายของเฉลย)");
    case SheetStatus::Refused:
        break;
    }
    return QStringLiteral("ตรวจไม่ได้");
}

// The number cell of a class-list student with no sheet holds this for its page.
constexpr qlonglong kNoSheet = -1;

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
    , m_export([this](bool idAreas) -> Result<GradedClass> {
        // A class reopened from its record has no ID areas yet: cut them from the scans once.
        for (std::optional<GradedSheet>& sheet : m_sheets)
            if (idAreas && sheet && sheet->idArea.IsEmpty())
                sheet->idArea = CutRecordedIdArea(*sheet);
        GradedClass graded = Graded();
        if (!idAreas)
            for (GradedSheet& sheet : graded.sheets)
                sheet.idArea = {};
        return graded;
    })
    , m_keyText(new QLabel(this))
    , m_table(new QTableWidget(this))
    , m_progress(new QProgressBar(this))
    , m_cancel(new QPushButton(QStringLiteral("ยกเลิก"), this))
    , m_regrade(new QPushButton(QStringLiteral("ตรวจใหม่ด้วยเฉลยที่แก้ไข"), this))
    , m_readAgain(new QPushButton(QStringLiteral("อ่านกระดาษใหม่"), this))
    , m_addScans(new QPushButton(QStringLiteral("เพิ่มกระดาษ…"), this))
    , m_toRegister(new QPushButton(QStringLiteral("ส่งเข้าทะเบียนผล"), this))
    , m_onlyToReview(new QCheckBox(QStringLiteral("เฉพาะแผ่นที่ต้องตรวจสอบ"), this))
    , m_details(new QPlainTextEdit(this))
    , m_reviewPane(new CReviewPane(*this, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_regrade->setObjectName(QStringLiteral("regrade"));
    m_toRegister->setObjectName(QStringLiteral("toRegister"));
    m_readAgain->setObjectName(QStringLiteral("readAgain"));
    m_addScans->setObjectName(QStringLiteral("addScans"));
    m_keyText->setObjectName(QStringLiteral("key"));
    setWindowTitle(QStringLiteral("ตรวจทั้งห้อง — %1 แผ่น").arg(m_pages.size()));
    std::vector<std::string> files;
    for (const SheetPage& page : m_pages)
        files.push_back(page.Name());
    m_shown = ShownFileNames(files);
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
    buttons->addWidget(m_keyText);
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_regrade);
    buttons->addWidget(m_readAgain);
    buttons->addWidget(m_addScans);
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
                for (size_t page = 0; page < m_sheets.size(); ++page)
                    if (const GradedSheet* sheet = SheetOf(page))
                        csv += CsvRow(*sheet, m_roster);
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
                for (size_t page = 0; page < m_sheets.size(); ++page) {
                    const GradedSheet* sheet = SheetOf(page);
                    const ClassScore score = sheet ? ClassScoreOf(*sheet) : ClassScore();
                    if (sheet && sheet->status != SheetStatus::Refused && score.examineeId != 0)
                        lines += FormatResultLine(score.examineeId, score.correct);
                }
                return lines;
            },
            QStringLiteral("ไฟล์ผลคะแนน"), QStringLiteral("txt"), QStringLiteral("results.txt"));
    });
    addExport(QStringLiteral("ใบแจ้งผล PDF…"), [this] { m_export.OnExportSlips(); });

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_table);
    splitter->addWidget(m_details);
    splitter->setStretchFactor(0, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_onlyToReview);
    auto* beside = new QSplitter(Qt::Horizontal, this);
    beside->addWidget(splitter);
    beside->addWidget(m_reviewPane);
    beside->setStretchFactor(0, 3);
    layout->addWidget(beside, 1);
    m_export.AskWhileUnresolved([this] { return m_reviewPane->Remaining(); });

    connect(m_cancel, &QPushButton::clicked, this, &CClassWindow::Cancel);
    connect(m_regrade, &QPushButton::clicked, this, &CClassWindow::RegradeAsked);
    connect(m_readAgain, &QPushButton::clicked, this, [this] { Grade(m_key); });
    connect(m_addScans, &QPushButton::clicked, this, &CClassWindow::OnAddScans);
    connect(m_toRegister, &QPushButton::clicked, this, &CClassWindow::CopyToRegister);
    connect(m_onlyToReview, &QCheckBox::toggled, this, &CClassWindow::ApplyFilter);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CClassWindow::ShowDetails);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        const std::optional<size_t> page = PageOf(row);
        if (page && SheetOf(*page) && SheetOf(*page)->status != SheetStatus::Refused)
            emit SheetChosen(m_pages[*page]);
    });
}

CClassWindow::~CClassWindow()
{
    m_run.reset(); // the sheets in progress finish before the window goes
}

void CClassWindow::Grade(const AnswerKey& key)
{
    m_run.reset();
    UseKey(key);
    TakeChosenClassList();
    KeepInRecord("grade");
    m_sheets.assign(m_pages.size(), std::nullopt);
    m_listNotes.assign(m_pages.size(), std::string());
    m_graded = 0;
    ResetTable();
    m_details->clear();
    GradeFrom(0);
}

void CClassWindow::UseKey(const AnswerKey& key)
{
    m_key = key;
    m_keyText->setText(QStringLiteral("เฉลย: ") + KeyText(key));
}

// The class list chosen in the File menu; without one, the class keeps the list it has.
void CClassWindow::TakeChosenClassList()
{
    if (const QString path = CClassExport::RosterPath(); !path.isEmpty())
        if (Result<Roster> roster = Roster::Read(path.toStdString()))
            m_roster = std::move(*roster);
}

// A row for every page, filled for the pages graded already.
void CClassWindow::ResetTable()
{
    m_table->setSortingEnabled(false);
    m_table->setRowCount(static_cast<int>(m_pages.size()));
    for (size_t page = 0; page < m_pages.size(); ++page) {
        const int row = static_cast<int>(page);
        QTableWidgetItem* number = NumberItem(row + 1);
        number->setData(Qt::UserRole, static_cast<qulonglong>(page));
        m_table->setItem(row, Number, number);
        m_table->setItem(row, File, new QTableWidgetItem(Text(m_shown[page])));
        for (int column = Id; column < ColumnCount; ++column)
            m_table->setItem(row, column, new QTableWidgetItem);
        m_table->item(row, Status)->setText(QStringLiteral("รอตรวจ"));
        if (m_sheets[page])
            ShowRow(row);
    }
    m_table->setSortingEnabled(true);
    m_table->resizeColumnsToContents();
}

// Grades the pages from `first` on in the background.
void CClassWindow::GradeFrom(size_t first)
{
    std::vector<SheetPage> pages(m_pages.begin() + static_cast<std::ptrdiff_t>(first), m_pages.end());
    m_progress->setRange(0, static_cast<int>(m_pages.size()));
    m_progress->setValue(m_graded);
    m_reviewPane->Refresh(); // the pages it walks change
    // Outcomes cross to this thread as queued calls, which die with the window.
    const int run = ++m_runNumber;
    m_run = std::make_unique<ClassRun>(
        std::move(pages), m_key, Threads(),
        [this, run, first](size_t page, GradedSheet&& sheet) {
            QMetaObject::invokeMethod(
                this,
                [this, run, page = first + page, sheet = std::move(sheet)]() mutable {
                    Deliver(run, page, std::move(sheet));
                },
                Qt::QueuedConnection);
        },
        [this, run] {
            QMetaObject::invokeMethod(
                this, [this, run] { OnEnded(run); }, Qt::QueuedConnection);
        },
        true);
    UpdateButtons();
}

void CClassWindow::Cancel()
{
    if (m_run)
        m_run->Cancel();
}

void CClassWindow::Deliver(int run, size_t page, GradedSheet&& sheet)
{
    if (run != m_runNumber)
        return;
    m_sheets[page] = std::move(sheet);
    Record(*m_sheets[page]);
    m_progress->setValue(++m_graded);
    ShowRow(RowOf(page));
    emit SheetGraded(static_cast<int>(page));
}

void CClassWindow::Settle(size_t page, const std::vector<Resolution>& resolutions)
{
    GradedSheet& sheet = *m_sheets[page];
    bool identity = false;
    for (const Resolution& resolution : resolutions) {
        if (m_record && sheet.recordId != 0)
            if (const ::Status kept = m_record->AddResolution(sheet.recordId, resolution); !kept) {
                ShowMessage(kept.message());
                break;
            }
        sheet.resolutions.push_back(resolution);
        identity = identity || resolution.item.starts_with("id");
    }
    if (sheet.status != SheetStatus::Refused) // a refused page has no reading to settle
        sheet.finalReading = ReadFinally(ReadingsOf(sheet), m_key.answers, sheet.resolutions);
    // A settled ID changes what the class list finds, on other rows too.
    if (m_roster && identity && !IsGrading()) {
        ResetTable();
        CheckClassList();
        ApplyFilter();
    } else {
        ShowRow(RowOf(page));
    }
}

void CClassWindow::OnEnded(int run)
{
    if (run != m_runNumber)
        return;
    m_run.reset();
    CheckClassList();
    m_table->resizeColumnsToContents();
    m_reviewPane->Refresh();
    UpdateButtons();
    emit GradingEnded();
}

int CClassWindow::RowOf(size_t page) const
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (PageOf(row) == page)
            return row;
    return -1;
}

const GradedSheet* CClassWindow::SheetOf(size_t page) const
{
    return m_sheets[page] ? &*m_sheets[page] : nullptr;
}

std::optional<size_t> CClassWindow::PageOf(int row) const
{
    const qlonglong page = m_table->item(row, Number)->data(Qt::UserRole).toLongLong();
    return page == kNoSheet ? std::nullopt : std::optional<size_t>(static_cast<size_t>(page));
}

bool CClassWindow::ToReview(size_t page) const
{
    const GradedSheet* sheet = SheetOf(page);
    return sheet
        && (sheet->status != SheetStatus::Reported || sheet->review.IsDoubtful()
            || !m_listNotes[page].empty());
}

// Once the class is graded: what the class list finds joins each sheet's review, and
// each student with no sheet gets a row of their own, to review.
void CClassWindow::CheckClassList()
{
    if (!m_roster)
        return;
    std::vector<RosterSheet> sheets;
    for (size_t page = 0; page < m_pages.size(); ++page) {
        const GradedSheet* sheet = SheetOf(page);
        const bool graded = sheet && sheet->status != SheetStatus::Refused;
        sheets.push_back({ m_pages[page].Name(), m_shown[page],
            graded ? std::optional<int32_t>(ClassScoreOf(*sheet).examineeId) : std::nullopt });
    }
    const RosterCheck check = CheckAgainstRoster(*m_roster, sheets);
    m_listNotes = check.notes;
    m_table->setSortingEnabled(false);
    for (size_t page = 0; page < m_pages.size(); ++page)
        if (m_sheets[page])
            ShowRow(RowOf(page));
    for (const RosterStudent* student : check.absent) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        auto* number = new QTableWidgetItem;
        number->setData(Qt::UserRole, kNoSheet);
        m_table->setItem(row, Number, number);
        const QString cells[]
            = { QStringLiteral("—"), Text(FormatText("%08d", student->id)), Text(student->name), {}, {}, {},
                  QStringLiteral("ไม่มีกระดาษคำตอบ"), QStringLiteral("ไม่พบกระดาษคำตอบของนักเรียนคนนี้") };
        for (int column = File; column < ColumnCount; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column - File]));
    }
    m_table->setSortingEnabled(true);
}

void CClassWindow::ShowRow(int row)
{
    const size_t page = *PageOf(row);
    const GradedSheet& sheet = *SheetOf(page);
    const bool sorting = m_table->isSortingEnabled();
    m_table->setSortingEnabled(false); // the row stays where it is while it is filled
    const bool graded = sheet.status != SheetStatus::Refused;
    if (graded) {
        const ClassScore score = ClassScoreOf(sheet);
        m_table->item(row, Id)->setText(Text(FormatText("%08d", score.examineeId)));
        m_table->setItem(row, Correct, NumberItem(score.correct));
        m_table->setItem(row, Wrong, NumberItem(score.wrong));
        m_table->setItem(row, Error, NumberItem(score.errors));
        m_table->item(row, Name)->setText(m_roster ? Text(NameOnRoster(sheet, *m_roster)) : QString());
    }
    m_table->item(row, Status)->setText(StatusText(sheet));
    std::string review = ClassReviewText(sheet, m_shown[page]);
    if (!m_listNotes[page].empty())
        review += (review.empty() ? "" : "; ") + m_listNotes[page];
    m_table->item(row, Review)->setText(Text(review));
    QStringList lines;
    for (const std::string& message : sheet.messages)
        lines << Text(message);
    for (int column = 0; column < ColumnCount; ++column)
        m_table->item(row, column)->setToolTip(lines.join(QLatin1Char('\n')));
    m_table->setRowHidden(row, m_onlyToReview->isChecked() && !ToReview(page));
    m_table->setSortingEnabled(sorting);
}

void CClassWindow::ApplyFilter()
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const std::optional<size_t> page = PageOf(row);
        m_table->setRowHidden(row, m_onlyToReview->isChecked() && page && !ToReview(*page));
    }
}

void CClassWindow::ShowDetails()
{
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = selected.first()->row();
    const std::optional<size_t> page = PageOf(row);
    if (page)
        m_reviewPane->ShowSheet(*page);
    if (!page) {
        m_details->setPlainText(m_table->item(row, Review)->text());
        return;
    }
    QStringList lines { Text(m_shown[*page]) };
    if (const GradedSheet* sheet = SheetOf(*page)) {
        for (const std::string& message : sheet->messages)
            lines << Text(message);
        for (const ReviewItem& item : sheet->review.items)
            lines << Text(ReviewItemText(item));
    }
    m_details->setPlainText(lines.join(QLatin1Char('\n')));
}

// In page order, with the register's cursors and wrap; one question before, saying how
// much of the class the register keeps, instead of its nearly-full box at every row.
void CClassWindow::CopyToRegister()
{
    std::vector<size_t> graded;
    for (size_t page = 0; page < m_sheets.size(); ++page)
        if (SheetOf(page) && SheetOf(page)->status != SheetStatus::Refused)
            graded.push_back(page);
    const int count = static_cast<int>(graded.size());
    if (count == 0) {
        ShowMessage("ยังไม่มีกระดาษคำตอบที่ตรวจแล้ว\nตรวจกระดาษคำตอบก่อน แล้วจึงส่งเข้าทะเบียนผล");
        return;
    }
    const int kept = std::min(count, ResultsRegister::kRows);
    std::string question = FormatText("ส่งผล %d แผ่นเข้าทะเบียนผล\nทะเบียนผลเก็บได้ %d แถว จะเก็บผลของห้องนี้ได้ %d แผ่น",
        count, ResultsRegister::kRows, kept);
    if (kept < count)
        question += FormatText(" (แผ่นที่ %d ถึง %d ตามลำดับไฟล์)\nผลของ %d แผ่นแรกจะไม่อยู่ในทะเบียน", count - kept + 1,
            count, count - kept);
    if (const int replaced = g_resultsRegister.RowsInUseAhead(count); replaced > 0)
        question += FormatText("\nผลเดิมในทะเบียน %d แถวจะถูกแทนที่", replaced);
    if (!AskYesNo(question + "\nต้องการส่งหรือไม่"))
        return;
    for (const size_t page : graded) {
        const ClassScore score = ClassScoreOf(*SheetOf(page));
        g_resultsRegister.recordCopied(QFileInfo(Text(m_pages[page].Name())).fileName().toStdString(),
            score.examineeId, score.correct, score.errors);
    }
}

void CClassWindow::UpdateButtons()
{
    m_cancel->setEnabled(IsGrading());
    m_regrade->setEnabled(!IsGrading());
    m_readAgain->setEnabled(!IsGrading());
    m_addScans->setEnabled(!IsGrading());
    m_toRegister->setEnabled(!IsGrading());
    for (QPushButton* button : m_exports)
        button->setEnabled(!IsGrading());
}

GradedClass CClassWindow::Graded() const
{
    GradedClass graded { m_key, m_roster, {}, {}, {} };
    for (size_t page = 0; page < m_sheets.size(); ++page)
        if (const GradedSheet* sheet = SheetOf(page)) {
            graded.sheets.push_back(*sheet);
            graded.shown.push_back(m_shown[page]);
        }
    return graded;
}

QString CClassWindow::KeyText(const AnswerKey& key)
{
    return QStringLiteral("%1 (%2 ข้อ)")
        .arg(key.name.empty() ? QStringLiteral("ป้อนเอง") : Text(key.name))
        .arg(key.count);
}
