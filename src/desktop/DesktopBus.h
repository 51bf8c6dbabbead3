#pragma once

#include "desktop/CommandLine.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

#include <functional>

namespace modStopWatch {
class StopWatch;
}

// Pendrel on the session bus: one running copy per user session owns the name, and every other
// launch, the command line and the desktop ask it what to do.
namespace DesktopBus {

inline const QString ServiceName = QStringLiteral("org.example.Pendrel");
inline const QString ObjectPath = QStringLiteral("/org/example/Pendrel");
inline const QString InterfaceName = QStringLiteral("org.example.Pendrel");
inline const QString RefusedError = QStringLiteral("org.example.Pendrel.Error.Refused");

// Does what the bus asks of the running Pendrel; returns why not in a sentence, or nothing.
using Perform = std::function<QString(CommandLine::Command)>;

// The object the running Pendrel offers: its actions as methods, the count as properties, and
// signals when they change. Nothing else of the program is reachable through it.
class Service : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.example.Pendrel")
    // Elapsed changes all the time: it is told with the changes of Running and CountChanged.
    Q_CLASSINFO("D-Bus Introspection",
                "<interface name=\"org.example.Pendrel\">"
                "<method name=\"Start\"/><method name=\"Stop\"/><method name=\"Toggle\"/>"
                "<method name=\"Snapshot\"/><method name=\"Reset\"/>"
                "<method name=\"Compact\"/><method name=\"Show\"/>"
                "<method name=\"Status\"><arg name=\"running\" type=\"b\" direction=\"out\"/>"
                "<arg name=\"elapsed\" type=\"s\" direction=\"out\"/></method>"
                "<property name=\"Running\" type=\"b\" access=\"read\"/>"
                "<property name=\"Elapsed\" type=\"s\" access=\"read\">"
                "<annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" "
                "value=\"false\"/></property>"
                "<signal name=\"RunningChanged\"><arg name=\"running\" type=\"b\"/></signal>"
                "<signal name=\"CountChanged\"><arg name=\"elapsed\" type=\"s\"/></signal>"
                "</interface>")
    Q_PROPERTY(bool Running READ Running)
    Q_PROPERTY(QString Elapsed READ Elapsed)

public:
    enum class Claim { Owner, Taken, NoBus };

    explicit Service(QDBusConnection bus, QObject *parent = nullptr);
    ~Service() override;

    // Offers the object, then takes the name unless another copy holds it.
    Claim ClaimName();
    // From now on, calls are answered: before, they are refused as "starting".
    void Serve(modStopWatch::StopWatch &count, Perform perform);

    bool Running() const;
    QString Elapsed() const;

public slots:
    void Start();
    void Stop();
    void Toggle();
    void Snapshot();
    void Reset();
    void Compact();
    void Show();
    // Whether the count runs, and the count in the session log's format.
    bool Status(QString &elapsed);

signals:
    void RunningChanged(bool running);
    // At Start, Stop, Reset and each day's roll-over: the count at that moment.
    void CountChanged(const QString &elapsed);

private:
    void Do(CommandLine::Command command);
    void TellChange();

    QDBusConnection m_bus;
    modStopWatch::StopWatch *m_count = nullptr;
    Perform m_perform;
    bool m_registered = false;
};

// Asks the Pendrel that owns the name to do a command. Returns the exit status, with what to
// print on standard output and standard error.
int Ask(const QDBusConnection &bus, CommandLine::Command command, QString &output, QString &error);

} // namespace DesktopBus
