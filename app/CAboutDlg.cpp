#include "app/CAboutDlg.h"

#include "framework/qt/DialogUnits.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* Picture(QWidget* parent, const QString& icon, QSize size)
{
    auto* picture = new QLabel(parent);
    picture->setPixmap(QIcon(icon).pixmap(size));
    picture->setAlignment(Qt::AlignCenter);
    return picture;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Vantrel"));
    setFont(DialogFont(8));
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(225, 103));

    const QRect appPicture = units.ToPixels(13, 22, 44, 41);
    Picture(this, QStringLiteral(":/icons/vantrel.svg"), appPicture.size())->setGeometry(appPicture);
    const QRect sheetPicture = units.ToPixels(163, 12, 47, 43);
    Picture(this, QStringLiteral(":/icons/sheet_document.svg"), sheetPicture.size())
        ->setGeometry(sheetPicture);

    const struct {
        const char* text;
        int x, y, width;
    } lines[] = {
        { "Vantrel V 1.0 beta", 65, 16, 84 },
        { "โปรแกรมตรวจข้อสอบปรนัย", 65, 30, 85 },
        { "พัฒนาโดย คณะผู้พัฒนา Vantrel", 65, 45, 95 },
        { "สำหรับครูและโรงเรียนไทย", 65, 61, 95 },
        { "โปรดอ่านคู่มือก่อนใช้งาน เพื่อป้องกันความผิดพลาด", 7, 76, 157 },
    };
    for (const auto& line : lines) {
        auto* label = new QLabel(QString::fromUtf8(line.text), this);
        // Thai needs room for its marks above and below the line.
        units.Place(*label, line.x, line.y - 2, line.width, 12);
    }

    auto* ok = new QPushButton(QStringLiteral(" ตกลง"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    units.Place(*ok, 170, 80, 44, 16);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
