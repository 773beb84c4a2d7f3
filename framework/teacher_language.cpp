#include "framework/teacher_language.h"

#include <QCoreApplication>
#include <QTranslator>

bool InstallTeacherLanguage(const QLocale& locale)
{
    // One translator for the process: Qt keeps translators process-wide, and the
    // desktop and the batch grader choose their language once, at start.
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    const QString name
        = locale.language() == QLocale::English ? QStringLiteral("vantrel_en") : QStringLiteral("vantrel_th");
    if (!translator.load(name, QStringLiteral(":/i18n")))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
