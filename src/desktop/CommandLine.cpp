#include "desktop/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <array>
#include <utility>

namespace CommandLine {

namespace {

struct Option {
    Command command;
    const char *name;
    const char *help;
};

constexpr std::array<Option, 8> Options{{
    {Command::Start, "start", "Start the count, or resume it."},
    {Command::Stop, "stop", "Stop the count."},
    {Command::Toggle, "toggle", "Start the count if it is stopped, stop it if it runs."},
    {Command::Snapshot, "snapshot", "Add the count to the session log, as Snapshot does."},
    {Command::Reset, "reset", "Set a stopped count back to zero."},
    {Command::Compact, "compact", "Show the compact window."},
    {Command::Show, "show", "Bring the main window to the front."},
    {Command::Status, "status",
     "Print the count and exit: 0 while it runs, 1 when it is stopped, 2 when Pendrel does not "
     "run."},
}};

Request Finished(QString output, QString error, int status)
{
    Request request;
    request.finished = true;
    request.output = std::move(output);
    request.error = std::move(error);
    request.status = status;
    return request;
}

} // namespace

QString OptionName(Command command)
{
    for (const Option &option : Options) {
        if (option.command == command)
            return QString::fromLatin1(option.name);
    }
    return {};
}

Request Parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Counts the time since you pressed Start. With an action, asks the Pendrel "
                       "that runs to do it, or starts one that does."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const Option &option : Options)
        parser.addOption({QString::fromLatin1(option.name), QString::fromLatin1(option.help)});
    const QCommandLineOption minimized(QStringLiteral("minimized"),
                                       QStringLiteral("Start with the main window minimized."));
    parser.addOption(minimized);

    const QString usage = parser.helpText();
    if (!parser.parse(arguments))
        return Finished({}, parser.errorText() + QLatin1Char('\n') + usage, UsageError);
    if (parser.isSet(help))
        return Finished(usage, {}, Done);
    if (parser.isSet(version)) {
        return Finished(QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                      QCoreApplication::applicationVersion()),
                        {}, Done);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return Finished({},
                        QStringLiteral("Unexpected argument \"%1\".\n")
                                .arg(parser.positionalArguments().constFirst()) +
                            usage,
                        UsageError);
    }
    Request request;
    request.minimized = parser.isSet(minimized);
    for (const Option &option : Options) {
        if (!parser.isSet(QString::fromLatin1(option.name)))
            continue;
        if (request.command != Command::None) {
            return Finished({},
                            QStringLiteral("Give one action at a time: --%1 and --%2.\n")
                                    .arg(OptionName(request.command), OptionName(option.command)) +
                                usage,
                            UsageError);
        }
        request.command = option.command;
    }
    return request;
}

} // namespace CommandLine
