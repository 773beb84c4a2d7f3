#include "app/CVantrelApp.h"
#include "app/ScreenshotTour.h"
#include "framework/teacher_language.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Answered before any window system is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("vantrel %s\n", VANTREL_VERSION);
        return 0;
    }
    QApplication application(argc, argv);
    InstallTeacherLanguage();
    const QStringList arguments = QApplication::arguments();
    // Hidden: renders the main window, the about box and the results dialog to PNG.
    if (arguments.size() > 2 && arguments[1] == QLatin1String("--screenshot"))
        return RunScreenshotTour(arguments.mid(2));

    CVantrelApp app;
    if (!app.InitInstance())
        return 1;
    return QApplication::exec();
}
