#include "app/CReviewPane.h"

#include "app/CClassWindow.h"
#include "app/ReviewItemTexts.h"
#include "framework/format.h"
#include "grading/review_image.h"
#include "image/sheet_image.h"
#include "image/sheet_pages.h"
#include "omr/grading_grid.h"
#include "omr/sheet_cuts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>

namespace {

constexpr int kZoom = 3;
// The largest picture shown: a refused page whole, the ID bands, a long row.
constexpr int kWidth = 460;
constexpr int kHeight = 280;

// The key as a Latin keyboard names it: with the Thai layout (Kedmanee) on, the keys
// a to e and the digits give Thai letters, and a teacher should not have to switch.
int LatinKey(const QKeyEvent& event)
{
    static const QString kThaiLetters = QStringLiteral("ฟิแกำ");
    static const QString kThaiDigits = QStringLiteral("จๅ/-ภถุึคต");
    if (event.text().size() == 1) {
        if (const qsizetype at = kThaiLetters.indexOf(event.text()); at >= 0)
            return Qt::Key_A + static_cast<int>(at);
        if (const qsizetype at = kThaiDigits.indexOf(event.text()); at >= 0)
            return Qt::Key_0 + static_cast<int>(at);
    }
    return event.key();
}

// What the final reading holds for an item now: letters, a digit, or "ok".
std::string FinalValue(const GradedSheet& sheet, const std::string& item)
{
    if (item.rfind("id:", 0) == 0)
        return FormatText("%08d", sheet.finalReading.examineeId).substr(std::stoul(item.substr(3)) - 1, 1);
    if (item[0] == 'q')
        return sheet.finalReading.letters[std::stoul(item.substr(1)) - 1];
    return "ok";
}

} // namespace

CReviewPane::CReviewPane(CClassWindow& window, QWidget* parent)
    : QWidget(parent)
    , m_window(window)
    , m_remaining(new QLabel(this))
    , m_place(new QLabel(this))
    , m_picture(new QLabel(this))
    , m_readings(new QLabel(this))
    , m_value(new QLabel(this))
    , m_keys(new QLabel(tr("a–e เลือกตัวเลือก (สองตัว = ระบายซ้อน) · เว้นวรรค = ไม่ระบาย · Enter = ยืนยัน · Backspace "
                           "= ย้อนกลับ · ←/→ = ก่อนหน้า/ถัดไป · ตัวเลข = รหัส หรือเลือกนักเรียน"),
          this))
    , m_acceptAll(new QPushButton(tr("ยอมรับการอ่านครั้งที่สองทั้งหมด"), this))
{
    setObjectName(QStringLiteral("reviewPane"));
    m_remaining->setObjectName(QStringLiteral("remaining"));
    m_acceptAll->setObjectName(QStringLiteral("acceptSecond"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumWidth(kWidth + 24);
    m_acceptAll->setFocusPolicy(Qt::NoFocus); // the keys stay with the pane
    m_keys->setWordWrap(true);
    m_place->setWordWrap(true);
    m_value->setWordWrap(true);
    m_picture->setAlignment(Qt::AlignCenter);
    QFont big = m_remaining->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_remaining->setFont(big);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_remaining);
    layout->addWidget(m_place);
    layout->addWidget(m_picture);
    layout->addWidget(m_readings);
    layout->addWidget(m_value);
    layout->addStretch(1);
    layout->addWidget(m_keys);
    layout->addWidget(m_acceptAll);
    connect(m_acceptAll, &QPushButton::clicked, this, &CReviewPane::AcceptSecondEverywhere);
    Refresh();
}

CReviewPane::~CReviewPane() = default;

void CReviewPane::Refresh()
{
    m_undo.clear();
    m_typed.reset();
    m_scanPage.reset();
    m_items = ClassReviewItems(
        m_window.Sheets(), m_window.Key().answers, m_window.ClassList(), m_window.ConfirmedAbsent());
    const auto first = std::find_if(
        m_items.begin(), m_items.end(), [](const ClassReviewItem& item) { return !item.resolved; });
    m_current = first == m_items.end() ? 0 : static_cast<size_t>(first - m_items.begin());
    Show();
}

void CReviewPane::ShowSheet(size_t page)
{
    std::optional<size_t> found;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].page == page && (!found || (m_items[*found].resolved && !m_items[i].resolved)))
            found = i;
    if (!found || *found == m_current)
        return;
    m_current = *found;
    m_typed.reset();
    Show();
}

