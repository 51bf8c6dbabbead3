#pragma once

#include "CoreTestSupport.h"

#include "clock/Sounds.h"
#include "clock/StopWatch.h"
#include "settings/Preferences.h"
#include "ui/Accessibility.h"
#include "ui/DesignFonts.h"
#include "ui/EnterKey.h"
#include "ui/MessageBox.h"
#include "ui/UrlOpener.h"
#include "ui/WindowSystem.h"

#include <QtWidgets>

// The program on a fake clock, every seam swapped: message boxes, sounds and opened addresses
// are recorded, and the desktop has panels at the left, the top and the bottom.
struct TestWorld : TestHome {
    FakeClock clock;
    modStopWatch::StopWatch count{clock.source()};
    Preferences preferences;
    modStopWatch::Sounds sounds{count, preferences};
    QStringList openedUrls, playedSounds;

    TestWorld()
    {
        RegisterFontSubstitutions();
        LetEnterPressButtons();
        Accessibility::SetUp();
        modStopWatch::SetSoundPlayer([this](const QString &path) { playedSounds << path; });
        MessageBox::setTestMode(true);
        UrlOpener::SetOpener([this](const QString &address) { openedUrls << address; });
        WindowSystem::SetDesktopWorkArea([] {
            return QGuiApplication::primaryScreen()->virtualGeometry() - QMargins(60, 24, 0, 40);
        });
    }

    void tick(QObject *window, qint64 ms) // time passes; the count's timer, then the window's
    {
        clock.advance(ms);
        QMetaObject::invokeMethod(count.findChild<QTimer *>("tmrRollOver"), "timeout");
        QMetaObject::invokeMethod(window->findChild<QTimer *>("timDisplay"), "timeout");
    }

    ~TestWorld()
    {
        modStopWatch::SetSoundPlayer({});
        UrlOpener::SetOpener({});
        MessageBox::setInspector({});
        MessageBox::setTestMode(false);
        WindowSystem::SetDesktopWorkArea({});
        WindowSystem::SetMoveStarter({});
    }
};

// A window's control by its name; a missing one ends the test run with its name.
template <typename T = QWidget> T *Control(const QObject *window, const char *name)
{
    T *control = window->findChild<T *>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

inline void Click(const QObject *window, const char *button)
{
    QTest::mouseClick(Control<QAbstractButton>(window, button), Qt::LeftButton);
}

inline void Fire(const QObject *window, const char *timer) // one tick, whether or not it runs
{
    QMetaObject::invokeMethod(Control<QTimer>(window, timer), "timeout");
}

// "hh:mm:ss.cc", as one reads it.
inline QString ShownTime(const QObject *window)
{
    QString shown;
    for (const char *name : {"lblHours", "lblMinutes", "lblSeconds", "lblSecHundreds"})
        shown += Control<QLabel>(window, name)->text();
    return shown.remove(' ');
}

template <typename IsInk> QRect InkBounds(const QImage &image, const QRect &area, IsInk isInk)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            bounds |= isInk(image.pixel(x, y)) ? QRect(x, y, 1, 1) : QRect();
    return bounds;
}

// Runs `answer` on the modal window the next action opens, then closes it: a failure never waits.
template <typename Window> void WhenModal(QObject *context, std::function<void(Window *)> answer)
{
    QTimer::singleShot(0, context, [answer] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!window)
            qFatal("the expected modal window is not up");
        answer(window);
        if (window->isVisible())
            window->done(QDialog::Rejected);
    });
}
