#pragma once

#include <QDBusConnection>
#include <QObject>

// Whether the screen is locked or its screen saver is on, as the desktop says: the screen saver
// on the session bus, and logind's lock hint for this session on the system bus. Where neither
// service is, the screen is never locked as far as Pendrel knows.
class ScreenLock : public QObject
{
    Q_OBJECT

public:
    // Listens from now on, and asks both services once how things stand, without waiting.
    ScreenLock(QDBusConnection session, QDBusConnection system, QObject *parent = nullptr);

    bool IsLocked() const { return m_saverActive || m_sessionLocked; }

    // The one the windows consult, until it is set again or goes: the program's, or a test's.
    // None means never locked.
    static ScreenLock *Current();
    static void SetCurrent(ScreenLock *lock);
    static bool CurrentlyLocked();

signals:
    void lockedChanged(bool locked);

private slots:
    void SaverChanged(bool active);
    void SessionChanged(const QString &interface, const QVariantMap &changed);

private:
    void Set(bool &state, bool value);
    void WatchSession(const QString &path);

    QDBusConnection m_session;
    QDBusConnection m_system;
    bool m_saverActive = false;
    bool m_sessionLocked = false;
    // A change heard before the answer to the first question makes that answer stale.
    bool m_saverHeard = false;
    bool m_sessionHeard = false;
};
