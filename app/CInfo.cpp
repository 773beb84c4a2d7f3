#include "app/CInfo.h"

#include "answerkey/CChoice.h"
#include "app/CCautionDlg.h"
#include "app/ScannerLauncher.h"
#include "framework/format.h"
#include "framework/message_box.h"
#include "framework/qt/DialogUnits.h"
#include "image/sheet_sequence.h"

#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

int32_t g_lastSheetNumber = 0;

namespace {

constexpr int kPictureSize = 32;

void AddText(QWidget& dialog, const DialogUnits& units, const char* text, int x, int y)
{
    auto* label = new QLabel(QString::fromUtf8(text), &dialog);
    units.Place(*label, x, y);
}

void AddGroup(
    QWidget& dialog, const DialogUnits& units, const char* title, int x, int y, int width, int height)
{
    auto* group = new QGroupBox(QString::fromUtf8(title), &dialog);
    units.Place(*group, x, y, width, height);
}

void AddPicture(QWidget& dialog, const DialogUnits& units, const char* resource, int x, int y)
{
    auto* picture = new QLabel(&dialog);
    picture->setPixmap(QIcon(QString::fromUtf8(resource)).pixmap(kPictureSize, kPictureSize));
    units.Place(*picture, x, y);
}

// Buttons are never the dialog's default: Enter only presses the button that has the focus.
QPushButton* AddButton(QWidget& dialog, const DialogUnits& units, const char* text, const char* name, int x,
    int y, int width, int height)
{
    auto* button = new QPushButton(QString::fromUtf8(text), &dialog);
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    units.Place(*button, x, y, width, height);
    return button;
}

} // namespace

CInfo::CInfo(QWidget* parent)
    : QDialog(parent)
{
    Q_INIT_RESOURCE(workflow);
    setWindowTitle(QStringLiteral("Main หน้าหลักของโปรแกรม"));
    setFont(DialogFont(8));
    setFixedSize(DialogUnits(font()).ToPixels(258, 236));
    CreateStepOne();
    CreateStepTwo();
    CreateStepThree();
    CreateCheckingHints();
}

void CInfo::CreateStepOne()
{
    const DialogUnits units(font());
    AddGroup(*this, units, "ขั้นที่ 1 นำเข้าเอกสาร", 7, 7, 244, 48);
    AddText(*this, units, "เรียกโปรแกรมScannerที่ติดตั้งไว้", 13, 23);
    AddText(*this, units, "ใน C: หรือ D: เพื่อเริ่ม scan ข้อสอบ", 13, 38);
    AddPicture(*this, units, ":/info/scanner.svg", 136, 23);
    QPushButton* scan = AddButton(*this, units, "เรียกโปรแกรมscan", "launchScanner", 173, 18, 66, 29);
    connect(scan, &QPushButton::clicked, this, &CInfo::OnLaunchScanner);
}

void CInfo::CreateStepTwo()
{
    const DialogUnits units(font());
    AddGroup(*this, units, "ขั้นที่ 2 สร้างผลเฉลยและจำนวนข้อที่จะตรวจ", 7, 60, 244, 47);
    AddText(*this, units, "สร้างผลเฉลยสำหรับตรวจ", 13, 87);
    AddPicture(*this, units, ":/info/answer_key.svg", 134, 79);
    QPushButton* key = AddButton(*this, units, "สร้างเฉลย", "enterAnswerKey", 173, 71, 66, 29);
    connect(key, &QPushButton::clicked, this, [this] { EnterAnswerKey(this); });
}

void CInfo::CreateStepThree()
{
    const DialogUnits units(font());
    AddGroup(*this, units, "ขั้นที่ 3 เปิดเอกสารตามจำนวนลำดับ", 7, 111, 244, 59);
    AddText(*this, units, "เปิดเอกสารตามจำนวนลำดับ โดย", 13, 126);
    AddText(*this, units, "ระบุหมายเลขสุดท้ายที่จะเปิดไปถึง", 13, 138);
    AddText(*this, units, "เช่น 30", 14, 153);

    m_lastSheetBox = new QLineEdit(QString::number(m_lastSheetNumber), this);
    m_lastSheetBox->setObjectName(QStringLiteral("lastSheetNumber"));
    units.Place(*m_lastSheetBox, 49, 151, 28, 14);

    AddText(*this, units, "และเลือกเปิดฉบับเริ่มต้น", 81, 153);
    AddPicture(*this, units, ":/info/open_folders.svg", 134, 127);
    QPushButton* open = AddButton(*this, units, "เปิดและพร้อมตรวจ", "openAndReady", 174, 127, 65, 30);
    connect(open, &QPushButton::clicked, this, &CInfo::OnOpenAndReady);
}

void CInfo::CreateCheckingHints()
{
    const DialogUnits units(font());
    AddText(*this, units, "*เมื่อเสร็จขั้นที่ 3 แล้วกดปุ่ม", 11, 183);
    AddPicture(*this, units, ":/info/check_all.svg", 101, 175);
    AddText(*this, units, "บนเมนูหลักเพื่อตรวจต่อเนื่อง", 132, 182);
    AddText(*this, units, "หรือใช้ปุ่ม", 58, 201);
    AddPicture(*this, units, ":/info/check_one.svg", 101, 198);
    AddText(*this, units, "บนเมนูหลักเพื่อตรวจทีละฉบับ", 131, 202);
    QPushButton* cancel = AddButton(*this, units, "ยกเลิก", "cancel", 205, 215, 46, 14);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CInfo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Enter && event->key() != Qt::Key_Return) {
        QDialog::keyPressEvent(event); // Escape cancels
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
        button->click();
    event->accept();
}

void CInfo::OnLaunchScanner()
{
    ScannerLauncher().Launch(); // a missing utility is not reported; the precautions say what to set up
    CCautionDlg(this).exec();
}

void CInfo::OnOpenAndReady()
{
    if (!TakeLastSheetNumber())
        return;
    g_lastSheetNumber = m_lastSheetNumber;
    accept();
}

bool CInfo::TakeLastSheetNumber()
{
    bool isInteger = false;
    const int number = m_lastSheetBox->text().trimmed().toInt(&isInteger);
    if (isInteger && number >= 0 && number <= kMaxSheetNumber) {
        m_lastSheetNumber = number;
        return true;
    }
    ShowMessage(isInteger ? FormatText("Please enter an integer between 0 and %d.", kMaxSheetNumber)
                          : std::string("Please enter an integer."));
    m_lastSheetBox->setFocus();
    m_lastSheetBox->selectAll();
    return false;
}
