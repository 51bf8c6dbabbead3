#include "app/modLaunch.h"

#include "app/frmMain.h"
#include "clock/Sounds.h"
#include "clock/StopWatch.h"
#include "settings/Preferences.h"
#include "ui/Accessibility.h"
#include "ui/DesignFonts.h"
#include "ui/EnterKey.h"

#include <QCoreApplication>

namespace modLaunch {

bool InitCommonCtrls()
{
    return true;
}

void Main()
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
    QObject::connect(window, &QObject::destroyed, [count, preferences, sounds] {
        delete sounds;
        delete count;
        delete preferences;
    });
    window->show();
}

} // namespace modLaunch
