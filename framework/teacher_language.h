#pragma once

#include <QLocale>
#include <QString>

// The texts a teacher reads are written in Thai in the source, through
// QCoreApplication::translate, so a text with no translation still shows Thai.
// res/i18n holds a Thai and an English translation file; lrelease compiles them at
// build time into the program's resources.

// Installs the Thai translation, or the English one when `locale` is English; the
// one installed before is removed. Needs a QCoreApplication. False when the
// translation could not be loaded (the Thai source texts then show).
bool InstallTeacherLanguage(const QLocale& locale = QLocale::system());
