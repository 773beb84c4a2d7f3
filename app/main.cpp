#include "app/CVantrelApp.h"
#include "app/ScreenshotTour.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    // Hidden: renders the main window, the about box and the results dialog to PNG.
    if (arguments.size() > 2 && arguments[1] == QLatin1String("--screenshot"))
        return RunScreenshotTour(arguments.mid(2));

    CVantrelApp app;
    if (!app.InitInstance())
        return 1;
    return QApplication::exec();
}
