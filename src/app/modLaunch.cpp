#include "app/modLaunch.h"

#include "app/frmMain.h"
#include "clock/Sounds.h"
#include "clock/StopWatch.h"
#include "desktop/DesktopBus.h"
#include "desktop/ScreenLock.h"
#include "desktop/WarningNotifier.h"
#include "settings/CountKeeper.h"
#include "settings/Preferences.h"
#include "tray/TrayIcon.h"
#include "ui/Accessibility.h"
#include "ui/DesignFonts.h"
#include "ui/EnterKey.h"
#include "ui/MessageBox.h"
#include "ui/SessionEnd.h"

#include <QCoreApplication>

#include <cstdio>

namespace modLaunch {

bool InitCommonCtrls()
{
    return true;
}

int Main(const CommandLine::Request &request, DesktopBus::Service *service)
{
    InitCommonCtrls();
    BeginReadingFonts();
    RegisterFontSubstitutions();
    LetEnterPressButtons();
    Accessibility::SetUp();
    // The one count and the one set of preferences, handed to the windows. They end with the
    // main window: a Help window left open shows no count, and must hear no day sound.
    auto *count = new modStopWatch::StopWatch(modStopWatch::GetTickCount, qApp);
    auto *preferences = new Preferences(qApp);
    auto *sounds = new modStopWatch::Sounds(*count, *preferences, qApp);
    // On the desktop's buses, the windows rest while the screen is locked; made first, so that
    // the windows find it.
    ScreenLock *lock = nullptr;
    if (service) {
        lock = new ScreenLock(QDBusConnection::sessionBus(), QDBusConnection::systemBus(), qApp);
        ScreenLock::SetCurrent(lock);
    }
    auto *window = new frmMain(*count, *preferences);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (service) {
        new WarningNotifier(
            *count, *preferences, QDBusConnection::sessionBus(),
            [window] { return window->isActiveWindow(); }, window);
    }
    auto *keeper = new CountKeeper(*count, CountKeeper::SystemClocks(), qApp);
    QObject::connect(window, &QObject::destroyed, [count, preferences, sounds, keeper, lock] {
        delete lock;
        delete keeper;
        delete sounds;
        delete count;
        delete preferences;
    });
    // Taken up once the window listens, so that days passed meanwhile sound and warn.
    if (preferences->Values().blnKeepCounting) {
        const QString untrusted = keeper->Restore();
        if (!untrusted.isEmpty())
            MessageBox::error(window, untrusted);
    }
    if (service)
        service->Serve(*count,
                       [window](CommandLine::Command command) { return window->Perform(command); });
    // A launch's command that can't be done shows no window: it says why and ends.
    if (request.command != CommandLine::Command::None) {
        const QString refused = window->Perform(request.command);
        if (!refused.isEmpty()) {
            std::fprintf(stderr, "pendrel: %s\n", qPrintable(refused));
            delete window;
            return CommandLine::Refused;
        }
    }
    if (request.minimized)
        window->showMinimized();
    else
        window->show();
    QObject::connect(preferences, &Preferences::changed, keeper, [preferences, keeper] {
        keeper->SetEnabled(preferences->Values().blnKeepCounting);
    });
    // Shown while wanted, also before the panel's tray is up, as at login: it appears there then.
    auto *tray = new TrayIcon(*count, *window, window);
    const auto showTray = [preferences, tray] {
        tray->SetShown(preferences->Values().blnShowInTray);
    };
    showTray();
    QObject::connect(preferences, &Preferences::changed, tray, showTray);
    // Logout or shutdown: the count is stored, for the session may end Pendrel without more ado.
    // SIGTERM ends the program as if its main window closed, which stores it too.
    QObject::connect(&SessionEnd::Instance(), &SessionEnd::ending, keeper, &CountKeeper::Store);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, [window] { delete window; });
    SessionEnd::Install();
    return Running;
}

} // namespace modLaunch
