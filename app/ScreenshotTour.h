#pragma once

#include <QStringList>

// Arguments: DIR [--key KEYFILE] SHEET... Opens the sheets, checks them all with
// the key, and writes main-window.png, about.png and results.png into DIR. The
// engine's messages go to standard error instead of boxes. Returns the exit code.
int RunScreenshotTour(const QStringList& arguments);
