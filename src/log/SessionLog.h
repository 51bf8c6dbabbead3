#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// SessionLog.txt: one line per snapshot, fields separated by ";", system-encoded text with CR LF
// line ends, no header. Every operation forms the path anew and opens and closes the file within
// the call. No widgets here.
namespace SessionLog {

inline const QString FileName = QStringLiteral("SessionLog.txt");

// The four cells of a row: start time, stop time, time elapsed, comment.
constexpr int ColumnCount = 4;
using Row = std::array<QString, ColumnCount>;

// What an operation did: on failure, the file it tried and the system's reason.
struct Outcome {
    bool ok = true;
    QString path;
    QString reason;
};

// A message for the user: what failed, then the file and the reason.
QString FailureText(const QString &what, const Outcome &outcome);

// The log in the program's folder while that folder can be written, otherwise in the per-user
// data folder. Every operation goes through here, so all of them meet at the same file.
QString Path();

// One line as the grid shows it: lower case, split at every ";" and tab, at least four fields,
// the "0 years" and "0 days" parts dropped from the third.
QStringList ParseLine(QStringView line);

// The elapsed-time field without a leading "0 years, " or "0 days, ".
QString DropZeroParts(const QString &elapsed);

// Four cells from parsed fields. Fields beyond the fourth stay in the comment, joined by ";",
// so that a rewrite gives back the same line instead of losing them.
Row ToRow(const QStringList &fields);

// A row as one line: the cells joined by ";".
QString FormatRow(const Row &row);

// Adds `line` and a CR LF to `text`. A line break inside the line becomes a space, so one row
// stays one line.
void AppendLogLine(QString &text, QStringView line);

// The snapshot line start;stop;elapsed.
QString SnapshotLine(const QString &start, const QString &stop, const QString &elapsed);

struct ReadResult {
    Outcome outcome;
    std::vector<Row> rows;
    // Some bytes were no text in the system's encoding (a log from an older system, say).
    bool undecodable = false;
};

// Every line of the log as a row, in file order; CR LF and lone LF both end a line. A missing
// file is created empty.
ReadResult ReadAll();
std::vector<Row> ParseText(QStringView text);

// Appends one line, creating the file when it is missing.
Outcome Append(const QString &line);

// Replaces the whole file with the rows, atomically: a failed rewrite leaves the old file whole.
// With `keepOld`, the old file is first copied to BackupPath(); if that fails, nothing changes.
Outcome Rewrite(const std::vector<Row> &rows, bool keepOld = false);
QString BackupPath();
QByteArray Encode(const std::vector<Row> &rows);

// Deletes the file if there is one.
Outcome Remove();

} // namespace SessionLog
