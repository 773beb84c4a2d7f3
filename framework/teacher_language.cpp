#include "framework/teacher_language.h"

#include "framework/teacher_text.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

std::string TranslatedByQt(const char* context, const char* thai)
{
    return QCoreApplication::translate(context, thai).toStdString();
}

} // namespace

bool InstallTeacherLanguage(const QLocale& locale)
{
    // One translator for the process: Qt keeps translators process-wide, and the
    // desktop and the batch grader choose their language once, at start.
    static QTranslator translator;
    // The reading library's texts come through Qt's translation from now on.
    SetTextTranslation(TranslatedByQt);
    QCoreApplication::removeTranslator(&translator);
    const QString name
        = locale.language() == QLocale::English ? QStringLiteral("vantrel_en") : QStringLiteral("vantrel_th");
    if (!translator.load(name, QStringLiteral(":/i18n")))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
