#include "app/modLaunch.h"
#include "desktop/CommandLine.h"
#include "desktop/DesktopBus.h"
#include "files/UserFolders.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <memory>

namespace {

QStringList ArgumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int Finish(const QString &output, const QString &error, int status)
{
    std::fputs(qPrintable(output), stdout);
    if (!error.isEmpty())
        std::fprintf(stderr, "pendrel: %s", qPrintable(error));
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    using CommandLine::Command;
    // Help, the version and the count's status need no window, nor a display to show one.
    const CommandLine::Request first = CommandLine::Parse(ArgumentsOf(argc, argv));
    const bool windows = !first.finished && first.command != Command::Status;
    const std::unique_ptr<QCoreApplication> app =
        windows ? std::make_unique<QApplication>(argc, argv)
                : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Pendrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
    const CommandLine::Request request = CommandLine::Parse(QCoreApplication::arguments());
    if (request.finished)
        return Finish(request.output, request.error, request.status);

    const QDBusConnection bus = QDBusConnection::sessionBus();
    QString output, error;
    if (request.command == Command::Status)
        return Finish(output, error, DesktopBus::Ask(bus, Command::Status, output, error));
    // One Pendrel per session: a launch while one runs asks it, and ends.
    DesktopBus::Service service(bus);
    if (service.ClaimName() == DesktopBus::Service::Claim::Taken) {
        if (request.minimized && request.command == Command::None)
            return CommandLine::Done; // the login's start-up entry, while Pendrel already runs
        const Command asked = request.command == Command::None ? Command::Show : request.command;
        const int status = DesktopBus::Ask(bus, asked, output, error);
        return Finish(output, error, status);
    }

    QApplication::setQuitOnLastWindowClosed(true);
    // The settings file follows the XDG rules, not the toolkit's reading of them, which takes a
    // relative $XDG_CONFIG_HOME from the working folder and, without a $HOME, writes to /.config.
    if (const QString config = UserFolders::ConfigHome(); !config.isEmpty())
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    if (const int status = modLaunch::Main(request, &service); status != modLaunch::Running)
        return status;
    return QCoreApplication::exec();
}
