#include "app/CCautionDlg.h"

#include "framework/qt/DialogUnits.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

const char* const kLines[] = {
    "โปรแกรมนี้จะเรียกใช้โปรแกรม Smart Panel ใช้สแกนกระดาษ",
    "ของยี่ห้อ Epson ที่ถูกติดตั้งไว้ใน drive C:หรือ D:",
    "และต้องตั้งค่าการใช้งานต่างๆตามคู่มือเท่านั้น",
    "หากในกรณีที่ใช้การสแกนจาก scanner ยี่ห้ออื่นๆ ",
    "เช่น HP,Cannon,Fujitsu ฯลฯ จะต้องใช้งานหลังจาก",
    "กระดาษผ่านการสแกนทั้งหมดเรียบร้อยแล้ว",
    " และปรับตั้งค่ากระดาษเป็นพิเศษอีกครั้ง ",
    "เพื่อความถูกต้อง โปรดดูรายละเอียดในคู่มือการใช้งาน",
};

} // namespace

CCautionDlg::CCautionDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("ข้อควรระวัง"));
    setFont(DialogFont(9));
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(211, 193));

    auto* group = new QGroupBox(QStringLiteral("ข้อกำหนดของโปรแกรม "), this);
    units.Place(*group, 5, 7, 201, 150);

    int top = 22;
    for (const char* line : kLines) {
        auto* label = new QLabel(QString::fromUtf8(line), this);
        units.Place(*label, 10, top);
        top += 16;
    }

    auto* ok = new QPushButton(QStringLiteral("ตกลง"), this);
    units.Place(*ok, 80, 166, 50, 16);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
