#include "app/ScannerLauncher.h"

#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

QStringList ScannerLauncher::DefaultUtilities()
{
    return { QStringLiteral("simple-scan"), QStringLiteral("xsane"), QStringLiteral("skanlite") };
}

ScannerLauncher::ScannerLauncher(QStringList utilities)
    : m_utilities(std::move(utilities))
{
}

QString ScannerLauncher::Command() const
{
    const QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel"));
    const QString configured = settings.value(QLatin1String(kCommandKey)).toString().trimmed();
    if (!configured.isEmpty())
        return configured;
    for (const QString& utility : m_utilities) {
        if (!QStandardPaths::findExecutable(utility).isEmpty())
            return utility;
    }
    return {};
}

bool ScannerLauncher::Launch() const
{
    QStringList arguments = QProcess::splitCommand(Command());
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments);
}
