// Pendrel's own main window, measured as the floor program is.
#include "BenchSupport.h"

#include "app/frmMain.h"
#include "app/modLaunch.h"
#include "clock/StopWatch.h"
#include "settings/Preferences.h"
#include "ui/DesignFonts.h"

#include <QPushButton>

#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "startup") == 0) {
        QuitOnFirstExpose quit;
        app.installEventFilter(&quit);
        modLaunch::Main();
        return QApplication::exec();
    }
    if (argc < 3)
        return Usage(argv[0]);

    RegisterFontSubstitutions();
    modStopWatch::StopWatch count;
    Preferences preferences;
    frmMain window(count, preferences);
    window.show();
    if (std::strcmp(argv[1], "running") == 0)
        window.findChild<QPushButton *>(QStringLiteral("cmdStartStop"))->click();
    // Let the first paint and the style settle before measuring.
    QTimer::singleShot(500, &app, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    return MeasureCpu(std::atoi(argv[2]));
}
