#include "app/modLaunch.h"

#include "app/frmMain.h"
#include "clock/Sounds.h"
#include "clock/StopWatch.h"
#include "settings/CountKeeper.h"
#include "settings/Preferences.h"
#include "ui/Accessibility.h"
#include "ui/DesignFonts.h"
#include "ui/EnterKey.h"
#include "ui/MessageBox.h"
#include "ui/SessionEnd.h"

#include <QCoreApplication>

namespace modLaunch {

bool InitCommonCtrls()
{
    return true;
}

void Main(bool minimized)
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
    auto *window = new frmMain(*count, *preferences);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto *keeper = new CountKeeper(*count, CountKeeper::SystemClocks(), qApp);
    QObject::connect(window, &QObject::destroyed, [count, preferences, sounds, keeper] {
        delete keeper;
        delete sounds;
        delete count;
        delete preferences;
    });
    if (minimized)
        window->showMinimized();
    else
        window->show();
    // Taken up once the window listens, so that days passed meanwhile sound and warn.
    if (preferences->Values().blnKeepCounting) {
        const QString untrusted = keeper->Restore();
        if (!untrusted.isEmpty())
            MessageBox::error(window, untrusted);
    }
    QObject::connect(preferences, &Preferences::changed, keeper, [preferences, keeper] {
        keeper->SetEnabled(preferences->Values().blnKeepCounting);
    });
    // Logout or shutdown: the count is stored, for the session may end Pendrel without more ado.
    // SIGTERM ends the program as if its main window closed, which stores it too.
    QObject::connect(&SessionEnd::Instance(), &SessionEnd::ending, keeper, &CountKeeper::Store);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, [window] { delete window; });
    SessionEnd::Install();
}

} // namespace modLaunch
