#include "answerkey/CChoice.h"

#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "framework/format.h"
#include "framework/message_box.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/FileDialog.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kColumnLefts[] = { 20, 48, 76, 104, 133, 171, 199, 228, 257, 287 };
constexpr int kRowTops[] = { 22, 36, 50, 64, 78, 99, 113, 128, 142, 157 };
constexpr int kRowsPerColumn = 10;

// Answers are single bytes; Latin-1 maps each byte to one character and back.
QString AnswerText(const std::string& answer)
{
    return QString::fromLatin1(answer.data(), static_cast<qsizetype>(answer.size()));
}

std::string AnswerBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

// Runs a key-file dialog proposing the name; empty when cancelled.
QString ChooseKeyFile(FileDialogRequest::Kind kind, const char* initialName)
{
    FileDialogRequest request;
    request.kind = kind;
    request.types = { { QStringLiteral("Document*.txt"), QStringLiteral("*.txt") } };
    request.initialName = QString::fromUtf8(initialName);
    request.defaultSuffix = QStringLiteral("txt");
    const FileDialogChoice choice = ChooseFile(request);
    return choice.accepted ? choice.path : QString();
}

} // namespace

CChoice::CChoice(QWidget* parent)
    : QDialog(parent)
    , m_answers(g_committedKey.answers)
    , m_keyName(g_committedKey.name)
{
    setWindowTitle(QStringLiteral("เฉลยคำตอบ"));
    setFont(DialogFont(8));
    setFixedSize(DialogUnits(font()).ToPixels(322, 218));
    CreateAnswerGrid();
    CreateKeyControls();
    ShowHeldValues();
    // The focus starts in question 1; selected, as Tab would leave it, so typing
    // replaces its answer instead of being refused by the one-character limit.
    m_answerFields.front()->selectAll();
}

void CChoice::CreateAnswerGrid()
{
    const DialogUnits units(font());
    auto* instruction = new QLabel(QStringLiteral("=โปรดใส่ค่าผลเฉลย a b c d e ด้วยตัวพิมพ์เล็กเท่านั้น="), this);
    units.Place(*instruction, 70, 5);

    // Created in question order, which is also the order Tab moves through them.
    for (int index = 0; index < kQuestionCount; ++index) {
        const int left = kColumnLefts[index / kRowsPerColumn];
        const int top = kRowTops[index % kRowsPerColumn];
        const int question = index + 1;

        auto* label = new QLabel(QString::number(question), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        units.Place(*label, left - 15, top, 14, 12);

        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("answer%1").arg(question));
        field->setMaxLength(1);
        field->setAlignment(Qt::AlignCenter);
        units.Place(*field, left, top, 16, 12);
        m_answerFields[index] = field;
    }
}

void CChoice::CreateKeyControls()
{
    const DialogUnits units(font());
    auto* hint = new QLabel(QStringLiteral("ท่านสามารถใช้ผลเฉลยจากแฟ้มได้"), this);
    units.Place(*hint, 119, 175);
    auto* nameLabel = new QLabel(QStringLiteral("ชื่อผลเฉลย"), this);
    units.Place(*nameLabel, 58, 183);

    m_keyNameField = new QLineEdit(this);
    m_keyNameField->setObjectName(QStringLiteral("keyName"));
    m_keyNameField->setReadOnly(true);
    units.Place(*m_keyNameField, 49, 194, 52, 12);

    auto* load = new QPushButton(QStringLiteral("เปิดใช้ผลเฉลย"), this);
    load->setObjectName(QStringLiteral("loadKey"));
    units.Place(*load, 110, 188, 57, 19);
    connect(load, &QPushButton::clicked, this, &CChoice::LoadAnswerKeyFile);

    auto* store = new QPushButton(QStringLiteral("จัดเก็บผลเฉลย"), this);
    store->setObjectName(QStringLiteral("storeKey"));
    units.Place(*store, 174, 188, 58, 19);
    connect(store, &QPushButton::clicked, this, &CChoice::SaveAnswerKeyFile);

    auto* ok = new QPushButton(QStringLiteral("ตกลง"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    units.Place(*ok, 263, 183, 53, 29);
    connect(ok, &QPushButton::clicked, this, &CChoice::OnOk);
}

void CChoice::ShowHeldValues()
{
    for (int index = 0; index < kQuestionCount; ++index)
        m_answerFields[index]->setText(AnswerText(m_answers[index]));
    m_keyNameField->setText(QString::fromStdString(m_keyName));
}

void CChoice::TakeFieldValues()
{
    for (int index = 0; index < kQuestionCount; ++index)
        m_answers[index] = AnswerBytes(m_answerFields[index]->text());
}

void CChoice::OnOk()
{
    TakeFieldValues();
    accept();
}

void CChoice::LoadAnswerKeyFile()
{
    const QString path = ChooseKeyFile(FileDialogRequest::Kind::Open, "เฉลยคำตอบ");
    if (path.isEmpty())
        return;
    // Only a key that was really read may show the file's name. It replaces the
    // whole held key: questions the file does not reach are left without an answer.
    if (Result<AnswerList> read = ReadAnswerKeyFile(path.toStdString())) {
        m_answers = std::move(read).value();
        m_keyName = QFileInfo(path).completeBaseName().toStdString();
    } else {
        ShowMessage(FormatText("ไม่สามารถเปิดแฟ้ม %s ได้", path.toStdString().c_str()) + "\n" + read.message());
    }
    ShowHeldValues();
}

void CChoice::SaveAnswerKeyFile()
{
    ShowMessage("คำเตือน: จะเก็บค่าเฉลยได้ถูกต้อง\n เมื่อมีผลเฉลยและพร้อมตรวจแล้วเท่านั้น");
    if (!g_keyReady) {
        ShowMessage("ทำให้เฉลยพร้อมตรวจได้โดย\nกดปุ่มตกลง และ กดปุ่มพร้อมตรวจ");
        return;
    }
    const QString path = ChooseKeyFile(FileDialogRequest::Kind::Save, "ผลเฉลย");
    if (path.isEmpty())
        return;
    if (const Status written = WriteAnswerKeyFile(path.toStdString(), g_committedKey.answers); !written)
        ShowMessage("จัดเก็บผลเฉลยไม่สำเร็จ\n" + written.message());
    ShowHeldValues();
}

void EnterAnswerKey(QWidget* parent)
{
    CChoice dialog(parent);
    if (dialog.exec() == QDialog::Accepted)
        AcceptAnswerKey(dialog.Answers(), dialog.KeyName());
}
