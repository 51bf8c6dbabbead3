// Pendrel's own windows, measured as the floor program is.
#include "BenchSupport.h"

#include "app/frmMain.h"
#include "app/modLaunch.h"
#include "clock/StopWatch.h"
#include "compact/frmCompact.h"
#include "desktop/DesktopBus.h"
#include "settings/Preferences.h"
#include "ui/DesignFonts.h"

#include <QAction>
#include <QPushButton>

#include <cstring>

// running, stopped and minimized: the main window; compact: the whole program in compact mode;
// compact-alone: a running compact window and nothing else.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "startup") == 0) {
        QuitOnFirstExpose quit;
        app.installEventFilter(&quit);
        // As the program starts: it takes its name on the session bus first, where there is one.
        DesktopBus::Service service(QDBusConnection::sessionBus());
        service.ClaimName();
        modLaunch::Main({}, &service);
        return QApplication::exec();
    }
    if (argc < 3)
        return Usage(argv[0], "running|stopped|minimized|compact|compact-alone");
    const QByteArray mode = argv[1];

    RegisterFontSubstitutions();
    modStopWatch::StopWatch count;
    Preferences preferences;
    if (mode == "compact-alone") {
        count.Start();
        frmCompact compact(count);
        compact.blnActive = true;
        compact.show();
        return MeasureCpu(std::atoi(argv[2]));
    }
    frmMain window(count, preferences);
    window.show();
    if (mode != "stopped")
        window.findChild<QPushButton *>(QStringLiteral("cmdStartStop"))->click();
    if (mode == "minimized") { // as a user minimizes it: once the window manager has shown it
        QTimer::singleShot(300, &window, [&] { window.showMinimized(); });
    }
    if (mode == "compact") {
        QTimer::singleShot(0, &window, [&] {
            window.findChild<QAction *>(QStringLiteral("mnuCompact"))->trigger();
        });
    }
    return MeasureCpu(std::atoi(argv[2]));
}
