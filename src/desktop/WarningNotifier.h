#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>

class Preferences;

namespace modStopWatch {
class StopWatch;
}

// The warning, told through the desktop's notifications when the main window isn't in front to
// show it: once for each day count, and only while warnings are displayed. A desktop without a
// notification service just doesn't get it.
class WarningNotifier : public QObject
{
    Q_OBJECT

public:
    WarningNotifier(modStopWatch::StopWatch &count, const Preferences &preferences,
                    QDBusConnection bus, std::function<bool()> mainWindowActive,
                    QObject *parent = nullptr);

private:
    void Arm(int days);

    const Preferences &m_preferences;
    QDBusConnection m_bus;
    std::function<bool()> m_mainWindowActive;
    int m_toldDays = -1; // the day count last told
};
