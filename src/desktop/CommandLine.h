#pragma once

#include <QString>
#include <QStringList>

// What a launch of Pendrel is asked to do, read from its command line.
namespace CommandLine {

// The actions a launch can ask of the running Pendrel (or of itself, where none runs).
// Close has no option: only the tray's menu asks it.
enum class Command { None, Show, Start, Stop, Toggle, Snapshot, Reset, Compact, Status, Close };

// Exit statuses, as the manual page lists them.
enum Status : int {
    Done = 0,        // the action was done; for --status, the count runs
    Refused = 1,     // the action can't be done now; for --status, the count is stopped
    NotRunning = 2,  // for --status: no Pendrel runs, or it can't be reached
    UsageError = 64, // an unknown option, a stray argument, two actions at once
};

struct Request {
    Command command = Command::None;
    bool minimized = false; // as the login's start-up entry starts it
    // When the launch is over at once (--help, --version, a usage error): what to print and
    // where, and the status to end with.
    bool finished = false;
    QString output;
    QString error;
    int status = Done;
};

// Reads the arguments, the program's name first.
Request Parse(const QStringList &arguments);

// The option that asks for a command, without its dashes ("snapshot").
QString OptionName(Command command);

} // namespace CommandLine
