#pragma once

#include <QString>
#include <QStringList>

// Starts the scanner's own utility as a separate process that nothing waits for.
// The user's command in the settings store wins; otherwise the first of the
// known utilities found on PATH.
class ScannerLauncher {
public:
    // Settings key (organisation and application "Vantrel") of the user's command line.
    static constexpr const char* kCommandKey = "Scanner/Command";

    static QStringList DefaultUtilities();

    explicit ScannerLauncher(QStringList utilities = DefaultUtilities());

    // The command line that Launch would run; empty when there is none.
    QString Command() const;
    // True when a process was started.
    bool Launch() const;

private:
    QStringList m_utilities;
};