const ClassReviewItem* CReviewPane::Current() const
{
    return m_current < m_items.size() ? &m_items[m_current] : nullptr;
}

std::string CReviewPane::Pending() const
{
    const ClassReviewItem* item = Current();
    return m_typed ? *m_typed : item ? item->proposed : std::string();
}

void CReviewPane::keyPressEvent(QKeyEvent* event)
{
    const ClassReviewItem* item = Current();
    const int key = LatinKey(*event);
    const bool question = item && item->kind == ClassReviewKind::Question;
    if (key >= Qt::Key_A && key <= Qt::Key_E && question) {
        const char letter = static_cast<char>('a' + (key - Qt::Key_A));
        std::string typed = m_typed.value_or(std::string());
        if (const size_t at = typed.find(letter); at != std::string::npos)
            typed.erase(at, 1);
        else
            typed += letter;
        std::sort(typed.begin(), typed.end());
        m_typed = typed;
    } else if (key == Qt::Key_Space && question) {
        m_typed = std::string();
    } else if (key >= Qt::Key_0 && key <= Qt::Key_9 && item) {
        const int digit = key - Qt::Key_0;
        if (item->kind == ClassReviewKind::IdColumn)
            m_typed = std::to_string(digit);
        else if (item->kind == ClassReviewKind::NotOnList && !item->suggestions.empty()) {
            if (digit < 1 || static_cast<size_t>(digit) > item->suggestions.size())
                return QApplication::beep();
            m_typed = FormatText("%08d", item->suggestions[static_cast<size_t>(digit - 1)].id);
        } else if (item->kind == ClassReviewKind::NotOnList || item->kind == ClassReviewKind::SameId) {
            std::string typed = m_typed.value_or(std::string());
            if (typed.size() == static_cast<size_t>(kIdDigitCount))
                typed.clear();
            m_typed = typed + std::to_string(digit);
        } else
            return QApplication::beep();
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && item) {
        const bool tookSecond = !m_typed && item->proposed == item->second && item->second != item->first;
        Settle(Pending(),
            m_typed          ? ResolutionHow::Typed
                : tookSecond ? ResolutionHow::Second
                             : ResolutionHow::First);
        return;
    } else if (key == Qt::Key_Backspace) {
        Undo();
        return;
    } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
        Move(key == Qt::Key_Left ? -1 : 1);
        return;
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    Show();
}

void CReviewPane::Apply(size_t page, const std::vector<Resolution>& events, std::vector<Step>& done)
{
    Step step { page, events, {} };
    for (const Resolution& event : events)
        step.before.push_back(FinalValue(*m_window.Sheets()[page], event.item));
    m_window.Settle(page, events);
    done.push_back(std::move(step));
}

void CReviewPane::Settle(const std::string& value, ResolutionHow how)
{
    if (Current()->kind == ClassReviewKind::Absent) { // Enter confirms the student absent
        m_window.ConfirmAbsent(Current()->student.id, true);
        m_undo.push_back({ Step { kNoPage, {}, {}, Current()->student.id } });
    } else {
        const std::vector<Resolution> events = ResolutionsOf(*Current(), value, how);
        if (events.empty())
            return QApplication::beep(); // not a value this item takes
        std::vector<Step> done;
        Apply(Current()->page, events, done);
        m_undo.push_back(std::move(done));
    }
    m_typed.reset();
    const size_t at = m_current;
    m_items = ClassReviewItems(
        m_window.Sheets(), m_window.Key().answers, m_window.ClassList(), m_window.ConfirmedAbsent());
    for (size_t k = 0; k < m_items.size(); ++k)
        if (const size_t i = (at + k) % m_items.size(); !m_items[i].resolved) {
            m_current = i;
            break;
        }
    Show();
}

void CReviewPane::AcceptSecondEverywhere()
{
    std::map<size_t, std::vector<Resolution>> byPage; // each sheet settled, and drawn, once
    for (auto& [page, event] : ::AcceptSecondEverywhere(m_items))
        byPage[page].push_back(std::move(event));
    std::vector<Step> done;
    for (const auto& [page, events] : byPage)
        Apply(page, events, done);
    if (!done.empty())
        m_undo.push_back(std::move(done));
    std::vector<std::vector<Step>> undo = std::move(m_undo);
    Refresh();
    m_undo = std::move(undo);
}

