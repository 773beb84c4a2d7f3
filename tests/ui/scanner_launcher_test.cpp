#include "app/ScannerLauncher.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Each test gets an empty PATH folder and an empty settings store.
class ScannerLauncherTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void nothingInstalledStartsNothing();
    void firstInstalledUtilityWins_data();
    void firstInstalledUtilityWins();
    void configuredCommandWinsAndGetsItsArguments();
    void blankConfiguredCommandFallsBackToUtilities();
    void configuredProgramThatIsMissingStartsNothing();

private:
    // A utility that writes its arguments, one a line, to <name>.ran in the PATH folder.
    QString InstallUtility(const QString& name);
    QString RanMarker(const QString& name) const { return m_bin->filePath(name + ".ran"); }
    void Configure(const QString& command);

    std::unique_ptr<QTemporaryDir> m_bin;
    std::unique_ptr<QTemporaryDir> m_settings;
};

void ScannerLauncherTest::init()
{
    m_bin = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<QTemporaryDir>();
    QVERIFY(m_bin->isValid() && m_settings->isValid());
    qputenv("PATH", QFile::encodeName(m_bin->path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings->path());
}

QString ScannerLauncherTest::InstallUtility(const QString& name)
{
    const QString path = m_bin->filePath(name);
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    const QString marker = RanMarker(name);
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.tmp' && /bin/mv '%1.tmp' '%1'\n")
                     .arg(marker)
                     .toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return path;
}

void ScannerLauncherTest::Configure(const QString& command)
{
    QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel"))
        .setValue(ScannerLauncher::kCommandKey, command);
}

void ScannerLauncherTest::nothingInstalledStartsNothing()
{
    const ScannerLauncher launcher;
    QVERIFY(launcher.Command().isEmpty());
    QVERIFY(!launcher.Launch());
}

void ScannerLauncherTest::firstInstalledUtilityWins_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("only the last") << QStringList { "skanlite" } << "skanlite";
    QTest::newRow("second and third") << QStringList { "skanlite", "xsane" } << "xsane";
    QTest::newRow("all three") << QStringList { "xsane", "skanlite", "simple-scan" } << "simple-scan";
}

void ScannerLauncherTest::firstInstalledUtilityWins()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, chosen);
    for (const QString& name : installed)
        QVERIFY(!InstallUtility(name).isEmpty());

    const ScannerLauncher launcher;
    QCOMPARE(launcher.Command(), chosen);
    QVERIFY(launcher.Launch());
    QTRY_VERIFY(QFile::exists(RanMarker(chosen)));
}

void ScannerLauncherTest::configuredCommandWinsAndGetsItsArguments()
{
    InstallUtility(QStringLiteral("simple-scan"));
    const QString own = InstallUtility(QStringLiteral("my-scanner"));
    Configure(QStringLiteral("\"%1\" --device epson \"two words\"").arg(own));

    QVERIFY(ScannerLauncher().Launch());
    QTRY_VERIFY(QFile::exists(RanMarker(QStringLiteral("my-scanner"))));
    QFile ran(RanMarker(QStringLiteral("my-scanner")));
    QVERIFY(ran.open(QIODevice::ReadOnly));
    QCOMPARE(ran.readAll(), QByteArray("--device\nepson\ntwo words\n"));
    QVERIFY(!QFile::exists(RanMarker(QStringLiteral("simple-scan"))));
}

void ScannerLauncherTest::blankConfiguredCommandFallsBackToUtilities()
{
    InstallUtility(QStringLiteral("xsane"));
    Configure(QStringLiteral("   "));
    QCOMPARE(ScannerLauncher().Command(), QStringLiteral("xsane"));
}

void ScannerLauncherTest::configuredProgramThatIsMissingStartsNothing()
{
    InstallUtility(QStringLiteral("xsane"));
    Configure(m_bin->filePath(QStringLiteral("no-such-scanner")));
    QVERIFY(!ScannerLauncher().Launch());
}

QTEST_GUILESS_MAIN(ScannerLauncherTest)
#include "scanner_launcher_test.moc"
