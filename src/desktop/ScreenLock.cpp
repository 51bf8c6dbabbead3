#include "desktop/ScreenLock.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QPointer>

namespace {

const QString Saver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString SaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString Logind = QStringLiteral("org.freedesktop.login1");
const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

QPointer<ScreenLock> current;

// Makes `call` without waiting; `answer` runs with the reply's first argument, if it brings one.
template <typename Answer>
void Ask(const QDBusConnection &bus, QDBusMessage call, QObject *context, Answer answer)
{
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, answer](QDBusPendingCallWatcher *) {
                         watcher->deleteLater();
                         const QDBusMessage reply = watcher->reply();
                         if (reply.type() == QDBusMessage::ReplyMessage &&
                             !reply.arguments().isEmpty())
                             answer(reply.arguments().constFirst());
                     });
}

} // namespace

ScreenLock::ScreenLock(QDBusConnection session, QDBusConnection system, QObject *parent)
    : QObject(parent)
    , m_session(std::move(session))
    , m_system(std::move(system))
{
    // Desktops tell it at one path or the other, some at both.
    for (const QString &path : {SaverPath, QStringLiteral("/ScreenSaver")}) {
        m_session.connect(Saver, path, Saver, QStringLiteral("ActiveChanged"), this,
                          SLOT(SaverChanged(bool)));
    }
    // A screen saver that ends while on can't tell that it is off: the windows run again.
    auto *gone = new QDBusServiceWatcher(Saver, m_session,
                                         QDBusServiceWatcher::WatchForUnregistration, this);
    connect(gone, &QDBusServiceWatcher::serviceUnregistered, this, [this] { SaverChanged(false); });
    Ask(m_session, QDBusMessage::createMethodCall(Saver, SaverPath, Saver, "GetActive"), this,
        [this](const QVariant &active) {
            if (!m_saverHeard)
                Set(m_saverActive, active.toBool());
        });
    // logind tells changes at the session's own path, which "auto" only stands for.
    QDBusMessage find = QDBusMessage::createMethodCall(Logind, "/org/freedesktop/login1",
                                                       Logind + ".Manager", "GetSession");
    find << QStringLiteral("auto");
    Ask(m_system, find, this, [this](const QVariant &answer) {
        // No path would hear every session's lock.
        if (const QString path = qvariant_cast<QDBusObjectPath>(answer).path(); !path.isEmpty())
            WatchSession(path);
    });
}

void ScreenLock::WatchSession(const QString &path)
{
    m_system.connect(Logind, path, Properties, QStringLiteral("PropertiesChanged"), this,
                     SLOT(SessionChanged(QString, QVariantMap)));
    QDBusMessage get = QDBusMessage::createMethodCall(Logind, path, Properties, "Get");
    get << SessionInterface << QStringLiteral("LockedHint");
    Ask(m_system, get, this, [this](const QVariant &locked) {
        if (!m_sessionHeard)
            Set(m_sessionLocked, qvariant_cast<QDBusVariant>(locked).variant().toBool());
    });
}

void ScreenLock::SaverChanged(bool active)
{
    m_saverHeard = true;
    Set(m_saverActive, active);
}

void ScreenLock::SessionChanged(const QString &interface, const QVariantMap &changed)
{
    const auto hint = changed.constFind(QStringLiteral("LockedHint"));
    if (interface != SessionInterface || hint == changed.constEnd())
        return;
    m_sessionHeard = true;
    Set(m_sessionLocked, hint->toBool());
}

void ScreenLock::Set(bool &state, bool value)
{
    const bool was = IsLocked();
    state = value;
    if (IsLocked() != was)
        emit lockedChanged(IsLocked());
}

ScreenLock *ScreenLock::Current()
{
    return current;
}

void ScreenLock::SetCurrent(ScreenLock *lock)
{
    current = lock;
}

bool ScreenLock::CurrentlyLocked()
{
    return current && current->IsLocked();
}