// Events are never taken back: each undone item gets a new one with the value it held.
void CReviewPane::Undo()
{
    if (m_undo.empty())
        return QApplication::beep();
    const std::vector<Step> steps = std::move(m_undo.back());
    m_undo.pop_back();
    for (const Step& step : steps) {
        if (step.page == kNoPage) {
            m_window.ConfirmAbsent(step.absentStudent, false);
            continue;
        }
        std::vector<Resolution> undone;
        for (size_t e = 0; e < step.events.size(); ++e)
            undone.push_back(MakeResolution(step.events[e].item, step.events[e].chosenValue, step.before[e],
                ResolutionHow::Typed, "ย้อนกลับ"));
        m_window.Settle(step.page, undone);
    }
    m_typed.reset();
    m_items = ClassReviewItems(
        m_window.Sheets(), m_window.Key().answers, m_window.ClassList(), m_window.ConfirmedAbsent());
    const Step& last = steps.front();
    for (size_t i = 0; i < m_items.size(); ++i)
        if (last.page == kNoPage ? m_items[i].student.id == last.absentStudent && m_items[i].page == kNoPage
                                 : m_items[i].page == last.page
                    && (m_items[i].item == last.events[0].item
                        || (last.events.size() > 1 && m_items[i].item == "id"))) {
            m_current = i;
            break;
        }
    Show();
}

void CReviewPane::Move(int by)
{
    if (m_items.empty())
        return;
    m_current = (m_current + (by > 0 ? 1 : m_items.size() - 1)) % m_items.size();
    m_typed.reset();
    Show();
}

void CReviewPane::Show()
{
    const int remaining = Remaining();
    m_remaining->setText(remaining == 0 ? tr("ไม่มีรายการที่ต้องตรวจสอบ") : tr("เหลือ %1 รายการ").arg(remaining));
    m_acceptAll->setEnabled(remaining > 0);
    const ClassReviewItem* item = Current();
    for (QLabel* label : { m_place, m_readings, m_value })
        label->setVisible(item != nullptr);
    if (!item) {
        m_picture->clear();
        return;
    }
    m_place->setText(
        tr("<b>%1 — %2</b> (รายการที่ %3 จาก %4%5)<br>%6")
            .arg(QString::fromStdString(item->page == kNoPage ? item->first + ' ' + item->student.name
                                                              : m_window.ShownNames()[item->page])
                     .toHtmlEscaped(),
                ReviewItemPlace(*item))
            .arg(m_current + 1)
            .arg(m_items.size())
            .arg(item->resolved ? tr(", ตรวจสอบแล้ว") : QString(), ReviewItemWhy(*item).toHtmlEscaped()));
    m_readings->setText(ReviewItemReadings(*item));
    const auto shown = [item](const std::string& value) { return ReviewValueText(*item, value); };
    m_value->setText(tr("เสนอ: <b>%1</b> · ตอนนี้: %2%3")
                         .arg(shown(item->proposed), shown(item->current))
                         .arg(m_typed ? tr(" · พิมพ์: <b>%1</b>").arg(shown(*m_typed)) : QString()));
    ShowPicture(*item);
}

// Cut from the page as it was scanned, loaded again: never the graded, painted page.
void CReviewPane::ShowPicture(const ClassReviewItem& item)
{
    if (item.page == kNoPage) {
        m_picture->clear(); // a student with no sheet has no scan
        return;
    }
    const GradedSheet& sheet = *m_window.Sheets()[item.page];
    if (m_scanPage != item.page) {
        m_scan = std::make_unique<SheetImage>();
        const SheetPage& page = sheet.page;
        if (!LoadSheetPage(*m_scan, page.file, page.page, page.pageCount, {}, page.directory))
            m_scan.reset();
        else
            m_scan->ConvertTo24Bits();
        m_scanPage = item.page;
    }
    QImage cut;
    if (m_scan && item.kind == ClassReviewKind::Refused)
        cut = CutFromSheet(*m_scan, { { 0, m_scan->GetWidth() }, { 0, m_scan->GetHeight() } }, 1)
                  .scaled(kWidth, kHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    else if (m_scan && sheet.measured)
        if (const std::optional<GradingGrid> grid = LayGradingGrid(*m_scan, sheet.measures.skew))
            cut = CutReviewItem(*m_scan, *grid, item.item, kZoom);
    if (cut.width() > kWidth || cut.height() > kHeight)
        cut = cut.scaled(kWidth, kHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_picture->setPixmap(QPixmap::fromImage(cut));
}
