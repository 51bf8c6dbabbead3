#pragma once

#include "CoreTestSupport.h"

#include <QDBusConnection>

// A session bus of the test's own, as the desktop would run it; gone with the test.
struct PrivateBus {
    QProcess daemon;
    QString address;
    std::unique_ptr<EnvironmentVariable> variable;
    PrivateBus()
    {
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (daemon.waitForReadyRead(10'000))
            address = QString::fromUtf8(daemon.readLine()).trimmed();
        variable = std::make_unique<EnvironmentVariable>("DBUS_SESSION_BUS_ADDRESS", address);
    }
    ~PrivateBus()
    {
        daemon.kill();
        daemon.waitForFinished();
    }
    QDBusConnection connect(const QString &name) const
    {
        return QDBusConnection::connectToBus(address, name);
    }
};
