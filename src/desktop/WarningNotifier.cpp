#include "desktop/WarningNotifier.h"

#include "clock/StopWatch.h"
#include "clock/Warning.h"
#include "settings/Preferences.h"

#include <QDBusMessage>

WarningNotifier::WarningNotifier(modStopWatch::StopWatch &count, const Preferences &preferences,
                                 QDBusConnection bus, std::function<bool()> mainWindowActive,
                                 QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_bus(std::move(bus))
    , m_mainWindowActive(std::move(mainWindowActive))
{
    connect(&count, &modStopWatch::StopWatch::warningArmed, this, &WarningNotifier::Arm);
}

void WarningNotifier::Arm(int days)
{
    // In front, the window's own blinking says it.
    if (!m_preferences.Values().blnDisplayWarnings || days == m_toldDays || m_mainWindowActive())
        return;
    m_toldDays = days;
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QDBusMessage notify = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/Notifications"), service, "Notify");
    const QString app = QStringLiteral("org.example.Pendrel");
    notify << QStringLiteral("Pendrel") << 0U << app << modStopWatch::WarningText(days) << QString()
           << QStringList() << QVariantMap{{QStringLiteral("desktop-entry"), app}} << -1;
    // The reply, or the error of a desktop without the service, is of no interest: no waiting.
    m_bus.send(notify);
}
