#include "desktop/DesktopBus.h"

#include "clock/CountTexts.h"
#include "clock/StopWatch.h"
#include "log/SessionLog.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace DesktopBus {

namespace {
// Long enough for a busy desktop, short enough that a hung copy doesn't hang a key binding.
constexpr int CallTimeoutMs = 10'000;
} // namespace

Service::Service(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{}

Service::~Service()
{
    if (m_registered) {
        m_bus.unregisterObject(ObjectPath);
        m_bus.unregisterService(ServiceName);
    }
}

Service::Claim Service::ClaimName()
{
    if (!m_bus.isConnected() || !m_bus.interface())
        return Claim::NoBus;
    // The object first: a call that comes the moment the name is ours finds it.
    if (!m_bus.registerObject(ObjectPath, this,
                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                  QDBusConnection::ExportAllProperties)) {
        return Claim::NoBus;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_bus.interface()->registerService(ServiceName, QDBusConnectionInterface::DontQueueService,
                                           QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_registered = true;
        return Claim::Owner;
    }
    m_bus.unregisterObject(ObjectPath);
    // A bus that refuses the name for another reason can't be asked either: run alone.
    return reply.isValid() ? Claim::Taken : Claim::NoBus;
}

void Service::Serve(modStopWatch::StopWatch &count, Perform perform)
{
    m_count = &count;
    m_perform = std::move(perform);
    connect(&count, &modStopWatch::StopWatch::runningChanged, this, [this](bool running) {
        emit RunningChanged(running);
        TellChange();
    });
    connect(&count, &modStopWatch::StopWatch::wasReset, this, &Service::TellChange);
    connect(&count, &modStopWatch::StopWatch::dayRolledOver, this, &Service::TellChange);
}

bool Service::Running() const
{
    return m_count && m_count->IsRunning();
}

QString Service::Elapsed() const
{
    return m_count ? SessionLog::ElapsedField(m_count->Texts()) : QString();
}

void Service::TellChange()
{
    const QString elapsed = Elapsed();
    emit CountChanged(elapsed);
    // For those who watch properties, as busctl and desktop widgets do.
    QDBusMessage changed =
        QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    changed << InterfaceName << QVariantMap{{QStringLiteral("Running"), Running()}}
            << QStringList();
    m_bus.send(changed);
}

void Service::Do(CommandLine::Command command)
{
    const QString refused =
        m_perform ? m_perform(command) : QStringLiteral("Pendrel is still starting; try again.");
    if (!refused.isEmpty() && calledFromDBus())
        sendErrorReply(RefusedError, refused);
}

void Service::Start()
{
    Do(CommandLine::Command::Start);
}

void Service::Stop()
{
    Do(CommandLine::Command::Stop);
}

void Service::Toggle()
{
    Do(CommandLine::Command::Toggle);
}

void Service::Snapshot()
{
    Do(CommandLine::Command::Snapshot);
}

void Service::Reset()
{
    Do(CommandLine::Command::Reset);
}

void Service::Compact()
{
    Do(CommandLine::Command::Compact);
}

void Service::Show()
{
    Do(CommandLine::Command::Show);
}

bool Service::Status(QString &elapsed)
{
    elapsed = Elapsed();
    return Running();
}

int Ask(const QDBusConnection &bus, CommandLine::Command command, QString &output, QString &error)
{
    using CommandLine::Command;
    if (!bus.isConnected() || !bus.interface()) {
        error = QStringLiteral("No session bus: Pendrel can't be reached.\n");
        return CommandLine::NotRunning;
    }
    if (command == Command::Status && !bus.interface()->isServiceRegistered(ServiceName)) {
        error = QStringLiteral("Pendrel is not running.\n");
        return CommandLine::NotRunning;
    }
    QString method = CommandLine::OptionName(command);
    method[0] = method[0].toUpper();
    const QDBusMessage call =
        QDBusMessage::createMethodCall(ServiceName, ObjectPath, InterfaceName, method);
    const QDBusMessage reply = bus.call(call, QDBus::Block, CallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        error = (reply.errorName() == RefusedError
                     ? reply.errorMessage()
                     : QStringLiteral("Pendrel did not answer: %1").arg(reply.errorMessage())) +
                QLatin1Char('\n');
        return command == Command::Status ? CommandLine::NotRunning : CommandLine::Refused;
    }
    if (command != Command::Status)
        return CommandLine::Done;
    const QVariantList answer = reply.arguments();
    if (answer.size() != 2) {
        error = QStringLiteral("Pendrel gave an answer that can't be read.\n");
        return CommandLine::NotRunning;
    }
    output = answer.at(1).toString() + QLatin1Char('\n');
    return answer.at(0).toBool() ? CommandLine::Done : CommandLine::Refused;
}

} // namespace DesktopBus
