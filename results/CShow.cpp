#include "results/CShow.h"

#include "framework/format.h"
#include "framework/message_box.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/FileDialog.h"
#include "image/sheet_image.h"
#include "results/results_file.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kHalfRows = 15;
constexpr int kBoxHeight = 12;
constexpr int kRowSpacing = 13;
constexpr int kFirstRowY = 26;
constexpr int kHeadingY = 13;

// Left edge of each column in the left and the right half, and its width.
struct Column {
    int leftX;
    int rightX;
    int width;
    const char* heading;
};
constexpr Column kFileNameColumn { 20, 201, 40, "ชื่อไฟล์" };
constexpr Column kIdColumn { 65, 247, 40, "รหัส" };
constexpr Column kCorrectColumn { 115, 297, 19, "ข้อถูก" };
constexpr Column kErrorColumn { 148, 329, 19, "ข้อผิดพลาด" };

} // namespace

int CShow::FileNameBoxId(int row)
{
    return row == 1 ? 1103 : 999 + row;
}

int CShow::IdBoxId(int row)
{
    return 1039 + row;
}

int CShow::CorrectBoxId(int row)
{
    if (row <= 20)
        return 1079 + row;
    if (row == 21)
        return 1161;
    if (row == 22)
        return 1102;
    return 1139 + row;
}

int CShow::ErrorBoxId(int row)
{
    if (row == 1)
        return 1221;
    if (row <= 20)
        return 1199 + row;
    return 1240 + row;
}

CShow::CShow(QWidget* parent)
    : QDialog(parent)
{
    for (int r = 0; r < ResultsRegister::kRows; ++r) {
        const SheetResult row = g_resultsRegister.row(r);
        m_titles[r] = QString::fromStdString(row.title);
        m_ids[r] = row.examineeId;
        m_corrects[r] = row.correctCount;
        m_errors[r] = row.errorCount;
    }

    setWindowTitle(QStringLiteral("ผลการตรวจ"));
    setFont(DialogFont(8));
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(369, 261));
    CreateTable(units);
    CreateButtons(units);
    ShowMembers();
}

void CShow::CreateTable(const DialogUnits& units)
{
    for (const Column& column : { kFileNameColumn, kIdColumn, kCorrectColumn, kErrorColumn }) {
        for (int x : { column.leftX, column.rightX })
            units.Place(*new QLabel(QString::fromUtf8(column.heading), this), x, kHeadingY);
    }
    const int lastRowY = kFirstRowY + kRowSpacing * (kHalfRows - 1);
    units.Place(*new QLabel(QStringLiteral("1"), this), 10, kFirstRowY + 2);
    units.Place(*new QLabel(QStringLiteral("15"), this), 8, lastRowY + 2);
    units.Place(*new QLabel(QStringLiteral("16"), this), 187, kFirstRowY + 2);
    units.Place(*new QLabel(QStringLiteral("30"), this), 187, lastRowY + 2);

    for (int row = 1; row <= ResultsRegister::kRows; ++row) {
        const bool leftHalf = row <= kHalfRows;
        const int y = kFirstRowY + kRowSpacing * ((row - 1) % kHalfRows);
        const auto x = [leftHalf](const Column& column) { return leftHalf ? column.leftX : column.rightX; };
        CreateBox(units, FileNameBoxId(row), x(kFileNameColumn), y, kFileNameColumn.width);
        CreateBox(units, IdBoxId(row), x(kIdColumn), y, kIdColumn.width);
        CreateBox(units, CorrectBoxId(row), x(kCorrectColumn), y, kCorrectColumn.width);
        CreateBox(units, ErrorBoxId(row), x(kErrorColumn), y, kErrorColumn.width);
    }
}

QLineEdit* CShow::CreateBox(const DialogUnits& units, int controlId, int x, int y, int width)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::number(controlId));
    box->setReadOnly(true);
    units.Place(*box, x, y, width, kBoxHeight);
    m_controls.insert(controlId, box);
    return box;
}

void CShow::CreateButtons(const DialogUnits& units)
{
    auto* check = new QPushButton(QStringLiteral("ตรวจ"), this);
    check->setDefault(true);
    units.Place(*check, 289, 227, 73, 27);
    connect(check, &QPushButton::clicked, this, &QDialog::accept);

    auto* close = new QPushButton(QStringLiteral("ตกลง"), this);
    units.Place(*close, 215, 240, 61, 14);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* reset = new QPushButton(QStringLiteral("reset ผล"), this);
    units.Place(*reset, 68, 240, 58, 14);
    connect(reset, &QPushButton::clicked, this, &CShow::OnResetResults);

    auto* save = new QPushButton(QStringLiteral("จัดเก็บผล"), this);
    units.Place(*save, 141, 240, 60, 14);
    connect(save, &QPushButton::clicked, this, &CShow::SaveResultsFile);

    const std::pair<int, QPushButton*> buttons[] = { { kCheckButton, check }, { kCloseButton, close },
        { kResetButton, reset }, { kSaveButton, save } };
    for (const auto& [id, button] : buttons) {
        button->setObjectName(QString::number(id));
        m_controls.insert(id, button);
    }
}

void CShow::ShowMembers()
{
    for (int r = 0; r < ResultsRegister::kRows; ++r) {
        const int row = r + 1;
        static_cast<QLineEdit*>(Control(FileNameBoxId(row)))->setText(m_titles[r]);
        static_cast<QLineEdit*>(Control(IdBoxId(row)))->setText(QString::number(m_ids[r]));
        static_cast<QLineEdit*>(Control(CorrectBoxId(row)))->setText(QString::number(m_corrects[r]));
        static_cast<QLineEdit*>(Control(ErrorBoxId(row)))->setText(QString::number(m_errors[r]));
    }
}

void CShow::OnResetResults()
{
    m_ids.fill(0);
    m_corrects.fill(0);
    m_errors.fill(0);
    g_resultsRegister.reset();
    reject();
    ShowMembers();
}

void CShow::SaveResultsFile()
{
    // The type list ends at the empty description, so only "Document*.txt" shows.
    std::string filter = "Document*.txt";
    std::vector<ImageType> types;
    if (const Status built
        = SheetImage::BuildImageFilter(filter, types, "|*.txt||*.xls", ImageTypeMask::DialogDefault, '|');
        !built) {
        ShowMessage(built.message());
        return;
    }
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.types = ParseFileTypeFilter(filter, '|');
    request.initialName = QStringLiteral("ผลคะแนน");
    request.defaultSuffix = QStringLiteral("txt");
    const FileDialogChoice choice = ChooseFile(request);
    if (!choice.accepted)
        return;
    if (const Status written = WriteResultsFile(choice.path.toStdString(), g_resultsRegister); !written)
        ShowMessage(FormatText("จัดเก็บผลคะแนนไม่สำเร็จ\n%s", written.message().c_str()));
}
